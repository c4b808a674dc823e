#include "recordtable.h"

RecordTable::RecordTable(const QStringList &headings, const ColumnSet &required)
    : grid_(int(headings.size())), required_(required)
{
    SetGridHeader(grid_, headings);
}

QString RecordTable::EditRefusal(int) const
{
    return {};
}

QString RecordTable::ConfirmEntry(int, int)
{
    return {};
}

bool RecordTable::RequiredFilled(int row) const
{
    return RowIsComplete(grid_, required_, row);
}

bool RecordTable::allRowsComplete() const
{
    for (int r = 1; r < grid_.RowCount(); ++r) {
        if (!rowComplete(r))
            return false;
    }
    return true;
}

void RecordTable::appendEntryRowIfComplete()
{
    if (allRowsComplete())
        AppendEmptyRow(grid_);
}

void RecordTable::CheckRow(int row)
{
    const bool complete = RequiredFilled(row);
    for (int c = 0; c < grid_.ColCount(); ++c) {
        if (!complete || !ValidateCell(grid_.Cell(c, row), c))
            grid_.MarkCell(c, row);
    }
}

void RecordTable::CellEdited(int column, int row)
{
    if (grid_.IsMarked(column, row) && ValidateCell(grid_.Cell(column, row), column))
        grid_.UnmarkCell(column, row);
}

void RecordTable::MarkBrokenCells()
{
    for (int r = 1; r < grid_.RowCount(); ++r) {
        if (!RowIsEmpty(grid_, r))
            CheckRow(r);
    }
}

bool RecordTable::HasIncompleteRows()
{
    RemoveEmptyRows(grid_);
    const bool complete = allRowsComplete();
    if (complete)
        AppendEmptyRow(grid_);
    return !complete;
}

void RecordTable::RemoveIncompleteRows()
{
    for (int r = 1; r < grid_.RowCount(); ++r) {
        if (!rowKept(r))
            grid_.ClearRow(r);
    }
    RemoveEmptyRows(grid_);
    appendEntryRowIfComplete();
}

void RecordTable::deleteRow(int row)
{
    if (row < 1 || row >= grid_.RowCount())
        return;
    grid_.ClearRow(row);
    RemoveEmptyRows(grid_);
    appendEntryRowIfComplete();
}

void RecordTable::clearAll()
{
    grid_.SetCurrentCell(0, 1);
    grid_.SetRowCount(2);
    grid_.ClearRow(1);
}

RecordFileLoad RecordTable::load(const QString &path)
{
    const RecordFileLoad result = LoadGridRows(path, grid_, [this](int row) { CheckRow(row); });
    SortRows();
    return result;
}

bool RecordTable::save(const QString &path) const
{
    return SaveGridRows(path, grid_, [this](int row) { return RequiredFilled(row); });
}
