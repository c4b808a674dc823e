// The input is a DB.csv; its first byte chooses a heading to sort by.
// Loading it must give the same complete rows after saving and loading
// again, and every sort must leave the rows in order of its key.

#include "fuzzsupport.h"

#include "database/establishments.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzBytes input(data, size);
    const int column = input.byte() % EstablishmentTable::ColumnCount;
    EstablishmentTable table;
    EstablishmentTable reloaded;
    LoadSaveReload(table, reloaded, input.rest());

    // Clicked twice: descending.
    for (int click = 0; click < 2; ++click) {
        FUZZ_CHECK(table.ChangeSortKeys(column, false));
        table.SortRows();
        const SortKey &key = table.sortKeys().Keys.first();
        const GridModel &grid = table.grid();
        for (int r = 2; r < grid.RowCount(); ++r) {
            if (table.RequiredFilled(r))
                FUZZ_CHECK(!KeyExchanges(key.Kind, grid.Cell(column, r - 1), grid.Cell(column, r), key.Ascending));
        }
    }
    return 0;
}
