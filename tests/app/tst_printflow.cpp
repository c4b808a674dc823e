#include "app/programsetup.h"
#include "mainwindowfixture.h"
#include "support/filesizelimit.h"
#include "support/pdftext.h"
#include "support/readonlyfolder.h"

#include <QAction>
#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QScopeGuard>
#include <QSettings>

#include <optional>

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

enum class ExportFault { DirectoryGone, ReadOnlyFolder, TargetIsFolder, DiskFull };
enum class SettingsFault { AnotherType, ReadOnlyLocation, ReadOnlyFile };

// The export file of Bistro's list printed today.
QString exportName()
{
    return QDate::currentDate().toString(QStringLiteral("yyMMdd")) + QStringLiteral("001234.txt");
}

void setSaveDir(const QVariant &directory)
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
    void markedNominalValueBlocksThePrint();
    void exportFileBesideThePrint();
    void exportFaults_data();
    void exportFaults();
    void exportDirectorySettings_data();
    void exportDirectorySettings();
    void rowsOverSeveralPages();
    void previewChangesNothing_data();
    void previewChangesNothing();

private:
    QTemporaryDir settingsDir_;
    // Where export files of a test go unless it says otherwise: never the
    // current directory.
    std::unique_ptr<QTemporaryDir> exports_;
};

void TstPrintFlow::initTestCase()
{
    IgnoreFileSizeSignal();
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
    SKIP_WITHOUT_PDF_READER();
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
    SKIP_WITHOUT_PDF_READER();
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

void TstPrintFlow::markedNominalValueBlocksThePrint()
{
    MainWindow w("1a;2;\r\n10;5;50;\r\n", Bistro);
    w.dialogs.clear();
    w.dialogs.printTo(w.path("list.pdf"));
    // The marked row is complete: no question, and it is not removed.
    w.click(PrintFilled);
    QCOMPARE(w.dialogs.texts(), QStringList({QStringLiteral("Nekonzistentné dáta!\r\nSúpisku nie je možné vytlačiť.")}));
    QVERIFY(w.dialogs.printOffers().isEmpty());
    QVERIFY(QDir(exports_->path()).isEmpty());
    QCOMPARE(w.column(0), QStringList({"1a", "10", ""}));

    // Typed over until it passes, the cell loses its mark and the list prints.
    QVERIFY(w.model().SetCurrentCell(0, 1));
    w.type(QStringLiteral("\b\b1\r"));
    QVERIFY(w.marks().isEmpty());
    w.dialogs.clear();
    w.dialogs.printTo(w.path("list.pdf"));
    w.click(PrintFilled);
    QVERIFY(w.dialogs.texts().isEmpty());
    QVERIFY(QFile::exists(QDir(exports_->path()).filePath(exportName())));
    SKIP_WITHOUT_PDF_READER();
    QCOMPARE(PdfText::pageCount(w.path("list.pdf")), 1);
}

void TstPrintFlow::exportFileBesideThePrint()
{
    QTemporaryDir exports;
    setSaveDir(exports.path() + QLatin1Char('/'));
    MainWindow w("2,5;10;25;\r\n", Bistro);
    w.dialogs.printTo(w.path("list.pdf"));
    w.click(PrintFilled);
    QVERIFY(w.dialogs.texts().isEmpty());
    const QString name = exportName();
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
    SKIP_WITHOUT_PDF_READER();
    QCOMPARE(PdfText::pageCount(w.path("second.pdf")), 1);
}

void TstPrintFlow::exportFaults_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("error");
    QTest::newRow("directory gone") << int(ExportFault::DirectoryGone) << "Invalid filename.";
    QTest::newRow("read-only folder") << int(ExportFault::ReadOnlyFolder) << "File access denied.";
    QTest::newRow("target is a folder") << int(ExportFault::TargetIsFolder) << "File access denied.";
    QTest::newRow("disk full part-way") << int(ExportFault::DiskFull) << QStringLiteral("I/O error %1.").arg(EFBIG);
}

void TstPrintFlow::exportFaults()
{
    QFETCH(int, fault);
    QFETCH(QString, error);
    if (fault == int(ExportFault::DiskFull))
        SKIP_WITHOUT_FILE_SIZE_LIMIT();
    if (fault == int(ExportFault::ReadOnlyFolder))
        SKIP_WITHOUT_READ_ONLY_FOLDER();
    const QString target = exports_->filePath(exportName());
    const QByteArray earlier("earlier list\r\n");
    if (fault == int(ExportFault::DirectoryGone))
        setSaveDir(exports_->filePath(QStringLiteral("missing/")));
    else if (fault == int(ExportFault::TargetIsFolder))
        QVERIFY(QDir(exports_->path()).mkdir(exportName()));
    else
        QVERIFY(writeFile(target, earlier));
    MainWindow w("10;1;10;\r\n", Bistro);
    w.dialogs.printTo(w.path("list.pdf"));
    {
        std::optional<FileSizeLimit> limit;
        std::optional<ReadOnlyFolder> readOnly;
        if (fault == int(ExportFault::DiskFull))
            limit.emplace(100);
        if (fault == int(ExportFault::ReadOnlyFolder)) {
            readOnly.emplace(exports_->path());
            QVERIFY(readOnly->holds());
        }
        w.click(PrintFilled);
    }
    QCOMPARE(w.dialogs.texts(), QStringList({error}));
    QCOMPARE(w.dialogs.shown().first().box, Dialogs::Box::StopError);
    // A file that cannot be created stops the print before it starts.
    if (fault != int(ExportFault::DiskFull))
        QVERIFY(!QFile::exists(w.path("list.pdf")));
    const bool earlierFile = fault == int(ExportFault::ReadOnlyFolder) || fault == int(ExportFault::DiskFull);
    QCOMPARE(QDir(exports_->path()).entryList(QDir::Files | QDir::Hidden),
             earlierFile ? QStringList({exportName()}) : QStringList());
    QCOMPARE(readAll(target), earlierFile ? earlier : QByteArray());
    QCOMPARE(w.column(0), QStringList({"10", ""}));
}

void TstPrintFlow::exportDirectorySettings_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<QStringList>("messages");
    const QString prompt = QStringLiteral("Zvolte si adresár, kam sa majú ukladať súbory súpisky.");
    QTest::newRow("value of another type") << int(SettingsFault::AnotherType) << QStringList{prompt};
    QTest::newRow("location that cannot be created") << int(SettingsFault::ReadOnlyLocation) << QStringList{prompt};
    QTest::newRow("settings file that cannot be replaced")
        << int(SettingsFault::ReadOnlyFile) << QStringList{prompt, QStringLiteral("Failed to set data for 'saveDir'")};
}

void TstPrintFlow::exportDirectorySettings()
{
    QFETCH(int, fault);
    QFETCH(QStringList, messages);
#ifdef Q_OS_WIN
    QSKIP("The settings file is Linux's; tst_exportdirsetting checks the registry of Windows.");
#endif
    // Without a directory the export file goes into the current directory.
    QTemporaryDir current;
    const QString workingDir = QDir::currentPath();
    QVERIFY(QDir::setCurrent(current.path()));
    const auto back = qScopeGuard([&] { QDir::setCurrent(workingDir); });

    QVERIFY(QDir(settingsDir_.filePath(QStringLiteral("Milbor"))).removeRecursively());
    QTemporaryDir earlier;
    QTemporaryDir chosen;
    std::optional<ReadOnlyFolder> readOnly;
    QString startDir;
    if (fault == int(SettingsFault::AnotherType)) {
        setSaveDir(QStringList{earlier.path(), chosen.path()});
    } else if (fault == int(SettingsFault::ReadOnlyLocation)) {
        readOnly.emplace(settingsDir_.path());
    } else {
        startDir = earlier.path() + QLatin1Char('/');
        setSaveDir(startDir);
        readOnly.emplace(settingsDir_.filePath(QStringLiteral("Milbor")));
    }
    if (readOnly)
        QVERIFY(readOnly->holds());

    // The program starts and prints, the file going where the setting says.
    auto w = std::make_unique<MainWindow>("10;1;10;\r\n", Bistro);
    QCOMPARE(w->form->saveDir(), startDir);
    w->dialogs.printTo(w->path("first.pdf"));
    w->click(PrintFilled);
    QVERIFY(w->dialogs.texts().isEmpty());
    QCOMPARE(PdfText::pageCount(w->path("first.pdf")), 1);
    QVERIFY(QFile::exists(QDir(startDir.isEmpty() ? current.path() : startDir).filePath(exportName())));

    // A directory chosen now serves the rest of the run, stored or not.
    w->dialogs.chooseDirectory(chosen.path());
    w->child<QAction>("Nastavenia1")->trigger();
    QCOMPARE(w->dialogs.texts(), messages);
    w->dialogs.printTo(w->path("second.pdf"));
    w->click(PrintFilled);
    QCOMPARE(w->dialogs.texts(), messages);
    QVERIFY(QFile::exists(QDir(chosen.path()).filePath(exportName())));
    w.reset();
    readOnly.reset();

    // Only a store that could be written keeps it for the next start, which
    // reads the file (this process would read its own cached settings).
    const QString next = fault == int(SettingsFault::AnotherType) ? chosen.path() + QLatin1Char('/') : startDir;
    const QByteArray stored = readAll(settingsDir_.filePath(QStringLiteral("Milbor/Kelvaro.conf")));
    QCOMPARE(stored.contains("\nsaveDir=" + QFile::encodeName(next) + '\n'), !next.isEmpty());
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
    SKIP_WITHOUT_PDF_READER();
    QCOMPARE(PdfText::pageCount(w.path("list.pdf")), 3);
    QCOMPARE(w.model().RowCount(), 45);
}

void TstPrintFlow::previewChangesNothing_data()
{
    QTest::addColumn<QByteArray>("db");
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("pages");

    // 22 rows to print; a half-filled row and a count of 0 are left out
    // without a question.
    QByteArray rows;
    for (int i = 1; i <= 22; ++i)
        rows += QByteArray::number(i) + ";1;" + QByteArray::number(i) + ";\r\n";
    QTest::newRow("two pages") << Bistro << rows + "30;0;0;\r\n" << QStringList() << 2;
    QTest::newRow("no establishment") << QByteArray("") << rows << QStringList{NoEstablishment} << 0;
    QTest::newRow("nothing to print") << Bistro << QByteArray("5;0;0;\r\n") << QStringList{EmptyList} << 0;
    QTest::newRow("marked cells") << Bistro << QByteArray("10;1;10;\r\n20;1;x;\r\n")
                                  << QStringList{QStringLiteral("Nekonzistentné dáta!\r\nSúpisku nie je možné vytlačiť.")}
                                  << 0;
}

void TstPrintFlow::previewChangesNothing()
{
    QFETCH(QByteArray, db);
    QFETCH(QByteArray, list);
    QFETCH(int, pages);
    MainWindow w(list, db);
    w.dialogs.clear();
    QVERIFY(w.model().SetCurrentCell(0, w.model().RowCount() - 1));
    w.model().SetCell(0, w.model().RowCount() - 1, QStringLiteral("50"));
    const QStringList nominals = w.column(0);
    w.dialogs.previewInto(w.path("preview.pdf"));
    w.child<QAction>("NahladSupisky")->trigger();

    QTEST(w.dialogs.texts(), "messages");
    QVERIFY(w.dialogs.modalShown().isEmpty());
    QCOMPARE(w.dialogs.previews().size(), pages > 0 ? 1 : 0);
    QCOMPARE(w.column(0), nominals);
    QVERIFY(!w.form->isModified());
    QCOMPARE(readAll(w.path("supiska.csv")), list);
    QVERIFY(QDir(exports_->path()).isEmpty());
    if (pages > 0) {
        SKIP_WITHOUT_PDF_READER();
        const QString pdf = w.dialogs.previews().first();
        QCOMPARE(PdfText::pageCount(pdf), pages);
        // The totals of the 22 rows, one character a box.
        QVERIFY(PdfText::pageText(PdfText::words(pdf), pages).endsWith(QStringLiteral("SPOLU: 22 2 5 3,0 0")));
    }
}

QTEST_MAIN(TstPrintFlow)
#include "tst_printflow.moc"
