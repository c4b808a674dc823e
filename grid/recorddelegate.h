#pragma once

#include "grid/stringgrid.h"

#include <QScopedValueRollback>
#include <QStyledItemDelegate>

class Dialogs;
class RecordTable;

// Edits a record table in its StringGrid.  An entry opens with the cell's
// editor and lasts until Tab or Enter confirm it; while it lasts the current
// cell stays where it is, unless the program itself moves rows.  A confirmed
// entry sorts the rows when its row is complete, and compacts them
// otherwise.  Typed keys are filtered by the table's key filter, and marked
// cells lose their marks when edited until they keep their rule.
class RecordDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // The grid that shows the table attaches itself (StringGrid::setDelegate);
    // until then there is nothing to edit or paint.
    RecordDelegate(RecordTable &table, Dialogs &dialogs, QObject *parent);

    RecordTable &table() const { return table_; }

    // While the window itself moves rows, the entry does not hold the current
    // cell.
    [[nodiscard]] QScopedValueRollback<bool> updating() { return QScopedValueRollback<bool>(updating_, true); }
    // The entry ends unconfirmed and its editor closes ("Vymazať riadok").
    void dropEntry();

    // What the grid asks: whether the cell's editor may open, which starts an
    // entry; whether a character typed with no editor open must be dropped;
    // and to confirm the entry with Tab or Enter (false when it was refused).
    bool openCell(const QModelIndex &index);
    bool keyRejected(const QModelIndex &index, QChar key) const;
    bool confirmEntry(bool tab);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    // The editor writes the cell on every change; closing it writes nothing.
    void setModelData(QWidget *, QAbstractItemModel *, const QModelIndex &) const override {}
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

Q_SIGNALS:
    // The user changed the text of a cell.
    void edited();
    // An entry was confirmed; the rows may have moved.
    void confirmed();
    // A move of the current cell was asked for, whether or not it was allowed.
    void cellAsked(int column, int row);

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

    // The colours of a cell before its marks: the grid's own, which a window
    // may change.
    virtual CellColors cellColors(const QModelIndex &index, const CellColors &colors) const;
    // Paints one data cell in its colours.
    virtual void paintCell(QPainter &painter, const QRect &rect, const QModelIndex &index,
                           const CellColors &colors) const;
    // The cell as the grid shows it (GridModel::ShownText): a damaged file may
    // hold megabytes in one cell, and painting never lays them out.
    QString shownText(const QModelIndex &index) const;

private:
    friend class StringGrid;
    void editorTextEdited(const QModelIndex &index, const QString &text);

    RecordTable &table_;
    Dialogs &dialogs_;
    StringGrid *grid_ = nullptr;
    bool editing_ = false;
    bool updating_ = false;
};
