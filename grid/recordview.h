#pragma once

#include <QTableView>

class Dialogs;
class QLineEdit;
class RecordModel;

// The grid of a RecordModel, with the typing cycle both windows share:
//  - the current cell is the selection model's current index, and the row
//    asked for last (by a click, a key or the program, even when the move
//    was refused) is its selected row;
//  - an entry starts when a cell's editor opens and lasts until Tab or Enter
//    confirm it; while it lasts the current cell stays where it is;
//  - a confirmed entry sorts the rows when its row is complete and drops
//    the empty ones otherwise;
//  - a typed character goes to the model's key filter first, which may drop
//    it before the editor opens;
//  - Tab moves to the next cell, Enter opens and closes the editor, and both
//    confirm an entry; Ctrl+Tab, and Tab past the last cell, move the focus
//    on to the next widget.
// Refusals are told through the dialogs the records are shown with.
class RecordView : public QTableView
{
    Q_OBJECT

public:
    explicit RecordView(QWidget *parent = nullptr);

    void setRecordModel(RecordModel *model, Dialogs &dialogs);
    void setDefaultSizes(int columnWidth, int rowHeight);

    // The row asked for last, or -1 when its row went.
    int selectedRow() const;
    // A move of the current cell by the program: never refused.
    void setCurrentCell(int row, int column);

    // The current cell's open editor, or null.
    QLineEdit *editor() const;
    // Ends the entry unconfirmed and closes its editor.
    void dropEntry();
    // "Vymazať riadok": the row asked for last goes, even when the entry
    // refused the click that asked for it; the entry ends unconfirmed.
    void deleteSelectedRow();
    // "Vymazať všetko": one empty row is left, the entry with its row gone,
    // and the current cell is the first.
    void clearAll();

    // A new model or a reset one: no entry is open.
    void reset() override;

Q_SIGNALS:
    // A move of the current cell was asked for, whether or not it was allowed.
    void cellRequested(int row);
    // The user changed the text of the current cell.
    void entryEdited();
    // An entry was confirmed; the rows may have moved.
    void entryConfirmed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void changeEvent(QEvent *event) override;
    void commitData(QWidget *editor) override;
    void rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end) override;

private:
    // A move asked of the current cell: its row becomes the selected one,
    // and the move is allowed unless an entry is open.
    bool cellAsked(const QModelIndex &index);
    void setSelectedRow(int row);
    void moveCurrent(const QModelIndex &index);
    void openEditor();
    void closeEntryEditor();
    // The key handling shared by the grid and its editor; true when the key
    // was dealt with and must go no further.
    bool handleKey(QKeyEvent *event);
    bool confirmEntry(bool tab);
    // The cell that Tab (or Shift+Tab) moves to; invalid past the grid's ends.
    QModelIndex tabTarget(bool backwards) const;

    RecordModel *records_ = nullptr;
    Dialogs *dialogs_ = nullptr;
    bool entryOpen_ = false;
};
