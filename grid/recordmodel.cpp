#include "recordmodel.h"

#include "common/windowstyle.h"

#include <algorithm>
#include <climits>

namespace {
constexpr int MaxColumns = 32;
// A non-character: no code page decodes to it and no filter lets it be typed.
constexpr QChar CellSeparator(0xFDD0);
// Garbage up to this many characters is left in the pool.
constexpr qsizetype PoolSlack = 1 << 20;
constexpr char16_t CarriageReturn = 13;

quint32 bitOf(int column)
{
    return quint32(1) << column;
}

// The first count cells (at most all), without the empty ones at the end,
// joined and appended to text.
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

// The position of the next separator in text from pos, or its end.
qsizetype cellEnd(QStringView text, qsizetype pos)
{
    while (pos < text.size() && text.at(pos) != CellSeparator)
        ++pos;
    return pos;
}
} // namespace

ColumnSet Columns(std::initializer_list<int> columns)
{
    ColumnSet set;
    for (int c : columns)
        set.set(size_t(c));
    return set;
}

RecordModel::RecordModel(const QStringList &headings, const ColumnSet &required, QObject *parent)
    : QAbstractTableModel(parent), headings_(headings.mid(0, MaxColumns)), required_(required)
{
    Q_ASSERT(!headings_.isEmpty());
    rows_.resize(1);
}

QStringView RecordModel::rowText(int row) const
{
    const Row &r = rows_.at(row);
    return QStringView(pool_).sliced(r.offset, r.length);
}

void RecordModel::storeRowText(int row, QStringView text)
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

void RecordModel::appendRowText(int row, const QList<QStringView> &cells)
{
    // Written straight into the pool: the cells are no views into it.
    Row &r = rows_[row];
    garbage_ += r.length;
    r.offset = quint32(pool_.size());
    appendJoined(pool_, cells, headings_.size());
    Q_ASSERT(pool_.size() <= qsizetype(UINT32_MAX));
    r.length = quint32(pool_.size() - r.offset);
}

void RecordModel::compactPool()
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

QStringView RecordModel::textView(int row, int column) const
{
    if (column < 0 || column >= headings_.size() || row < 0 || row >= rows_.size())
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

QString RecordModel::text(int row, int column) const
{
    return textView(row, column).toString();
}

void RecordModel::rowCells(int row, QList<QStringView> &cells) const
{
    const int columns = int(headings_.size());
    cells.resize(columns);
    QStringView *cell = cells.data(); // detached once, not at every cell
    const QStringView text = row >= 0 && row < rows_.size() ? rowText(row) : QStringView();
    qsizetype pos = 0;
    for (int c = 0; c < columns; ++c) {
        const qsizetype end = cellEnd(text, pos);
        cell[c] = pos < text.size() ? text.sliced(pos, end - pos) : QStringView();
        pos = end + 1;
    }
}

QStringList RecordModel::rowTexts(int row) const
{
    QStringList texts;
    for (int c = 0; c < headings_.size(); ++c)
        texts << text(row, c);
    return texts;
}

void RecordModel::setText(int row, int column, const QString &text)
{
    if (column < 0 || column >= headings_.size() || row < 0 || row >= rows_.size())
        return;
    Q_ASSERT(!text.contains(CellSeparator));
    if (textView(row, column) == text)
        return;
    QList<QStringView> cells;
    rowCells(row, cells);
    cells[column] = text;
    QString joined;
    appendJoined(joined, cells, cells.size());
    storeRowText(row, joined);
    const QModelIndex changed = index(row, column);
    Q_EMIT dataChanged(changed, changed, {Qt::DisplayRole, Qt::EditRole, Qt::AccessibleTextRole});
}

bool RecordModel::isRowEmpty(int row) const
{
    return row < 0 || row >= rows_.size() || rows_.at(row).length == 0;
}

void RecordModel::clearRow(int row)
{
    if (row < 0 || row >= rows_.size() || (rows_.at(row).length == 0 && rows_.at(row).marks == 0))
        return;
    storeRowText(row, QStringView());
    rows_[row].marks = 0;
    Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void RecordModel::setRowCount(int rows)
{
    rows = qMax(1, rows);
    const int count = int(rows_.size());
    if (rows > count) {
        beginInsertRows({}, count, rows - 1);
        rows_.resize(rows);
        endInsertRows();
    } else if (rows < count) {
        beginRemoveRows({}, rows, count - 1);
        for (int r = rows; r < count; ++r)
            garbage_ += rows_.at(r).length;
        rows_.resize(rows);
        endRemoveRows();
    }
}

QString RecordModel::shownForm(int, const QString &text) const
{
    return text;
}

QString RecordModel::shownText(int row, int column) const
{
    // Far more characters than the widest column shows.
    constexpr qsizetype MostShown = 256;
    return shownForm(column, textView(row, column).left(MostShown).toString());
}

bool RecordModel::isMarked(int row, int column) const
{
    return column >= 0 && column < headings_.size() && row >= 0 && row < rows_.size()
           && (rows_.at(row).marks & bitOf(column));
}

void RecordModel::markCells(int row, quint32 columns)
{
    if (row < 0 || row >= rows_.size())
        return;
    const quint32 added = columns & ~rows_.at(row).marks & (bitOf(int(headings_.size()) - 1) * 2 - 1);
    if (added == 0)
        return;
    rows_[row].marks |= added;
    Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1), {Qt::BackgroundRole, Qt::ForegroundRole});
}

void RecordModel::unmarkCell(int row, int column)
{
    if (!isMarked(row, column))
        return;
    rows_[row].marks &= ~bitOf(column);
    const QModelIndex changed = index(row, column);
    Q_EMIT dataChanged(changed, changed, {Qt::BackgroundRole, Qt::ForegroundRole});
}

bool RecordModel::hasMarkedCells() const
{
    return std::any_of(rows_.cbegin(), rows_.cend(), [](const Row &r) { return r.marks != 0; });
}

void RecordModel::permuteRows(const std::vector<int> &order)
{
    Q_ASSERT(qsizetype(order.size()) == rows_.size());
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);

    // In place, cycle by cycle: a large table is not copied.
    std::vector<bool> placed(order.size(), false);
    for (size_t start = 0; start < order.size(); ++start) {
        if (placed[start])
            continue;
        const Row first = rows_.at(qsizetype(start));
        size_t k = start;
        while (size_t(order[k]) != start) {
            rows_[qsizetype(k)] = rows_.at(order[k]);
            placed[k] = true;
            k = size_t(order[k]);
        }
        rows_[qsizetype(k)] = first;
        placed[k] = true;
    }

    std::vector<int> newRowOf(order.size(), 0);
    for (size_t k = 0; k < order.size(); ++k)
        newRowOf[size_t(order[k])] = int(k);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex &index : from)
        to.append(this->index(newRowOf[size_t(index.row())], index.column()));
    changePersistentIndexList(from, to);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void RecordModel::dropRows(const std::vector<int> &rows)
{
    Q_ASSERT(std::is_sorted(rows.begin(), rows.end()));
    // Contiguous runs from the bottom up, so earlier row numbers stay valid.
    size_t end = rows.size();
    while (end > 0) {
        size_t begin = end - 1;
        while (begin > 0 && rows[begin - 1] == rows[begin] - 1)
            --begin;
        int first = rows[begin];
        const int last = rows[end - 1];
        if (first == 0 && last == rows_.size() - 1) {
            clearRow(0);
            first = 1;
        }
        if (first <= last) {
            beginRemoveRows({}, first, last);
            for (int r = first; r <= last; ++r)
                garbage_ += rows_.at(r).length;
            rows_.remove(first, last - first + 1);
            endRemoveRows();
        }
        end = begin;
    }
}

bool RecordModel::cellValid(QStringView, int) const
{
    return true;
}

bool RecordModel::keyRejected(int, const QString &, QChar) const
{
    return false;
}

QString RecordModel::editRefusal(int) const
{
    return {};
}

QString RecordModel::confirmEntry(int, int)
{
    return {};
}

void RecordModel::sortRows()
{
    removeEmptyRows();
    appendEntryRowIfComplete();
}

bool RecordModel::requiredFilled(int row) const
{
    // One pass over the row: a table checks every row after a load.
    QList<QStringView> cells;
    rowCells(row, cells);
    for (int c = 0; c < cells.size(); ++c) {
        if (required_.test(size_t(c)) && cells.at(c).isEmpty())
            return false;
    }
    return true;
}

bool RecordModel::allRowsComplete() const
{
    for (int r = 0; r < rows_.size(); ++r) {
        if (!rowComplete(r))
            return false;
    }
    return true;
}

bool RecordModel::valueInColumn(int exceptRow, int column, const QString &text) const
{
    for (int r = 0; r < rows_.size(); ++r) {
        if (r != exceptRow && textView(r, column) == text)
            return true;
    }
    return false;
}

quint32 RecordModel::brokenCells(int row, QList<QStringView> &cells) const
{
    rowCells(row, cells);
    bool complete = true;
    for (int c = 0; c < cells.size(); ++c)
        complete = complete && !(required_.test(size_t(c)) && cells.at(c).isEmpty());
    // Every cell of an incomplete row is marked.
    quint32 marks = complete ? 0 : ~quint32(0);
    for (int c = 0; complete && c < cells.size(); ++c) {
        if (!cellValid(cells.at(c), c))
            marks |= bitOf(c);
    }
    return marks & (bitOf(columnCount() - 1) * 2 - 1);
}

void RecordModel::markBrokenCells()
{
    QList<QStringView> cells;
    for (int r = 0; r < rows_.size(); ++r) {
        if (!isRowEmpty(r))
            markCells(r, brokenCells(r, cells));
    }
}

void RecordModel::removeEmptyRows()
{
    std::vector<int> empty;
    for (int r = 0; r < rows_.size(); ++r) {
        if (isRowEmpty(r))
            empty.push_back(r);
    }
    dropRows(empty);
}

void RecordModel::appendEntryRowIfComplete()
{
    if (allRowsComplete())
        setRowCount(rowCount() + 1);
}

bool RecordModel::compactAndFindIncompleteRows()
{
    removeEmptyRows();
    const bool complete = allRowsComplete();
    if (complete)
        setRowCount(rowCount() + 1);
    return !complete;
}

bool RecordModel::removeIncompleteRows()
{
    bool removed = false;
    for (int r = 0; r < rows_.size(); ++r) {
        if (!rowKept(r)) {
            removed = removed || !isRowEmpty(r);
            clearRow(r);
        }
    }
    removeEmptyRows();
    appendEntryRowIfComplete();
    return removed;
}

void RecordModel::deleteRow(int row)
{
    if (row < 0 || row >= rows_.size())
        return;
    clearRow(row);
    removeEmptyRows();
    appendEntryRowIfComplete();
}

void RecordModel::clearAll()
{
    setRowCount(1);
    clearRow(0);
}

RecordFileLoad RecordModel::load(const QString &path)
{
    RecordFileRead file = ReadRecordFile(path);
    if (file.ok || file.fileExisted) {
        beginResetModel();
        rows_.clear();
        pool_.clear();
        garbage_ = 0;
        fillRows(file.text);
        // The file's text goes before the views and the sort take their
        // share of memory: a large file would otherwise be held twice over.
        file.text = QString();
        endResetModel();
    }
    sortRows();
    if (!file.fileExisted)
        return RecordFileLoad::Missing;
    return file.ok ? RecordFileLoad::Loaded : RecordFileLoad::Failed;
}

void RecordModel::fillRows(const QString &text)
{
    // At most one row a line.
    rows_.reserve(int(std::min<qsizetype>(text.count(QChar(CarriageReturn)) + 2, INT_MAX)));
    QList<QStringView> fields;
    QList<QStringView> cells;
    ForEachRecordLine(text, [&](QStringView line) {
        SplitRecordFields(line, int(headings_.size()), fields);
        if (std::all_of(fields.cbegin(), fields.cend(), [](QStringView f) { return f.isEmpty(); }))
            return;
        const int row = int(rows_.size());
        rows_.append(Row());
        appendRowText(row, fields);
        rows_[row].marks = brokenCells(row, cells);
    });
    if (rows_.isEmpty())
        rows_.resize(1);
}

bool RecordModel::save(const QString &path) const
{
    QList<QStringList> rows;
    for (int r = 0; r < rows_.size(); ++r) {
        if (requiredFilled(r))
            rows.append(rowTexts(r));
    }
    return WriteRecordFile(path, rows);
}

int RecordModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int RecordModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(headings_.size());
}

QVariant RecordModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return text(index.row(), index.column());
    case Qt::AccessibleTextRole:
        return shownText(index.row(), index.column());
    case Qt::BackgroundRole:
        return isMarked(index.row(), index.column()) ? QVariant(MarkBrush()) : QVariant();
    case Qt::ForegroundRole:
        return isMarked(index.row(), index.column()) ? QVariant(MarkText()) : QVariant();
    default:
        return {};
    }
}

bool RecordModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)
        || !flags(index).testFlag(Qt::ItemIsEditable))
        return false;
    setText(index.row(), index.column(), value.toString());
    if (cellValid(textView(index.row(), index.column()), index.column()))
        unmarkCell(index.row(), index.column());
    return true;
}

QVariant RecordModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= headings_.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    return headings_.at(section);
}

Qt::ItemFlags RecordModel::flags(const QModelIndex &index) const
{
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::ParentIsInvalid))
        return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    return editRefusal(index.column()).isEmpty() ? flags | Qt::ItemIsEditable : flags;
}
