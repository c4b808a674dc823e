#pragma once

#include "gridrows.h"

// Operations on a window's list of marked cells.  Marks belong to records:
// callers move them along whenever rows move.

bool IsCellMarked(const TBadRows &marks, int column, int row);

// Marks cells in the order they are checked; cells of one row marked one
// after the other share one entry.
void MarkCell(TBadRows &marks, int column, int row);

// Unmarks the cell; an entry left without columns goes.
void UnmarkCell(TBadRows &marks, int column, int row);

// Removes the first entry of the row.
void RemoveMarkEntry(TBadRows &marks, int row);

// A grid row is being deleted: its entries go and later rows move up by one.
void RemoveMarksOfRow(TBadRows &marks, int row);
