// The main window's work on a list: the print flows to PDF at 1200 pixels per
// inch, from the click on the print button to the closed file (the filled
// list of 43 rows, three pages, with its export file, and the blank form); and
// a count typed over in a list of 1,000 rows, from the Enter that opens its
// editor to the one that confirms it, supiska.csv written, beside the write
// alone.
#include "app/exportdirsetting.h"
#include "app/mainwindowfixture.h"
#include "support/pdftext.h"

#include <QDir>
#include <QSettings>

namespace {

constexpr int Resolution = 1200;

// One complete establishment with the code 001234.
const QByteArray Bistro = "1;001234;Bistro;Hlavn\xe1 1;Nitra;35757442;Nov\xe1k;02;1234567;02/1234568;info@bistro.sk;\r\n";

// A list of 1,000 rows, nominal values 0,1 to 100,0, each counted once.
QByteArray thousandRows()
{
    QByteArray list;
    for (int i = 1; i <= 1000; ++i)
        list += QByteArray::number(i / 10) + ',' + QByteArray::number(i % 10) + ";1;;\r\n";
    return list;
}

} // namespace

class BenchPrint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(settings_.isValid() && exports_.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_.path());
        QCOMPARE(ExportDirSetting::write(ExportDirSetting::withSeparator(exports_.path())),
                 ExportDirSetting::WriteResult::Stored);
    }

    void filledList()
    {
        QByteArray list;
        for (int i = 1; i <= 43; ++i)
            list += QByteArray::number(i) + ";1;" + QByteArray::number(i) + ";\r\n";
        MainWindowFixture w(list, Bistro);
        w.modelTester.reset(); // timed as the user meets it, without the tests' model checks
        QBENCHMARK {
            w.dialogs.printTo(w.path("list.pdf"), Resolution);
            QTest::mouseClick(w.child<QAbstractButton>("btTlacSupiskySHodnotami"), Qt::LeftButton);
        }
        QVERIFY(w.dialogs.texts().isEmpty());
        QCOMPARE(PdfText::pageCount(w.path("list.pdf")), 3);
        QCOMPARE(QDir(exports_.path()).entryList(QDir::Files).size(), 1);
    }

    void blankForm()
    {
        MainWindowFixture w(QByteArray(), Bistro);
        w.modelTester.reset(); // timed as the user meets it, without the tests' model checks
        QBENCHMARK {
            w.dialogs.printTo(w.path("blank.pdf"), Resolution);
            QTest::mouseClick(w.child<QAbstractButton>("btTlacCistejSupisky"), Qt::LeftButton);
        }
        QVERIFY(w.dialogs.texts().isEmpty());
        QCOMPARE(PdfText::pageCount(w.path("blank.pdf")), 1);
    }

    void confirmedEntry()
    {
        MainWindowFixture w(thousandRows(), Bistro);
        w.modelTester.reset(); // timed as the user meets it, without the tests' model checks
        w.grid()->setCurrentCell(499, 1);
        int count = 1;
        QBENCHMARK {
            w.play(QStringLiteral("\r\b%1\r").arg(++count % 9 + 1));
        }
        QVERIFY(w.dialogs.texts().isEmpty());
        QVERIFY(dbtest::readAll(w.path("supiska.csv")).contains(QByteArray("\r\n50,0;") + QByteArray::number(count % 9 + 1) + ";"));
    }

    void listWrite()
    {
        MainWindowFixture w(thousandRows(), Bistro);
        w.modelTester.reset(); // timed as the user meets it, without the tests' model checks
        QBENCHMARK {
            QVERIFY(w.form->voucherModel().save(w.path("supiska.csv")));
        }
    }

private:
    QTemporaryDir settings_;
    QTemporaryDir exports_;
};

QTEST_MAIN(BenchPrint)
#include "bench_print.moc"
