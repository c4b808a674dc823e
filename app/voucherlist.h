#pragma once

#include "common/amount.h"
#include "common/gridmodel.h"
#include "common/gridrows.h"
#include "common/recordfile.h"
#include "printing/listprint.h"

#include <QString>

#include <functional>
#include <optional>

// The voucher list: one row per denomination with its count and value, the
// cells that failed the checks when the list was read, and the file that
// keeps the list between runs.  The main window shows it and edits it.
class VoucherList
{
public:
    enum Column { NominalColumn = 0, CountColumn = 1, ValueColumn = 2, ColumnCount = 3 };

    VoucherList();

    GridModel &grid() { return grid_; }
    const GridModel &grid() const { return grid_; }
    TBadRows &markedCells() { return markedCells_; }
    const TBadRows &markedCells() const { return markedCells_; }

    bool HasMarkedCells() const { return !markedCells_.isEmpty(); }
    bool isMarked(int column, int row) const;

    // Whether a text fits a column: digits, and commas where decimals are
    // allowed, within the column's digits before and after the first comma.
    static bool ValidateCell(const QString &text, int column);
    void CheckRow(int row);

    // A row is complete when it has a nominal value and a count, and the
    // nominal value is a number or marked.  A row that is not cannot be valued.
    bool rowComplete(int row) const;
    bool allRowsComplete() const;

    struct Totals
    {
        bool blanked = false; // marks exist: no totals are shown
        QString count;        // plain text, "" for zero
        QString value;
    };
    // Values every complete row and sums the list, unless cells are marked.
    Totals RecalcTotals();

    // What the filled print would print now, the list left as it is: the
    // rows it keeps, whether any of them is marked, and their totals.
    struct Printable
    {
        QList<VoucherRowTexts> rows;
        bool marked = false;
        Totals totals;
    };
    Printable printable() const;

    // Compacts the rows, sorts them by nominal value and keeps the entry row.
    void sortRows();
    bool HasIncompleteRows();
    // Drops the rows that are incomplete or have a count of zero.
    void RemoveIncompleteRows();
    // Clears the row that "Vymazať riadok" deletes, moving the marks of the
    // rows below it up.
    void deleteRow(int row);
    void clearAll();

    // Reads supiska.csv into the rows (sorting and valuing them); the caller
    // tells the user about a failure or marked cells.
    RecordFileLoad load(const QString &path);
    // Writes the complete rows; false when the file could not be written, in
    // which case the earlier file is left as it was.
    bool save(const QString &path) const;

    static QString fileName() { return QStringLiteral("supiska.csv"); }

private:
    void appendEntryRowIfComplete();
    // Kept by the filled print: complete, with a whole count above 0.
    bool kept(int row) const;
    // Nominal value times count of a complete row; nothing when the nominal
    // value is no number.
    std::optional<Amount> rowValue(int row) const;
    Totals sum(const std::function<bool(int row)> &counted) const;

    GridModel grid_;
    TBadRows markedCells_;
};
