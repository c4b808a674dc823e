// The input is a DB.csv.  Loading it must keep every record with the marks
// its cells earn, in the order of the exchange sort by internal number;
// saving and loading again must give the complete records back; and sorting
// by heading clicks must give the exchange sort's order, with the current
// record and the marks following their rows.

#include "fuzzsupport.h"
#include "recordreference.h"

#include "common/recordfile.h"
#include "database/establishments.h"

#include <QTemporaryDir>

#include <algorithm>

namespace {

using Table = EstablishmentTable;

bool complete(const QStringList &cells)
{
    for (int c = 0; c < Table::ColumnCount; ++c) {
        if (Table::RequiredColumns().test(size_t(c)) && cells.at(c).isEmpty())
            return false;
    }
    return true;
}

struct Click
{
    int column;
    bool ctrl;
};

// Heading clicks tried on every loaded table: a code sort (compared as
// text), two text keys with the second turned descending, and a numeric
// key turned descending with further keys added.
const QList<QList<Click>> ClickSequences = {
    {{Table::CodeColumn, false}},
    {{Table::CityColumn, false}, {Table::NameColumn, true}, {Table::NameColumn, true}},
    {{Table::IcoColumn, false}, {Table::IcoColumn, false}, {Table::InternalNumberColumn, true}, {Table::EmailColumn, true}},
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    FUZZ_CHECK(dir.isValid());
    const QByteArray contents(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = dir.filePath(Table::fileName());
    WriteBytes(path, contents);

    const QList<QStringList> lines = CheckedRecords(contents, Table::ColumnCount);

    Table table;
    FUZZ_CHECK(table.load(path) == RecordFileLoad::Loaded);
    const QList<RefRecord> expected = ExpectedRecords(lines, Table::ColumnCount, complete, Table::ValidateCell);
    QList<RefRecord> rows = GridRecords(table.grid(), table.markedCells());
    CheckEntryRow(rows, [&](const RefRecord &record) { return complete(record.cells); });
    CheckSorted(WithoutEntryRow(rows), expected, table.sortKeys().Keys, -1, -1);

    // Saved and read back: the complete records, in the same order and with
    // the same marks.
    QList<RefRecord> written;
    for (const RefRecord &record : WithoutEntryRow(rows)) {
        if (complete(record.cells))
            written.append(record);
    }
    QList<QStringList> writtenCells;
    for (const RefRecord &record : written)
        writtenCells.append(record.cells);
    const QString savedPath = dir.filePath(QStringLiteral("saved.csv"));
    FUZZ_CHECK(table.save(savedPath));
    FUZZ_CHECK(ReadBytes(savedPath) == SavedBytes(writtenCells));
    Table reread;
    FUZZ_CHECK(reread.load(savedPath) == RecordFileLoad::Loaded);
    FUZZ_CHECK(WithoutEntryRow(GridRecords(reread.grid(), reread.markedCells())) == written);

    // Sorting by heading clicks, with some record current.  An input of odd
    // length holds Ctrl on every click, so that the keys pile up.
    const bool ctrl = size % 2 == 1;
    for (const QList<Click> &clicks : ClickSequences) {
        const QList<RefRecord> before = WithoutEntryRow(GridRecords(table.grid(), table.markedCells()));
        const int currentBefore = before.isEmpty() ? 1 : 1 + int(size % size_t(before.size()));
        table.grid().SetCurrentCell(0, currentBefore);
        FUZZ_CHECK(table.grid().CurrentRow() == currentBefore);
        for (const Click &click : clicks)
            table.ChangeSortKeys(click.column, click.ctrl || ctrl);
        table.SortDatabase();
        rows = GridRecords(table.grid(), table.markedCells());
        CheckEntryRow(rows, [&](const RefRecord &record) { return complete(record.cells); });
        CheckSorted(WithoutEntryRow(rows), before, table.sortKeys().Keys, before.isEmpty() ? -1 : currentBefore - 1,
                    table.grid().CurrentRow() - 1);
    }
    return 0;
}
