#include "gridsort.h"

#include "gridmodel.h"
#include "userlocale.h"
#include "validators.h"

#include <QCollator>
#include <QHash>

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

// The program-wide sort guard.
bool sortRunning = false;

class SortGuard
{
public:
    SortGuard() { sortRunning = true; }
    ~SortGuard() { sortRunning = false; }
    SortGuard(const SortGuard &) = delete;
    SortGuard &operator=(const SortGuard &) = delete;
};

const QCollator &userCollator()
{
    static const QCollator collator = [] {
        QCollator c(UserLocale());
        c.setCaseSensitivity(Qt::CaseSensitive);
        return c;
    }();
    return collator;
}

// Turns each record's key text into a rank, so that compare(upper, lower,
// true) holds exactly when rank(upper) > rank(lower).  Each text is read once
// per sort instead of on every comparison.
std::vector<int> ranksOf(const std::vector<QString> &texts, CompareFn compare)
{
    QHash<QString, int> distinctIndex;
    std::vector<QString> distinct;
    std::vector<int> textIndex(texts.size());
    for (size_t k = 0; k < texts.size(); ++k) {
        const auto it = distinctIndex.constFind(texts[k]);
        if (it != distinctIndex.cend()) {
            textIndex[k] = *it;
        } else {
            textIndex[k] = int(distinct.size());
            distinctIndex.insert(texts[k], int(distinct.size()));
            distinct.push_back(texts[k]);
        }
    }

    const auto less = [compare](const QString &a, const QString &b) { return compare(b, a, true); };
    std::vector<int> byOrder(distinct.size());
    std::iota(byOrder.begin(), byOrder.end(), 0);
    std::sort(byOrder.begin(), byOrder.end(),
              [&](int a, int b) { return less(distinct[size_t(a)], distinct[size_t(b)]); });

    std::vector<int> rankOfDistinct(distinct.size());
    int rank = 0;
    for (size_t k = 0; k < byOrder.size(); ++k) {
        if (k > 0 && less(distinct[size_t(byOrder[k - 1])], distinct[size_t(byOrder[k])]))
            ++rank;
        rankOfDistinct[size_t(byOrder[k])] = rank;
    }

    std::vector<int> ranks(texts.size());
    for (size_t k = 0; k < texts.size(); ++k)
        ranks[k] = rankOfDistinct[size_t(textIndex[k])];
    return ranks;
}

// Ids that are equal exactly when two records hold the same texts in every
// column seen so far.
void refineGroups(std::vector<int> &groups, const std::vector<QString> &texts)
{
    QHash<QPair<int, QString>, int> ids;
    for (size_t k = 0; k < texts.size(); ++k) {
        const QPair<int, QString> key(groups[k], texts[k]);
        auto it = ids.constFind(key);
        if (it == ids.cend())
            it = ids.insert(key, int(ids.size()));
        groups[k] = *it;
    }
}

// One level of the exchange sort on positions 0 .. n-1.  rank, group and order
// are indexed by position and move together.  Rows are exchanged when the
// later one ranks lower; with grouped set, only rows of the same group meet.
template <bool Grouped>
void exchangeSort(std::vector<int> &rank, const std::vector<int> &group, std::vector<int> &order)
{
    const size_t n = rank.size();
    for (size_t i = 0; i + 1 < n; ++i) {
        int upperRank = rank[i];
        int upperRecord = order[i];
        const int upperGroup = Grouped ? group[i] : 0;
        for (size_t j = i + 1; j < n; ++j) {
            if (Grouped && group[j] != upperGroup)
                continue;
            if (rank[j] < upperRank) {
                std::swap(upperRank, rank[j]);
                std::swap(upperRecord, order[j]);
            }
        }
        rank[i] = upperRank;
        order[i] = upperRecord;
    }
}

std::vector<QString> columnTexts(const GridModel &grid, int column)
{
    std::vector<QString> texts;
    texts.reserve(size_t(grid.RowCount()));
    for (int r = 1; r < grid.RowCount(); ++r)
        texts.push_back(grid.Cell(column, r));
    return texts;
}

// Sorts on keys from firstLevel on, leaves the rows in their new order, and
// makes the record that stood at current the grid's current row.
void sortRows(GridModel &grid, const SortKeys &keys, int firstLevel, TBadRows *marks, int current)
{
    const int n = grid.RowCount() - 1;
    const size_t count = size_t(qMax(0, n));
    if (n >= 2 && firstLevel < keys.Count()) {
        // order[pos] is the record (its row before the sort, 1-based) at position pos.
        std::vector<int> order(count);
        std::iota(order.begin(), order.end(), 1);
        std::vector<int> recordGroup(count, 0);
        for (int level = 0; level < keys.Count(); ++level) {
            const SortKey &key = keys.Keys.at(level);
            if (level >= firstLevel) {
                const std::vector<int> recordRank = ranksOf(columnTexts(grid, key.Column), key.Compare);
                std::vector<int> rank(count);
                std::vector<int> group(count);
                for (size_t pos = 0; pos < count; ++pos) {
                    const size_t record = size_t(order[pos] - 1);
                    rank[pos] = key.Ascending ? recordRank[record] : -recordRank[record];
                    group[pos] = recordGroup[record];
                }
                if (level == 0)
                    exchangeSort<false>(rank, group, order);
                else
                    exchangeSort<true>(rank, group, order);
            }
            if (level + 1 < keys.Count())
                refineGroups(recordGroup, columnTexts(grid, key.Column));
        }

        std::vector<int> newRowOf(count + 1, 0);
        for (size_t pos = 0; pos < count; ++pos)
            newRowOf[size_t(order[pos])] = int(pos) + 1;
        if (marks) {
            for (TBadRow &entry : *marks) {
                if (entry.Row >= 1 && entry.Row <= n)
                    entry.Row = newRowOf[size_t(entry.Row)];
            }
        }
        if (current >= 1 && current <= n)
            current = newRowOf[size_t(current)];
        grid.PermuteRows(order);
    }
    grid.SetCurrentCell(grid.CurrentCol(), current);
}

} // namespace

double CellNumber(const QString &text, double defaultNumber)
{
    if (!IsDecimalNumber(text))
        return defaultNumber;
    QString plain = text;
    plain.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = plain.toDouble(&ok);
    return ok ? value : defaultNumber;
}

bool CompareNumeric(const QString &upper, const QString &lower, bool ascending)
{
    const double u = CellNumber(upper, 0);
    const double l = CellNumber(lower, 0);
    return ascending ? l < u : l > u;
}

bool CompareStrings(const QString &upper, const QString &lower, bool ascending)
{
    const int order = userCollator().compare(upper, lower);
    return ascending ? order > 0 : order < 0;
}

void SwapMarkedRows(TBadRows *marks, int a, int b)
{
    if (!marks || marks->isEmpty())
        return;
    const auto rowIs = [](int row) { return [row](const TBadRow &e) { return e.Row == row; }; };
    const auto first = std::find_if(marks->begin(), marks->end(), rowIs(a));
    const auto second = std::find_if(marks->begin(), marks->end(), rowIs(b));
    if (first != marks->end())
        first->Row = b;
    if (second != marks->end())
        second->Row = a;
}

bool ColumnInKeys(const SortKeys &keys, int column)
{
    return std::any_of(keys.Keys.cbegin(), keys.Keys.cend(),
                       [column](const SortKey &key) { return key.Column == column; });
}

void SortRowsByColumn(GridModel &grid, int column, CompareFn compare, TBadRows *marks, bool ascending)
{
    if (sortRunning)
        return;
    SortGuard guard;
    SortKeys keys;
    keys.Keys.append({column, ascending, compare});
    sortRows(grid, keys, 0, marks, grid.CurrentRow());
}

void SortRowsByKeys(GridModel &grid, const SortKeys &keys, int level, TBadRows *marks, int current)
{
    if (sortRunning && level == 0)
        return;
    const bool nested = sortRunning;
    if (nested) {
        sortRows(grid, keys, level, marks, current);
        return;
    }
    SortGuard guard;
    sortRows(grid, keys, level, marks, current);
}

bool SortIsRunning()
{
    return sortRunning;
}
