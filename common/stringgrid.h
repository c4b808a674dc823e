#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QTableView>

#include <functional>

class GridModel;
class StringGridDelegate;
class StringGridHeader;

// What the grid itself would paint in a cell: its background and text
// colours.  A cell painter may change them before painting.
struct CellColors
{
    QColor brush;
    QColor font;
};

// A mouse button pressed on the grid.  row is 0 on the heading row and -1
// below the last row; column is -1 right of the last column.
struct GridMouseDown
{
    Qt::MouseButton button;
    Qt::MouseButtons buttons;
    Qt::KeyboardModifiers modifiers;
    int column;
    int row;
    QPoint globalPos;
};

// A text grid over a GridModel with the behaviour both windows rely on:
//  - the heading row is the horizontal header; data rows follow;
//  - the current cell lives in the model, and every move of it, by mouse,
//    keyboard or program, may be refused by the select-cell handler;
//  - an in-place editor writes the cell on every change and tells the
//    set-edit-text handler; the get-edit-text handler may refuse to open it;
//  - every typed character, also while the editor is open, first goes to the
//    key-press handler, which may drop it;
//  - Tab moves to the next cell, Enter opens and closes the editor; Ctrl+Tab,
//    and Tab past the last cell, move the focus on to the next widget;
//  - a cell painter draws each data cell, a heading painter may draw over
//    each heading cell;
//  - a mouse-down handler sees presses on cells and headings first.
class StringGrid : public QTableView
{
    Q_OBJECT

public:
    using SelectCellHandler = std::function<bool(int column, int row)>;
    using GetEditTextHandler = std::function<bool(int column, int row)>;
    // Sets key to QChar() (code 0) to drop it.
    using KeyPressHandler = std::function<void(QChar &key)>;
    using SetEditTextHandler = std::function<void(int column, int row, const QString &text)>;
    // Judges text that arrives in the editor otherwise than by typing (a paste,
    // a drop, an undo): true lets the new text stand.
    using InsertedTextHandler = std::function<bool(int column, int row, const QString &text)>;
    using CellPainter = std::function<void(QPainter &painter, int column, int row, const QRect &rect, CellColors colors)>;
    // Draws after the header's own painting of a heading cell.
    using HeadingPainter = std::function<void(QPainter &painter, int column, const QRect &rect)>;
    // True when the press was dealt with and must not move the current cell
    // or reach the header.  Presses on a heading's resize grip are not shown.
    using MouseDownHandler = std::function<bool(const GridMouseDown &press)>;

    explicit StringGrid(QWidget *parent = nullptr);

    void setGrid(GridModel *grid);
    GridModel *grid() const { return grid_; }

    void setSelectCellHandler(SelectCellHandler handler);
    void setGetEditTextHandler(GetEditTextHandler handler) { getEditText_ = std::move(handler); }
    void setKeyPressHandler(KeyPressHandler handler) { keyPress_ = std::move(handler); }
    void setSetEditTextHandler(SetEditTextHandler handler) { setEditText_ = std::move(handler); }
    void setInsertedTextHandler(InsertedTextHandler handler) { insertedText_ = std::move(handler); }
    void setCellPainter(CellPainter painter) { cellPainter_ = std::move(painter); }
    void setHeadingPainter(HeadingPainter painter) { headingPainter_ = std::move(painter); }
    void setMouseDownHandler(MouseDownHandler handler) { mouseDown_ = std::move(handler); }

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
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    friend class StringGridDelegate;
    friend class StringGridHeader;

    // The key handling shared by the grid and its editor; true when the key
    // was dealt with and must go no further.
    bool handleKey(QKeyEvent *event);
    // The cell that Tab (or Shift+Tab) moves to; false past the grid's ends.
    bool tabTarget(bool backwards, int &column, int &row) const;
    bool moveByTab(bool backwards);
    void syncCurrentFromGrid();
    void editorCreated(QLineEdit *editor, const QModelIndex &index);
    void editorTextEdited(QLineEdit *editor, const QString &text);

    GridModel *grid_ = nullptr;
    StringGridDelegate *delegate_ = nullptr;
    QPointer<QLineEdit> editor_;
    QPersistentModelIndex editorIndex_;
    QString editorAcceptedText_;
    bool typedKeyPending_ = false;
    bool forwardingKey_ = false;
    bool syncing_ = false;

    SelectCellHandler selectCell_;
    GetEditTextHandler getEditText_;
    KeyPressHandler keyPress_;
    SetEditTextHandler setEditText_;
    InsertedTextHandler insertedText_;
    CellPainter cellPainter_;
    HeadingPainter headingPainter_;
    MouseDownHandler mouseDown_;
};
