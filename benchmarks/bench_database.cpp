// The establishment database window with 10,000 establishments: loading
// (read, check, sort, show), a confirmed edit with its sort, and memory.
#include "common/dialogs.h"
#include "common/gridmodel.h"
#include "common/stringgrid.h"
#include "database/prevadzky.h"
#include "support/scripteddialogs.h"

#include <QApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int Establishments = 10000;

QByteArray validIco(QRandomGenerator &random)
{
    QByteArray ico = QByteArray::number(random.bounded(1000000, 9999999));
    int sum = 0;
    for (int k = 0; k < 7; ++k)
        sum += (8 - k) * (ico.at(k) - '0');
    return ico + char('0' + (11 - sum % 11) % 10);
}

// A DB.csv of n complete, valid establishments in random order, in
// Windows-1250 with accented names and cities.
QByteArray generateDatabase(int n)
{
    QRandomGenerator random(4);
    const QList<QByteArray> kinds{"Bistro", "\xc8" "ajov\xf2" "a", "Jed\xe1le\xf2", "Kaviare\xf2", "Re\x9ata" "ur\xe1" "cia",
                                  "Pizzeria", "Hostinec", "Bufet"};
    const QList<QByteArray> cities{"Bratislava", "Ko\x9aice", "\x8eilina", "Nitra", "Trnava", "Bansk\xe1 Bystrica",
                                   "Pre\x9aov", "Trenc\xedn", "Martin", "Poprad", "Chtelnica", "\xc8" "adca"};
    std::vector<int> numbers(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k)
        numbers[size_t(k)] = k + 1;
    for (int k = n - 1; k > 0; --k)
        std::swap(numbers[size_t(k)], numbers[size_t(random.bounded(k + 1))]);

    QByteArray db;
    for (int k = 0; k < n; ++k) {
        const int number = numbers[size_t(k)];
        const QList<QByteArray> fields{
            QByteArray::number(number),
            QByteArray::number(number).rightJustified(6, '0'),
            kinds.at(random.bounded(int(kinds.size()))) + ' ' + QByteArray::number(number % 997),
            "Hlavn\xe1 " + QByteArray::number(random.bounded(1, 200)),
            cities.at(random.bounded(int(cities.size()))),
            validIco(random),
            "Nov\xe1k",
            "0" + QByteArray::number(random.bounded(2, 99)),
            QByteArray::number(random.bounded(100000, 9999999)),
            "02/" + QByteArray::number(random.bounded(100000, 9999999)),
            "prevadzka" + QByteArray::number(number) + "@firma.sk",
        };
        for (const QByteArray &field : fields)
            db += field + ';';
        db += "\r\n";
    }
    return db;
}

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
        file.write(generateDatabase(Establishments));
    }

    // Run first, before other tests have grown the heap.
    void residentMemory()
    {
        const qint64 before = residentKilobytes();
        TForm1 form(dir_.path(), dialogs_);
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
            TForm1 form(dir_.path(), dialogs_);
            QCOMPARE(form.table().grid().RowCount(), Establishments + 2);
            QVERIFY(!form.HasMarkedCells());
            form.show();
            form.grid()->viewport()->repaint();
        }
    }

    // A name typed over in the middle of the table and confirmed with Enter;
    // the sort by the window's keys runs.
    void confirmedEdit()
    {
        TForm1 form(dir_.path(), dialogs_);
        form.show();
        QCoreApplication::processEvents();
        typeOverNames(form);
        QVERIFY(!form.grid()->isEditorOpen());
    }

    // The same with two keys on text columns (city, then name).
    void confirmedEditTextKeys()
    {
        TForm1 form(dir_.path(), dialogs_);
        form.show();
        QCoreApplication::processEvents();
        form.table().ChangeSortKeys(4, false);
        form.table().ChangeSortKeys(2, true);
        form.table().SortDatabase();
        typeOverNames(form);
    }

private:
    // Types a name over one row after another from the middle of the table,
    // each confirmed with Enter.
    static void typeOverNames(TForm1 &form)
    {
        StringGrid *grid = form.grid();
        int row = Establishments / 2;
        QBENCHMARK {
            QVERIFY(form.table().grid().SetCurrentCell(2, row));
            QTest::keyClicks(grid, QStringLiteral("Nova"));
            QTest::keyClick(grid->editor(), Qt::Key_Return);
            row = row % Establishments + 1;
        }
    }

    QTemporaryDir dir_;
    ScriptedDialogs dialogs_;
};

QTEST_MAIN(BenchDatabase)
#include "bench_database.moc"
