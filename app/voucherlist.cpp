#include "voucherlist.h"

#include "common/amount.h"
#include "common/gridsort.h"
#include "common/markedcells.h"
#include "common/recordfile.h"
#include "common/validators.h"

namespace {

struct ColumnLimits
{
    int before;
    int after;
    bool comma;
};

// Digits before and after the comma that a loaded cell may have.
constexpr ColumnLimits Limits[VoucherList::ColumnCount] = {
    {3, 2, true},  // nominal value
    {5, 0, false}, // count
    {15, 2, true}, // value
};

const ColumnSet RequiredColumns = Columns({VoucherList::NominalColumn, VoucherList::CountColumn});

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

VoucherList::VoucherList() : grid_(ColumnCount)
{
    SetGridHeader(grid_, {QStringLiteral("Nominálna hodnota"), QStringLiteral("Počet kupónov"),
                          QStringLiteral("Hodnota kupónov")});
}

bool VoucherList::isMarked(int column, int row) const
{
    return IsCellMarked(markedCells_, column, row);
}

bool VoucherList::ValidateCell(const QString &text, int column)
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

void VoucherList::CheckRow(int row)
{
    const bool complete = RowIsComplete(grid_, RequiredColumns, row);
    for (int c = 0; c < ColumnCount; ++c) {
        if (!complete || !ValidateCell(grid_.Cell(c, row), c))
            MarkCell(markedCells_, c, row);
    }
}

bool VoucherList::rowComplete(int row) const
{
    // A nominal value that was read from the file and marked stays the
    // user's to correct: its row is complete, and the marks refuse the print.
    return RowIsComplete(grid_, RequiredColumns, row)
           && (isMarked(NominalColumn, row) || Amount::fromText(grid_.Cell(NominalColumn, row)).has_value());
}

bool VoucherList::allRowsComplete() const
{
    for (int r = 1; r < grid_.RowCount(); ++r) {
        if (!rowComplete(r))
            return false;
    }
    return true;
}

void VoucherList::appendEntryRowIfComplete()
{
    if (allRowsComplete())
        AppendEmptyRow(grid_);
}

std::optional<Amount> VoucherList::rowValue(int row) const
{
    const auto nominal = Amount::fromText(grid_.Cell(NominalColumn, row));
    return nominal ? nominal->times(countOf(grid_.Cell(CountColumn, row))) : std::nullopt;
}

VoucherList::Totals VoucherList::sum(const std::function<bool(int row)> &counted) const
{
    Totals totals;
    qint64 count = 0;
    Amount value;
    for (int r = 1; r < grid_.RowCount(); ++r) {
        const auto v = counted(r) ? rowValue(r) : std::nullopt;
        if (!v)
            continue;
        count += countOf(grid_.Cell(CountColumn, r));
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
    const auto complete = [this](int r) { return RowIsComplete(grid_, RequiredColumns, r); };
    for (int r = 1; r < grid_.RowCount(); ++r) {
        if (!complete(r))
            continue;
        // A nominal value that is no number has no value.
        const auto value = rowValue(r);
        grid_.SetCell(ValueColumn, r, value ? value->toText() : QString());
    }
    return sum(complete);
}

VoucherList::Printable VoucherList::printable() const
{
    Printable result;
    for (int r = 1; r < grid_.RowCount(); ++r) {
        if (!kept(r))
            continue;
        result.rows.append({grid_.Cell(NominalColumn, r), grid_.Cell(CountColumn, r), grid_.Cell(ValueColumn, r)});
        for (int c = 0; c < ColumnCount; ++c)
            result.marked = result.marked || isMarked(c, r);
    }
    result.totals = sum([this](int r) { return kept(r); });
    return result;
}

void VoucherList::sortRows()
{
    RemoveEmptyRows(grid_, &markedCells_);
    SortRowsByColumn(grid_, NominalColumn, CompareNumeric, &markedCells_, true);
    appendEntryRowIfComplete();
}

bool VoucherList::HasIncompleteRows()
{
    RemoveEmptyRows(grid_, &markedCells_);
    const bool complete = allRowsComplete();
    if (complete)
        AppendEmptyRow(grid_);
    return !complete;
}

bool VoucherList::kept(int row) const
{
    return rowComplete(row) && countOf(grid_.Cell(CountColumn, row)) != 0;
}

void VoucherList::RemoveIncompleteRows()
{
    for (int r = 1; r < grid_.RowCount(); ++r) {
        if (!kept(r))
            ClearRow(grid_, r);
    }
    RemoveEmptyRows(grid_, &markedCells_);
    appendEntryRowIfComplete();
}

void VoucherList::deleteRow(int row)
{
    RemoveMarksOfRow(markedCells_, row);
    ClearRow(grid_, row);
    // The marks have moved already.
    RemoveEmptyRows(grid_);
    appendEntryRowIfComplete();
}

void VoucherList::clearAll()
{
    markedCells_.clear();
    grid_.SetCurrentCell(NominalColumn, 1);
    grid_.SetRowCount(2);
    ClearRow(grid_, 1);
}

RecordFileLoad VoucherList::load(const QString &path)
{
    markedCells_.clear();
    const RecordFileLoad result = LoadGridRows(path, grid_, [this](int row) { CheckRow(row); });
    sortRows();
    RecalcTotals();
    RemoveEmptyRows(grid_, &markedCells_);
    appendEntryRowIfComplete();
    return result;
}

bool VoucherList::save(const QString &path) const
{
    return SaveGridRows(path, grid_, [this](int row) { return RowIsComplete(grid_, RequiredColumns, row); });
}
