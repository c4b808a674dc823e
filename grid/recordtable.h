#pragma once

#include "grid/gridmodel.h"
#include "grid/gridrows.h"
#include "grid/recordfile.h"

#include <QString>
#include <QStringList>

// A table of records kept in one of the program's data files: the grid's
// rows, the rules of their cells, and the file.  The voucher list and the
// establishment table are record tables with their own rules.
//
// A row is complete when its required columns are filled.  Loading marks
// every cell of an incomplete row and each cell that breaks its column's
// rule; editing a marked cell until it keeps the rule takes its mark.  After
// every change of the rows the empty ones go and, when every row is
// complete, one empty entry row follows the others.
class RecordTable
{
public:
    RecordTable(const QStringList &headings, const ColumnSet &required);
    virtual ~RecordTable() = default;
    RecordTable(const RecordTable &) = delete;
    RecordTable &operator=(const RecordTable &) = delete;

    GridModel &grid() { return grid_; }
    const GridModel &grid() const { return grid_; }

    // The rule a cell's text must keep.
    virtual bool ValidateCell(QStringView text, int column) const = 0;
    // The filter of keys typed into a cell: true when the key must be dropped.
    // Backspace, Tab and Enter are keys, never filtered.
    virtual bool KeyRejected(int column, const QString &text, QChar key) const = 0;
    // Why a column cannot be edited, or the empty text when it can.
    virtual QString EditRefusal(int column) const;
    // Why a typed entry cannot be confirmed, or the empty text when it can; it
    // may put the entry into its stored form.
    virtual QString ConfirmEntry(int column, int row);
    // Orders the rows as the table keeps them.
    virtual void SortRows() = 0;

    // Whether the row's required columns are filled.
    bool RequiredFilled(int row) const;
    // A complete row: by default one whose required columns are filled.
    virtual bool rowComplete(int row) const { return RequiredFilled(row); }
    bool allRowsComplete() const;
    bool HasMarkedCells() const { return grid_.HasMarkedCells(); }
    bool isMarked(int column, int row) const { return grid_.IsMarked(column, row); }
    // The user changed a cell: a marked cell that now keeps its rule loses
    // its mark.
    void CellEdited(int column, int row);
    // Marks the cells of the filled rows as loading would, so that a text
    // typed but never confirmed is not saved unchecked.
    void MarkBrokenCells();

    // Compacts the table, appends the entry row when all rows are complete,
    // and answers whether some row is not.
    bool compactAndFindIncompleteRows();
    // Answers whether a row that was not empty went.
    bool RemoveIncompleteRows();
    // Drops the row with its marks.
    void deleteRow(int row);
    void clearAll();

    // Replaces the rows by the file's lines, marks the inconsistent cells and
    // sorts.  The caller reports a failure and the marks.
    RecordFileLoad load(const QString &path);
    // Writes the complete rows in table order; false when the file could not
    // be written, and then the earlier file is as it was.
    bool save(const QString &path) const;

protected:
    // Whether RemoveIncompleteRows keeps the row.
    virtual bool rowKept(int row) const { return rowComplete(row); }
    void appendEntryRowIfComplete();

private:
    // Marks the row's cells as loading does; cells is room for the row's
    // cells, kept from row to row.
    void CheckRow(int row, QList<QStringView> &cells);

    GridModel grid_;
    ColumnSet required_;
};
