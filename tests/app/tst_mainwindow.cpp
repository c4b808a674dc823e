#include "app/buildinfo.h"
#include "app/programsetup.h"
#include "common/recordfile.h"
#include "database/prevadzky.h"
#include "mainwindowfixture.h"
#include "support/filesizelimit.h"
#include "support/readonlyfolder.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QSettings>

#include <optional>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#endif

using namespace dbtest;
using Button = Dialogs::Button;

namespace {
enum class WriteFault { DiskFull, ReadOnlyFolder, TargetIsFolder };
// What stands at a data file's name.
enum class FileKind { Folder, Fifo, LinkToDevice, OverSizeLimit, LinkToFile };

#ifndef Q_OS_WIN
// Ends the test program when the start does not come back, so that a hang
// fails the run instead of blocking it.
extern "C" void startDidNotReturn(int)
{
    static const char text[] = "FAIL: the start did not come back\n";
    [[maybe_unused]] const auto written = write(STDERR_FILENO, text, sizeof text - 1);
    _exit(1);
}
#endif
}

class TstMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void typingAnEntry();
    void keysTheFieldsRefuse();
    void nominalValueThatIsNoNumber();
    void valueColumnIsNotEdited();
    void refusedSelectionDecidesTheDeletedRow();
    void deleteAllAnsweredNoStillModifies();
    void loadingRules_data();
    void loadingRules();
    void unreadableFilesAreReported_data();
    void unreadableFilesAreReported();
    void marksThroughEditingAndDeletion();
    void marksFollowTheirRecordsWhenARowIsDeleted();
    void closeQuestions();
    void closeWritesOnlyAChangedList();
    void failedSaveKeepsTheOldFile_data();
    void failedSaveKeepsTheOldFile();
    void settingsRoundTrip();
    void mnemonics_data();
    void mnemonics();
    void tabWalksTheWindow();

private:
    QTemporaryDir settingsDir_;
};

void TstMainWindow::initTestCase()
{
    IgnoreFileSizeSignal();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
}

void TstMainWindow::typingAnEntry()
{
    MainWindow w;
    w.type(QStringLiteral("12,5\t4\r"));
    QCOMPARE(w.column(0), QStringList({"12,5", ""}));
    QCOMPARE(w.cell(2, 1), QStringLiteral("50"));
    QCOMPARE(w.total("ebSpoluPocet"), QStringLiteral("4"));
    QCOMPARE(w.total("ebSpoluHodnota"), QStringLiteral("50,00"));
    QVERIFY(!w.grid()->isEditorOpen());

    // The next entry goes into the new empty row; confirmed rows are sorted.
    QVERIFY(w.model().SetCurrentCell(0, 2));
    w.type(QStringLiteral("1,05\t3\r"));
    QCOMPARE(w.column(0), QStringList({"1,05", "12,5", ""}));
    QCOMPARE(w.column(2), QStringList({"3,15", "50", ""}));
    QCOMPARE(w.total("ebSpoluPocet"), QStringLiteral("7"));
    QCOMPARE(w.total("ebSpoluHodnota"), QStringLiteral("53,15"));

    // The largest row that can be typed keeps its exact value.
    QVERIFY(w.model().SetCurrentCell(0, 3));
    w.type(QStringLiteral("999,99\t99999\r"));
    QCOMPARE(w.cell(2, 3), QStringLiteral("99998000,01"));
    QCOMPARE(w.total("ebSpoluHodnota"), QStringLiteral("99 998 053,16"));
    QCOMPARE(w.total("ebSpoluPocet"), QStringLiteral("100 006"));
    QVERIFY(w.form->isModified());
}

void TstMainWindow::keysTheFieldsRefuse()
{
    MainWindow w;
    w.type(QStringLiteral("1234"));
    QCOMPARE(w.cell(0, 1), QStringLiteral("123"));
    w.type(QStringLiteral(",5,67x."));
    QCOMPARE(w.cell(0, 1), QStringLiteral("123,56"));
    w.type(QStringLiteral("\t1234567"));
    QCOMPARE(w.cell(1, 1), QStringLiteral("12345"));
    w.type(QStringLiteral("\r"));
    QCOMPARE(w.cell(2, 1), QStringLiteral("1525348,2"));

    // The payment reference takes ten digits, typed or pasted.
    auto *box = w.child<QLineEdit>("ebSpecSymb");
    QTest::keyClicks(box, QStringLiteral("12a 3-45678901234"));
    QCOMPARE(box->text(), QStringLiteral("1234567890"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), QStringLiteral("123456789"));
    box->clear();
    box->insert(QStringLiteral("12x4"));
    QCOMPARE(box->text(), QString());
    // Tab and Enter pass the filters as keys, never as pasted text: they
    // would split the lines of supiska.csv and the columns of the export file.
    box->insert(QStringLiteral("12\t4"));
    QCOMPARE(box->text(), QString());
    box->insert(QStringLiteral("0123456789"));
    QCOMPARE(box->text(), QStringLiteral("0123456789"));
    QVERIFY(w.model().SetCurrentCell(1, 2));
    w.type(QStringLiteral("5"));
    QGuiApplication::clipboard()->setText(QStringLiteral("\r3"));
    QTest::keyClick(w.grid()->editor(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.cell(1, 2), QStringLiteral("5"));
}

void TstMainWindow::nominalValueThatIsNoNumber()
{
    MainWindow w;
    w.type(QStringLiteral(",\t3\r"));
    // The row has no value, adds nothing, and no entry row follows it.
    QCOMPARE(w.cell(2, 1), QString());
    QCOMPARE(w.model().RowCount(), 2);
    QCOMPARE(w.total("ebSpoluPocet"), QStringLiteral("0"));
}

void TstMainWindow::valueColumnIsNotEdited()
{
    MainWindow w;
    QVERIFY(w.model().SetCurrentCell(2, 1));
    // F2 and Enter ask to open the cell; a typed character is dropped first.
    QTest::keyClick(w.grid(), Qt::Key_F2);
    QTest::keyClick(w.grid(), Qt::Key_Return);
    w.type(QStringLiteral("5"));
    QVERIFY(!w.grid()->isEditorOpen());
    QCOMPARE(w.cell(2, 1), QString());
    QCOMPARE(w.dialogs.texts(), QStringList(2, QStringLiteral("Pole je vypĺňané automaticky.")));
}

void TstMainWindow::refusedSelectionDecidesTheDeletedRow()
{
    MainWindow w("10;1;10;\r\n20;1;20;\r\n30;1;30;\r\n");
    // Editing row 1, the user clicks row 3: the selection stays, but row 3
    // is the row that "Vymazať riadok" then deletes.
    w.type(QStringLiteral("5"));
    QTest::keyClick(w.grid()->editor(), Qt::Key_Down);
    QCOMPARE(w.model().CurrentRow(), 1);
    QTest::mouseClick(w.grid()->viewport(), Qt::LeftButton, {}, w.grid()->visualRect(w.model().index(2, 0)).center());
    QCOMPARE(w.model().CurrentRow(), 1);
    QVERIFY(w.grid()->isEditorOpen());

    w.click("btVymazatRiadok");
    QCOMPARE(w.column(0), QStringList({"5", "20", ""}));
    QCOMPARE(w.total("ebSpoluPocet"), QStringLiteral("2"));
    QCOMPARE(w.total("ebSpoluHodnota"), QStringLiteral("25,00"));
    QVERIFY(w.model().SetCurrentCell(0, 2)); // the entry is over
}

void TstMainWindow::deleteAllAnsweredNoStillModifies()
{
    MainWindow w("10;1;10;\r\n");
    w.dialogs.answer({Button::No, Button::Yes});
    w.click("btVymazatVsetko");
    QCOMPARE(w.dialogs.texts(), QStringList({QStringLiteral("Chcete určite vymazať položky?")}));
    QCOMPARE(w.column(0), QStringList({"10", ""}));
    QVERIFY(w.form->isModified());
    w.click("btVymazatVsetko");
    QCOMPARE(w.column(0), QStringList({""}));
    QCOMPARE(w.total("ebSpoluHodnota"), QStringLiteral("0,00"));
}

void TstMainWindow::loadingRules_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("nominals");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QStringList>("marked"); // "column,row"
    QTest::addColumn<QString>("totalValue");

    QTest::newRow("sorted, entry row added") << QByteArray("20;1;20;\r\n10;5;50;\r\n") << QStringList{"10", "20", ""}
                                             << QStringList{"50", "20", ""} << QStringList{} << "70,00";
    QTest::newRow("no trailing semicolon, value computed")
        << QByteArray("10;5") << QStringList{"10", ""} << QStringList{"50", ""} << QStringList{} << "50,00";
    QTest::newRow("extra fields ignored") << QByteArray("10;5;50;x;y;\r\n") << QStringList{"10", ""}
                                          << QStringList{"50", ""} << QStringList{} << "50,00";
    QTest::newRow("blanks trimmed") << QByteArray(" 10 ; 5 ;50;\r\n") << QStringList{"10", ""}
                                    << QStringList{"50", ""} << QStringList{} << "50,00";
    QTest::newRow("missing count marks the row") << QByteArray("10;;0;\r\n") << QStringList{"10"}
                                                 << QStringList{"0"} << QStringList{"0,1", "1,1", "2,1"} << "0,00";
    QTest::newRow("three decimals") << QByteArray("12,345;1;\r\n") << QStringList{"12,345", ""}
                                    << QStringList{"", ""} << QStringList{"0,1"} << "0,00";
    QTest::newRow("empty line dropped") << QByteArray("10;1;10;\r\n\r\n20;1;20;\r\n") << QStringList{"10", "20", ""}
                                        << QStringList{"10", "20", ""} << QStringList{} << "30,00";
    QTest::newRow("bare line feeds make one line") << QByteArray("10;1;10;\n20;2;40;\n") << QStringList{"10", ""}
                                                   << QStringList{"10", ""} << QStringList{} << "10,00";
    QTest::newRow("Ctrl-Z ends the file") << QByteArray("10;1;10;\r\n\x1a" "20;1;20;\r\n") << QStringList{"10", ""}
                                          << QStringList{"10", ""} << QStringList{} << "10,00";
    QTest::newRow("CR alone ends a line") << QByteArray("10;1;\r20;1;\r") << QStringList{"10", "20", ""}
                                          << QStringList{"10", "20", ""} << QStringList{} << "30,00";
    QTest::newRow("empty file") << QByteArray("") << QStringList{""} << QStringList{""} << QStringList{} << "0,00";
    QTest::newRow("letters and long numbers")
        << QByteArray("1a;1;\r\n1234;1;\r\n5;123456;\r\n") << QStringList{"1a", "5", "1234", ""}
        << QStringList{"", "", "", ""} << QStringList{"0,1", "1,2", "0,3"} << "0,00";
}

void TstMainWindow::loadingRules()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, nominals);
    QFETCH(QStringList, values);
    QFETCH(QStringList, marked);
    QFETCH(QString, totalValue);
    MainWindow w(file);
    QCOMPARE(w.column(0), nominals);
    QCOMPARE(w.column(2), values);
    QCOMPARE(w.marks(), marked);
    QCOMPARE(w.total("ebSpoluHodnota"), totalValue);
    QCOMPARE(w.dialogs.texts(), marked.isEmpty() ? QStringList() : QStringList({Inconsistent}));
    QVERIFY(!w.form->isModified());
}

void TstMainWindow::unreadableFilesAreReported_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    for (const char *name : {"supiska.csv", "DB.csv"}) {
        QTest::addRow("%s a folder", name) << name << int(FileKind::Folder);
        QTest::addRow("%s over the size limit", name) << name << int(FileKind::OverSizeLimit);
#ifndef Q_OS_WIN
        QTest::addRow("%s a FIFO", name) << name << int(FileKind::Fifo);
        QTest::addRow("%s a link to /dev/zero", name) << name << int(FileKind::LinkToDevice);
#endif
    }
#ifndef Q_OS_WIN
    QTest::newRow("supiska.csv a link to a file") << "supiska.csv" << int(FileKind::LinkToFile);
#endif
}

void TstMainWindow::unreadableFilesAreReported()
{
    QFETCH(QString, name);
    QFETCH(int, kind);
    MainWindow w(QByteArray(), QByteArray(), false);
    const QString path = w.dir.filePath(name);
    QTemporaryDir elsewhere;
    switch (FileKind(kind)) {
    case FileKind::Folder:
        QVERIFY(QDir(w.dir.path()).mkdir(name));
        break;
    case FileKind::Fifo:
#ifndef Q_OS_WIN
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
#endif
        break;
    case FileKind::LinkToDevice:
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
        break;
    case FileKind::OverSizeLimit: {
        QFile file(path); // sparse: no disk space taken
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(RecordFileSizeLimit + 1));
        break;
    }
    case FileKind::LinkToFile:
        QVERIFY(writeFile(elsewhere.filePath(QStringLiteral("list")), "10;1;10;\r\n"));
        QVERIFY(QFile::link(elsewhere.filePath(QStringLiteral("list")), path));
        break;
    }
#ifndef Q_OS_WIN
    // A start that blocks, or reads without end, ends the test program.
    std::signal(SIGALRM, startDidNotReturn);
    alarm(5);
#endif
    w.start();
#ifndef Q_OS_WIN
    alarm(0);
#endif

    QVERIFY(w.form->isVisible());
    if (FileKind(kind) == FileKind::LinkToFile) {
        QCOMPARE(w.dialogs.texts(), QStringList());
        QCOMPARE(w.column(0), QStringList({"10", ""}));
        return;
    }
    QCOMPARE(w.dialogs.texts(),
             QStringList({QStringLiteral("Chyba pri importovaní databázy zo súboru \"%1\"!")
                              .arg(QDir::toNativeSeparators(path))}));
    const GridModel &grid =
        name == QLatin1String("DB.csv") ? w.form->databaseWindow()->table().grid() : w.model();
    QCOMPARE(grid.RowCount(), 2);
}

void TstMainWindow::marksThroughEditingAndDeletion()
{
    MainWindow w("10;;\r\n20;1;20;\r\n");
    QCOMPARE(w.total("ebSpoluPocet"), QStringLiteral("0"));
    // Marked cells are painted red, and so are the blanked totals.
    const QImage shot = w.grid()->viewport()->grab().toImage();
    QCOMPARE(shot.pixelColor(w.grid()->visualRect(w.model().index(0, 2)).center() + QPoint(30, 0)), QColor(255, 0, 0));
    QCOMPARE(w.child<NumericDisplay>("ebSpoluPocet")->palette().color(QPalette::Base), QColor(255, 0, 0));

    // A count typed in removes that cell's mark only; the value cell, which
    // cannot be edited, stays marked.
    QVERIFY(w.model().SetCurrentCell(1, 1));
    w.type(QStringLiteral("2\r"));
    QCOMPARE(w.marks(), QStringList({"0,1", "2,1"}));
    QCOMPARE(w.total("ebSpoluHodnota"), QStringLiteral("0,00"));

    // Deleting the row takes its marks; the totals come back.
    QVERIFY(w.model().SetCurrentCell(0, 1));
    w.click("btVymazatRiadok");
    QVERIFY(!w.form->HasMarkedCells());
    QCOMPARE(w.total("ebSpoluHodnota"), QStringLiteral("20,00"));
    QCOMPARE(w.child<NumericDisplay>("ebSpoluPocet")->palette().color(QPalette::Base), QColor(210, 210, 210));
}

void TstMainWindow::marksFollowTheirRecordsWhenARowIsDeleted()
{
    // After the sort the mark list is no longer in row order.
    MainWindow w("20;abc;\r\n10;5;x;\r\n30;1;z;\r\n");
    QCOMPARE(w.column(0), QStringList({"10", "20", "30", ""}));
    QCOMPARE(w.marks(), QStringList({"2,1", "1,2", "2,3"}));
    QVERIFY(w.model().SetCurrentCell(0, 1));
    w.click("btVymazatRiadok");
    QCOMPARE(w.column(0), QStringList({"20", "30", ""}));
    QCOMPARE(w.marks(), QStringList({"1,1", "2,2"}));
}

void TstMainWindow::closeQuestions()
{
    {
        // An empty list has an incomplete row: No keeps the program open.
        MainWindow w;
        w.dialogs.answer({Button::No, Button::Yes});
        QVERIFY(!w.close());
        QCOMPARE(w.dialogs.texts(), QStringList({QStringLiteral("Odstrániť nekompletné riadky?")}));
        QVERIFY(w.close());
        QVERIFY(!QFileInfo::exists(w.path("supiska.csv")));
    }
    {
        // Marks: No keeps the program open, yet the changed list is written
        // without its incomplete rows, values as they were.
        MainWindow w("10;;\r\n20;1;20;\r\n");
        w.dialogs.clear();
        w.dialogs.answer({Button::No});
        QVERIFY(w.model().SetCurrentCell(0, 2));
        w.type(QStringLiteral("\b3\r"));
        QVERIFY(!w.close());
        QCOMPARE(w.dialogs.texts().first(),
                 QStringLiteral("Databáza je v nekonzistentnom stave!\r\nÚdaje nebudú umožnené.\r\n"
                                "Chcete napriek tomu ukončiť editáciu databázy?"));
        QCOMPARE(readAll(w.path("supiska.csv")), QByteArray("3;1;20;\r\n"));
        QVERIFY(!w.form->isModified());
        w.dialogs.answer({Button::Yes});
        QVERIFY(w.close());
    }
}

void TstMainWindow::closeWritesOnlyAChangedList()
{
    MainWindow w("10;1;10;\r\n");
    const QDateTime before = QDateTime::currentDateTime().addSecs(-3600);
    {
        QFile file(w.path("supiska.csv"));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(before, QFileDevice::FileModificationTime));
    }
    QVERIFY(w.close());
    QCOMPARE(QFileInfo(w.path("supiska.csv")).lastModified(), before);
}

void TstMainWindow::failedSaveKeepsTheOldFile_data()
{
    QTest::addColumn<int>("fault");
    QTest::newRow("write failing part-way") << int(WriteFault::DiskFull);
    QTest::newRow("read-only folder") << int(WriteFault::ReadOnlyFolder);
    QTest::newRow("supiska.csv a folder") << int(WriteFault::TargetIsFolder);
}

void TstMainWindow::failedSaveKeepsTheOldFile()
{
    QFETCH(int, fault);
    if (fault == int(WriteFault::DiskFull))
        SKIP_WITHOUT_FILE_SIZE_LIMIT();
    if (fault == int(WriteFault::ReadOnlyFolder))
        SKIP_WITHOUT_READ_ONLY_FOLDER();
    const QByteArray list("10;1;10;\r\n20;1;20;\r\n30;1;30;\r\n");
    const bool folder = fault == int(WriteFault::TargetIsFolder);
    MainWindow w(folder ? QByteArray() : list, QByteArray(), false);
    if (folder)
        QVERIFY(QDir(w.dir.path()).mkdir(QStringLiteral("supiska.csv")));
    w.start();
    QVERIFY(w.model().SetCurrentCell(0, w.model().RowCount() - 1));
    w.type(QStringLiteral("40\t1\r"));
    bool closed = false;
    {
        std::optional<FileSizeLimit> limit;
        std::optional<ReadOnlyFolder> readOnly;
        if (fault == int(WriteFault::DiskFull))
            limit.emplace(8);
        if (fault == int(WriteFault::ReadOnlyFolder)) {
            readOnly.emplace(w.dir.path());
            QVERIFY(readOnly->holds());
        }
        closed = w.close();
    }
    QVERIFY(closed);
    QCOMPARE(w.dialogs.texts().last(),
             QStringLiteral("Chyba pri exportovaní súpisky do súboru \"%1\"!")
                 .arg(QDir::toNativeSeparators(w.path("supiska.csv"))));
    QCOMPARE(w.dialogs.shown().last().box, Dialogs::Box::Error);
    QVERIFY(w.form->isModified());
    QCOMPARE(QFileInfo(w.path("supiska.csv")).isDir(), folder);
    QCOMPARE(readAll(w.path("supiska.csv")), folder ? QByteArray() : list);
    QCOMPARE(QDir(w.dir.path()).entryList(QDir::Files | QDir::Hidden),
             folder ? QStringList() : QStringList({"supiska.csv"}));
}

void TstMainWindow::settingsRoundTrip()
{
    QFile::remove(settingsDir_.filePath(QStringLiteral("Milbor/Kelvaro.conf")));
    QTemporaryDir exports;
    {
        // The first start: today's date, the export box ticked, no directory.
        MainWindow w;
        QCOMPARE(w.child<QLineEdit>("ebDatumObj")->text(), QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
        QVERIFY(w.child<QCheckBox>("cbSubor")->isChecked());
        QVERIFY(w.dialogs.shown().isEmpty());
        QVERIFY(w.form->saveDir().isEmpty());

        w.dialogs.chooseDirectory(QString());
        w.child<QAction>("Nastavenia1")->trigger();
        QCOMPARE(w.dialogs.texts(),
                 QStringList({QStringLiteral("Zvolte si adresár, kam sa majú ukladať súbory súpisky.")}));
        QVERIFY(w.form->saveDir().isEmpty());
        w.dialogs.chooseDirectory(exports.path());
        w.child<QAction>("Nastavenia1")->trigger();
        QCOMPARE(w.form->saveDir(), QDir::toNativeSeparators(exports.path()) + QDir::separator());
    }
    QCOMPARE(MainWindow().form->saveDir(), QDir::toNativeSeparators(exports.path()) + QDir::separator());
}

void TstMainWindow::mnemonics_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("windows");
    QTest::addColumn<QStringList>("nominals");
    QTest::addColumn<bool>("exportTicked");

    const QStringList list{"10", "20", ""};
    const QStringList database{QStringLiteral("Databáza prevádzok")};
    // Without a database the window's close asks about its empty row.
    const QString closeDatabase = QStringLiteral("Odstrániť nekompletné riadky?");
    const QStringList noEstablishment{QStringLiteral("Nie je zvolená prevádzka."), closeDatabase};
    QTest::newRow("Databáza prevádzok") << int(Qt::Key_D) << QStringList{closeDatabase} << database << list << true;
    QTest::newRow("Uloženie súboru súpisky")
        << int(Qt::Key_U) << QStringList{QStringLiteral("Zvolte si adresár, kam sa majú ukladať súbory súpisky.")}
        << QStringList() << list << true;
    QTest::newRow("Vymazať riadok") << int(Qt::Key_R) << QStringList() << QStringList() << QStringList{"20", ""}
                                    << true;
    QTest::newRow("Vymazať všetko") << int(Qt::Key_V) << QStringList{QStringLiteral("Chcete určite vymazať položky?")}
                                    << QStringList() << list << true;
    QTest::newRow("Tlač súpisky s hodnotami")
        << int(Qt::Key_H) << noEstablishment << database << list << true;
    QTest::newRow("Tlač čistej súpisky") << int(Qt::Key_I) << noEstablishment << database << list << true;
    QTest::newRow("Vytvoriť aj súbor?") << int(Qt::Key_S) << QStringList() << QStringList() << list << false;
    QTest::newRow("O programe") << int(Qt::Key_O)
                                << QStringList{QStringLiteral("Kelvaro, verzia " KELVARO_VERSION "\n"
                                                              "Vedie databázu prevádzok a tlačí súpisky poukážok "
                                                              "s čiarovými kódmi.")}
                                << QStringList() << list << true;
}

void TstMainWindow::mnemonics()
{
    QFETCH(int, key);
    MainWindow w("10;1;10;\r\n20;1;20;\r\n");
    w.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
    QTest::keyClick(w.grid(), Qt::Key(key), Qt::AltModifier);
    // A button's mnemonic presses it for a moment before it clicks.
    const auto buttons = w.form->findChildren<QAbstractButton *>();
    QTRY_VERIFY(std::none_of(buttons.cbegin(), buttons.cend(), [](QAbstractButton *b) { return b->isDown(); }));
    QTEST(w.dialogs.texts(), "messages");
    QTEST(w.dialogs.modalShown(), "windows");
    QTEST(w.column(0), "nominals");
    QTEST(w.child<QCheckBox>("cbSubor")->isChecked(), "exportTicked");
}

void TstMainWindow::tabWalksTheWindow()
{
    MainWindow w("10;1;10;\r\n");
    w.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
    QVERIFY(w.model().SetCurrentCell(2, 2));
    // Tab past the grid's last cell, then on round the window back into it.
    QStringList walked;
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walked, QStringList({"btVymazatRiadok", "btVymazatVsetko", "btTlacSupiskySHodnotami",
                                  "btTlacCistejSupisky", "cbSubor", "ebSpecSymb", "sgSupiska"}));
    QVERIFY(w.model().SetCurrentCell(0, 1));
    QTest::keyClick(w.grid(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w.grid());
    QCOMPARE(w.model().CurrentCol(), 1);
    // Ctrl+Tab leaves the grid from any cell, Shift+Tab from its first.
    QTest::keyClick(w.grid(), Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("btVymazatRiadok"));
    w.grid()->setFocus();
    QVERIFY(w.model().SetCurrentCell(0, 1));
    QTest::keyClick(w.grid(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("ebSpecSymb"));
}

QTEST_MAIN(TstMainWindow)
#include "tst_mainwindow.moc"
