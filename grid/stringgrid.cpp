#include "stringgrid.h"

#include "common/typedtext.h"
#include "grid/gridaccessible.h"
#include "grid/gridmodel.h"
#include "grid/recorddelegate.h"
#include "grid/recordtable.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

namespace {

// The current cell belongs to the model: the view asks it for every move,
// which the model may refuse, and follows it otherwise.
class VetoSelectionModel : public QItemSelectionModel
{
public:
    VetoSelectionModel(GridModel *grid, QObject *parent) : QItemSelectionModel(grid, parent), grid_(grid) {}

    void setCurrentIndex(const QModelIndex &index, QItemSelectionModel::SelectionFlags command) override
    {
        const QModelIndex modelCurrent = grid_->index(grid_->CurrentRow() - 1, grid_->CurrentCol());
        if (index.isValid() && index != modelCurrent && !grid_->SetCurrentCell(index.column(), index.row() + 1))
            return;
        QItemSelectionModel::setCurrentIndex(index, command);
    }

private:
    GridModel *grid_;
};

} // namespace

StringGrid::StringGrid(QWidget *parent) : QTableView(parent)
{
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

void StringGrid::setDelegate(RecordDelegate *delegate)
{
    delegate_ = delegate;
    delegate->grid_ = this;
    grid_ = &delegate->table().grid();
    setItemDelegate(delegate);
    setModel(grid_);
    QItemSelectionModel *old = selectionModel();
    setSelectionModel(new VetoSelectionModel(grid_, this));
    delete old;
    connect(grid_, &GridModel::currentCellChanged, this, &StringGrid::followCurrentCell);
    connect(grid_, &QAbstractItemModel::modelReset, this, &StringGrid::followCurrentCell);
    connect(grid_, &QAbstractItemModel::rowsRemoved, this, &StringGrid::followCurrentCell);
    connect(grid_, &QAbstractItemModel::layoutChanged, this, &StringGrid::followCurrentCell);
    followCurrentCell();
}

void StringGrid::setDefaultSizes(int columnWidth, int rowHeight)
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

void StringGrid::followCurrentCell()
{
    selectionModel()->setCurrentIndex(grid_->index(grid_->CurrentRow() - 1, grid_->CurrentCol()),
                                      QItemSelectionModel::NoUpdate);
}

void StringGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // Not QTableView's: it tells a screen reader the cell's number in Qt's
    // own accessible table, which the grid's replaces (grid/gridaccessible.h).
    QAbstractItemView::currentChanged(current, previous);
    NotifyCurrentCell(this, current);
    if (current.isValid())
        scrollTo(current);
    viewport()->update();
}

void StringGrid::changeEvent(QEvent *event)
{
    // The headings are written in the grid's font, not in the one the
    // desktop gives headers.
    if (event->type() == QEvent::FontChange)
        horizontalHeader()->setFont(font());
    QTableView::changeEvent(event);
}

void StringGrid::openEditor()
{
    if (!isEditorOpen() && currentIndex().isValid())
        edit(currentIndex(), QAbstractItemView::EditKeyPressed, nullptr);
}

void StringGrid::hideEditor()
{
    if (QLineEdit *editor = editor_) {
        closeEditor(editor, QAbstractItemDelegate::NoHint);
        setFocus();
    }
}

void StringGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (editor == editor_)
        editor_.clear();
    QTableView::closeEditor(editor, hint);
}

bool StringGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    const bool wouldOpen = index.isValid() && !isEditorOpen() && state() != QAbstractItemView::EditingState
                           && (trigger == QAbstractItemView::AllEditTriggers || (editTriggers() & trigger));
    if (wouldOpen && delegate_ && !delegate_->openCell(index))
        return false;
    return QTableView::edit(index, trigger, event);
}

bool StringGrid::tabTarget(bool backwards, int &column, int &row) const
{
    column = grid_->CurrentCol() + (backwards ? -1 : 1);
    row = grid_->CurrentRow();
    if (column >= grid_->ColCount()) {
        column = 0;
        ++row;
    } else if (column < 0) {
        column = grid_->ColCount() - 1;
        --row;
    }
    return row >= 1 && row < grid_->RowCount();
}

bool StringGrid::moveByTab(bool backwards)
{
    int column = 0;
    int row = 0;
    return tabTarget(backwards, column, row) && grid_->SetCurrentCell(column, row);
}

bool StringGrid::handleKey(QKeyEvent *event)
{
    if (!grid_)
        return false;
    if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) && !isEditorOpen()) {
        // Ctrl+Tab leaves the grid, and so do Tab past its last cell and
        // Shift+Tab before its first, so that the keyboard reaches the rest
        // of the window.
        const bool backwards = event->key() == Qt::Key_Backtab || event->modifiers().testFlag(Qt::ShiftModifier);
        int column = 0;
        int row = 0;
        if (event->modifiers().testFlag(Qt::ControlModifier) || !tabTarget(backwards, column, row)) {
            QWidget::focusNextPrevChild(!backwards);
            return true;
        }
    }
    if (event->key() == Qt::Key_Backtab) {
        moveByTab(true);
        return true;
    }
    const QChar key = TypedTextGuard::typedCharacter(event);
    if (key == QChar(KeyTab) || key == QChar(KeyEnter)) {
        // The grid's own move comes first; while an entry is open it is
        // refused, and the confirmation moves on itself.
        const bool tab = key == QChar(KeyTab);
        if (tab && !event->modifiers().testFlag(Qt::ShiftModifier))
            moveByTab(false);
        // Enter closes an editor that was open when it was pressed, even when
        // the confirmation moved the rows and the view closed it already, and
        // opens one otherwise.
        const bool editorWasOpen = isEditorOpen();
        if (delegate_ && !delegate_->confirmEntry(tab))
            return true;
        if (!tab) {
            if (editorWasOpen)
                hideEditor();
            else
                openEditor();
        }
        return true;
    }
    // A typed character is judged here only while no editor is open: the
    // editor's own guard judges what is typed into it.
    return key.isPrint() && !isEditorOpen() && delegate_ && delegate_->keyRejected(currentIndex(), key);
}

void StringGrid::keyPressEvent(QKeyEvent *event)
{
    if (handleKey(event)) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void StringGrid::paintCellText(QPainter &painter, const QRect &rect, const QString &text, const CellColors &colors)
{
    painter.fillRect(rect, colors.brush);
    painter.setPen(colors.font);
    painter.setClipRect(rect);
    const QRect textRect = rect.adjusted(2, 2, 0, 0);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    painter.setClipping(false);
}
