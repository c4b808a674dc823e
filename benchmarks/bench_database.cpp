// The establishment database window with 10,000 establishments: loading
// (read, check, sort, show), a confirmed edit with its sort, and memory.
#include "common/dialogs.h"
#include "grid/recordmodel.h"
#include "grid/recordview.h"
#include "database/databasewindow.h"
#include "generateddata.h"
#include "support/scripteddialogs.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QTest>

namespace {

constexpr int Establishments = 10000;

qint64 residentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

} // namespace

class BenchDatabase : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        QFile file(dir_.filePath(QStringLiteral("DB.csv")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(benchdata::establishments(Establishments));
    }

    // Run first, before other tests have grown the heap.
    void residentMemory()
    {
        const qint64 before = residentKilobytes();
        DatabaseWindow form(dir_.path(), dialogs_);
        form.show();
        form.grid()->viewport()->repaint();
        const qint64 after = residentKilobytes();
        qInfo("resident memory with the window shown: %lld kB (%lld kB before creating it)", after, before);
        QVERIFY(after > 0);
    }

    // From creating the window to its first painting.
    void loadCheckSortShow()
    {
        QBENCHMARK {
            DatabaseWindow form(dir_.path(), dialogs_);
            QCOMPARE(form.table().rowCount(), Establishments + 1);
            QVERIFY(!form.hasMarkedCells());
            form.show();
            form.grid()->viewport()->repaint();
        }
    }

    // A name typed over in the middle of the table and confirmed with Enter;
    // the sort by the window's keys runs.
    void confirmedEdit()
    {
        DatabaseWindow form(dir_.path(), dialogs_);
        form.show();
        QCoreApplication::processEvents();
        typeOverNames(form);
        QVERIFY(!form.grid()->editor());
    }

    // The same with two keys on text columns (city, then name).
    void confirmedEditTextKeys()
    {
        DatabaseWindow form(dir_.path(), dialogs_);
        form.show();
        QCoreApplication::processEvents();
        form.table().changeSortKeys(4, false);
        form.table().changeSortKeys(2, true);
        form.table().sortRows();
        typeOverNames(form);
    }

private:
    // Types a name over one row after another from the middle of the table,
    // each confirmed with Enter.
    static void typeOverNames(DatabaseWindow &form)
    {
        RecordView *grid = form.grid();
        int row = Establishments / 2;
        QBENCHMARK {
            grid->setCurrentCell(row, 2);
            QTest::keyClicks(grid, QStringLiteral("Nova"));
            QTest::keyClick(grid->editor(), Qt::Key_Return);
            row = (row + 1) % Establishments;
        }
    }

    QTemporaryDir dir_;
    ScriptedDialogs dialogs_;
};

QTEST_MAIN(BenchDatabase)
#include "bench_database.moc"
