#pragma once

#include <QColor>
#include <QLineEdit>
#include <QPointer>
#include <QTableView>

class GridModel;
class RecordDelegate;

// What the grid paints in a cell: its background and text colours.
struct CellColors
{
    QColor brush;
    QColor font;
};

// A text grid over a record table's GridModel, edited through its
// RecordDelegate, with the behaviour both windows rely on:
//  - the heading row is the horizontal header; data rows follow;
//  - the current cell lives in the model, and every move of it, by mouse,
//    keyboard or program, may be refused by the delegate;
//  - a typed character goes to the delegate's key filter first, which may
//    drop it before the editor opens;
//  - Tab moves to the next cell, Enter opens and closes the editor, and both
//    confirm an entry; Ctrl+Tab, and Tab past the last cell, move the focus
//    on to the next widget.
class StringGrid : public QTableView
{
    Q_OBJECT

public:
    explicit StringGrid(QWidget *parent = nullptr);

    // Shows the delegate's table and edits it through the delegate.
    void setDelegate(RecordDelegate *delegate);
    GridModel *grid() const { return grid_; }

    void setDefaultSizes(int columnWidth, int rowHeight);

    bool isEditorOpen() const { return !editor_.isNull(); }
    QLineEdit *editor() const { return editor_; }
    void openEditor();
    void hideEditor();

    // Paints text the way the grid does: the rectangle filled with the
    // brush, the text 2 pixels in from the top-left corner, clipped.
    static void paintCellText(QPainter &painter, const QRect &rect, const QString &text, const CellColors &colors);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void changeEvent(QEvent *event) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    friend class RecordDelegate;

    // The key handling shared by the grid and its editor; true when the key
    // was dealt with and must go no further.
    bool handleKey(QKeyEvent *event);
    // The cell that Tab (or Shift+Tab) moves to; false past the grid's ends.
    bool tabTarget(bool backwards, int &column, int &row) const;
    bool moveByTab(bool backwards);
    void followCurrentCell();

    GridModel *grid_ = nullptr;
    RecordDelegate *delegate_ = nullptr;
    QPointer<QLineEdit> editor_;
};
