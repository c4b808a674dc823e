#pragma once

// Shared by the fuzz targets: a failed property aborts with a message, which
// libFuzzer reports as a crash and the replay as a failed test.

#include "grid/gridsort.h"
#include "grid/recordmodel.h"

#include <QAbstractItemModelTester>
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

[[noreturn]] inline void FuzzFailure(const char *file, int line, const char *what)
{
    std::fprintf(stderr, "%s:%d: property failed: %s\n", file, line, what);
    std::abort();
}

#define FUZZ_CHECK(condition) \
    do { \
        if (!(condition)) \
            FuzzFailure(__FILE__, __LINE__, #condition); \
    } while (false)

// Takes settings from the front of an input; what is left is the payload.
// Past the end every value reads as zero.
class FuzzBytes
{
public:
    FuzzBytes(const uint8_t *data, size_t size) : data_(data), size_(size) {}

    uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }

    template<typename T>
    T value()
    {
        unsigned char bytes[sizeof(T)] = {};
        for (unsigned char &b : bytes)
            b = byte();
        T v{};
        std::memcpy(&v, bytes, sizeof(T));
        return v;
    }

    QByteArray rest()
    {
        const QByteArray bytes(reinterpret_cast<const char *>(data_ + pos_), qsizetype(size_ - pos_));
        pos_ = size_;
        return bytes;
    }

private:
    const uint8_t *data_;
    size_t size_;
    size_t pos_ = 0;
};

// The complete rows of a table, in order.
inline QList<QStringList> CompleteRows(const RecordModel &table)
{
    QList<QStringList> rows;
    for (int r = 0; r < table.rowCount(); ++r) {
        if (table.requiredFilled(r))
            rows.append(table.rowTexts(r));
    }
    return rows;
}

// The rows that hold some text, in order: all but the entry row.
inline QList<QStringList> DataRows(const RecordModel &records)
{
    QList<QStringList> rows;
    for (int r = 0; r < records.rowCount(); ++r) {
        if (!records.isRowEmpty(r))
            rows.append(records.rowTexts(r));
    }
    return rows;
}

// The order the row sort must give, as a plain exchange sort: for each key
// in turn, for each row i from the top, every later row j that holds the
// same texts as row i under every earlier key is compared with it, and the
// two are exchanged when the comparison says so.
inline QList<QStringList> ExchangeSorted(QList<QStringList> rows, const SortKeys &keys)
{
    for (int level = 0; level < keys.Count(); ++level) {
        const SortKey &key = keys.Keys.at(level);
        for (qsizetype i = 0; i < rows.size(); ++i) {
            for (qsizetype j = i + 1; j < rows.size(); ++j) {
                const QStringList &upper = rows.at(i), &lower = rows.at(j);
                const auto agree = [&](const SortKey &e) { return upper.at(e.Column) == lower.at(e.Column); };
                if (std::all_of(keys.Keys.cbegin(), keys.Keys.cbegin() + level, agree)
                    && KeyExchanges(key.Kind, upper.at(key.Column), lower.at(key.Column), key.Ascending))
                    rows.swapItemsAt(i, j);
            }
        }
    }
    return rows;
}

// Loads the input as the table's file and checks what holds for any file:
// the rows stand as ExchangeSorted leaves the file's lines by the keys, and
// saving and loading again gives the same complete rows in the same order.
// Qt's model tester watches the table's load and sort as a view would.
inline void LoadSaveReload(RecordModel &table, RecordModel &reloaded, const QByteArray &contents, const SortKeys &keys)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("table.csv"));
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(contents) == contents.size());
    file.close();
    QStringList headings;
    for (int c = 0; c < table.columnCount(); ++c)
        headings << table.headerData(c, Qt::Horizontal).toString();
    RecordModel lines(headings, {}); // no rules and no sort: in file order
    const QAbstractItemModelTester watch(&table, QAbstractItemModelTester::FailureReportingMode::Fatal);
    FUZZ_CHECK(lines.load(path) == RecordFileLoad::Loaded);
    FUZZ_CHECK(table.load(path) == RecordFileLoad::Loaded);
    FUZZ_CHECK(DataRows(table) == ExchangeSorted(DataRows(lines), keys));

    FUZZ_CHECK(table.save(path));
    FUZZ_CHECK(reloaded.load(path) == RecordFileLoad::Loaded);
    FUZZ_CHECK(CompleteRows(reloaded) == CompleteRows(table));
}
