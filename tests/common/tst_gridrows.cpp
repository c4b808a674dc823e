#include "common/gridmodel.h"
#include "common/gridrows.h"
#include "support/gridtexts.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

namespace {

// Fills the data rows of a two-column grid: "A" is a row with A in column
// 0, "A*" the same with that cell marked, and "" an empty row.
void fill(GridModel &grid, const QStringList &rows)
{
    for (int r = 0; r < rows.size(); ++r) {
        QString text = rows.at(r);
        const bool marked = text.endsWith(QLatin1Char('*'));
        text.remove(QLatin1Char('*'));
        grid.ClearRow(r + 1);
        grid.SetCell(0, r + 1, text);
        if (marked)
            grid.MarkCell(0, r + 1);
    }
    grid.SetRowCount(int(rows.size()) + 1);
}

} // namespace

class TstGridRows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void padLeft_data();
    void padLeft();
    void compaction_data();
    void compaction();
    void modelAndItsViews();
    void selectionHookMayRefuse();
};

void TstGridRows::padLeft_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("padded");
    QTest::newRow("pads") << "12345" << 6 << "012345";
    QTest::newRow("cuts the front") << "1234567" << 6 << "234567";
    QTest::newRow("exact") << "1234" << 4 << "1234";
    QTest::newRow("width 0") << "12" << 0 << "";
}

void TstGridRows::padLeft()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QTEST(PadLeft(text, QLatin1Char('0'), width), "padded");
}

void TstGridRows::compaction_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("current");
    QTest::addColumn<QStringList>("compacted");
    QTest::addColumn<QStringList>("marks");
    QTest::addColumn<int>("currentAfter");

    // The current row follows its record; a dropped one keeps its number
    // within the grid.  Marks go with their rows.
    QTest::newRow("gaps") << QStringList{"A", "", "", "B*", ""} << 4 << QStringList{"A", "B"} << QStringList{"0,2"}
                          << 2;
    QTest::newRow("marked empty row dropped") << QStringList{"A*", "*", "B"} << 3 << QStringList{"A", "B"}
                                              << QStringList{"0,1"} << 2;
    QTest::newRow("dropped current row") << QStringList{"A", "B", "", ""} << 4 << QStringList{"A", "B"}
                                         << QStringList{} << 2;
    QTest::newRow("all empty") << QStringList{"", "", ""} << 1 << QStringList{""} << QStringList{} << 1;
    QTest::newRow("empty first") << QStringList{"", "A"} << 1 << QStringList{"A"} << QStringList{} << 1;
}

void TstGridRows::compaction()
{
    QFETCH(QStringList, rows);
    QFETCH(int, current);
    GridModel grid(2);
    fill(grid, rows);
    QVERIFY(grid.SetCurrentCell(1, current));
    RemoveEmptyRows(grid);
    QTEST(ColumnTexts(grid, 0), "compacted");
    QTEST(MarkedCellNames(grid), "marks");
    QTEST(grid.CurrentRow(), "currentAfter");
    QCOMPARE(grid.CurrentCol(), 1);
}

void TstGridRows::modelAndItsViews()
{
    GridModel grid(3);
    QAbstractItemModelTester tester(&grid, QAbstractItemModelTester::FailureReportingMode::QtTest);
    SetGridHeader(grid, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    QCOMPARE(grid.headerData(1, Qt::Horizontal).toString(), QStringLiteral("b"));
    grid.SetRowCount(0);
    QCOMPARE(grid.RowCount(), 2);

    // Texts beyond the row count show when it grows; an appended row is
    // empty, marks included.
    grid.SetCell(1, 5, QStringLiteral("later"));
    grid.MarkCell(1, 6);
    QCOMPARE(grid.rowCount(), 1);
    QVERIFY(!grid.HasMarkedCells());
    grid.SetRowCount(6);
    QCOMPARE(grid.Cell(1, 5), QStringLiteral("later"));
    AppendEmptyRow(grid);
    QVERIFY(grid.RowIsEmpty(6) && !grid.IsMarked(1, 6));

    // A marked cell tells its views the mark's colours.
    grid.MarkCell(2, 5);
    QVERIFY(grid.HasMarkedCells());
    QCOMPARE(grid.data(grid.index(4, 2), Qt::BackgroundRole).value<QColor>(), QColor(255, 0, 0));
    QCOMPARE(grid.data(grid.index(4, 2), Qt::ForegroundRole).value<QColor>(), QColor(255, 255, 0));
    QVERIFY(!grid.data(grid.index(4, 1), Qt::BackgroundRole).isValid());
    grid.UnmarkCell(2, 5);
    QVERIFY(!grid.HasMarkedCells());

    for (int r = 1; r < 30; ++r) {
        grid.SetCell(0, r, r % 3 ? QString::number(r) : QString());
        grid.SetRowCount(r + 1);
    }
    grid.MarkCell(0, 29);
    RemoveEmptyRows(grid);
    QCOMPARE(grid.RowCount(), 21);
    std::vector<int> reversed;
    for (int r = grid.RowCount() - 1; r >= 1; --r)
        reversed.push_back(r);
    grid.PermuteRows(reversed);
    QCOMPARE(grid.Cell(0, 1), QStringLiteral("29"));
    QVERIFY(grid.IsMarked(0, 1));
    QVERIFY(grid.setData(grid.index(0, 1), QStringLiteral("x")));
    QCOMPARE(grid.Cell(1, 1), QStringLiteral("x"));
    {
        GridBulkUpdate bulk(grid);
        for (int r = 1; r < grid.RowCount(); ++r)
            grid.ClearRow(r);
        RemoveEmptyRows(grid);
    }
    QCOMPARE(grid.RowCount(), 2);
    QVERIFY(!grid.HasMarkedCells());
}

void TstGridRows::selectionHookMayRefuse()
{
    GridModel grid(2);
    fill(grid, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    QList<int> asked;
    bool allow = false;
    grid.SetSelectCellHook([&](int, int row) {
        asked << row;
        return allow;
    });
    QVERIFY(!grid.SetCurrentCell(0, 3));
    QCOMPARE(grid.CurrentRow(), 1);
    allow = true;
    QSignalSpy moved(&grid, &GridModel::currentCellChanged);
    QVERIFY(grid.SetCurrentCell(1, 3));
    QCOMPARE(moved.count(), 1);
    // Positions outside the grid are limited to it before the hook is asked.
    QVERIFY(grid.SetCurrentCell(1, 99));
    QCOMPARE(asked, QList<int>({3, 3}));
    // The row count going down takes the current row along.
    grid.SetRowCount(2);
    QCOMPARE(grid.CurrentRow(), 1);
}

QTEST_GUILESS_MAIN(TstGridRows)
#include "tst_gridrows.moc"
