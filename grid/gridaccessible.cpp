#include "gridaccessible.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QHeaderView>
#include <QTableView>

#include <algorithm>

namespace {

class GridTable;

// A cell of the grid, or the heading of a column (row -1), by its place: it
// reads the model when asked, so it never holds a stale text.
class GridCell : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    GridCell(GridTable *table, int row, int column) : table_(table), row_(row), column_(column) {}

    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return row_ < 0 ? QAccessible::ColumnHeader : QAccessible::Cell; }
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface *>(this) : nullptr;
    }

    bool isSelected() const override;
    QList<QAccessibleInterface *> columnHeaderCells() const override;
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override;

    int row() const { return row_; }
    int column() const { return column_; }
    const GridTable *owner() const { return table_; }

private:
    QTableView *view() const;
    QModelIndex index() const;

    GridTable *table_;
    int row_;
    int column_;
};

class GridTable : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit GridTable(QTableView *view) : QAccessibleWidget(view, QAccessible::Table) {}
    ~GridTable() override { dropCells(); }

    QTableView *view() const { return static_cast<QTableView *>(widget()); }
    QModelIndex index(int row, int column) const
    {
        const QAbstractItemModel *model = view()->model();
        return model ? model->index(row, column, view()->rootIndex()) : QModelIndex();
    }
    // The cell's interface, made when first asked for; row -1 is the
    // headings' row.
    QAccessibleInterface *cell(int row, int column) const
    {
        const quint64 key = (quint64(quint32(row)) << 32) | quint32(column);
        QAccessible::Id id = cells_.value(key);
        if (!id) {
            id = QAccessible::registerAccessibleInterface(new GridCell(const_cast<GridTable *>(this), row, column));
            cells_.insert(key, id);
        }
        return QAccessible::accessibleInterface(id);
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    int childCount() const override { return rowCount() * columnCount(); }
    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        return cell(index / columnCount(), index % columnCount());
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const auto *cell = dynamic_cast<const GridCell *>(child);
        if (!cell || cell->owner() != this || cell->row() < 0 || cell->row() >= rowCount()
            || cell->column() >= columnCount())
            return -1;
        return cell->row() * columnCount() + cell->column();
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QModelIndex index = view()->indexAt(view()->viewport()->mapFromGlobal(QPoint(x, y)));
        return index.isValid() ? cell(index.row(), index.column()) : nullptr;
    }
    QAccessibleInterface *focusChild() const override
    {
        const QModelIndex current = view()->currentIndex();
        return view()->hasFocus() && current.isValid() ? cell(current.row(), current.column()) : nullptr;
    }

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override
    {
        return cell(std::clamp(row, 0, std::max(rowCount() - 1, 0)),
                    std::clamp(column, 0, std::max(columnCount() - 1, 0)));
    }
    int selectedCellCount() const override { return int(selectedIndexes().size()); }
    QList<QAccessibleInterface *> selectedCells() const override
    {
        QList<QAccessibleInterface *> cells;
        for (const QModelIndex &index : selectedIndexes())
            cells.append(cell(index.row(), index.column()));
        return cells;
    }
    QString columnDescription(int column) const override
    {
        const QAbstractItemModel *model = view()->model();
        return model ? model->headerData(column, Qt::Horizontal).toString() : QString();
    }
    QString rowDescription(int row) const override
    {
        const QAbstractItemModel *model = view()->model();
        return model && !view()->verticalHeader()->isHidden() ? model->headerData(row, Qt::Vertical).toString()
                                                              : QString();
    }
    int selectedColumnCount() const override { return int(selectedColumns().size()); }
    int selectedRowCount() const override { return int(selectedRows().size()); }
    int columnCount() const override
    {
        const QAbstractItemModel *model = view()->model();
        return model ? model->columnCount(view()->rootIndex()) : 0;
    }
    int rowCount() const override
    {
        const QAbstractItemModel *model = view()->model();
        return model ? model->rowCount(view()->rootIndex()) : 0;
    }
    QList<int> selectedColumns() const override
    {
        QList<int> columns;
        if (const QItemSelectionModel *selection = view()->selectionModel())
            for (const QModelIndex &index : selection->selectedColumns())
                columns.append(index.column());
        return columns;
    }
    QList<int> selectedRows() const override
    {
        QList<int> rows;
        if (const QItemSelectionModel *selection = view()->selectionModel())
            for (const QModelIndex &index : selection->selectedRows())
                rows.append(index.row());
        return rows;
    }
    bool isColumnSelected(int column) const override
    {
        const QItemSelectionModel *selection = view()->selectionModel();
        return selection && selection->isColumnSelected(column, view()->rootIndex());
    }
    bool isRowSelected(int row) const override
    {
        const QItemSelectionModel *selection = view()->selectionModel();
        return selection && selection->isRowSelected(row, view()->rootIndex());
    }
    // The view keeps its selection to itself: the grids select nothing, and
    // their current cell moves only as the program allows.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }

    // Once the rows or columns change, the cells a screen reader knows may
    // hold other texts: it gets new ones.  A changed text is read when asked.
    void modelChange(QAccessibleTableModelChangeEvent *event) override
    {
        if (event->modelChangeType() != QAccessibleTableModelChangeEvent::DataChanged)
            dropCells();
    }

private:
    QModelIndexList selectedIndexes() const
    {
        const QItemSelectionModel *selection = view()->selectionModel();
        return selection ? selection->selectedIndexes() : QModelIndexList();
    }
    void dropCells()
    {
        for (const QAccessible::Id id : std::as_const(cells_))
            QAccessible::deleteAccessibleInterface(id);
        cells_.clear();
    }

    mutable QHash<quint64, QAccessible::Id> cells_;
};

QTableView *GridCell::view() const
{
    return table_->view();
}

QModelIndex GridCell::index() const
{
    return row_ < 0 ? QModelIndex() : table_->index(row_, column_);
}

bool GridCell::isValid() const
{
    return table_->isValid() && column_ < table_->columnCount() && (row_ < 0 || index().isValid());
}

QWindow *GridCell::window() const
{
    return table_->window();
}

QAccessibleInterface *GridCell::parent() const
{
    return table_;
}

QAccessibleInterface *GridCell::table() const
{
    return table_;
}

QString GridCell::text(QAccessible::Text t) const
{
    if (row_ < 0)
        return t == QAccessible::Name ? table_->columnDescription(column_) : QString();
    const QModelIndex cell = index();
    switch (t) {
    case QAccessible::Name: {
        const QVariant shown = cell.data(Qt::AccessibleTextRole);
        return shown.isValid() ? shown.toString() : cell.data(Qt::DisplayRole).toString();
    }
    case QAccessible::Description:
        return cell.data(Qt::AccessibleDescriptionRole).toString();
    default:
        return {};
    }
}

QRect GridCell::rect() const
{
    if (row_ < 0) {
        const QHeaderView *header = view()->horizontalHeader();
        const QRect section(header->sectionViewportPosition(column_), 0, header->sectionSize(column_),
                            header->height());
        return QRect(header->viewport()->mapToGlobal(section.topLeft()), section.size());
    }
    const QRect shown = view()->visualRect(index());
    return QRect(view()->viewport()->mapToGlobal(shown.topLeft()), shown.size());
}

QAccessible::State GridCell::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    if (row_ < 0)
        return state;
    const QTableView *grid = view();
    const QModelIndex cell = index();
    state.offscreen = !grid->viewport()->rect().intersects(grid->visualRect(cell));
    state.invisible = !grid->isVisible() || grid->isRowHidden(row_) || grid->isColumnHidden(column_);
    state.focusable = grid->focusPolicy() != Qt::NoFocus;
    state.focused = grid->hasFocus() && grid->currentIndex() == cell;
    state.selectable = grid->selectionMode() != QAbstractItemView::NoSelection;
    state.selected = isSelected();
    state.editable = cell.flags().testFlag(Qt::ItemIsEditable);
    return state;
}

bool GridCell::isSelected() const
{
    const QItemSelectionModel *selection = view()->selectionModel();
    return row_ >= 0 && selection && selection->isSelected(index());
}

QList<QAccessibleInterface *> GridCell::columnHeaderCells() const
{
    if (row_ < 0 || view()->horizontalHeader()->isHidden())
        return {};
    return {table_->cell(-1, column_)};
}

QAccessibleInterface *gridFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("RecordView") && object && object->isWidgetType())
        return new GridTable(static_cast<QTableView *>(object));
    return nullptr;
}

} // namespace

void InstallGridAccessibility()
{
    QAccessible::installFactory(gridFactory);
}

void NotifyCurrentCell(QTableView *view, const QModelIndex &current)
{
    if (!QAccessible::isActive() || !current.isValid())
        return;
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(view);
    QAccessibleTableInterface *cells = table ? table->tableInterface() : nullptr;
    if (!cells)
        return;
    QAccessibleEvent event(view, QAccessible::Focus);
    event.setChild(table->indexOfChild(cells->cellAt(current.row(), current.column())));
    QAccessible::updateAccessibility(&event);
}
