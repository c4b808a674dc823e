#include "gridrows.h"

#include "grid/gridmodel.h"

#include <vector>

ColumnSet Columns(std::initializer_list<int> columns)
{
    ColumnSet set;
    for (int c : columns)
        set.set(size_t(c));
    return set;
}

void SetGridHeader(GridModel &grid, const QStringList &headings)
{
    for (int c = 0; c < grid.ColCount() && c < headings.size(); ++c)
        grid.SetCell(c, 0, headings.at(c));
}

void AppendEmptyRow(GridModel &grid)
{
    // The row may still hold texts from before the row count last went down.
    grid.ClearRow(grid.RowCount());
    grid.SetRowCount(grid.RowCount() + 1);
}

void RemoveEmptyRows(GridModel &grid)
{
    std::vector<int> dropped;
    std::vector<int> newRowOf(size_t(grid.RowCount()), 0);
    int written = 1;
    for (int r = 1; r < grid.RowCount(); ++r) {
        if (grid.RowIsEmpty(r))
            dropped.push_back(r);
        else
            newRowOf[size_t(r)] = written++;
    }
    if (dropped.empty())
        return;

    int current = grid.CurrentRow();
    if (current < grid.RowCount() && newRowOf[size_t(current)] > 0)
        current = newRowOf[size_t(current)];
    grid.DropRows(dropped);
    grid.SetCurrentCell(grid.CurrentCol(), current);
}

bool ValueInColumn(const GridModel &grid, int exceptRow, int column, const QString &text)
{
    for (int r = 1; r < grid.RowCount(); ++r) {
        if (r != exceptRow && grid.Cell(column, r) == text)
            return true;
    }
    return false;
}
