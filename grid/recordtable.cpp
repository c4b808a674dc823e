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
    // One pass over the row: a table checks every row after a load.
    QList<QStringView> cells;
    grid_.RowCells(row, cells);
    for (int c = 0; c < cells.size(); ++c) {
        if (required_.test(size_t(c)) && cells.at(c).isEmpty())
            return false;
    }
    return true;
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

void RecordTable::CheckRow(int row, QList<QStringView> &cells)
{
    grid_.RowCells(row, cells);
    bool complete = true;
    for (int c = 0; c < cells.size(); ++c)
        complete = complete && !(required_.test(size_t(c)) && cells.at(c).isEmpty());
    // Every cell of an incomplete row is marked.
    quint32 marks = complete ? 0 : ~quint32(0);
    for (int c = 0; complete && c < cells.size(); ++c) {
        if (!ValidateCell(cells.at(c), c))
            marks |= quint32(1) << c;
    }
    grid_.MarkCells(row, marks);
}

void RecordTable::CellEdited(int column, int row)
{
    if (grid_.IsMarked(column, row) && ValidateCell(grid_.CellView(column, row), column))
        grid_.UnmarkCell(column, row);
}

void RecordTable::MarkBrokenCells()
{
    QList<QStringView> cells;
    for (int r = 1; r < grid_.RowCount(); ++r) {
        if (!grid_.RowIsEmpty(r))
            CheckRow(r, cells);
    }
}

bool RecordTable::compactAndFindIncompleteRows()
{
    RemoveEmptyRows(grid_);
    const bool complete = allRowsComplete();
    if (complete)
        AppendEmptyRow(grid_);
    return !complete;
}

bool RecordTable::RemoveIncompleteRows()
{
    bool removed = false;
    for (int r = 1; r < grid_.RowCount(); ++r) {
        if (!rowKept(r)) {
            removed = removed || !grid_.RowIsEmpty(r);
            grid_.ClearRow(r);
        }
    }
    RemoveEmptyRows(grid_);
    appendEntryRowIfComplete();
    return removed;
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
    QList<QStringView> cells;
    const RecordFileLoad result = LoadGridRows(path, grid_, [this, &cells](int row) { CheckRow(row, cells); });
    SortRows();
    return result;
}

bool RecordTable::save(const QString &path) const
{
    return SaveGridRows(path, grid_, [this](int row) { return RequiredFilled(row); });
}
