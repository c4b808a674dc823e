#pragma once

#include <QString>
#include <QStringList>

#include <bitset>
#include <initializer_list>

class GridModel;

// A set of column indexes 0 to 255; columns beyond the grid are ignored.
using ColumnSet = std::bitset<256>;
ColumnSet Columns(std::initializer_list<int> columns);

void SetGridHeader(GridModel &grid, const QStringList &headings);
void AppendEmptyRow(GridModel &grid);

// Drops the empty data rows, marks and all, and closes the gaps.  The current
// row follows its record.
void RemoveEmptyRows(GridModel &grid);

// True when a data row other than exceptRow holds exactly text in column.
bool ValueInColumn(const GridModel &grid, int exceptRow, int column, const QString &text);
