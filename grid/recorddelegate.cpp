#include "recorddelegate.h"

#include "common/typedtext.h"
#include "grid/recordmodel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QPainter>

const RecordModel *RecordDelegate::recordModel(const QModelIndex &index)
{
    return qobject_cast<const RecordModel *>(index.model());
}

QWidget *RecordDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                      const QModelIndex &index) const
{
    auto *editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setFont(option.font);
    // A screen reader names the entry by its column's heading.
    editor->setAccessibleName(index.model()->headerData(index.column(), Qt::Horizontal).toString());
    if (const RecordModel *model = recordModel(index)) {
        const int column = index.column();
        new TypedTextGuard(editor, [model, column](const QString &text, QChar key) {
            return model->keyRejected(column, text, key);
        });
    }
    connect(editor, &QLineEdit::textEdited, this, &RecordDelegate::commitEditor);
    return editor;
}

void RecordDelegate::commitEditor()
{
    Q_EMIT commitData(qobject_cast<QWidget *>(sender()));
}

void RecordDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->setText(index.data(Qt::EditRole).toString());
}

void RecordDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        model->setData(index, line->text(), Qt::EditRole);
}

CellColors RecordDelegate::cellColors(const QStyleOptionViewItem &, const QModelIndex &,
                                      const CellColors &colors) const
{
    return colors;
}

void RecordDelegate::paintCellText(QPainter &painter, const QRect &rect, const QString &text, const CellColors &colors)
{
    painter.fillRect(rect, colors.brush);
    painter.setPen(colors.font);
    painter.setClipRect(rect);
    const QRect textRect = rect.adjusted(2, 2, 0, 0);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    painter.setClipping(false);
}

void RecordDelegate::paintCell(QPainter &painter, const QRect &rect, const QModelIndex &index,
                               const CellColors &colors) const
{
    paintCellText(painter, rect, index.data(Qt::AccessibleTextRole).toString(), colors);
}

void RecordDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QPalette &palette = option.palette;
    CellColors colors{palette.color(QPalette::Base), palette.color(QPalette::Text)};
    // The current cell is highlighted while the grid has the focus or the
    // cell's editor is open.
    const auto *view = qobject_cast<const QAbstractItemView *>(option.widget);
    if (option.state.testFlag(QStyle::State_HasFocus) || (view && view->indexWidget(index)))
        colors = {palette.color(QPalette::Highlight), palette.color(QPalette::HighlightedText)};
    colors = cellColors(option, index, colors);
    const QVariant markBrush = index.data(Qt::BackgroundRole);
    if (markBrush.isValid())
        colors = {markBrush.value<QColor>(), index.data(Qt::ForegroundRole).value<QColor>()};
    painter->save();
    paintCell(*painter, option.rect, index, colors);
    painter->restore();
}

bool RecordDelegate::eventFilter(QObject *object, QEvent *event)
{
    // Tab, Enter and Escape belong to the grid's entry, which filters the
    // editor's keys itself: none of them closes the editor here.
    if (event->type() == QEvent::KeyPress)
        return false;
    auto *editor = qobject_cast<QWidget *>(object);
    if (editor && event->type() == QEvent::FocusOut && editor->parentWidget()
        && QApplication::focusWidget() == editor->parentWidget()->parentWidget()) {
        // A click into the grid (the editor's viewport's view) while the
        // editor is open: the grid decides whether the current cell moves;
        // while the entry holds it the editor stays open with its text.
        QMetaObject::invokeMethod(editor, [editor] { editor->setFocus(); }, Qt::QueuedConnection);
        return false;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
