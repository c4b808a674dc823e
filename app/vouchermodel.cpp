#include "vouchermodel.h"

#include "grid/gridsort.h"
#include "common/validators.h"
#include "common/windowstyle.h"

namespace {

struct ColumnLimits
{
    int before;
    int after;
    bool comma;
};

// Digits before and after the comma that a cell may have, typed or read.
constexpr ColumnLimits Limits[VoucherModel::ColumnCount] = {
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

VoucherModel::VoucherModel(QObject *parent)
    : RecordModel({QStringLiteral("Nominálna hodnota"), QStringLiteral("Počet kupónov"),
                   QStringLiteral("Hodnota kupónov")},
                  Columns({NominalColumn, CountColumn}), parent)
{
}

QString VoucherModel::shownForm(int column, const QString &text) const
{
    // Amounts grouped by thousands with a decimal comma, the count whole:
    // "12,5" shows as 12,50.
    return FormatAmountGrouped(text, column != CountColumn);
}

QVariant VoucherModel::data(const QModelIndex &index, int role) const
{
    // A filled row whose nominal value is no number (a lone comma) cannot be
    // valued and counts as incomplete: its nominal value shows in the marks'
    // colours, so that the question about incomplete rows points at it.
    // It is no mark: it blocks nothing that marks block.
    if ((role == Qt::BackgroundRole || role == Qt::ForegroundRole) && index.column() == NominalColumn
        && checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)
        && requiredFilled(index.row()) && !nominalIsNumber(index.row()))
        return role == Qt::BackgroundRole ? QVariant(MarkBrush()) : QVariant(MarkText());
    return RecordModel::data(index, role);
}

bool VoucherModel::cellValid(QStringView text, int column) const
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

bool VoucherModel::keyRejected(int column, const QString &text, QChar key) const
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

QString VoucherModel::editRefusal(int column) const
{
    return column == ValueColumn ? QStringLiteral("Pole je vypĺňané automaticky.") : QString();
}

bool VoucherModel::rowComplete(int row) const
{
    // A nominal value that was read from the file and marked stays the
    // user's to correct: its row is complete, and the marks refuse the print.
    return requiredFilled(row) && (isMarked(row, NominalColumn) || nominalIsNumber(row));
}

bool VoucherModel::nominalIsNumber(int row) const
{
    return Amount::fromTyped(textView(row, NominalColumn)).has_value();
}

std::optional<Amount> VoucherModel::rowValue(int row) const
{
    const auto nominal = Amount::fromTyped(textView(row, NominalColumn));
    return nominal ? nominal->times(countOf(text(row, CountColumn))) : std::nullopt;
}

VoucherModel::Totals VoucherModel::sum(const std::function<bool(int row)> &counted) const
{
    Totals totals;
    qint64 count = 0;
    Amount value;
    for (int r = 0; r < rowCount(); ++r) {
        const auto v = counted(r) ? rowValue(r) : std::nullopt;
        if (!v)
            continue;
        count += countOf(text(r, CountColumn));
        value = value.plus(*v).value_or(value);
    }
    totals.count = count == 0 ? QString() : QString::number(count);
    totals.value = value.isZero() ? QString() : value.toText();
    return totals;
}

VoucherModel::Totals VoucherModel::recalcTotals()
{
    if (hasMarkedCells()) {
        Totals totals;
        totals.blanked = true;
        return totals;
    }
    const auto complete = [this](int r) { return requiredFilled(r); };
    for (int r = 0; r < rowCount(); ++r) {
        if (!complete(r))
            continue;
        // A nominal value that is no number has no value.
        const auto value = rowValue(r);
        setText(r, ValueColumn, value ? value->toText() : QString());
    }
    return sum(complete);
}

VoucherModel::Printable VoucherModel::printable() const
{
    Printable result;
    for (int r = 0; r < rowCount(); ++r) {
        if (!rowKept(r))
            continue;
        // Printed and exported in the amount's own spelling: ",5" as 0,50.
        result.rows.append({WrittenOutAmount(textView(r, NominalColumn)), text(r, CountColumn),
                            text(r, ValueColumn)});
        for (int c = 0; c < ColumnCount; ++c)
            result.marked = result.marked || isMarked(r, c);
    }
    result.totals = sum([this](int r) { return rowKept(r); });
    return result;
}

void VoucherModel::sortRows()
{
    removeEmptyRows();
    SortKeys keys;
    keys.Keys.append({NominalColumn, true, SortKind::TypedAmount});
    SortRecords(*this, keys);
    appendEntryRowIfComplete();
}

bool VoucherModel::rowKept(int row) const
{
    return rowComplete(row) && countOf(text(row, CountColumn)) != 0;
}
