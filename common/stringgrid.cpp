#include "stringgrid.h"

#include "gridmodel.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

namespace {

constexpr char16_t KeyCodeBackspace = 8;
constexpr char16_t KeyCodeTab = 9;
constexpr char16_t KeyCodeEnter = 13;

// The character a key press types, as the key-press handler sees it:
// printable characters, Backspace, Tab and Enter.  Other keys (arrows,
// Delete, shortcuts) type nothing.
QChar typedCharacter(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Tab:
        return QChar(KeyCodeTab);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(KeyCodeEnter);
    case Qt::Key_Backspace:
        return QChar(KeyCodeBackspace);
    default:
        break;
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return {};
    const QString text = event->text();
    if (text.size() != 1 || !text.at(0).isPrint())
        return {};
    return text.at(0);
}

// Refuses every move of the current cell that the grid's select-cell handler
// refuses, whether it comes from the mouse, the keyboard or the program.
class VetoSelectionModel : public QItemSelectionModel
{
public:
    VetoSelectionModel(GridModel *grid, const bool &syncing, QObject *parent)
        : QItemSelectionModel(grid, parent), grid_(grid), syncing_(syncing)
    {
    }

    void setCurrentIndex(const QModelIndex &index, QItemSelectionModel::SelectionFlags command) override
    {
        if (!syncing_ && index.isValid() && index != currentIndex()
            && !grid_->SetCurrentCell(index.column(), index.row() + 1))
            return;
        QItemSelectionModel::setCurrentIndex(index, command);
    }

private:
    GridModel *grid_;
    const bool &syncing_;
};

} // namespace

class StringGridDelegate : public QStyledItemDelegate
{
public:
    explicit StringGridDelegate(StringGrid *grid) : QStyledItemDelegate(grid), grid_(grid) {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        auto *editor = new QLineEdit(parent);
        editor->setFrame(false);
        editor->setFont(option.font);
        grid_->editorCreated(editor, index);
        return editor;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        if (auto *line = qobject_cast<QLineEdit *>(editor)) {
            line->setText(index.data(Qt::EditRole).toString());
            grid_->editorAcceptedText_ = line->text();
        }
    }

    // The editor writes the cell on every change; closing it writes nothing.
    void setModelData(QWidget *, QAbstractItemModel *, const QModelIndex &) const override {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        if (!grid_->cellPainter_) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const bool current = index == grid_->currentIndex();
        const bool focused = grid_->hasFocus() || grid_->isEditorOpen();
        const QPalette &palette = option.palette;
        CellColors colors{palette.color(QPalette::Base), palette.color(QPalette::Text)};
        if (current && focused)
            colors = {palette.color(QPalette::Highlight), palette.color(QPalette::HighlightedText)};
        painter->save();
        grid_->cellPainter_(*painter, index.column(), index.row() + 1, option.rect, colors);
        painter->restore();
    }

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        auto *editor = qobject_cast<QLineEdit *>(object);
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::ContextMenu:
        case QEvent::Drop:
            // What follows these is no typed key.
            grid_->typedKeyPending_ = false;
            break;
        default:
            break;
        }
        if (editor && event->type() == QEvent::KeyPress && !grid_->forwardingKey_) {
            if (grid_->handleKey(static_cast<QKeyEvent *>(event)))
                return true;
        } else if (editor && event->type() == QEvent::FocusOut
                   && QApplication::focusWidget() == grid_) {
            // A click into the grid while the editor is open: the grid's
            // select-cell handler decides whether the current cell moves; if
            // it does not, the editor stays open with its text.
            QMetaObject::invokeMethod(editor, [editor] { editor->setFocus(); }, Qt::QueuedConnection);
            return false;
        }
        if (event->type() == QEvent::KeyPress && editor) {
            // Tab, Enter and Escape were handled above; leave the rest to
            // the editor rather than to the base class's commit logic.
            return false;
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    StringGrid *grid_;
};

// The heading row: the grid's heading painter draws over each cell, and its
// mouse-down handler sees presses on the headings.
class StringGridHeader : public QHeaderView
{
public:
    explicit StringGridHeader(StringGrid *grid) : QHeaderView(Qt::Horizontal, grid), grid_(grid) {}

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override
    {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        if (grid_->headingPainter_ && rect.isValid()) {
            painter->save();
            // The style may leave a clip of its own behind.
            painter->setClipRect(rect);
            grid_->headingPainter_(*painter, logicalIndex, rect);
            painter->restore();
        }
    }

    void mousePressEvent(QMouseEvent *event) override
    {
        const QPoint pos = event->position().toPoint();
        const int column = logicalIndexAt(pos);
        if (grid_->mouseDown_ && column >= 0 && !onResizeGrip(pos.x(), column)) {
            const GridMouseDown press{event->button(), event->buttons(), event->modifiers(),
                                      column,          0,               event->globalPosition().toPoint()};
            if (grid_->mouseDown_(press)) {
                event->accept();
                return;
            }
        }
        QHeaderView::mousePressEvent(event);
    }

private:
    // A press this close to a heading's edge starts resizing its column.
    bool onResizeGrip(int x, int column) const
    {
        const int margin = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
        const int left = sectionViewportPosition(column);
        const int right = left + sectionSize(column);
        const bool nearLeft = x < left + margin && visualIndex(column) > 0;
        const bool nearRight = x >= right - margin;
        return sectionResizeMode(column) == Interactive && (nearLeft || nearRight);
    }

    StringGrid *grid_;
};

StringGrid::StringGrid(QWidget *parent) : QTableView(parent), delegate_(new StringGridDelegate(this))
{
    setHorizontalHeader(new StringGridHeader(this));
    setItemDelegate(delegate_);
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

void StringGrid::setGrid(GridModel *grid)
{
    grid_ = grid;
    setModel(grid);
    QItemSelectionModel *old = selectionModel();
    setSelectionModel(new VetoSelectionModel(grid, syncing_, this));
    delete old;
    grid_->SetSelectCellHook(selectCell_);
    connect(grid_, &GridModel::currentCellChanged, this, &StringGrid::syncCurrentFromGrid);
    connect(grid_, &QAbstractItemModel::modelReset, this, &StringGrid::syncCurrentFromGrid);
    connect(grid_, &QAbstractItemModel::rowsRemoved, this, &StringGrid::syncCurrentFromGrid);
    connect(grid_, &QAbstractItemModel::layoutChanged, this, &StringGrid::syncCurrentFromGrid);
    syncCurrentFromGrid();
}

void StringGrid::setSelectCellHandler(SelectCellHandler handler)
{
    selectCell_ = std::move(handler);
    if (grid_)
        grid_->SetSelectCellHook(selectCell_);
}

void StringGrid::setDefaultSizes(int columnWidth, int rowHeight)
{
    horizontalHeader()->setDefaultSectionSize(columnWidth);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setFixedHeight(rowHeight);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

void StringGrid::syncCurrentFromGrid()
{
    if (!grid_)
        return;
    const QModelIndex wanted = grid_->index(grid_->CurrentRow() - 1, grid_->CurrentCol());
    if (wanted == currentIndex())
        return;
    syncing_ = true;
    selectionModel()->setCurrentIndex(wanted, QItemSelectionModel::NoUpdate);
    syncing_ = false;
}

void StringGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (current.isValid())
        scrollTo(current);
    viewport()->update();
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

void StringGrid::mousePressEvent(QMouseEvent *event)
{
    if (mouseDown_) {
        const QPoint pos = event->position().toPoint();
        const int row = rowAt(pos.y());
        const GridMouseDown press{event->button(), event->buttons(), event->modifiers(),
                                  columnAt(pos.x()), row < 0 ? -1 : row + 1, event->globalPosition().toPoint()};
        if (mouseDown_(press)) {
            event->accept();
            return;
        }
    }
    QTableView::mousePressEvent(event);
}

bool StringGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    const bool wouldOpen = index.isValid() && !isEditorOpen() && state() != QAbstractItemView::EditingState
                           && (trigger == QAbstractItemView::AllEditTriggers || (editTriggers() & trigger));
    if (wouldOpen && getEditText_ && !getEditText_(index.column(), index.row() + 1))
        return false;
    return QTableView::edit(index, trigger, event);
}

void StringGrid::editorCreated(QLineEdit *editor, const QModelIndex &index)
{
    editor_ = editor;
    editorIndex_ = index;
    connect(editor, &QLineEdit::textEdited, this, [this, editor](const QString &text) {
        editorTextEdited(editor, text);
    });
    connect(editor, &QObject::destroyed, this, [this] { editorIndex_ = QPersistentModelIndex(); });
}

void StringGrid::editorTextEdited(QLineEdit *editor, const QString &text)
{
    const bool typed = typedKeyPending_;
    typedKeyPending_ = false;
    if (!editorIndex_.isValid())
        return;
    const int column = editorIndex_.column();
    const int row = editorIndex_.row() + 1;
    // Only text that was not typed key by key is judged as a whole; shorter
    // text (a deletion) always stands.
    if (!typed && text.size() > editorAcceptedText_.size() && insertedText_
        && !insertedText_(column, row, text)) {
        const QSignalBlocker blocker(editor);
        editor->setText(editorAcceptedText_);
        return;
    }
    editorAcceptedText_ = text;
    grid_->SetCell(column, row, text);
    if (setEditText_)
        setEditText_(column, row, text);
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
    typedKeyPending_ = false;
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
    QChar key = typedCharacter(event);
    if (key.isNull())
        return false;

    // The grid's own move comes first; while an entry is open the
    // select-cell handler refuses it, and the key-press handler then
    // confirms the entry and moves on itself.
    if (key == QChar(KeyCodeTab) && !(event->modifiers() & Qt::ShiftModifier))
        moveByTab(false);

    // Enter closes an editor that was open when it was pressed, even when
    // the handler's confirmation moved the rows and the view closed it
    // already, and opens one otherwise.
    const bool editorWasOpen = isEditorOpen();
    if (keyPress_)
        keyPress_(key);

    if (key == QChar(KeyCodeTab))
        return true;
    if (key.isNull())
        return true;
    if (key == QChar(KeyCodeEnter)) {
        if (editorWasOpen)
            hideEditor();
        else
            openEditor();
        return true;
    }
    typedKeyPending_ = true;
    return false;
}

void StringGrid::keyPressEvent(QKeyEvent *event)
{
    if (handleKey(event)) {
        event->accept();
        return;
    }
    // A typed character that may open the editor reaches it once, unfiltered
    // a second time.
    forwardingKey_ = true;
    QTableView::keyPressEvent(event);
    forwardingKey_ = false;
    typedKeyPending_ = false;
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
