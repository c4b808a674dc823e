#pragma once

#include "grid/recordfile.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

#include <bitset>
#include <initializer_list>
#include <vector>

// A set of column indexes 0 to 255; columns beyond the table are ignored.
using ColumnSet = std::bitset<256>;
ColumnSet Columns(std::initializer_list<int> columns);

// A table of records kept in one of the program's data files: the rows with
// their texts and marks, the rules of their cells, and the file.  The voucher
// list and the establishment table are record models with rules of their own.
//
// Rows count from 0; there is always at least one.  A row is complete when
// its required columns are filled.  Loading marks every cell of an
// incomplete row and each cell that breaks its column's rule; an edit that
// makes a marked cell keep its rule takes its mark.  After every change of
// the rows the empty ones go and, when every row is complete, one empty entry
// row follows the others.  Marks answer the background and text roles;
// moving, sorting or dropping rows takes them along.
class RecordModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // At most 32 columns.
    RecordModel(const QStringList &headings, const ColumnSet &required, QObject *parent = nullptr);

    QString text(int row, int column) const;
    // The cell's text without a copy, valid until the table's texts change.
    QStringView textView(int row, int column) const;
    // Writes a cell as the program does: no rule applies and no mark goes.
    void setText(int row, int column, const QString &text);
    QStringList rowTexts(int row) const;
    bool isRowEmpty(int row) const;
    // Empty rows are added or the last rows dropped; never below one row.
    void setRowCount(int rows);

    bool isMarked(int row, int column) const;
    bool hasMarkedCells() const;

    // Reorders the rows at once: row k receives what row order[k] held.
    // order is a permutation of 0 .. rowCount() - 1.  Persistent indexes
    // follow their rows.
    void permuteRows(const std::vector<int> &order);

    // The rule a cell's text must keep.
    virtual bool cellValid(QStringView text, int column) const;
    // The filter of keys typed into a cell: true when the key must be dropped.
    // Backspace, Tab and Enter are keys, never filtered.
    virtual bool keyRejected(int column, const QString &text, QChar key) const;
    // Why a column cannot be edited, or the empty text when it can.
    virtual QString editRefusal(int column) const;
    // Why the typed entry of a cell cannot be confirmed, or the empty text
    // when it can; it may put the entry into its stored form.
    virtual QString confirmEntry(int row, int column);
    // Orders the rows as the table keeps them.
    virtual void sortRows();

    // Whether the row's required columns are filled.
    bool requiredFilled(int row) const;
    // A complete row: by default one whose required columns are filled.
    virtual bool rowComplete(int row) const { return requiredFilled(row); }
    // True when a row other than exceptRow holds exactly text in column.
    bool valueInColumn(int exceptRow, int column, const QString &text) const;
    // Marks the cells of the filled rows as loading would, so that a text
    // typed but never confirmed is not saved unchecked.
    void markBrokenCells();

    // Drops the empty rows, marks and all.
    void removeEmptyRows();
    void appendEntryRowIfComplete();
    // Compacts the table, appends the entry row when all rows are complete,
    // and answers whether some row is not.
    bool compactAndFindIncompleteRows();
    // Answers whether a row that was not empty went.
    bool removeIncompleteRows();
    // Drops the row with its marks.
    void deleteRow(int row);
    void clearAll();

    // Replaces the rows by the file's lines, one row per line and one cell
    // per field (lines of empty fields give no row), marks the inconsistent
    // cells and sorts.  The caller reports a failure and the marks.
    RecordFileLoad load(const QString &path);
    // Writes the complete rows in table order; false when the file could not
    // be written, and then the earlier file is as it was.
    bool save(const QString &path) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // The user's edit: the cell takes the text, and a marked cell that now
    // keeps its rule loses its mark.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

protected:
    // How the grid shows a column's texts; by default as they are.
    virtual QString shownForm(int column, const QString &text) const;
    // Whether removeIncompleteRows keeps the row.
    virtual bool rowKept(int row) const { return rowComplete(row); }

private:
    // A row's cells are kept in one text of the pool, separated by a character
    // that no cell can hold, empty cells at the end left out; texts replaced
    // by longer ones leave garbage behind, which is given back when it grows.
    // So a row costs a few bytes beside its texts, whatever its columns.
    struct Row
    {
        quint32 offset = 0;
        quint32 length = 0;
        quint32 marks = 0; // bit c: column c is marked
    };

    // Empties the row's texts and takes its marks.
    void clearRow(int row);
    // Drops the given rows (ascending) and closes the gaps.  When every row
    // would go, the first one is emptied instead.
    void dropRows(const std::vector<int> &rows);
    // All the row's cells without copies, valid until the texts change.
    void rowCells(int row, QList<QStringView> &cells) const;
    // The cell as the grid paints it and as Qt::AccessibleTextRole answers
    // for it: the start of its text, as much as a cell can show (a damaged
    // file may hold megabytes in one cell), in its column's shownForm().
    QString shownText(int row, int column) const;
    // Marks the columns whose bits are set (bit c for column c).
    void markCells(int row, quint32 columns);
    bool allRowsComplete() const;
    QStringView rowText(int row) const;
    void storeRowText(int row, QStringView text);
    void appendRowText(int row, const QList<QStringView> &cells);
    void compactPool();
    // Makes a row of each line of a data file's text that holds some text.
    void fillRows(const QString &text);
    void unmarkCell(int row, int column);
    // The row's cells that loading marks; cells is room for the row's
    // cells, kept from row to row.
    quint32 brokenCells(int row, QList<QStringView> &cells) const;

    QStringList headings_;
    ColumnSet required_;
    QList<Row> rows_;
    QString pool_;
    qsizetype garbage_ = 0; // characters of the pool that no row uses
};
