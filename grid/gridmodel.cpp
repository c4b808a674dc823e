#include "gridmodel.h"

#include "common/windowstyle.h"

#include <algorithm>

namespace {
constexpr int MinRowCount = 2;
constexpr int MaxColumns = 32;
// A non-character: no code page decodes to it and no filter lets it be typed.
constexpr QChar CellSeparator(0xFDD0);
// Garbage up to this many characters is left in the pool.
constexpr qsizetype PoolSlack = 1 << 20;

quint32 bitOf(int column)
{
    return quint32(1) << column;
}

// The row text of the cells, empty cells at the end left out, appended to
// text.
// The first count cells (at most all), without the empty ones at the end.
void appendJoined(QString &text, const QList<QStringView> &cells, qsizetype count)
{
    qsizetype used = std::min(count, cells.size());
    while (used > 0 && cells.at(used - 1).isEmpty())
        --used;
    for (qsizetype c = 0; c < used; ++c) {
        if (c > 0)
            text += CellSeparator;
        text += cells.at(c);
    }
}

QString joinCells(const QList<QStringView> &cells)
{
    QString text;
    appendJoined(text, cells, cells.size());
    return text;
}

// The position of the next separator in text from pos, or its end.
qsizetype cellEnd(QStringView text, qsizetype pos)
{
    while (pos < text.size() && text.at(pos) != CellSeparator)
        ++pos;
    return pos;
}
} // namespace

GridModel::GridModel(int colCount, QObject *parent)
    : QAbstractTableModel(parent), colCount_(qBound(1, colCount, MaxColumns))
{
    ensureStored(rowCount_ - 1);
}

void GridModel::ensureStored(int row)
{
    if (rows_.size() <= row)
        rows_.resize(row + 1);
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

QStringView GridModel::rowText(int row) const
{
    const Row &r = rows_.at(row);
    return QStringView(pool_).sliced(r.offset, r.length);
}

void GridModel::storeRowText(int row, QStringView text)
{
    Row &r = rows_[row];
    garbage_ += r.length;
    if (text.size() <= qsizetype(r.length)) {
        std::copy(text.begin(), text.end(), pool_.begin() + r.offset);
    } else {
        Q_ASSERT(pool_.size() + text.size() <= qsizetype(UINT32_MAX));
        r.offset = quint32(pool_.size());
        pool_ += text;
    }
    r.length = quint32(text.size());
    garbage_ -= r.length;
    if (garbage_ > PoolSlack && garbage_ > pool_.size() / 2)
        compactPool();
}

void GridModel::compactPool()
{
    QString compact;
    compact.reserve(pool_.size() - garbage_);
    for (Row &r : rows_) {
        const QStringView text = QStringView(pool_).sliced(r.offset, r.length);
        r.offset = quint32(compact.size());
        compact += text;
    }
    pool_ = compact;
    garbage_ = 0;
}

QStringView GridModel::CellView(int column, int row) const
{
    if (column < 0 || column >= colCount_ || row < 0 || row >= rows_.size())
        return {};
    const QStringView text = rowText(row);
    qsizetype pos = 0;
    for (int c = 0; c < column; ++c) {
        pos = cellEnd(text, pos) + 1;
        if (pos > text.size())
            return {};
    }
    return text.sliced(pos, cellEnd(text, pos) - pos);
}

void GridModel::RowCells(int row, QList<QStringView> &cells) const
{
    cells.resize(colCount_);
    QStringView *cell = cells.data(); // detached once, not at every cell
    const QStringView text = row >= 0 && row < rows_.size() ? rowText(row) : QStringView();
    qsizetype pos = 0;
    for (int c = 0; c < colCount_; ++c) {
        const qsizetype end = cellEnd(text, pos);
        cell[c] = pos < text.size() ? text.sliced(pos, end - pos) : QStringView();
        pos = end + 1;
    }
}

QString GridModel::Cell(int column, int row) const
{
    return CellView(column, row).toString();
}

QStringList GridModel::RowTexts(int row) const
{
    QStringList texts;
    for (int c = 0; c < colCount_; ++c)
        texts << Cell(c, row);
    return texts;
}

void GridModel::ReserveRows(int rows)
{
    rows_.reserve(rows);
}

bool GridModel::RowIsEmpty(int row) const
{
    return row < 0 || row >= rows_.size() || rows_.at(row).length == 0;
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
    Q_ASSERT(!text.contains(CellSeparator));
    ensureStored(row);
    if (CellView(column, row) == text)
        return;
    QList<QStringView> cells;
    for (int c = 0; c < colCount_; ++c)
        cells << (c == column ? QStringView(text) : CellView(c, row));
    storeRowText(row, joinCells(cells));
    cellChanged(column, row, {Qt::DisplayRole, Qt::EditRole, Qt::AccessibleTextRole});
}

void GridModel::SetRowTexts(int row, const QList<QStringView> &cells)
{
    if (row < 0)
        return;
    ensureStored(row);
    // Written straight into the pool: the cells are no views into it.
    Row &r = rows_[row];
    garbage_ += r.length;
    r.offset = quint32(pool_.size());
    appendJoined(pool_, cells, colCount_);
    Q_ASSERT(pool_.size() <= qsizetype(UINT32_MAX));
    r.length = quint32(pool_.size() - r.offset);
    if (bulkDepth_ == 0 && row > 0 && row < rowCount_)
        Q_EMIT dataChanged(index(row - 1, 0), index(row - 1, colCount_ - 1));
}

void GridModel::ClearRow(int row)
{
    if (row < 0)
        return;
    ensureStored(row);
    if (rows_.at(row).length == 0 && rows_.at(row).marks == 0)
        return;
    storeRowText(row, QStringView());
    rows_[row].marks = 0;
    if (bulkDepth_ == 0 && row > 0 && row < rowCount_)
        Q_EMIT dataChanged(index(row - 1, 0), index(row - 1, colCount_ - 1));
}

bool GridModel::IsMarked(int column, int row) const
{
    return column >= 0 && column < colCount_ && row >= 0 && row < rows_.size() && (rows_.at(row).marks & bitOf(column));
}

void GridModel::MarkCells(int row, quint32 columns)
{
    if (row < 1)
        return;
    ensureStored(row);
    const quint32 added = columns & ~rows_.at(row).marks & (bitOf(colCount_ - 1) * 2 - 1);
    if (added == 0)
        return;
    rows_[row].marks |= added;
    if (bulkDepth_ == 0 && row < rowCount_)
        Q_EMIT dataChanged(index(row - 1, 0), index(row - 1, colCount_ - 1), {Qt::BackgroundRole, Qt::ForegroundRole});
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

    // In place, cycle by cycle: a large table is not copied.
    std::vector<bool> placed(order.size(), false);
    for (size_t start = 0; start < order.size(); ++start) {
        if (placed[start])
            continue;
        const Row first = rows_.at(qsizetype(start) + 1);
        size_t k = start;
        while (size_t(order[k] - 1) != start) {
            rows_[qsizetype(k) + 1] = rows_.at(order[k]);
            placed[k] = true;
            k = size_t(order[k] - 1);
        }
        rows_[qsizetype(k) + 1] = first;
        placed[k] = true;
    }

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
            for (int r = first; r <= last; ++r)
                garbage_ += rows_.at(r).length;
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

QString GridModel::ShownText(int column, int row) const
{
    // Far more characters than the widest column shows.
    constexpr qsizetype MostShown = 256;
    const QString start = CellView(column, row).left(MostShown).toString();
    return shownForm_ ? shownForm_(column, start) : start;
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return Cell(index.column(), index.row() + 1);
    case Qt::AccessibleTextRole:
        return ShownText(index.column(), index.row() + 1);
    case Qt::BackgroundRole:
        return IsMarked(index.column(), index.row() + 1) ? QVariant(MarkBrush()) : QVariant();
    case Qt::ForegroundRole:
        return IsMarked(index.column(), index.row() + 1) ? QVariant(MarkText()) : QVariant();
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
