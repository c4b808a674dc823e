#include "app/buildinfo.h"
#include "app/datadirectory.h"
#include "app/programsetup.h"
#include "common/recordfile.h"
#include "database/prevadzky.h"
#include "mainwindowfixture.h"
#include "support/filesizelimit.h"
#include "support/readonlyfolder.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QSettings>
#include <QStandardPaths>

#include <optional>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
const QString Prompt = QStringLiteral("Zvolte si adresár, kam sa majú ukladať súbory súpisky.");
const QString RemoveIncomplete = QStringLiteral("Odstrániť nekompletné riadky?");
// What stands at a data file's name, or goes wrong when the list is saved.
enum Fault { None, Folder, Fifo, LinkToDevice, OverSizeLimit, DiskFull, ReadOnly };
} // namespace

class TstMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void scriptedUser_data();
    void scriptedUser();
    void startUp_data();
    void startUp();
    void saving_data();
    void saving();
    void dataDirectory();
    void keyboard();
    void slovakButtons();

private:
    QTemporaryDir settingsDir_;
};

void TstMainWindow::initTestCase()
{
    IgnoreFileSizeSignal();
    InstallSlovakTranslations(*QCoreApplication::instance());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
}

void TstMainWindow::scriptedUser_data()
{
    // Column texts and marked cells ("column,row") joined by spaces, the
    // answers as letters (Y, N) to the script's questions and the close's.
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("answers");
    QTest::addColumn<QString>("nominals");
    QTest::addColumn<QString>("values");
    QTest::addColumn<QString>("marks");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("shown"); // messages, then windows, before the close
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QByteArray>("written"); // by the close; null: no file
    const QByteArray two("10;1;10;\r\n20;1;20;\r\n");
    const QString deleteAll = QStringLiteral("Chcete určite vymazať položky?");
    const QStringList noEstablishment{"Nie je zvolená prevádzka.", RemoveIncomplete, "Databáza prevádzok"};

    QTest::newRow("entries, sorted, the largest exact") << QByteArray() << "12,5\t4\r|1,05\t3\r|999,99\t99999\r" << ""
        << "1,05 12,5 999,99 " << "3,15 50 99998000,01 " << "" << "100 006" << "99 998 053,16" << QStringList() << true
        << QByteArray("1,05;3;3,15;\r\n12,5;4;50;\r\n999,99;99999;99998000,01;\r\n");
    QTest::newRow("keys the cells refuse") << QByteArray() << "1234,5,67x.\t1234567\r" << "" << "123,56 " << "1525348,2 "
        << "" << "12 345" << "1 525 348,20" << QStringList() << true << QByteArray("123,56;12345;1525348,2;\r\n");
    QTest::newRow("nominal value no number, removed at the close") << QByteArray() << ",\t3\r" << "Y" << "," << ""
        << "" << "0" << "0,00" << QStringList() << true << QByteArray("");
    QTest::newRow("value column, No keeps the program open") << QByteArray() << "\t\t\r5" << "N" << "" << "" << ""
        << "0" << "0,00" << QStringList{"Pole je vypĺňané automaticky."} << false << QByteArray();
    QTest::newRow("a refused click decides the deleted row") << two + "30;1;30;\r\n" << "5@03~r" << "" << "5 20 "
        << "5 20 " << "" << "2" << "25,00" << QStringList() << true << QByteArray("5;1;5;\r\n20;1;20;\r\n");
    QTest::newRow("marks follow their rows") << QByteArray("20;abc;\r\n10;5;x;\r\n30;1;z;\r\n") << "@01~r" << "Y"
        << "20 30 " << " z " << "1,1 2,2" << "0" << "0,00" << QStringList{Inconsistent} << true
        << QByteArray("20;abc;;\r\n30;1;z;\r\n");
    QTest::newRow("a typed count takes its mark, No still writes") << QByteArray("10;;\r\n20;1;20;\r\n") << "@112\r"
        << "N" << "10 20 " << " 20 " << "0,1 2,1" << "0" << "0,00" << QStringList{Inconsistent} << false
        << QByteArray("10;2;;\r\n20;1;20;\r\n");
    QTest::newRow("deleting the marked row") << QByteArray("10;;\r\n20;1;20;\r\n") << "@01~r" << "" << "20 " << "20 "
        << "" << "1" << "20,00" << QStringList{Inconsistent} << true << QByteArray("20;1;20;\r\n");
    QTest::newRow("delete all answered No still changes") << QByteArray("10;1;10") << "~v" << "N" << "10 " << "10 "
        << "" << "1" << "10,00" << QStringList{deleteAll} << true << QByteArray("10;1;10;\r\n");
    QTest::newRow("delete all") << two << "~v" << "YY" << "" << "" << "" << "0" << "0,00" << QStringList{deleteAll}
        << true << QByteArray("");
    // The other mnemonics.  Without a database its window's close asks
    // about its empty row.
    const auto mnemonic = [&](const char *key, const QStringList &shown) {
        QTest::addRow("Alt+%s", key) << two << QStringLiteral("~%1").arg(key) << "" << "10 20 " << "10 20 " << ""
                                     << "2" << "30,00" << shown << true << two;
    };
    mnemonic("d", {RemoveIncomplete, "Databáza prevádzok"});
    mnemonic("u", {Prompt});
    mnemonic("v", {deleteAll});
    mnemonic("h", noEstablishment);
    mnemonic("i", noEstablishment);
    mnemonic("s", {"cbSubor unticked"});
    mnemonic("o", {"Kelvaro, verzia " KELVARO_VERSION "\nVedie databázu prevádzok a tlačí súpisky poukážok s čiarovými "
                   "kódmi."});
    // The reading rules of supiska.csv.  A list that is not changed is not
    // written: the files stay as they are, also when the program would write
    // them otherwise.
    const auto read = [&](const char *tag, const QByteArray &file, const char *nominals, const char *values,
                          const char *marks, const char *count, const char *value) {
        QTest::newRow(tag) << file << "" << "" << nominals << values << marks << count << value
                           << QStringList(*marks != 0, Inconsistent) << (!*marks && !file.isEmpty()) << file;
    };
    read("sorted", "20;1;20;\r\n10;5;50;\r\n", "10 20 ", "50 20 ", "", "6", "70,00");
    read("no trailing semicolon, the value computed", "10;5", "10 ", "50 ", "", "5", "50,00");
    read("blanks and control characters trimmed, fields beyond the third ignored",
         QByteArray(" \x01" "10\t; 5\0;50 ;x;y;\r\n", 21), "10 ", "50 ", "", "5", "50,00");
    read("missing count", "10;;0;\r\n", "10", "0", "0,1 1,1 2,1", "0", "0,00");
    read("three decimals", "12,345;1;\r\n", "12,345 ", " ", "0,1", "0", "0,00");
    // A line ends at CR, with one LF after it; an LF elsewhere is text, here
    // of a fourth field.
    read("line ends", "10;1;\r\n\r\n20;1;\r30;1;30;\n40;2;\r\n", "10 20 30 ", "10 20 30 ", "", "3", "60,00");
    read("Ctrl-Z ends the file", "10;1;10;\r\n\x1a" "20;1;20;\r\n", "10 ", "10 ", "", "1", "10,00");
    read("empty file", "", "", "", "", "0", "0,00");
    read("letters, four digits before the comma, a sixth count digit",
         "1a;1;\r\n1234;1;\r\n5;123456;\r\n1000,5;2;\r\n999,99;1;\r\n", "1a 5 999,99 1000,5 1234 ", "     ",
         "0,1 1,2 0,4 0,5", "0", "0,00");
}

void TstMainWindow::scriptedUser()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, answers);
    QFETCH(QString, marks);
    QFETCH(QByteArray, written);
    MainWindow w(file);
    for (QChar answer : answers)
        w.dialogs.answer({answer == QLatin1Char('Y') ? Button::Yes : Button::No});
    QFETCH(QString, script);
    w.play(script);
    QTEST(w.column(0).join(' '), "nominals");
    QTEST(w.column(2).join(' '), "values");
    QCOMPARE(MarkedCellNames(w.model()).join(' '), marks);
    QTEST(w.child<QLineEdit>("ebSpoluPocet")->text(), "count");
    QTEST(w.child<QLineEdit>("ebSpoluHodnota")->text(), "value");
    QCOMPARE(w.child<QLineEdit>("ebDatumObj")->text(), QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    QStringList shown = w.dialogs.texts() + w.dialogs.modalShown();
    if (!w.child<QCheckBox>("cbSubor")->isChecked())
        shown << QStringLiteral("cbSubor unticked");
    QTEST(shown, "shown");
    // Marked cells blank the totals, which turn red.
    QCOMPARE(w.child<NumericDisplay>("ebSpoluPocet")->palette().color(QPalette::Base) == QColor(255, 0, 0),
             !marks.isEmpty());
    QTEST(w.close(), "closes");
    QCOMPARE(readAll(w.path("supiska.csv")), written);
    QCOMPARE(QFile::exists(w.path("supiska.csv")), !written.isNull());
}

// Damage of every kind, the same bytes in both data files, or something
// unreadable at one file's name.
void TstMainWindow::startUp_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("fault");
    QByteArray random(1 << 16, Qt::Uninitialized), all;
    QRandomGenerator generator(0x4B454C56);
    for (char &c : random)
        c = char(generator.bounded(256));
    for (int c = 0; c < 256; ++c)
        all += char((c + 27) % 256); // Ctrl-Z, which ends the file, last
    QTest::newRow("random bytes") << random.replace('\x1a', '\x1b') << "" << 0;
    QTest::newRow("all 256 bytes") << all << "" << 0;
    QTest::newRow("NUL bytes") << QByteArray(" 10\0;\0" "5;\r\n2\0" "0;1;\r\n", 16) + QByteArray(4096, '\0') << "" << 0;
    QTest::newRow("CR only") << QByteArray("1;001234;Bistro;\r20;1;\r").repeated(1000) << "" << 0;
    QTest::newRow("LF only") << QByteArray("1;001234;Bistro;\n20;1;\n").repeated(1000) << "" << 0;
    QTest::newRow("a very long line") << "10;1;" + QByteArray(4 << 20, '9') << "" << 0;
    QTest::newRow("very many short lines") << QByteArray("1;1;\r\n").repeated(100000) << "" << 0;
    QTest::newRow("very many fields") << QByteArray("10;").repeated(100000) << "" << 0;
    for (const char *name : {"supiska.csv", "DB.csv"}) {
        QTest::addRow("%s a folder", name) << QByteArray() << name << int(Folder);
        QTest::addRow("%s over the size limit", name) << QByteArray() << name << int(OverSizeLimit);
#ifndef Q_OS_WIN
        QTest::addRow("%s a FIFO", name) << QByteArray() << name << int(Fifo);
        QTest::addRow("%s a link to /dev/zero", name) << QByteArray() << name << int(LinkToDevice);
#endif
    }
}

void TstMainWindow::startUp()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    QFETCH(int, fault);
    MainWindow w(bytes, bytes, false);
    const QString path = w.dir.filePath(name);
    QFile file(path); // sparse: no disk space taken
    QVERIFY(fault != Folder || QDir(w.dir.path()).mkdir(name));
    QVERIFY(fault != OverSizeLimit || (file.open(QIODevice::WriteOnly) && file.resize(RecordFileSizeLimit + 1)));
#ifndef Q_OS_WIN
    QVERIFY(fault != LinkToDevice || QFile::link(QStringLiteral("/dev/zero"), path));
    QVERIFY(fault != Fifo || mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    alarm(10); // a start that blocks, or reads without end, ends the test program
#endif
    w.start();
#ifndef Q_OS_WIN
    alarm(0);
#endif
    QVERIFY(w.form->isVisible());
    // An inconsistent database is shown before the main window.
    const bool dbMarked = w.form->databaseWindow()->HasMarkedCells();
    QCOMPARE(w.dialogs.modalShown(), dbMarked ? QStringList{"Databáza prevádzok"} : QStringList());
    QCOMPARE(w.dialogs.texts().count(Inconsistent), int(w.form->HasMarkedCells()) + int(dbMarked));
    QCOMPARE(w.dialogs.texts().contains(QStringLiteral("Chyba pri importovaní databázy zo súboru \"%1\"!")
                                            .arg(QDir::toNativeSeparators(path))), fault != None);
    if (fault != None)
        QCOMPARE((name == "DB.csv" ? w.form->databaseWindow()->table().grid() : w.model()).RowCount(), 2);
    // Letting marked or incomplete rows be is no change: nothing is written.
    w.dialogs.answer({Button::Yes});
    QVERIFY(w.close());
    QVERIFY(fault != None || (readAll(w.path("supiska.csv")) == bytes && readAll(w.path("DB.csv")) == bytes));
}

void TstMainWindow::saving_data()
{
    QTest::addColumn<int>("fault");
    // The user's folder, not there yet, reads as no files; the first save
    // makes it.
    QTest::newRow("into a folder not there yet") << int(None);
    QTest::newRow("write failing part-way") << int(DiskFull);
    QTest::newRow("read-only folder") << int(ReadOnly);
    QTest::newRow("supiska.csv a folder") << int(Folder);
}

// A failed save keeps the old file and the list's changes.
void TstMainWindow::saving()
{
    QFETCH(int, fault);
    if (fault == DiskFull)
        SKIP_WITHOUT_FILE_SIZE_LIMIT();
    if (fault == ReadOnly)
        SKIP_WITHOUT_READ_ONLY_FOLDER();
    const QByteArray list = fault == Folder || fault == None ? QByteArray() : "10;1;10;\r\n20;1;20;\r\n";
    MainWindow w(list, {}, false);
    QVERIFY(fault != Folder || QDir(w.dir.path()).mkdir(QStringLiteral("supiska.csv")));
    const QString data = fault == None ? w.path("Milbor/Kelvaro") : w.dir.path();
    w.start(data);
    w.play(QStringLiteral("|40\t1\r"));
    {
        std::optional<FileSizeLimit> limit;
        std::optional<ReadOnlyFolder> readOnly;
        if (fault == DiskFull)
            limit.emplace(8);
        if (fault == ReadOnly)
            QVERIFY(readOnly.emplace(w.dir.path()).holds());
        QVERIFY(w.close());
    }
    const QString file = data + QStringLiteral("/supiska.csv");
    QCOMPARE(w.dialogs.texts().count(QStringLiteral("Chyba pri exportovaní súpisky do súboru \"%1\"!")
                                         .arg(QDir::toNativeSeparators(file))), int(fault != None));
    QCOMPARE(w.form->isModified(), fault != None);
    QCOMPARE(readAll(file), fault == None ? QByteArray("40;1;40;\r\n") : list);
    QCOMPARE(QDir(data).entryList(QDir::Files | QDir::Hidden), QStringList(fault != Folder, "supiska.csv"));
}

// The data files lie beside the executable, or in the user's folder when
// the program runs from the folder it is installed into.
void TstMainWindow::dataDirectory()
{
    QTemporaryDir root;
    const QString bin = root.filePath(QStringLiteral("usr/bin")), build = root.filePath(QStringLiteral("build"));
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("usr/bin/kelvaro")) && QDir(root.path()).mkpath(build));
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QCOMPARE(DataDirectory(bin, bin), user);
    QCOMPARE(DataDirectory(build, bin), build);
    QCOMPARE(DataDirectory(bin + QStringLiteral("/kelvaro"), bin), bin + QStringLiteral("/kelvaro"));
    QCOMPARE(DataDirectory(build, root.filePath(QStringLiteral("opt/bin"))), build);
#ifndef Q_OS_WIN
    // On Windows QFile::link makes a shortcut, which no path leads through.
    QVERIFY(QFile::link(bin, root.filePath(QStringLiteral("bin"))));
    QCOMPARE(DataDirectory(root.filePath(QStringLiteral("bin")), bin + QStringLiteral("/../bin")), user);
#endif
}

// The payment reference's filter, pasting into the grid, the Tab order and
// the panel's boxes.
void TstMainWindow::keyboard()
{
    MainWindow w("10;1;10;\r\n");
    auto *box = w.child<QLineEdit>("ebSpecSymb");
    QTest::keyClicks(box, QStringLiteral("12a 3-45678901234\b"));
    QCOMPARE(box->text(), QStringLiteral("123456789"));
    // Tab and Enter pass as keys, never as pasted text: they would split the
    // lines of supiska.csv and the columns of the export file.
    box->clear();
    for (const char *pasted : {"12x4", "12\t4", "0123456789"})
        box->insert(QString::fromLatin1(pasted));
    QCOMPARE(box->text(), QStringLiteral("0123456789"));

    w.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
    QVERIFY(w.model().SetCurrentCell(2, 2));
    // Tab past the grid's last cell, then on round the window into it.
    QStringList walked;
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walked, QStringList({"btVymazatRiadok", "btVymazatVsetko", "btTlacSupiskySHodnotami",
                                  "btTlacCistejSupisky", "cbSubor", "ebSpecSymb", "sgSupiska"}));
    // The panel's boxes are edited in the database window only.
    QTest::mouseClick(w.child("ebNazovPrevadzky"), Qt::LeftButton);
    QCOMPARE(w.dialogs.texts(), QStringList({QStringLiteral("Pole je možné editovať v databáze prevádzok")}));
    QCOMPARE(QApplication::focusWidget(), w.grid());
    w.play(QStringLiteral("|\t5"));
    QGuiApplication::clipboard()->setText(QStringLiteral("\r3"));
    QTest::keyClick(w.grid()->editor(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.model().Cell(1, 2), QStringLiteral("5"));
}

// Qt's own boxes in Slovak, with the translations that main() installs.
void TstMainWindow::slovakButtons()
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Kelvaro"), QStringLiteral("Text"),
                    QMessageBox::StandardButtons::fromInt(QMessageBox::LastButton * 2 - int(QMessageBox::FirstButton)));
    QStringList texts;
    for (QAbstractButton *button : box.buttons())
        texts << button->text();
    texts.sort();
    QCOMPARE(texts, QStringList({"&Nie", "&Áno", "Ignorovať", "Nastaviť pôvodné", "Nie pre všetk&o", "OK",
                                 "Obnoviť štandardné", "Otvoriť", "Pomocník", "Použiť", "Prerušiť", "Skúsiť znova",
                                 "Uložiť", "Uložiť všetko", "Zahodiť", "Zavrieť", "Zrušiť", "Áno pre &všetko"}));
}

QTEST_MAIN(TstMainWindow)
#include "tst_mainwindow.moc"
