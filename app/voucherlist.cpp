#include "voucherlist.h"

#include "grid/gridsort.h"
#include "common/validators.h"

namespace {

struct ColumnLimits
{
    int before;
    int after;
    bool comma;
};

// Digits before and after the comma that a cell may have, typed or read.
constexpr ColumnLimits Limits[VoucherList::ColumnCount] = {
    {3, 2, true},  // nominal value
    {5, 0, false}, // count
    {15, 2, true}, // value
};

// A count that is not a whole number counts as 0.
qint64 countOf(const QString &text)
{
    if (!IsAllDigits(text))
        return 0;
    bool ok = false;
    const qint64 count = text.toLongLong(&ok);
    return ok ? count : 0;
}

} // namespace

VoucherList::VoucherList()
    : RecordTable({QStringLiteral("Nominálna hodnota"), QStringLiteral("Počet kupónov"),
                   QStringLiteral("Hodnota kupónov")},
                  Columns({NominalColumn, CountColumn}))
{
    // Amounts grouped by thousands with a decimal comma, the count whole:
    // "12,5" shows as 12,50.
    grid().SetShownForm(
        [](int column, const QString &text) { return FormatAmountGrouped(text, column != CountColumn); });
}

bool VoucherList::ValidateCell(QStringView text, int column) const
{
    if (column < 0 || column >= ColumnCount)
        return text.isEmpty();
    const ColumnLimits &limits = Limits[column];
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    const qsizetype before = comma < 0 ? text.size() : comma;
    const qsizetype after = comma < 0 ? 0 : text.size() - comma - 1;
    if (before > limits.before || after > limits.after)
        return false;
    for (QChar c : text) {
        const bool allowed = Digits.contains(c) || (limits.comma && c == QLatin1Char(','));
        if (!allowed)
            return false;
    }
    return true;
}

bool VoucherList::KeyRejected(int column, const QString &text, QChar key) const
{
    switch (column) {
    case NominalColumn:
        return DecimalKeyRejected(text, Limits[column].before, Limits[column].after, key);
    case CountColumn:
        return ::KeyRejected(text, Limits[column].before, key, Digits);
    default:
        return true;
    }
}

QString VoucherList::EditRefusal(int column) const
{
    return column == ValueColumn ? QStringLiteral("Pole je vypĺňané automaticky.") : QString();
}

bool VoucherList::rowComplete(int row) const
{
    // A nominal value that was read from the file and marked stays the
    // user's to correct: its row is complete, and the marks refuse the print.
    return RequiredFilled(row) && (isMarked(NominalColumn, row) || nominalIsNumber(row));
}

bool VoucherList::nominalIsNumber(int row) const
{
    return Amount::fromTyped(grid().CellView(NominalColumn, row)).has_value();
}

std::optional<Amount> VoucherList::rowValue(int row) const
{
    const auto nominal = Amount::fromTyped(grid().CellView(NominalColumn, row));
    return nominal ? nominal->times(countOf(grid().Cell(CountColumn, row))) : std::nullopt;
}

VoucherList::Totals VoucherList::sum(const std::function<bool(int row)> &counted) const
{
    Totals totals;
    qint64 count = 0;
    Amount value;
    for (int r = 1; r < grid().RowCount(); ++r) {
        const auto v = counted(r) ? rowValue(r) : std::nullopt;
        if (!v)
            continue;
        count += countOf(grid().Cell(CountColumn, r));
        value = value.plus(*v).value_or(value);
    }
    totals.count = count == 0 ? QString() : QString::number(count);
    totals.value = value.isZero() ? QString() : value.toText();
    return totals;
}

VoucherList::Totals VoucherList::RecalcTotals()
{
    if (HasMarkedCells()) {
        Totals totals;
        totals.blanked = true;
        return totals;
    }
    const auto complete = [this](int r) { return RequiredFilled(r); };
    for (int r = 1; r < grid().RowCount(); ++r) {
        if (!complete(r))
            continue;
        // A nominal value that is no number has no value.
        const auto value = rowValue(r);
        grid().SetCell(ValueColumn, r, value ? value->toText() : QString());
    }
    return sum(complete);
}

VoucherList::Printable VoucherList::printable() const
{
    Printable result;
    for (int r = 1; r < grid().RowCount(); ++r) {
        if (!rowKept(r))
            continue;
        // Printed and exported in the amount's own spelling: ",5" as 0,50.
        result.rows.append({WrittenOutAmount(grid().CellView(NominalColumn, r)), grid().Cell(CountColumn, r),
                            grid().Cell(ValueColumn, r)});
        for (int c = 0; c < ColumnCount; ++c)
            result.marked = result.marked || isMarked(c, r);
    }
    result.totals = sum([this](int r) { return rowKept(r); });
    return result;
}

void VoucherList::SortRows()
{
    RemoveEmptyRows(grid());
    SortRowsByColumn(grid(), NominalColumn, SortKind::TypedAmount, true);
    appendEntryRowIfComplete();
}

bool VoucherList::rowKept(int row) const
{
    return rowComplete(row) && countOf(grid().Cell(CountColumn, row)) != 0;
}
