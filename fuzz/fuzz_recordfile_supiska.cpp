// The input is a supiska.csv.  Loading it must give the rows in the order of
// a plain exchange sort by nominal value, totals that are the sum of the
// valued rows, and the same complete rows after saving and loading again.

#include "fuzzsupport.h"

#include "app/vouchermodel.h"
#include "common/amount.h"
#include "grid/gridsort.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    VoucherModel list;
    VoucherModel reloaded;
    LoadSaveReload(list, reloaded, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)),
                   {{{VoucherModel::NominalColumn, true, SortKind::TypedAmount}}});

    const VoucherModel::Totals totals = list.recalcTotals();
    FUZZ_CHECK(totals.blanked == list.hasMarkedCells());
    if (totals.blanked)
        return 0;
    qint64 count = 0;
    Amount value;
    for (int r = 0; r < list.rowCount(); ++r) {
        const auto rowValue = Amount::fromText(list.text(r, VoucherModel::ValueColumn));
        if (!rowValue)
            continue;
        count += list.text(r, VoucherModel::CountColumn).toLongLong();
        value = *value.plus(*rowValue);
    }
    FUZZ_CHECK(totals.count == (count == 0 ? QString() : QString::number(count)));
    FUZZ_CHECK(totals.value == (value.isZero() ? QString() : value.toText()));
    return 0;
}
