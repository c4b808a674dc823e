#pragma once

#include "common/gridmodel.h"
#include "common/gridrows.h"
#include "common/gridsort.h"
#include "common/recordfile.h"

#include <QString>
#include <QStringList>

class CharSet;

// The establishment table: one row per establishment in eleven text columns,
// the cells found inconsistent when DB.csv was read, the sort keys, and the
// file itself.  The database window shows and edits it; the main window
// reads the selected row.
class EstablishmentTable
{
public:
    enum Column {
        InternalNumberColumn = 0,
        CodeColumn = 1,
        NameColumn = 2,
        StreetColumn = 3,
        CityColumn = 4,
        IcoColumn = 5,
        ContactColumn = 6,
        PhonePrefixColumn = 7,
        PhoneColumn = 8,
        FaxColumn = 9,
        EmailColumn = 10,
        ColumnCount = 11
    };
    static constexpr int CodeLength = 6;

    EstablishmentTable();

    GridModel &grid() { return grid_; }
    const GridModel &grid() const { return grid_; }
    TBadRows &markedCells() { return markedCells_; }
    const TBadRows &markedCells() const { return markedCells_; }
    const SortKeys &sortKeys() const { return sortKeys_; }

    static const QStringList &ColumnCaptions();
    static int MaxLength(int column);
    static const CharSet &AllowedChars(int column);
    static const ColumnSet &RequiredColumns();

    // The rule of one column: length, character set, IČO and e-mail checks.
    static bool ValidateCell(const QString &text, int column);
    // The key filter of a column.  Besides the column's own limits it drops
    // ";" and control characters, which would break the lines of DB.csv.
    static bool KeyRejected(int column, const QString &text, QChar key);
    // Text that arrives in an editor otherwise than by typing must be text
    // that could have been typed key by key.
    static bool InsertionAllowed(int column, const QString &text);
    // The code as it is stored: completed with leading zeros to six digits.
    static QString CompletedCode(const QString &text);

    void CheckRow(int row);
    bool HasMarkedCells() const { return !markedCells_.isEmpty(); }
    bool isMarked(int column, int row) const;
    bool rowComplete(int row) const;

    // Both compact the table and append the entry row when all rows are
    // complete.
    bool HasIncompleteRows();
    void RemoveIncompleteRows();

    // Orders the rows by the sort keys; the row at current stays the grid's
    // current row and marks move with their rows.
    void SortDatabase();

    // A press on a heading: changes the sort keys and answers whether they
    // changed (a Ctrl+press on a key that is not the last one changes none).
    bool ChangeSortKeys(int column, bool ctrl);

    // "Vymazať riadok": the row is dropped with its marks.
    void deleteRow(int row);
    // "Vymazať všetko".
    void clearAll();

    // The table as the clipboard gets it: every data row, the trailing
    // empty one too, cells separated by Tab, each row ended by CR LF.
    QString clipboardText() const;

    // Reads DB.csv into the table, marks the inconsistent cells and sorts.
    // The caller reports a failure and the marks.
    RecordFileLoad load(const QString &path);
    // Writes the complete rows in table order; false when the file could not
    // be written, and then the earlier file is as it was.
    bool save(const QString &path) const;

    static QString fileName() { return QStringLiteral("DB.csv"); }

private:
    void appendEntryRowIfComplete();

    GridModel grid_;
    TBadRows markedCells_;
    SortKeys sortKeys_;
};
