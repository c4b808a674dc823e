#include "gridmodel.h"

#include <algorithm>

namespace {
constexpr int MinRowCount = 2;
constexpr int MaxColumns = 32;

quint32 bitOf(int column)
{
    return quint32(1) << column;
}
} // namespace

GridModel::GridModel(int colCount, QObject *parent)
    : QAbstractTableModel(parent), colCount_(qBound(1, colCount, MaxColumns))
{
    ensureStored(rowCount_ - 1);
}

void GridModel::ensureStored(int row)
{
    while (rows_.size() <= row)
        rows_.append(Row{QStringList(colCount_, QString()), 0});
}

void GridModel::SetRowCount(int rowCount)
{
    rowCount = qMax(MinRowCount, rowCount);
    if (rowCount == rowCount_)
        return;
    ensureStored(rowCount - 1);
    const bool notify = bulkDepth_ == 0;
    if (rowCount > rowCount_) {
        if (notify)
            beginInsertRows({}, rowCount_ - 1, rowCount - 2);
        rowCount_ = rowCount;
        if (notify)
            endInsertRows();
    } else {
        if (notify)
            beginRemoveRows({}, rowCount - 1, rowCount_ - 2);
        rowCount_ = rowCount;
        if (notify)
            endRemoveRows();
    }
    clampCurrentCell();
}

void GridModel::clampCurrentCell()
{
    const int row = qBound(1, currentRow_, rowCount_ - 1);
    const int col = qBound(0, currentCol_, colCount_ - 1);
    if (row == currentRow_ && col == currentCol_)
        return;
    currentRow_ = row;
    currentCol_ = col;
    Q_EMIT currentCellChanged(currentCol_, currentRow_);
}

QString GridModel::Cell(int column, int row) const
{
    if (column < 0 || column >= colCount_ || row < 0 || row >= rows_.size())
        return {};
    return rows_.at(row).cells.at(column);
}

QStringList GridModel::RowTexts(int row) const
{
    if (row < 0 || row >= rows_.size())
        return QStringList(colCount_, QString());
    return rows_.at(row).cells;
}

void GridModel::cellChanged(int column, int row, const QList<int> &roles)
{
    if (bulkDepth_ > 0 || row >= rowCount_)
        return;
    if (row == 0) {
        Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
    } else {
        const QModelIndex changed = index(row - 1, column);
        Q_EMIT dataChanged(changed, changed, roles);
    }
}

void GridModel::SetCell(int column, int row, const QString &text)
{
    if (column < 0 || column >= colCount_ || row < 0)
        return;
    ensureStored(row);
    QString &cell = rows_[row].cells[column];
    if (cell == text)
        return;
    cell = text;
    cellChanged(column, row, {Qt::DisplayRole, Qt::EditRole});
}

void GridModel::ClearRow(int row)
{
    if (row < 0)
        return;
    ensureStored(row);
    Row &cleared = rows_[row];
    const bool wasEmpty =
        cleared.marks == 0 && std::all_of(cleared.cells.cbegin(), cleared.cells.cend(), [](const QString &c) {
            return c.isEmpty();
        });
    if (wasEmpty)
        return;
    cleared = Row{QStringList(colCount_, QString()), 0};
    if (bulkDepth_ == 0 && row > 0 && row < rowCount_)
        Q_EMIT dataChanged(index(row - 1, 0), index(row - 1, colCount_ - 1));
}

bool GridModel::IsMarked(int column, int row) const
{
    return column >= 0 && column < colCount_ && row >= 0 && row < rows_.size() && (rows_.at(row).marks & bitOf(column));
}

void GridModel::MarkCell(int column, int row)
{
    if (column < 0 || column >= colCount_ || row < 1 || IsMarked(column, row))
        return;
    ensureStored(row);
    rows_[row].marks |= bitOf(column);
    cellChanged(column, row, {Qt::BackgroundRole, Qt::ForegroundRole});
}

void GridModel::UnmarkCell(int column, int row)
{
    if (!IsMarked(column, row))
        return;
    rows_[row].marks &= ~bitOf(column);
    cellChanged(column, row, {Qt::BackgroundRole, Qt::ForegroundRole});
}

bool GridModel::HasMarkedCells() const
{
    for (int r = 1; r < rowCount_; ++r) {
        if (rows_.at(r).marks != 0)
            return true;
    }
    return false;
}

bool GridModel::SetCurrentCell(int column, int row)
{
    column = qBound(0, column, colCount_ - 1);
    row = qBound(1, row, rowCount_ - 1);
    if (column == currentCol_ && row == currentRow_)
        return true;
    if (selectCellHook_ && !selectCellHook_(column, row))
        return false;
    currentCol_ = column;
    currentRow_ = row;
    Q_EMIT currentCellChanged(currentCol_, currentRow_);
    return true;
}

void GridModel::PermuteRows(const std::vector<int> &order)
{
    Q_ASSERT(int(order.size()) == rowCount_ - 1);
    const bool notify = bulkDepth_ == 0;
    if (notify)
        Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);

    QList<Row> moved;
    moved.reserve(qsizetype(order.size()));
    for (int source : order)
        moved.append(std::move(rows_[source]));
    for (size_t k = 0; k < order.size(); ++k)
        rows_[qsizetype(k) + 1] = std::move(moved[qsizetype(k)]);

    if (notify) {
        // Persistent indexes follow their rows.
        std::vector<int> newRowOf(order.size() + 1, 0);
        for (size_t k = 0; k < order.size(); ++k)
            newRowOf[size_t(order[k])] = int(k) + 1;
        const QModelIndexList from = persistentIndexList();
        QModelIndexList to;
        to.reserve(from.size());
        for (const QModelIndex &index : from)
            to.append(this->index(newRowOf[size_t(index.row() + 1)] - 1, index.column()));
        changePersistentIndexList(from, to);
        Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }
}

void GridModel::DropRows(const std::vector<int> &rows)
{
    if (rows.empty())
        return;
    Q_ASSERT(std::is_sorted(rows.begin(), rows.end()));
    const bool notify = bulkDepth_ == 0;
    // Contiguous runs from the bottom up, so earlier row numbers stay valid.
    size_t end = rows.size();
    while (end > 0) {
        size_t begin = end - 1;
        while (begin > 0 && rows[begin - 1] == rows[begin] - 1)
            --begin;
        int first = rows[begin];
        const int last = rows[end - 1];
        // One data row always stays; when it would go it is emptied instead.
        if (first == 1 && last == rowCount_ - 1) {
            ClearRow(1);
            first = 2;
        }
        if (first <= last) {
            if (notify)
                beginRemoveRows({}, first - 1, last - 1);
            rows_.remove(first, last - first + 1);
            rowCount_ -= last - first + 1;
            if (notify)
                endRemoveRows();
        }
        end = begin;
    }
    ensureStored(rowCount_ - 1);
    clampCurrentCell();
}

void GridModel::beginBulkUpdate()
{
    if (bulkDepth_++ == 0)
        beginResetModel();
}

void GridModel::endBulkUpdate()
{
    Q_ASSERT(bulkDepth_ > 0);
    if (--bulkDepth_ == 0)
        endResetModel();
}

int GridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rowCount_ - 1;
}

int GridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : colCount_;
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return Cell(index.column(), index.row() + 1);
    case Qt::BackgroundRole:
        return IsMarked(index.column(), index.row() + 1) ? QVariant(markBrush()) : QVariant();
    case Qt::ForegroundRole:
        return IsMarked(index.column(), index.row() + 1) ? QVariant(markText()) : QVariant();
    default:
        return {};
    }
}

bool GridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole
        || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    SetCell(index.column(), index.row() + 1, value.toString());
    return true;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= colCount_)
        return QAbstractTableModel::headerData(section, orientation, role);
    return Cell(section, 0);
}

Qt::ItemFlags GridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}
