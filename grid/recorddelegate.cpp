#include "recorddelegate.h"

#include "common/dialogs.h"
#include "common/typedtext.h"
#include "common/waitcursor.h"
#include "grid/gridmodel.h"
#include "grid/recordtable.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

RecordDelegate::RecordDelegate(RecordTable &table, Dialogs &dialogs, QObject *parent)
    : QStyledItemDelegate(parent), table_(table), dialogs_(dialogs)
{
    table_.grid().SetSelectCellHook([this](int column, int row) {
        Q_EMIT cellAsked(column, row);
        return updating_ || !editing_;
    });
}

void RecordDelegate::dropEntry()
{
    editing_ = false;
    if (grid_)
        grid_->hideEditor();
}

bool RecordDelegate::openCell(const QModelIndex &index)
{
    const QString refusal = table_.EditRefusal(index.column());
    if (!refusal.isEmpty()) {
        dialogs_.information(grid_->window(), refusal);
        return false;
    }
    editing_ = true;
    return true;
}

bool RecordDelegate::keyRejected(const QModelIndex &index, QChar key) const
{
    return table_.KeyRejected(index.column(), index.data(Qt::EditRole).toString(), key);
}

bool RecordDelegate::confirmEntry(bool tab)
{
    if (!editing_)
        return true;
    GridModel &grid = table_.grid();
    const int column = grid.CurrentCol();
    const int row = grid.CurrentRow();
    const QString refusal = table_.ConfirmEntry(column, row);
    if (!refusal.isEmpty()) {
        dialogs_.plain(grid_->window(), refusal);
        return false;
    }
    {
        auto moving = updating();
        if (tab) {
            grid_->hideEditor();
            if (column < grid.ColCount() - 1)
                grid.SetCurrentCell(column + 1, row);
        }
        if (table_.RequiredFilled(row)) {
            WaitCursor wait;
            table_.SortRows();
        } else if (!grid.RowIsEmpty(row)) {
            RemoveEmptyRows(grid);
        }
        Q_EMIT confirmed();
    }
    editing_ = false;
    return true;
}

QWidget *RecordDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                      const QModelIndex &index) const
{
    auto *editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setFont(option.font);
    // A screen reader names the entry by its column's heading.
    editor->setAccessibleName(index.model()->headerData(index.column(), Qt::Horizontal).toString());
    const int column = index.column();
    new TypedTextGuard(editor, [this, column](const QString &text, QChar key) {
        return table_.KeyRejected(column, text, key);
    });
    const QPersistentModelIndex cell(index);
    auto *self = const_cast<RecordDelegate *>(this);
    connect(editor, &QLineEdit::textEdited, self, [self, cell](const QString &text) {
        self->editorTextEdited(cell, text);
    });
    grid_->editor_ = editor;
    return editor;
}

void RecordDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->setText(index.data(Qt::EditRole).toString());
}

void RecordDelegate::editorTextEdited(const QModelIndex &index, const QString &text)
{
    if (!index.isValid())
        return;
    const int column = index.column();
    const int row = index.row() + 1;
    table_.grid().SetCell(column, row, text);
    table_.CellEdited(column, row);
    Q_EMIT edited();
}

CellColors RecordDelegate::cellColors(const QModelIndex &, const CellColors &colors) const
{
    return colors;
}

QString RecordDelegate::shownText(const QModelIndex &index) const
{
    return table_.grid().ShownText(index.column(), index.row() + 1);
}

void RecordDelegate::paintCell(QPainter &painter, const QRect &rect, const QModelIndex &index,
                               const CellColors &colors) const
{
    StringGrid::paintCellText(painter, rect, shownText(index), colors);
}

void RecordDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QPalette &palette = option.palette;
    CellColors colors{palette.color(QPalette::Base), palette.color(QPalette::Text)};
    if (index == grid_->currentIndex() && (grid_->hasFocus() || grid_->isEditorOpen()))
        colors = {palette.color(QPalette::Highlight), palette.color(QPalette::HighlightedText)};
    colors = cellColors(index, colors);
    const QVariant markBrush = index.data(Qt::BackgroundRole);
    if (markBrush.isValid())
        colors = {markBrush.value<QColor>(), index.data(Qt::ForegroundRole).value<QColor>()};
    painter->save();
    paintCell(*painter, option.rect, index, colors);
    painter->restore();
}

bool RecordDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *editor = qobject_cast<QLineEdit *>(object);
    if (!editor)
        return QStyledItemDelegate::eventFilter(object, event);
    if (event->type() == QEvent::KeyPress)
        // Tab and Enter confirm through the grid; the rest is the editor's,
        // not the base class's commit logic.
        return grid_->handleKey(static_cast<QKeyEvent *>(event));
    if (event->type() == QEvent::FocusOut && QApplication::focusWidget() == grid_) {
        // A click into the grid while the editor is open: the entry decides
        // whether the current cell moves; if it does not, the editor stays
        // open with its text.
        QMetaObject::invokeMethod(editor, [editor] { editor->setFocus(); }, Qt::QueuedConnection);
        return false;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
