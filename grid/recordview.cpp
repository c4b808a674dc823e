#include "recordview.h"

#include "common/dialogs.h"
#include "common/typedtext.h"
#include "common/waitcursor.h"
#include "grid/gridaccessible.h"
#include "grid/recorddelegate.h"
#include "grid/recordmodel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>

#include <functional>

namespace {

// Asks before every move of the current index, whoever makes it; a refused
// move leaves the current index where it is.
class AskingSelectionModel : public QItemSelectionModel
{
public:
    using Ask = std::function<bool(const QModelIndex &index)>;

    AskingSelectionModel(QAbstractItemModel *model, Ask ask, QObject *parent)
        : QItemSelectionModel(model, parent), ask_(std::move(ask))
    {
    }

    void setCurrentIndex(const QModelIndex &index, QItemSelectionModel::SelectionFlags command) override
    {
        if (index.isValid() && index != currentIndex() && !ask_(index))
            return;
        QItemSelectionModel::setCurrentIndex(index, command);
    }

private:
    Ask ask_;
};

} // namespace

RecordView::RecordView(QWidget *parent) : QTableView(parent)
{
    setItemDelegate(new RecordDelegate(this));
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void RecordView::setRecordModel(RecordModel *model, Dialogs &dialogs)
{
    records_ = model;
    dialogs_ = &dialogs;
    setModel(model);
    QItemSelectionModel *old = selectionModel();
    setSelectionModel(new AskingSelectionModel(
        model, [this](const QModelIndex &index) { return cellAsked(index); }, this));
    delete old;
    // The records start at the first cell, and so do new records after a
    // reset (this runs after the selection model's own reset); a sort that
    // follows takes it along with its record.
    const auto start = [this] {
        moveCurrent(this->model()->index(0, 0));
        setSelectedRow(0);
    };
    connect(model, &QAbstractItemModel::modelReset, this, start);
    start();
}

void RecordView::setDefaultSizes(int columnWidth, int rowHeight)
{
    horizontalHeader()->setDefaultSectionSize(columnWidth);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setFixedHeight(rowHeight);
    // The headings' texts unclipped: Windows' style writes them into the
    // heading less 4 pixels above and below, 10 pixels of the 18, and would
    // cut off the accents of capitals ("IČO").
    horizontalHeader()->setDefaultAlignment(horizontalHeader()->defaultAlignment()
                                            | Qt::Alignment::fromInt(Qt::TextDontClip));
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

int RecordView::selectedRow() const
{
    const QModelIndexList rows = selectionModel() ? selectionModel()->selectedRows() : QModelIndexList();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void RecordView::setSelectedRow(int row)
{
    selectionModel()->select(model()->index(row, 0),
                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

bool RecordView::cellAsked(const QModelIndex &index)
{
    setSelectedRow(index.row());
    Q_EMIT cellRequested(index.row());
    return !entryOpen_;
}

void RecordView::moveCurrent(const QModelIndex &index)
{
    // The base class's move: not asked, never refused.
    selectionModel()->QItemSelectionModel::setCurrentIndex(index, QItemSelectionModel::NoUpdate);
}

void RecordView::setCurrentCell(int row, int column)
{
    if (!records_)
        return;
    const QModelIndex index =
        model()->index(qBound(0, row, model()->rowCount() - 1), qBound(0, column, model()->columnCount() - 1));
    if (index != currentIndex())
        cellAsked(index);
    moveCurrent(index);
}

void RecordView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // Not QTableView's: it tells a screen reader the cell's number in Qt's
    // own accessible table, which the grid's replaces (grid/gridaccessible.h).
    QAbstractItemView::currentChanged(current, previous);
    NotifyCurrentCell(this, current);
    if (current.isValid())
        scrollTo(current);
    viewport()->update();
}

void RecordView::rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end)
{
    // A current cell whose row goes stays at its place, on the record that
    // follows, or on the last row when none follows.  So does the row asked
    // for last, which is none when no record follows it.
    const bool followerStays = end + 1 < model()->rowCount(parent);
    const QModelIndex current = currentIndex();
    if (current.isValid() && current.row() >= start && current.row() <= end) {
        if (entryOpen_)
            dropEntry();
        if (followerStays)
            moveCurrent(model()->index(end + 1, current.column()));
    }
    const int selected = selectedRow();
    if (followerStays && selected >= start && selected <= end)
        setSelectedRow(end + 1);
    QTableView::rowsAboutToBeRemoved(parent, start, end);
}

void RecordView::reset()
{
    entryOpen_ = false;
    QTableView::reset();
}

void RecordView::changeEvent(QEvent *event)
{
    // The headings are written in the grid's font, not in the one the
    // desktop gives headers.
    if (event->type() == QEvent::FontChange)
        horizontalHeader()->setFont(font());
    QTableView::changeEvent(event);
}

QLineEdit *RecordView::editor() const
{
    return qobject_cast<QLineEdit *>(indexWidget(currentIndex()));
}

void RecordView::openEditor()
{
    if (!editor() && currentIndex().isValid())
        edit(currentIndex(), QAbstractItemView::EditKeyPressed, nullptr);
}

void RecordView::closeEntryEditor()
{
    if (QLineEdit *open = editor()) {
        closeEditor(open, QAbstractItemDelegate::NoHint);
        setFocus();
    }
}

void RecordView::dropEntry()
{
    entryOpen_ = false;
    closeEntryEditor();
}

void RecordView::deleteSelectedRow()
{
    dropEntry();
    records_->deleteRow(selectedRow());
}

void RecordView::clearAll()
{
    dropEntry();
    records_->clearAll();
    setCurrentCell(0, 0);
}

bool RecordView::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    const bool wouldOpen = index.isValid() && !editor() && state() != QAbstractItemView::EditingState
                           && (trigger == QAbstractItemView::AllEditTriggers || (editTriggers() & trigger));
    // The model decides what may be edited; the user is told why not.
    if (wouldOpen && records_ && !records_->flags(index).testFlag(Qt::ItemIsEditable)) {
        dialogs_->information(window(), records_->editRefusal(index.column()));
        return false;
    }
    if (!QTableView::edit(index, trigger, event))
        return false;
    if (QWidget *opened = wouldOpen ? indexWidget(index) : nullptr) {
        entryOpen_ = true;
        // Tab, Enter and Escape in the editor are the entry's.
        opened->installEventFilter(this);
    }
    return true;
}

void RecordView::commitData(QWidget *editor)
{
    const auto *line = qobject_cast<QLineEdit *>(editor);
    const bool changed = line && line->text() != currentIndex().data(Qt::EditRole).toString();
    QTableView::commitData(editor);
    if (changed)
        Q_EMIT entryEdited();
}

QModelIndex RecordView::tabTarget(bool backwards) const
{
    const QModelIndex current = currentIndex();
    int column = current.column() + (backwards ? -1 : 1);
    int row = current.row();
    if (column >= model()->columnCount()) {
        column = 0;
        ++row;
    } else if (column < 0) {
        column = model()->columnCount() - 1;
        --row;
    }
    return model()->index(row, column);
}

bool RecordView::confirmEntry(bool tab)
{
    if (!entryOpen_)
        return true;
    const int row = currentIndex().row();
    const int column = currentIndex().column();
    const QString refusal = records_->confirmEntry(row, column);
    if (!refusal.isEmpty()) {
        dialogs_->plain(window(), refusal);
        return false;
    }
    entryOpen_ = false;
    if (tab) {
        closeEntryEditor();
        if (column < model()->columnCount() - 1)
            setCurrentCell(row, column + 1);
    }
    if (records_->requiredFilled(row)) {
        WaitCursor wait;
        records_->sortRows();
    } else if (!records_->isRowEmpty(row)) {
        records_->removeEmptyRows();
    }
    // The confirmed record is the one asked for once it has moved.
    if (currentIndex().row() != row)
        setSelectedRow(currentIndex().row());
    Q_EMIT entryConfirmed();
    return true;
}

bool RecordView::handleKey(QKeyEvent *event)
{
    if (!records_)
        return false;
    if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) && !editor()) {
        // Ctrl+Tab leaves the grid, and so do Tab past its last cell and
        // Shift+Tab before its first, so that the keyboard reaches the rest
        // of the window.
        const bool backwards = event->key() == Qt::Key_Backtab || event->modifiers().testFlag(Qt::ShiftModifier);
        if (event->modifiers().testFlag(Qt::ControlModifier) || !tabTarget(backwards).isValid()) {
            QWidget::focusNextPrevChild(!backwards);
            return true;
        }
    }
    if (event->key() == Qt::Key_Backtab) {
        selectionModel()->setCurrentIndex(tabTarget(true), QItemSelectionModel::NoUpdate);
        return true;
    }
    const QChar key = TypedTextGuard::typedCharacter(event);
    if (key == QChar(KeyTab) || key == QChar(KeyEnter)) {
        // The grid's own move comes first; while an entry is open it is
        // refused, and the confirmation moves on itself.
        const bool tab = key == QChar(KeyTab);
        if (tab && !event->modifiers().testFlag(Qt::ShiftModifier)) {
            const QModelIndex target = tabTarget(false);
            if (target.isValid())
                selectionModel()->setCurrentIndex(target, QItemSelectionModel::NoUpdate);
        }
        // Enter closes an editor that was open when it was pressed and
        // opens one otherwise.
        const bool editorWasOpen = editor() != nullptr;
        if (!confirmEntry(tab))
            return true;
        if (!tab) {
            if (editorWasOpen)
                closeEntryEditor();
            else
                openEditor();
        }
        return true;
    }
    // A typed character is judged here only while no editor is open: the
    // editor's own guard judges what is typed into it.
    const QModelIndex current = currentIndex();
    return key.isPrint() && !editor() && current.isValid()
           && records_->keyRejected(current.column(), current.data(Qt::EditRole).toString(), key);
}

void RecordView::keyPressEvent(QKeyEvent *event)
{
    if (handleKey(event)) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

bool RecordView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched == editor()) {
        auto *key = static_cast<QKeyEvent *>(event);
        // The entry ends only with Tab or Enter: Escape does nothing.
        if (handleKey(key) || key->key() == Qt::Key_Escape) {
            key->accept();
            return true;
        }
    }
    return QTableView::eventFilter(watched, event);
}
