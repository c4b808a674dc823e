// The input is a DB.csv after three bytes, each a click on a heading: its low
// seven bits modulo the column count are the column, its high bit holds Ctrl.
// Loading must give the rows in the order of a plain exchange sort by
// internal number, each click the order of one by the keys it leaves, and
// saving and loading again the same complete rows.

#include "fuzzsupport.h"

#include "database/establishmentmodel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzBytes input(data, size);
    const uint8_t clicks[] = {input.byte(), input.byte(), input.byte()};
    EstablishmentModel table;
    EstablishmentModel reloaded;
    LoadSaveReload(table, reloaded, input.rest(), {{{EstablishmentModel::InternalNumberColumn, true, SortKind::Number}}});
    for (const uint8_t click : clicks) {
        const QList<QStringList> before = DataRows(table);
        if (table.changeSortKeys((click & 0x7f) % EstablishmentModel::ColumnCount, click & 0x80))
            table.sortRows();
        FUZZ_CHECK(DataRows(table) == ExchangeSorted(before, table.sortKeys()));
    }
    return 0;
}
