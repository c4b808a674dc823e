#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <bitset>
#include <initializer_list>

class GridModel;

// A set of column indexes 0 to 255; columns beyond the grid are ignored.
using ColumnSet = std::bitset<256>;
ColumnSet Columns(std::initializer_list<int> columns);

// The marked (inconsistent) cells of one grid row.
struct TBadRow
{
    qint32 Row = 0;
    ColumnSet Columns;
};

// The marked cells of a grid, at most one entry per row.
using TBadRows = QList<TBadRow>;

// The text preceded by fill characters up to width; a longer text keeps its
// last width characters.
QString PadLeft(const QString &text, QChar fill, int width);

void SetGridHeader(GridModel &grid, const QStringList &headings);
bool RowIsComplete(const GridModel &grid, const ColumnSet &required, int row);
bool RowIsEmpty(const GridModel &grid, int row);
bool AllRowsComplete(const GridModel &grid, const ColumnSet &required);
void ClearRow(GridModel &grid, int row);
void AppendEmptyRow(GridModel &grid);
void CopyRow(GridModel &grid, int sourceRow, int targetRow);

// Drops the empty data rows and closes the gaps.  The current row follows its
// record; given marks follow their rows, and marks of dropped rows go.
void RemoveEmptyRows(GridModel &grid, TBadRows *marks = nullptr);

// True when a data row other than exceptRow holds exactly text in column.
bool ValueInColumn(const GridModel &grid, int exceptRow, int column, const QString &text);
