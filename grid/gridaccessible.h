#pragma once

class QModelIndex;
class QTableView;

// What assistive technology (a screen reader, through AT-SPI on Linux and UI
// Automation on Windows) sees of the program's grids (RecordView): a table
// named as its widget, whose children are the data cells, row by row, child
// row * columns + column being the cell (row, column); each cell reads as the
// grid shows it (Qt::AccessibleTextRole, else the text) and names its column's
// heading as its header.  It works on any QTableView from the view and its
// model's data.
//
// It replaces Qt's own accessible table for the grids.  Qt 6.4's numbers its
// children with the headers counted, while Qt's AT-SPI bridge takes child n
// for the cell (n / columns, n % columns) and uses the cell it asks for
// without checking it: a screen reader asking for one of the last children
// read the wrong cell, and past the last row ended the program.  So here a
// cell asked for beyond the grid's ends is the nearest cell, never none.

// Installs the factory of the grids' accessible tables, once for the program.
void InstallGridAccessibility();

// Tells assistive technology that current became the view's current cell,
// by the cell's child number in the view's accessible table.
void NotifyCurrentCell(QTableView *view, const QModelIndex &current);
