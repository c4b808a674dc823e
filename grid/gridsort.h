#pragma once

#include <QList>
#include <QString>

class RecordModel;

// The text's value when it is a plain decimal number ("12", "7,5", "7.5"),
// otherwise defaultNumber.
double CellNumber(QStringView text, double defaultNumber);

// How a sort key compares the texts of its column.
enum class SortKind {
    Number,      // by CellNumber(text, 0): a text that is no plain number counts as 0
    TypedAmount, // as Number, with a comma first or last as typed: ",5" is 0,5, "1," is 1
    Text,        // by the user's locale, case-sensitive
};

// The exchange sort's question: true when the row holding upper (the row
// above) and the row holding lower must be exchanged.  For descending it
// answers the mirror of ascending; equal keys are never exchanged.
bool KeyExchanges(SortKind kind, QStringView upper, QStringView lower, bool ascending);

struct SortKey
{
    int Column = 0;
    bool Ascending = true;
    SortKind Kind = SortKind::Number;
};

// The sort keys of a grid, the most significant first.
struct SortKeys
{
    QList<SortKey> Keys;
    int Count() const { return int(Keys.size()); }
};

bool ColumnInKeys(const SortKeys &keys, int column);

// Orders the rows exactly as an exchange sort does: for each row i from the
// top, every later row j is compared with it and the two are exchanged when
// the comparison says so.  The first key orders all rows; each further key
// reorders only rows that agree on every earlier key.  Rows move with their
// marks, and persistent indexes (the view's current cell) with their rows.
// Only one sort runs at a time in the program: a sort asked for while
// another runs does nothing.
void SortRecords(RecordModel &model, const SortKeys &keys);
