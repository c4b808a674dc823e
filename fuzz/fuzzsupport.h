#pragma once

// Shared by the fuzz targets: a failed property aborts with a message, which
// libFuzzer reports as a crash and the replay as a failed test.

#include "grid/recordtable.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

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
inline QList<QStringList> CompleteRows(const RecordTable &table)
{
    QList<QStringList> rows;
    for (int r = 1; r < table.grid().RowCount(); ++r) {
        if (table.RequiredFilled(r))
            rows.append(table.grid().RowTexts(r));
    }
    return rows;
}

// Loads the input as the table's file and checks what holds for any file:
// saving and loading again gives the same complete rows in the same order.
inline void LoadSaveReload(RecordTable &table, RecordTable &reloaded, const QByteArray &contents)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("table.csv"));
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(contents) == contents.size());
    file.close();
    FUZZ_CHECK(table.load(path) == RecordFileLoad::Loaded);

    FUZZ_CHECK(table.save(path));
    FUZZ_CHECK(reloaded.load(path) == RecordFileLoad::Loaded);
    FUZZ_CHECK(CompleteRows(reloaded) == CompleteRows(table));
}
