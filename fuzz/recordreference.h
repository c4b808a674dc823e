#pragma once

// What the two data-file targets expect of a loaded table, worked out in the
// plainest way: the file split byte by byte, and rows ordered by a literal
// exchange sort.  The program reaches the same results by other routes
// (decoding before splitting, a rank-based sort); the targets compare them.

#include "fuzzsupport.h"

#include "common/cp1250.h"
#include "common/gridmodel.h"
#include "common/gridrows.h"
#include "common/gridsort.h"
#include "common/recordfile.h"

#include <QFile>
#include <QList>
#include <QStringList>

#include <algorithm>
#include <map>
#include <numeric>
#include <utility>
#include <vector>

// One record of a data file: its cells (always fieldCount of them) and the
// columns found inconsistent.
struct RefRecord
{
    QStringList cells;
    ColumnSet marked;
};

inline bool operator==(const RefRecord &a, const RefRecord &b)
{
    return a.cells == b.cells && a.marked == b.marked;
}

inline bool operator<(const RefRecord &a, const RefRecord &b)
{
    if (a.cells != b.cells)
        return a.cells < b.cells;
    return a.marked.to_string() < b.marked.to_string();
}

// The lines of a data file, each split into fieldCount fields, working on the
// bytes: a line ends at CR (an LF right after it is skipped), Ctrl-Z ends the
// file, fields end at ";", and spaces and control bytes around a field go.
inline QList<QStringList> ReferenceRecords(const QByteArray &contents, int fieldCount)
{
    const auto trimmed = [](QByteArray field) {
        qsizetype begin = 0;
        qsizetype end = field.size();
        while (begin < end && static_cast<unsigned char>(field.at(begin)) <= 32)
            ++begin;
        while (end > begin && static_cast<unsigned char>(field.at(end - 1)) <= 32)
            --end;
        return Cp1250::decode(field.mid(begin, end - begin));
    };

    QList<QStringList> records;
    QStringList fields;
    QByteArray field;
    bool lineOpen = false;
    bool afterCr = false;
    const auto endField = [&] {
        if (fields.size() < fieldCount)
            fields.append(trimmed(field));
        field.clear();
    };
    const auto endLine = [&] {
        if (!field.isEmpty())
            endField();
        while (fields.size() < fieldCount)
            fields.append(QString());
        records.append(fields);
        fields.clear();
        lineOpen = false;
    };
    for (const char byte : contents) {
        if (byte == 26)
            break;
        if (afterCr && byte == '\n') {
            afterCr = false;
            continue;
        }
        afterCr = false;
        if (byte == '\r') {
            endLine();
            afterCr = true;
            continue;
        }
        lineOpen = true;
        if (byte == ';')
            endField();
        else
            field += byte;
    }
    if (lineOpen)
        endLine();
    return records;
}

// The program's reader (which decodes before it splits) must agree with the
// byte-wise split above, line by line and field by field.  Gives the lines.
inline QList<QStringList> CheckedRecords(const QByteArray &contents, int fieldCount)
{
    const QList<QStringList> lines = ReferenceRecords(contents, fieldCount);
    const QStringList readLines = SplitRecordLines(contents);
    FUZZ_CHECK(readLines.size() == lines.size());
    for (qsizetype k = 0; k < lines.size(); ++k) {
        QStringList fields = SplitRecordFields(readLines.at(k), fieldCount);
        FUZZ_CHECK(fields.size() <= fieldCount);
        while (fields.size() < fieldCount)
            fields.append(QString());
        FUZZ_CHECK_DETAIL(fields == lines.at(k), QStringLiteral("line %1").arg(k + 1));
    }
    return lines;
}

inline void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes) == bytes.size());
}

inline QByteArray ReadBytes(const QString &path)
{
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// The bytes a table is saved as: the given rows, every field followed by ";"
// and every line by CR LF.
inline QByteArray SavedBytes(const QList<QStringList> &rows)
{
    QByteArray bytes;
    for (const QStringList &row : rows) {
        for (const QString &cell : row)
            bytes += Cp1250::encode(cell) + ';';
        bytes += "\r\n";
    }
    return bytes;
}

// The exchange sort itself: for each position i from the top, every later
// position j is compared with it and the two exchanged when the key says so;
// a further key compares only records that agree on every earlier key.  The
// record at current is followed.  Answers the record index at each position.
inline std::vector<int> ExchangeSorted(const QList<RefRecord> &records, const QList<SortKey> &keys, int &current)
{
    std::vector<int> order(size_t(records.size()));
    std::iota(order.begin(), order.end(), 0);
    for (qsizetype level = 0; level < keys.size(); ++level) {
        const SortKey &key = keys.at(level);
        for (size_t i = 0; i < order.size(); ++i) {
            for (size_t j = i + 1; j < order.size(); ++j) {
                const QStringList &upper = records.at(order[i]).cells;
                const QStringList &lower = records.at(order[j]).cells;
                bool sameGroup = true;
                for (qsizetype k = 0; k < level && sameGroup; ++k)
                    sameGroup = upper.at(keys.at(k).Column) == lower.at(keys.at(k).Column);
                if (!sameGroup || !key.Compare(upper.at(key.Column), lower.at(key.Column), key.Ascending))
                    continue;
                std::swap(order[i], order[j]);
                if (current == int(i))
                    current = int(j);
                else if (current == int(j))
                    current = int(i);
            }
        }
    }
    return order;
}

// The data rows of a grid with their marks, and the checks that every table
// passes after loading and sorting: at least one data row, no empty row but a
// last one, and marks only on cells of the data rows.
inline QList<RefRecord> GridRecords(const GridModel &grid, const TBadRows &marks)
{
    std::map<int, ColumnSet> byRow;
    for (const TBadRow &entry : marks) {
        FUZZ_CHECK(entry.Row >= 1 && entry.Row < grid.RowCount());
        FUZZ_CHECK(entry.Columns.any());
        FUZZ_CHECK_DETAIL(byRow.count(entry.Row) == 0, QStringLiteral("two entries for row %1").arg(entry.Row));
        for (size_t c = size_t(grid.ColCount()); c < entry.Columns.size(); ++c)
            FUZZ_CHECK(!entry.Columns.test(c));
        byRow[entry.Row] = entry.Columns;
    }
    FUZZ_CHECK(grid.RowCount() >= 2);
    QList<RefRecord> records;
    for (int r = 1; r < grid.RowCount(); ++r) {
        const bool last = r == grid.RowCount() - 1;
        FUZZ_CHECK_DETAIL(last || !RowIsEmpty(grid, r), QStringLiteral("empty row %1").arg(r));
        records.append({grid.RowTexts(r), byRow.count(r) ? byRow[r] : ColumnSet()});
    }
    return records;
}

// What loading should leave of the lines, before sorting: the non-empty ones,
// each cell marked when its row is incomplete or the cell breaks its rule.
template<typename CompleteFn, typename ValidFn>
QList<RefRecord> ExpectedRecords(const QList<QStringList> &lines, int columnCount, CompleteFn complete,
                                 ValidFn valid)
{
    QList<RefRecord> records;
    for (const QStringList &cells : lines) {
        if (std::all_of(cells.cbegin(), cells.cend(), [](const QString &c) { return c.isEmpty(); }))
            continue;
        RefRecord record{cells, {}};
        for (int c = 0; c < columnCount; ++c) {
            if (!complete(cells) || !valid(cells.at(c), c))
                record.marked.set(size_t(c));
        }
        records.append(record);
    }
    return records;
}

// The shape rule: the last data row is empty exactly when every other row is
// complete; an empty last row carries no mark.
template<typename CompleteFn>
void CheckEntryRow(const QList<RefRecord> &rows, CompleteFn complete)
{
    const RefRecord &last = rows.last();
    const bool lastEmpty = std::all_of(last.cells.cbegin(), last.cells.cend(), [](const QString &c) { return c.isEmpty(); });
    bool othersComplete = true;
    for (qsizetype k = 0; k + 1 < rows.size(); ++k)
        othersComplete = othersComplete && complete(rows.at(k));
    if (lastEmpty) {
        FUZZ_CHECK(othersComplete);
        FUZZ_CHECK(last.marked.none());
    } else {
        FUZZ_CHECK(!othersComplete || !complete(last));
    }
}

// Drops an empty trailing row.
inline QList<RefRecord> WithoutEntryRow(QList<RefRecord> rows)
{
    if (!rows.isEmpty()
        && std::all_of(rows.last().cells.cbegin(), rows.last().cells.cend(), [](const QString &c) { return c.isEmpty(); }))
        rows.removeLast();
    return rows;
}

// Sorting compares every pair: the literal sort is run only on tables of up
// to this many rows.  Larger ones are checked for order and contents.
constexpr qsizetype LiteralSortLimit = 96;

// The rows stand in key order: no two neighbours that a key would exchange.
inline void CheckOrdered(const QList<RefRecord> &rows, const QList<SortKey> &keys)
{
    for (qsizetype r = 0; r + 1 < rows.size(); ++r) {
        const QStringList &upper = rows.at(r).cells;
        const QStringList &lower = rows.at(r + 1).cells;
        for (const SortKey &key : keys) {
            const QString &u = upper.at(key.Column);
            const QString &l = lower.at(key.Column);
            FUZZ_CHECK_DETAIL(!key.Compare(u, l, key.Ascending),
                              QStringLiteral("rows %1 and %2 out of order: \"%3\", \"%4\"").arg(r + 1).arg(r + 2).arg(u, l));
            if (u != l)
                break;
        }
    }
}

// The rows after a sort are the expected ones: exactly the literal sort's
// order for small tables, the same rows in key order for larger ones.
inline void CheckSorted(const QList<RefRecord> &actual, const QList<RefRecord> &before, const QList<SortKey> &keys,
                        int currentBefore, int currentAfter)
{
    FUZZ_CHECK(actual.size() == before.size());
    if (before.size() <= LiteralSortLimit) {
        int current = currentBefore;
        const std::vector<int> order = ExchangeSorted(before, keys, current);
        for (size_t k = 0; k < order.size(); ++k) {
            FUZZ_CHECK_DETAIL(actual.at(qsizetype(k)) == before.at(order[k]),
                              QStringLiteral("position %1 holds \"%2\", expected \"%3\"")
                                  .arg(k + 1)
                                  .arg(actual.at(qsizetype(k)).cells.join(u';'), before.at(order[k]).cells.join(u';')));
        }
        if (currentBefore >= 0)
            FUZZ_CHECK_DETAIL(currentAfter == current, QStringLiteral("current row %1, expected %2").arg(currentAfter).arg(current));
    } else {
        CheckOrdered(actual, keys);
        QList<RefRecord> a = actual;
        QList<RefRecord> b = before;
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        FUZZ_CHECK(a == b);
    }
}
