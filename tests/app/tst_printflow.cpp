#include "mainwindowfixture.h"
#include "support/pdftext.h"

#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QSettings>

using namespace dbtest;
using Button = Dialogs::Button;

namespace {

const QString RemoveIncomplete = QStringLiteral("Odstrániť nekompletné riadky?");
const QString EmptyList = QStringLiteral("Prázdna alebo nekompletná databáza!\r\nSúpisku nie je možné vytlačiť.");
const QString NoEstablishment = QStringLiteral("Nie je zvolená prevádzka.");
const char *const PrintFilled = "btTlacSupiskySHodnotami";
const char *const PrintBlank = "btTlacCistejSupisky";

// One complete establishment with the code 001234.
const QByteArray Bistro = "1;001234;Bistro;Hlavn\xe1 1;Nitra;35757442;Nov\xe1k;02;1234567;02/1234568;info@bistro.sk;\r\n";

void setSaveDir(const QString &directory)
{
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Milbor"), QStringLiteral("Kelvaro"))
        .setValue(QStringLiteral("saveDir"), directory);
}

} // namespace

class TstPrintFlow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void refusedPrints_data();
    void refusedPrints();
    void blankFormOfAnEmptyList();
    void halfFilledRowIsRemovedOnYes();
    void cancelledDialogBringsTheEntryRowBack();
    void exportFileBesideThePrint();
    void missingExportDirectoryPrintsNothing();
    void rowsOverSeveralPages();

private:
    QTemporaryDir settingsDir_;
    // Where export files of a test go unless it says otherwise: never the
    // current directory.
    std::unique_ptr<QTemporaryDir> exports_;
};

void TstPrintFlow::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
}

void TstPrintFlow::init()
{
    exports_ = std::make_unique<QTemporaryDir>();
    setSaveDir(exports_->path() + QLatin1Char('/'));
}

void TstPrintFlow::refusedPrints_data()
{
    QTest::addColumn<QByteArray>("db");
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("nominalsAfter");

    // With no establishment the database window opens; closing it, the user
    // lets its empty row go.
    const QList<int> okYes{int(Button::Ok), int(Button::Yes)};
    QTest::newRow("no establishment, filled") << QByteArray("") << QByteArray("10;1;10;\r\n") << PrintFilled << okYes
                                              << QStringList{NoEstablishment, RemoveIncomplete} << QStringList{"10", ""};
    QTest::newRow("no establishment, blank") << QByteArray("") << QByteArray("10;1;10;\r\n") << PrintBlank << okYes
                                             << QStringList{NoEstablishment, RemoveIncomplete} << QStringList{"10", ""};
    QTest::newRow("empty list") << Bistro << QByteArray() << PrintFilled << QList<int>{int(Button::Yes)}
                                << QStringList{RemoveIncomplete, EmptyList} << QStringList{""};
    QTest::newRow("count 0 removed without a question") << Bistro << QByteArray("5;0;0;\r\n") << PrintFilled
                                                        << QList<int>{} << QStringList{EmptyList} << QStringList{""};
    QTest::newRow("marked cells") << Bistro << QByteArray("10;1;10;\r\n20;1;x;\r\n") << PrintFilled << QList<int>{}
                                  << QStringList{"Nekonzistentné dáta!\r\nSúpisku nie je možné vytlačiť."}
                                  << QStringList{"10", "20", ""};
}

void TstPrintFlow::refusedPrints()
{
    QFETCH(QByteArray, db);
    QFETCH(QByteArray, list);
    QFETCH(QString, button);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, nominalsAfter);
    MainWindow w(list, db);
    w.dialogs.clear();
    for (int answer : answers)
        w.dialogs.answer({Button(answer)});
    w.dialogs.printTo(w.path("list.pdf"));
    w.click(button.toLatin1().constData());
    QCOMPARE(w.dialogs.texts(), messages);
    QCOMPARE(w.dialogs.modalShown(), db.isEmpty() ? QStringList{"Databáza prevádzok"} : QStringList());
    QVERIFY(w.dialogs.printOffers().isEmpty());
    QVERIFY(!QFile::exists(w.path("list.pdf")));
    QCOMPARE(w.column(0), nominalsAfter);
}

void TstPrintFlow::blankFormOfAnEmptyList()
{
    MainWindow w(QByteArray(), Bistro);
    w.dialogs.printTo(w.path("list.pdf"));
    w.click(PrintBlank);
    QVERIFY(w.dialogs.texts().isEmpty());
    QCOMPARE(w.dialogs.printOffers().size(), 1);
    QCOMPARE(w.dialogs.printOffers().first().copies, 1);
    QCOMPARE(PdfText::pageCount(w.path("list.pdf")), 1);
    QVERIFY(PdfText::pageText(PdfText::words(w.path("list.pdf")), 1).contains(QStringLiteral("Bistro")));
}

void TstPrintFlow::halfFilledRowIsRemovedOnYes()
{
    MainWindow w("10;2;20;\r\n20;1;20;\r\n", Bistro);
    QVERIFY(w.model().SetCurrentCell(0, 3));
    w.model().SetCell(0, 3, QStringLiteral("50"));

    w.dialogs.answer({Button::No});
    w.click(PrintFilled);
    QCOMPARE(w.dialogs.texts(), QStringList({RemoveIncomplete}));
    QCOMPARE(w.column(0), QStringList({"10", "20", "50"}));

    w.dialogs.clear();
    w.dialogs.answer({Button::Yes});
    w.dialogs.printTo(w.path("list.pdf"));
    w.click(PrintFilled);
    QCOMPARE(w.dialogs.texts(), QStringList({RemoveIncomplete}));
    QCOMPARE(w.dialogs.printOffers().first().copies, 2);
    QVERIFY(w.dialogs.printOffers().first().collate);
    QCOMPARE(PdfText::pageCount(w.path("list.pdf")), 1);
    QCOMPARE(w.column(0), QStringList({"10", "20", ""})); // the entry row is back
}

void TstPrintFlow::cancelledDialogBringsTheEntryRowBack()
{
    QTemporaryDir exports;
    setSaveDir(exports.path() + QLatin1Char('/'));
    MainWindow w("10;2;20;\r\n", Bistro);
    w.dialogs.printTo(QString());
    w.click(PrintFilled);
    QCOMPARE(w.dialogs.printOffers().size(), 1);
    QCOMPARE(w.column(0), QStringList({"10", ""}));
    QVERIFY(QDir(exports.path()).isEmpty());
}

void TstPrintFlow::exportFileBesideThePrint()
{
    QTemporaryDir exports;
    setSaveDir(exports.path() + QLatin1Char('/'));
    MainWindow w("2,5;10;25;\r\n", Bistro);
    w.dialogs.printTo(w.path("list.pdf"));
    w.click(PrintFilled);
    QVERIFY(w.dialogs.texts().isEmpty());
    const QString name = QDate::currentDate().toString(QStringLiteral("yyMMdd")) + QStringLiteral("001234.txt");
    QCOMPARE(QDir(exports.path()).entryList(QDir::Files), QStringList({name}));
    const QByteArray file = readAll(exports.filePath(name));
    QCOMPARE(file.count("\r\n"), 21);
    QVERIFY(file.startsWith("Druh produktu:\t01\r\n\r\nIntern\xe9 \xe8\xedslo prev\xe1" "dzky:\t1\r\n"));
    QVERIFY(file.contains("\r\n2,5\t10\t25\r\n\r\nCelkov\xfd po\xe8" "et kup\xf3nov:\t10\r\n"));
    QVERIFY(file.contains("kup\xf3nov:\t25,00 \x80\r\n"));

    // Unticked: nothing is written.
    QVERIFY(QFile::remove(exports.filePath(name)));
    w.child<QCheckBox>("cbSubor")->setChecked(false);
    w.dialogs.printTo(w.path("second.pdf"));
    w.click(PrintFilled);
    QVERIFY(QDir(exports.path()).isEmpty());
    QCOMPARE(PdfText::pageCount(w.path("second.pdf")), 1);
}

void TstPrintFlow::missingExportDirectoryPrintsNothing()
{
    QTemporaryDir gone;
    setSaveDir(gone.path() + QStringLiteral("/missing/"));
    MainWindow w("10;1;10;\r\n", Bistro);
    w.dialogs.printTo(w.path("list.pdf"));
    w.click(PrintFilled);
    QCOMPARE(w.dialogs.texts(), QStringList({QStringLiteral("Invalid filename.")}));
    QCOMPARE(w.dialogs.shown().first().box, Dialogs::Box::StopError);
    QVERIFY(!QFile::exists(w.path("list.pdf")));
    QCOMPARE(w.column(0), QStringList({"10", ""}));
}

void TstPrintFlow::rowsOverSeveralPages()
{
    QByteArray list;
    for (int i = 1; i <= 43; ++i)
        list += QByteArray::number(i) + ";1;" + QByteArray::number(i) + ";\r\n";
    MainWindow w(list, Bistro);
    w.child<QCheckBox>("cbSubor")->setChecked(false);
    w.dialogs.printTo(w.path("list.pdf"));
    w.click(PrintFilled);
    QVERIFY(w.dialogs.texts().isEmpty());
    QCOMPARE(PdfText::pageCount(w.path("list.pdf")), 3);
    QCOMPARE(w.model().RowCount(), 45);
}

QTEST_MAIN(TstPrintFlow)
#include "tst_printflow.moc"
