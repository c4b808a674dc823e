#include "gridsort.h"

#include "common/amount.h"
#include "common/textscan.h"
#include "common/userlocale.h"
#include "common/validators.h"
#include "grid/recordmodel.h"

#include <QCollator>
#include <QHash>

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>
#include <numeric>
#include <vector>

namespace {

// A typed amount's number: its text written out is converted only when the
// typed spelling differs from it, which a sort over a large file rarely meets.
double typedAmountNumber(QStringView text)
{
    const bool typedComma = text.size() > 1 && (text.front() == u',' || text.back() == u',');
    return typedComma ? CellNumber(WrittenOutAmount(text), 0) : CellNumber(text, 0);
}

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

// The ranks of count records by their keys: equal keys share a rank, a
// smaller key has a smaller one.  key(k) is record k's key (from 0), less
// orders keys.
template<typename KeyFn, typename Less>
std::vector<int> ranksBy(size_t count, const KeyFn &key, const Less &less)
{
    std::vector<int> ranks(count);
    if (count == 0)
        return ranks;
    // Records already in order, as a saved file's are, are ranked in one pass
    // and keep no keys.
    auto previous = key(0);
    int rank = 0;
    size_t k = 1;
    for (; k < count; ++k) {
        auto current = key(k);
        if (less(current, previous))
            break;
        if (less(previous, current))
            ++rank;
        ranks[k] = rank;
        previous = current;
    }
    if (k == count)
        return ranks;

    std::vector<decltype(key(0))> keys(count);
    for (size_t r = 0; r < count; ++r)
        keys[r] = key(r);
    std::vector<int> byOrder(count);
    std::iota(byOrder.begin(), byOrder.end(), 0);
    const auto lessRecord = [&](int a, int b) { return less(keys[size_t(a)], keys[size_t(b)]); };
    std::sort(byOrder.begin(), byOrder.end(), lessRecord);
    rank = 0;
    for (size_t r = 0; r < count; ++r) {
        if (r > 0 && lessRecord(byOrder[r - 1], byOrder[r]))
            ++rank;
        ranks[size_t(byOrder[r])] = rank;
    }
    return ranks;
}

// Turns each record's key text into a rank, so that KeyExchanges(kind, upper, lower,
// true) holds exactly when rank(upper) > rank(lower).  Each text is read once
// or twice per sort instead of on every comparison.  texts(k) is record k's
// text (from 0), read where it stands in the grid.
template<typename TextFn>
std::vector<int> ranksOf(size_t count, const TextFn &texts, SortKind kind)
{
    switch (kind) {
    case SortKind::Number:
        return ranksBy(count, [&](size_t k) { return CellNumber(texts(k), 0); }, std::less<double>());
    case SortKind::TypedAmount:
        return ranksBy(count, [&](size_t k) { return typedAmountNumber(texts(k)); }, std::less<double>());
    case SortKind::Text:
        break;
    }
    const QCollator &collator = userCollator();
    return ranksBy(count, texts, [&collator](QStringView a, QStringView b) { return collator.compare(a, b) < 0; });
}

// Ids that are equal exactly when two records hold the same texts in every
// column seen so far.
template<typename TextFn>
void refineGroups(std::vector<int> &groups, const TextFn &texts)
{
    QHash<QPair<int, QStringView>, int> ids;
    for (size_t k = 0; k < groups.size(); ++k) {
        const QPair<int, QStringView> key(groups[k], texts(k));
        auto it = ids.constFind(key);
        if (it == ids.cend())
            it = ids.insert(key, int(ids.size()));
        groups[k] = *it;
    }
}

// Counts marked positions in a range.
class PositionCounter
{
public:
    explicit PositionCounter(size_t n) : tree_(n + 1, 0) {}
    void mark(size_t pos)
    {
        for (size_t k = pos + 1; k < tree_.size(); k += k & (~k + 1))
            ++tree_[k];
    }
    // Marked positions in [first, last); zero for an empty range.
    int count(size_t first, size_t last) const { return last > first ? prefix(last) - prefix(first) : 0; }

private:
    int prefix(size_t end) const
    {
        int sum = 0;
        for (size_t k = end; k > 0; k -= k & (~k + 1))
            sum += tree_[k];
        return sum;
    }
    std::vector<int> tree_;
};

// The order in which the exchange sort leaves a sequence of ranks: the
// result's k-th entry is the index of the item that ends at position k.
//
// The items come out by ascending rank; only the order of equal ranks needs
// working out.  Take the items of one rank v and call the items of lower rank
// smaller.  Higher ranks never affect where the v items go, and a pass moves
// a v item only when it is the first item of the unsorted rest: it is then
// carried to where the first smaller item after it stood, behind the v items
// in between, and that smaller item leaves the rest.  Each smaller item thus
// takes the v item at the front of the v items met so far to their back.  So
// the v items end in the order of a queue into which each v item is put in
// sequence order, and which turns by one place for every smaller item that
// follows the first v item.  This takes O(n log n) plus at most O(n^1.5)
// turns, where the exchange sort compares every pair.
std::vector<int> exchangeSortOrder(const std::vector<int> &rank)
{
    const size_t n = rank.size();
    std::vector<int> byRank(n);
    std::iota(byRank.begin(), byRank.end(), 0);
    std::stable_sort(byRank.begin(), byRank.end(), [&](int a, int b) { return rank[size_t(a)] < rank[size_t(b)]; });

    std::vector<int> result;
    result.reserve(n);
    PositionCounter smaller(n);
    std::deque<int> queue;
    for (size_t first = 0; first < n;) {
        size_t end = first;
        while (end < n && rank[size_t(byRank[end])] == rank[size_t(byRank[first])])
            ++end;

        const auto turn = [&queue](int places) {
            for (size_t k = size_t(places) % queue.size(); k > 0; --k) {
                queue.push_back(queue.front());
                queue.pop_front();
            }
        };
        queue.clear();
        for (size_t k = first; k < end; ++k) {
            const size_t pos = size_t(byRank[k]);
            if (k > first)
                turn(smaller.count(size_t(byRank[k - 1]) + 1, pos));
            queue.push_back(int(pos));
        }
        turn(smaller.count(size_t(byRank[end - 1]) + 1, n));
        result.insert(result.end(), queue.begin(), queue.end());

        for (size_t k = first; k < end; ++k)
            smaller.mark(size_t(byRank[k]));
        first = end;
    }
    return result;
}

// One level of the exchange sort over the records in order (order[pos] is the
// record, its row before the sort, at position pos).  Only records of the
// same group are compared, so the positions of each group stay, and each
// group is sorted on its own within them.
void exchangeSort(std::vector<int> &order, const std::vector<int> &recordRank,
                  const std::vector<int> &recordGroup)
{
    if (recordGroup.empty()) {
        // One group: the first key orders all records, which still stand in
        // table order; records already in order are never exchanged.
        if (std::is_sorted(recordRank.begin(), recordRank.end()))
            return;
        order = exchangeSortOrder(recordRank);
        return;
    }
    QHash<int, std::vector<size_t>> positionsOfGroup;
    for (size_t pos = 0; pos < order.size(); ++pos)
        positionsOfGroup[recordGroup[size_t(order[pos])]].push_back(pos);

    std::vector<int> sorted(order.size());
    for (const std::vector<size_t> &positions : std::as_const(positionsOfGroup)) {
        std::vector<int> rank(positions.size());
        for (size_t k = 0; k < positions.size(); ++k)
            rank[k] = recordRank[size_t(order[positions[k]])];
        const std::vector<int> result = exchangeSortOrder(rank);
        for (size_t k = 0; k < positions.size(); ++k)
            sorted[positions[k]] = order[positions[size_t(result[k])]];
    }
    order = std::move(sorted);
}

} // namespace

double CellNumber(QStringView text, double defaultNumber)
{
    if (!IsDecimalNumber(text))
        return defaultNumber;
    // A damaged file may hold a "number" of millions of digits, and toDouble()
    // takes a tenth of a second per million.  Only the digits that can change
    // the double are converted: leading zeros go, and decimals past the
    // 2000th count only as a non-zero digit or none, which is all that the
    // conversion reads of the digits past its 780th significant one.
    constexpr qsizetype MaxWholeDigits = 309; // 10^309 is beyond every double
    constexpr qsizetype MaxDecimals = 2000;
    qsizetype separator = FindChar(text, u'.');
    if (separator < 0)
        separator = FindChar(text, u',');
    QStringView whole = separator < 0 ? text : text.left(separator);
    const QStringView decimals = separator < 0 ? QStringView() : text.mid(separator + 1);
    while (whole.size() > 1 && whole.front() == QLatin1Char('0'))
        whole = whole.mid(1);
    if (whole.size() > MaxWholeDigits)
        return std::numeric_limits<double>::infinity();
    // Up to 15 digits the number is a quotient of two integers that a double
    // holds exactly, and the division rounds it as the conversion would.
    if (whole.size() + decimals.size() <= 15) {
        qint64 digits = 0;
        for (const QStringView part : {whole, decimals}) {
            for (QChar c : part)
                digits = digits * 10 + (c.unicode() - u'0');
        }
        qint64 scale = 1;
        for (qsizetype k = 0; k < decimals.size(); ++k)
            scale *= 10;
        return double(digits) / double(scale);
    }
    QString plain = whole.toString();
    if (separator >= 0) {
        plain += QLatin1Char('.');
        plain += decimals.left(MaxDecimals);
        const QStringView cut = decimals.size() > MaxDecimals ? decimals.mid(MaxDecimals) : QStringView();
        if (std::any_of(cut.begin(), cut.end(), [](QChar c) { return c != QLatin1Char('0'); }))
            plain += QLatin1Char('1');
    }
    // Beyond the range of a double the conversion fails with the nearest
    // value, infinity or 0: a number all the same, larger or smaller than
    // every other.
    bool ok = false;
    const double value = plain.toDouble(&ok);
    return ok || std::isinf(value) || value == 0 ? value : defaultNumber;
}

bool KeyExchanges(SortKind kind, QStringView upper, QStringView lower, bool ascending)
{
    const auto byNumber = [](double u, double l) { return (u > l) - (u < l); };
    int order = 0; // of upper against lower
    switch (kind) {
    case SortKind::Number:
        order = byNumber(CellNumber(upper, 0), CellNumber(lower, 0));
        break;
    case SortKind::TypedAmount:
        order = byNumber(typedAmountNumber(upper), typedAmountNumber(lower));
        break;
    case SortKind::Text:
        order = userCollator().compare(upper, lower);
        break;
    }
    return ascending ? order > 0 : order < 0;
}

bool ColumnInKeys(const SortKeys &keys, int column)
{
    return std::any_of(keys.Keys.cbegin(), keys.Keys.cend(),
                       [column](const SortKey &key) { return key.Column == column; });
}

void SortRecords(RecordModel &model, const SortKeys &keys)
{
    if (sortRunning)
        return;
    SortGuard guard;
    const size_t count = size_t(model.rowCount());
    if (count < 2 || keys.Count() == 0)
        return;
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    // Groups of records that agree on every earlier key; none before the
    // first key.
    std::vector<int> recordGroup;
    for (int level = 0; level < keys.Count(); ++level) {
        const SortKey &key = keys.Keys.at(level);
        // Record k's text: the rows do not move until the end.
        const auto texts = [&model, &key](size_t k) { return model.textView(int(k), key.Column); };
        std::vector<int> recordRank = ranksOf(count, texts, key.Kind);
        if (!key.Ascending) {
            const int highest = *std::max_element(recordRank.begin(), recordRank.end());
            for (int &rank : recordRank)
                rank = highest - rank;
        }
        exchangeSort(order, recordRank, recordGroup);
        if (level + 1 < keys.Count()) {
            if (recordGroup.empty())
                recordGroup.assign(count, 0);
            refineGroups(recordGroup, texts);
        }
    }
    model.permuteRows(order);
}
