// The input is a supiska.csv.  Loading it must give the rows in the order of
// a plain exchange sort by nominal value, totals that are the sum of the
// valued rows, and the same complete rows after saving and loading again.

#include "fuzzsupport.h"

#include "app/voucherlist.h"
#include "common/amount.h"
#include "grid/gridsort.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    VoucherList list;
    VoucherList reloaded;
    LoadSaveReload(list, reloaded, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)),
                   {{{VoucherList::NominalColumn, true, SortKind::TypedAmount}}});
    const GridModel &grid = list.grid();

    const VoucherList::Totals totals = list.RecalcTotals();
    FUZZ_CHECK(totals.blanked == list.HasMarkedCells());
    if (totals.blanked)
        return 0;
    qint64 count = 0;
    Amount value;
    for (int r = 1; r < grid.RowCount(); ++r) {
        const auto rowValue = Amount::fromText(grid.Cell(VoucherList::ValueColumn, r));
        if (!rowValue)
            continue;
        count += grid.Cell(VoucherList::CountColumn, r).toLongLong();
        value = *value.plus(*rowValue);
    }
    FUZZ_CHECK(totals.count == (count == 0 ? QString() : QString::number(count)));
    FUZZ_CHECK(totals.value == (value.isZero() ? QString() : value.toText()));
    return 0;
}
