// Sorting a large establishment table, and the plain exchange sort beside it.
#include "grid/recordmodel.h"
#include "grid/gridsort.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

constexpr int TableColumns = 11;

// An establishment table of n rows: codes with repeats, names from a small
// stock of words.
QStringList headings()
{
    QStringList texts;
    for (int c = 0; c < TableColumns; ++c)
        texts << QString::number(c);
    return texts;
}

void fillTable(RecordModel &grid, int n)
{
    QRandomGenerator random(42);
    const QStringList words{QStringLiteral("Bistro"), QStringLiteral("Čajovňa"), QStringLiteral("Jedáleň"),
                            QStringLiteral("Chata"), QStringLiteral("Hostinec"), QStringLiteral("Kaviareň"),
                            QStringLiteral("Reštaurácia"), QStringLiteral("Pizzeria")};
    grid.setRowCount(n);
    for (int r = 0; r < n; ++r) {
        grid.setText(r, 0, QString::number(random.bounded(1, n / 2)));
        grid.setText(r, 1, QString::number(random.bounded(1, 999999)).rightJustified(6, QLatin1Char('0')));
        grid.setText(r, 2, words.at(random.bounded(int(words.size()))) + QLatin1Char(' ') + QString::number((r + 1) % 97));
        for (int c = 3; c < TableColumns; ++c)
            grid.setText(r, c, QString::number(random.bounded(1000000)));
    }
}

void copyTable(const RecordModel &from, RecordModel &to)
{
    to.setRowCount(from.rowCount());
    for (int r = 0; r < from.rowCount(); ++r) {
        for (int c = 0; c < from.columnCount(); ++c)
            to.setText(r, c, from.text(r, c));
    }
}

void sortByColumn(RecordModel &grid, int column, bool ascending)
{
    SortKeys keys;
    keys.Keys.append({column, ascending, SortKind::Number});
    SortRecords(grid, keys);
}

// One comparison of texts per pair, as the exchange sort is written.
void plainExchangeSort(RecordModel &grid, int column)
{
    for (int i = 0; i < grid.rowCount() - 1; ++i) {
        for (int j = i + 1; j < grid.rowCount(); ++j) {
            if (KeyExchanges(SortKind::Number, grid.textView(i, column), grid.textView(j, column), true)) {
                for (int c = 0; c < grid.columnCount(); ++c) {
                    const QString upper = grid.text(i, c);
                    grid.setText(i, c, grid.text(j, c));
                    grid.setText(j, c, upper);
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
        RecordModel table(headings(), {});
        fillTable(table, 10000);
        QBENCHMARK {
            RecordModel grid(headings(), {});
            copyTable(table, grid);
            sortByColumn(grid, 0, true);
        }
    }

    // The same table turned round: the sort's worst case, every pair exchanged.
    void numericKeyReversed10000()
    {
        RecordModel grid(headings(), {});
        fillTable(grid, 10000);
        sortByColumn(grid, 0, true);
        bool ascending = false;
        QBENCHMARK {
            sortByColumn(grid, 0, ascending);
            ascending = !ascending;
        }
    }

    void textKey10000()
    {
        RecordModel grid(headings(), {});
        fillTable(grid, 10000);
        SortKeys keys;
        keys.Keys.append({2, true, SortKind::Text});
        keys.Keys.append({0, false, SortKind::Number});
        SortKeys reversed = keys;
        reversed.Keys[0].Ascending = false;
        QBENCHMARK {
            SortRecords(grid, keys);
            SortRecords(grid, reversed);
        }
    }

    void numericKey2000()
    {
        RecordModel grid(headings(), {});
        fillTable(grid, 2000);
        QBENCHMARK {
            sortByColumn(grid, 0, true);
            sortByColumn(grid, 0, false);
        }
    }

    void plainNumericKey2000()
    {
        RecordModel grid(headings(), {});
        fillTable(grid, 2000);
        QBENCHMARK_ONCE {
            plainExchangeSort(grid, 0);
        }
    }
};

QTEST_GUILESS_MAIN(BenchSort)
#include "bench_sort.moc"
