#include "markedcells.h"

#include <algorithm>

bool IsCellMarked(const TBadRows &marks, int column, int row)
{
    if (column < 0 || size_t(column) >= ColumnSet().size())
        return false;
    return std::any_of(marks.cbegin(), marks.cend(), [&](const TBadRow &entry) {
        return entry.Row == row && entry.Columns.test(size_t(column));
    });
}

void MarkCell(TBadRows &marks, int column, int row)
{
    if (column < 0 || size_t(column) >= ColumnSet().size())
        return;
    if (marks.isEmpty() || marks.last().Row != row)
        marks.append(TBadRow{row, {}});
    marks.last().Columns.set(size_t(column));
}

void UnmarkCell(TBadRows &marks, int column, int row)
{
    if (column < 0 || size_t(column) >= ColumnSet().size())
        return;
    for (qsizetype k = 0; k < marks.size();) {
        TBadRow &entry = marks[k];
        if (entry.Row == row) {
            entry.Columns.reset(size_t(column));
            if (entry.Columns.none()) {
                marks.removeAt(k);
                continue;
            }
        }
        ++k;
    }
}

void RemoveMarkEntry(TBadRows &marks, int row)
{
    const auto it = std::find_if(marks.begin(), marks.end(), [row](const TBadRow &e) { return e.Row == row; });
    if (it != marks.end())
        marks.erase(it);
}

void RemoveMarksOfRow(TBadRows &marks, int row)
{
    // The entry at the walk's own position goes: after a sort the list is not
    // in row order, and an entry moved up may already carry the row's number.
    for (qsizetype k = 0; k < marks.size();) {
        if (marks.at(k).Row == row) {
            marks.removeAt(k);
            continue;
        }
        if (marks.at(k).Row > row)
            --marks[k].Row;
        ++k;
    }
}
