#pragma once

#include <QColor>
#include <QStyledItemDelegate>

class RecordModel;

// What a grid paints in a cell: its background and text colours.
struct CellColors
{
    QColor brush;
    QColor font;
};

// Edits and paints the cells of a RecordModel.  The editor is a line edit
// whose typed and pasted text passes the model's key filter; every change of
// its text reaches the model at once, so that marks go as soon as a cell
// keeps its rule.  The current cell is painted in the highlight colours, a
// marked one in the marks' colours.
class RecordDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // Paints text the way the grids do: the rectangle filled with the brush,
    // the text 2 pixels in from the top-left corner, clipped.
    static void paintCellText(QPainter &painter, const QRect &rect, const QString &text, const CellColors &colors);

protected:
    // The colours of a cell before its marks: the grid's own, which a window
    // may change.
    virtual CellColors cellColors(const QStyleOptionViewItem &option, const QModelIndex &index,
                                  const CellColors &colors) const;
    // Paints one cell in its colours.
    virtual void paintCell(QPainter &painter, const QRect &rect, const QModelIndex &index,
                           const CellColors &colors) const;
    static const RecordModel *recordModel(const QModelIndex &index);
    bool eventFilter(QObject *object, QEvent *event) override;

private Q_SLOTS:
    void commitEditor();
};
