#pragma once

#include <QList>
#include <QString>

class GridModel;

// A comparison routine of the row sort: true when the row holding upper (the
// row above) and the row holding lower must be exchanged.  For descending it
// answers the mirror of ascending.
using CompareFn = bool (*)(QStringView upper, QStringView lower, bool ascending);

// The text's value when it is a plain decimal number ("12", "7,5", "7.5"),
// otherwise defaultNumber.
double CellNumber(QStringView text, double defaultNumber);

bool CompareNumeric(QStringView upper, QStringView lower, bool ascending);
// As CompareNumeric, with texts read as typed amounts: ",5" as 0,5, "1," as 1.
bool CompareTypedAmounts(QStringView upper, QStringView lower, bool ascending);
// By the user's locale, case-sensitive.
bool CompareStrings(QStringView upper, QStringView lower, bool ascending);

struct SortKey
{
    int Column = 0;
    bool Ascending = true;
    CompareFn Compare = CompareNumeric;
};

// The sort keys of a grid, the most significant first.
struct SortKeys
{
    QList<SortKey> Keys;
    int Count() const { return int(Keys.size()); }
};

bool ColumnInKeys(const SortKeys &keys, int column);

// Both sorts order the data rows exactly as an exchange sort does: for each
// row i from the top, every later row j is compared with it and the two are
// exchanged when the comparison says so.  Rows move with their marks.  Only
// one sort runs at a time in the program: a sort asked for while another
// runs does nothing.

// The grid's current row stays on its record.
void SortRowsByColumn(GridModel &grid, int column, CompareFn compare, bool ascending);

// The first key orders all rows; each further key reorders only rows that
// agree on every earlier key.  current is the row that becomes the grid's
// current row, after it has followed its record.
void SortRowsByKeys(GridModel &grid, const SortKeys &keys, int current);
