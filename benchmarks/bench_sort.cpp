// Sorting a large establishment table, and the plain exchange sort beside it.
#include "grid/gridmodel.h"
#include "grid/gridsort.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

constexpr int TableColumns = 11;

// An establishment table of n rows: codes with repeats, names from a small
// stock of words.
void fillTable(GridModel &grid, int n)
{
    QRandomGenerator random(42);
    const QStringList words{QStringLiteral("Bistro"), QStringLiteral("Čajovňa"), QStringLiteral("Jedáleň"),
                            QStringLiteral("Chata"), QStringLiteral("Hostinec"), QStringLiteral("Kaviareň"),
                            QStringLiteral("Reštaurácia"), QStringLiteral("Pizzeria")};
    GridBulkUpdate bulk(grid);
    for (int r = 1; r <= n; ++r) {
        grid.SetCell(0, r, QString::number(random.bounded(1, n / 2)));
        grid.SetCell(1, r, QString::number(random.bounded(1, 999999)).rightJustified(6, QLatin1Char('0')));
        grid.SetCell(2, r, words.at(random.bounded(int(words.size()))) + QLatin1Char(' ') + QString::number(r % 97));
        for (int c = 3; c < TableColumns; ++c)
            grid.SetCell(c, r, QString::number(random.bounded(1000000)));
    }
    grid.SetRowCount(n + 1);
}

void copyTable(const GridModel &from, GridModel &to)
{
    GridBulkUpdate bulk(to);
    for (int r = 1; r < from.RowCount(); ++r) {
        for (int c = 0; c < from.ColCount(); ++c)
            to.SetCell(c, r, from.Cell(c, r));
    }
    to.SetRowCount(from.RowCount());
}

// One comparison of texts per pair, as the exchange sort is written.
void plainExchangeSort(GridModel &grid, int column)
{
    for (int i = 1; i < grid.RowCount() - 1; ++i) {
        for (int j = i + 1; j < grid.RowCount(); ++j) {
            if (KeyExchanges(SortKind::Number, grid.Cell(column, i), grid.Cell(column, j), true)) {
                for (int c = 0; c < grid.ColCount(); ++c) {
                    const QString upper = grid.Cell(c, i);
                    grid.SetCell(c, i, grid.Cell(c, j));
                    grid.SetCell(c, j, upper);
                }
            }
        }
    }
}

} // namespace

class BenchSort : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A random table, sorted by a numeric key: each iteration starts from the
    // same unsorted table.
    void numericKey10000()
    {
        GridModel table(TableColumns);
        fillTable(table, 10000);
        QBENCHMARK {
            GridModel grid(TableColumns);
            copyTable(table, grid);
            SortRowsByColumn(grid, 0, SortKind::Number, true);
        }
    }

    // The same table turned round: the sort's worst case, every pair exchanged.
    void numericKeyReversed10000()
    {
        GridModel grid(TableColumns);
        fillTable(grid, 10000);
        SortRowsByColumn(grid, 0, SortKind::Number, true);
        bool ascending = false;
        QBENCHMARK {
            SortRowsByColumn(grid, 0, SortKind::Number, ascending);
            ascending = !ascending;
        }
    }

    void textKey10000()
    {
        GridModel grid(TableColumns);
        fillTable(grid, 10000);
        SortKeys keys;
        keys.Keys.append({2, true, SortKind::Text});
        keys.Keys.append({0, false, SortKind::Number});
        SortKeys reversed = keys;
        reversed.Keys[0].Ascending = false;
        QBENCHMARK {
            SortRowsByKeys(grid, keys, 1);
            SortRowsByKeys(grid, reversed, 1);
        }
    }

    void numericKey2000()
    {
        GridModel grid(TableColumns);
        fillTable(grid, 2000);
        QBENCHMARK {
            SortRowsByColumn(grid, 0, SortKind::Number, true);
            SortRowsByColumn(grid, 0, SortKind::Number, false);
        }
    }

    void plainNumericKey2000()
    {
        GridModel grid(TableColumns);
        fillTable(grid, 2000);
        QBENCHMARK_ONCE {
            plainExchangeSort(grid, 0);
        }
    }
};

QTEST_GUILESS_MAIN(BenchSort)
#include "bench_sort.moc"
