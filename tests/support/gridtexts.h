#pragma once

#include "grid/gridmodel.h"

#include <QStringList>

// The texts of one column's data rows, from the top.
inline QStringList ColumnTexts(const GridModel &grid, int column)
{
    QStringList texts;
    for (int r = 1; r < grid.RowCount(); ++r)
        texts << grid.Cell(column, r);
    return texts;
}

// The marked cells of a grid as "column,row", row by row.
inline QStringList MarkedCellNames(const GridModel &grid)
{
    QStringList found;
    for (int r = 1; r < grid.RowCount(); ++r)
        for (int c = 0; c < grid.ColCount(); ++c)
            if (grid.IsMarked(c, r))
                found << QStringLiteral("%1,%2").arg(c).arg(r);
    return found;
}
