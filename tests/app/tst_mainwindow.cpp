#include "app/buildinfo.h"
#include "app/datadirectory.h"
#include "app/programsetup.h"
#include "database/databasewindow.h"
#include "mainwindowfixture.h"
#include "support/filesizelimit.h"
#include "support/pdftext.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>
#include <optional>

#ifndef Q_OS_WIN
#include "support/listpagebarcodes.h"

#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace dbtest;

namespace {

const QString Prompt = QStringLiteral("Zvolte si adresár, kam sa majú ukladať súbory súpisky.");
const QString RemoveIncomplete = QStringLiteral("Odstrániť nekompletné riadky?");
const QString EmptyList = QStringLiteral("Prázdna alebo nekompletná databáza!\r\nSúpisku nie je možné vytlačiť.");
const QString Refused = QStringLiteral("Nekonzistentné dáta!\r\nSúpisku nie je možné vytlačiť.");
// What stands at a data file's name, or goes wrong when a file is written.
enum Fault { None, Folder, DiskFull, OverSizeLimit, Fifo, LinkToDevice, DirectoryGone };

} // namespace

// The main window as its user meets it: typing, the data files, printing.
class TstMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scriptedUser_data();
    void scriptedUser();
    void dataFiles_data();
    void dataFiles();
    void printFlows_data();
    void printFlows();
    void dataDirectory();
    void runningProgram();
    void keyboard();
    void slovakDialogs();
    void previewWindow();
};

void TstMainWindow::scriptedUser_data()
{
    // Column texts and marked cells ("column,row") joined by spaces, the
    // answers as letters to the script's questions and the close's.
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("answers");
    QTest::addColumn<QString>("nominals");
    QTest::addColumn<QString>("values");
    QTest::addColumn<QString>("marks");
    QTest::addColumn<QString>("totals"); // count / value
    QTest::addColumn<QStringList>("shown"); // messages, then windows, before the close
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QByteArray>("written"); // by the close; null: no file
    const QByteArray two("10;1;10;\r\n20;1;20;\r\n");
    const QString deleteAll = QStringLiteral("Chcete určite vymazať položky?");
    const QStringList noEstablishment{"Nie je zvolená prevádzka.", RemoveIncomplete, "Databáza prevádzok"};

    QTest::newRow("entries, sorted, the largest exact") << QByteArray() << "12,5\t4\r|1,05\t3\r|999,99\t99999\r" << ""
        << "1,05 12,5 999,99 " << "3,15 50 99998000,01 " << "" << "100 006 / 99 998 053,16" << QStringList() << true
        << QByteArray("1,05;3;3,15;\r\n12,5;4;50;\r\n999,99;99999;99998000,01;\r\n");
    QTest::newRow("keys the cells refuse") << QByteArray() << "1234,5,67x.\t1234567\r" << "" << "123,56 " << "1525348,2 "
        << "" << "12 345 / 1 525 348,20" << QStringList() << true << QByteArray("123,56;12345;1525348,2;\r\n");
    QTest::newRow("nominal value no number, removed at the close") << QByteArray() << ",\t3\r" << "Y" << "," << ""
        << "0,0" << "0 / 0,00" << QStringList() << true << QByteArray("");
    QTest::newRow("a comma first or last") << QByteArray() << "1,\t2\r|,5\t3\r" << "" << ",5 1, " << "1,5 2 " << ""
        << "5 / 3,50" << QStringList() << true << QByteArray(",5;3;1,5;\r\n1,;2;2;\r\n");
    QTest::newRow("an entry left open is written with its value") << QByteArray("1,05;3;3,15;\r\n") << "@10\r\b9" << ""
        << "1,05 " << "3,15 " << "" << "3 / 3,15" << QStringList() << true << QByteArray("1,05;9;9,45;\r\n");
    QTest::newRow("value column typed and F2, No keeps the program open") << QByteArray() << "\t\t\r5^" << "N" << ""
        << "" << "" << "0 / 0,00" << QStringList(2, "Pole je vypĺňané automaticky.") << false << QByteArray();
    QTest::newRow("a refused click decides the deleted row") << two + "30;1;30;\r\n" << "5@02~r" << "" << "5 20 "
        << "5 20 " << "" << "2 / 25,00" << QStringList() << true << QByteArray("5;1;5;\r\n20;1;20;\r\n");
    QTest::newRow("marks follow their rows") << QByteArray("20;abc;\r\n10;5;x;\r\n30;1;z;\r\n") << "@00~r" << "Y"
        << "20 30 " << " z " << "1,0 2,1" << "0 / 0,00" << QStringList{Inconsistent} << true
        << QByteArray("20;abc;;\r\n30;1;z;\r\n");
    QTest::newRow("a typed count takes its mark, No still writes") << QByteArray("10;;\r\n20;1;20;\r\n") << "@102\r"
        << "N" << "10 20 " << " 20 " << "0,0 2,0" << "0 / 0,00" << QStringList{Inconsistent} << false
        << QByteArray("10;2;;\r\n20;1;20;\r\n");
    QTest::newRow("deleting the marked row") << QByteArray("10;;\r\n20;1;20;\r\n") << "@00~r" << "" << "20 " << "20 "
        << "" << "1 / 20,00" << QStringList{Inconsistent} << true << QByteArray("20;1;20;\r\n");
    QTest::newRow("delete all answered No still changes") << QByteArray("10;1;10") << "~v" << "N" << "10 " << "10 "
        << "" << "1 / 10,00" << QStringList{deleteAll} << true << QByteArray("10;1;10;\r\n");
    QTest::newRow("delete all") << two << "~v" << "YY" << "" << "" << "" << "0 / 0,00" << QStringList{deleteAll} << true
        << QByteArray("");
    // The mnemonics no other row uses.  Without a database its window's
    // close asks about its empty row.
    const auto mnemonic = [&](const char *key, const QStringList &shown) {
        QTest::addRow("Alt+%s", key) << two << QStringLiteral("~%1").arg(key) << "" << "10 20 " << "10 20 " << ""
                                     << "2 / 30,00" << shown << true << two;
    };
    mnemonic("d", {RemoveIncomplete, "Databáza prevádzok"});
    mnemonic("h", noEstablishment);
    mnemonic("i", noEstablishment);
    mnemonic("o", {"Kelvaro, verzia " KELVARO_VERSION "\nVedie databázu prevádzok a tlačí súpisky poukážok "
                   "s čiarovými kódmi."});
    // The reading rules of supiska.csv.  A list that is not changed is not
    // written: the files stay as they are, also when the program would write
    // them otherwise.
    const auto read = [&](const char *tag, const QByteArray &file, const char *nominals, const char *values,
                          const char *marks, const char *totals) {
        QTest::newRow(tag) << file << "" << "" << nominals << values << marks << totals
                           << QStringList(*marks != 0, Inconsistent) << (!*marks && !file.isEmpty()) << file;
    };
    read("sorted", "20;1;20;\r\n10,5;2;21;\r\n10,25;4;41;\r\n", "10,25 10,5 20 ", "41 21 20 ", "", "7 / 82,00");
    read("no trailing semicolon, the value computed", "10;5", "10 ", "50 ", "", "5 / 50,00");
    read("blanks and control characters trimmed, fields beyond the third ignored",
         QByteArray(" \x01" "10\t; 5\0;50 ;x;y;\r\n", 21), "10 ", "50 ", "", "5 / 50,00");
    read("missing count", "10;;0;\r\n", "10", "0", "0,0 1,0 2,0", "0 / 0,00");
    read("three decimals", "12,345;1;\r\n", "12,345 ", " ", "0,0", "0 / 0,00");
    // A line ends at CR, with one LF after it; an LF elsewhere is text, here
    // of a fourth field.
    read("line ends", "10;1;\r\n\r\n20;1;\r30;1;30;\n40;2;\r\n", "10 20 30 ", "10 20 30 ", "", "3 / 60,00");
    read("Ctrl-Z ends the file", "10;1;10;\r\n\x1a" "20;1;20;\r\n", "10 ", "10 ", "", "1 / 10,00");
    read("empty file", "", "", "", "", "0 / 0,00");
    read("letters, four digits before the comma, a sixth count digit",
         "1a;1;\r\n1234;1;\r\n5;123456;\r\n1000,5;2;\r\n999,99;1;\r\n", "1a 5 999,99 1000,5 1234 ", "     ",
         "0,0 1,1 0,3 0,4", "0 / 0,00");
}

void TstMainWindow::scriptedUser()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, marks);
    QFETCH(QByteArray, written);
    MainWindowFixture w(file);
    QFETCH(QString, answers);
    for (QChar answer : answers)
        w.dialogs.answer({answer == QLatin1Char('Y') ? Dialogs::Button::Yes : Dialogs::Button::No});
    QFETCH(QString, script);
    w.play(script);
    QTEST(w.column(0).join(' '), "nominals");
    QTEST(w.column(2).join(' '), "values");
    QCOMPARE(w.paintedMarks().join(' '), marks);
    QTEST(w.child<QLineEdit>("ebSpoluPocet")->text() + " / " + w.child<QLineEdit>("ebSpoluHodnota")->text(), "totals");
    QCOMPARE(w.child<QLineEdit>("ebDatumObj")->text(), QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    QTEST(w.dialogs.texts() + w.dialogs.modalShown(), "shown");
    // Marked cells blank the totals, which turn red.
    QCOMPARE(w.child<QLineEdit>("ebSpoluPocet")->palette().color(QPalette::Base) == QColor(255, 0, 0),
             !MarkedCellNames(w.model()).isEmpty());
    QTEST(w.close(), "closes");
    QCOMPARE(readAll(w.path("supiska.csv")), written);
    QCOMPARE(QFile::exists(w.path("supiska.csv")), !written.isNull());
}

// Damage of every kind, the same bytes in both data files, or something
// unreadable at one file's name; then, where no file is a link through which
// a save would replace a device, a row typed and saved at the close.  That
// marked or incomplete rows let be are not written is the scripted user's
// and the database window's; bytes of every value, NUL among them, are the
// fuzzers' and the reading rules' rows'.
void TstMainWindow::dataFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name"); // in the data folder, of the fault
    QTest::addColumn<int>("fault");
    QTest::addColumn<bool>("saves");
    QTest::newRow("a very long line") << "10;1;" + QByteArray(4 << 20, '9') << "" << 0 << false;
    QTest::newRow("very many short lines") << QByteArray("1;1;\r\n").repeated(100000) << "" << 0 << false;
    for (const char *name : {"supiska.csv", "DB.csv"}) {
        QTest::addRow("%s a folder", name) << QByteArray() << name << int(Folder) << (*name == 's');
        QTest::addRow("%s over the size limit", name) << QByteArray() << name << int(OverSizeLimit) << false;
#ifndef Q_OS_WIN
        QTest::addRow("%s a FIFO", name) << QByteArray() << name << int(Fifo) << false;
        QTest::addRow("%s a link to /dev/zero", name) << QByteArray() << name << int(LinkToDevice) << false;
#endif
    }
    // The user's folder, not there yet, reads as no files; the first save
    // makes it.  A failed save keeps the old file and the list's changes.
    QTest::newRow("into a folder not there yet") << QByteArray() << "Milbor/Kelvaro/supiska.csv" << 0 << true;
    QTest::newRow("write failing part-way") << QByteArray("10;1;10;\r\n") << "supiska.csv" << int(DiskFull) << true;
}

void TstMainWindow::dataFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    QFETCH(int, fault);
    QFETCH(bool, saves);
    if (fault == DiskFull)
        SKIP_WITHOUT_FILE_SIZE_LIMIT();
    MainWindowFixture w(bytes, saves ? QByteArray() : bytes, false);
    const QString path = w.dir.filePath(name);
    QFile file(path); // over the largest data file read, 32 MB, and sparse: no disk space taken
    QVERIFY(fault != Folder || QDir(w.dir.path()).mkdir(name));
    QVERIFY(fault != OverSizeLimit || (file.open(QIODevice::WriteOnly) && file.resize((32 << 20) + 1)));
#ifndef Q_OS_WIN
    QVERIFY(fault != LinkToDevice || QFile::link(QStringLiteral("/dev/zero"), path));
    QVERIFY(fault != Fifo || mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    alarm(10); // a start that blocks, or reads without end, ends the test program
#endif
    const QString data = QFileInfo(path).path();
    w.start(name.isEmpty() ? w.dir.path() : data);
#ifndef Q_OS_WIN
    alarm(0);
#endif
    // An inconsistent database is shown before the main window.
    const bool dbMarked = w.form->databaseWindow()->hasMarkedCells();
    QCOMPARE(w.dialogs.modalShown(), dbMarked ? QStringList{"Databáza prevádzok"} : QStringList());
    QCOMPARE(w.dialogs.texts().count(Inconsistent), int(w.form->hasMarkedCells()) + int(dbMarked));
    const bool unreadable = fault != None && fault != DiskFull;
    QCOMPARE(w.dialogs.texts().contains(QStringLiteral("Chyba pri importovaní databázy zo súboru \"%1\"!")
                                            .arg(QDir::toNativeSeparators(path))), unreadable);
    if (unreadable)
        QCOMPARE((name == "DB.csv" ? static_cast<const RecordModel &>(w.form->databaseWindow()->table()) : w.model()).rowCount(), 1);
    if (!saves)
        return;
    {
        // The list is written at each confirmed entry; a failure is told once
        // while typing, and again by the close.
        const std::optional<FileSizeLimit> limit = fault == DiskFull ? std::make_optional<FileSizeLimit>(8) : std::nullopt;
        w.play(QStringLiteral("|40\t1\r|50\t1\r"));
        QVERIFY(w.close());
    }
    QCOMPARE(w.dialogs.texts().count(QStringLiteral("Chyba pri exportovaní súpisky do súboru \"%1\"!")
                                         .arg(QDir::toNativeSeparators(path))), fault != None ? 2 : 0);
    QCOMPARE(w.form->isModified(), fault != None);
    QCOMPARE(readAll(path), fault == None ? QByteArray("40;1;40;\r\n50;1;50;\r\n") : bytes);
    QCOMPARE(QDir(data).entryList({QStringLiteral("supiska.csv*")}, QDir::Files), QStringList(fault != Folder, "supiska.csv"));
}

void TstMainWindow::printFlows_data()
{
    // The user plays the script ("~h" the filled print, "~i" the blank
    // one, "~n" the preview, "~u" the choice of the export folder, "~s"
    // unticks the export file; see play()), answering the questions in order.
    // The print dialog, when shown, is confirmed unless nothing is to be
    // printed.  The export file's own failures are the export file's test's;
    // here only what the print does on one: its box, and no print.
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("answers");
    QTest::addColumn<int>("fault"); // of the export file
    QTest::addColumn<QString>("messages"); // joined by "|"
    QTest::addColumn<int>("copies"); // offered by the print dialog; 0: no dialog
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("nominals");
    QTest::addColumn<QByteArray>("exported"); // the export file's rows and totals; null: no file

    const QByteArray marked("1a;2;\r\n10;5;50;\r\n"), one("1;1;1;\r\n"), two = one + "2;1;2;\r\n", no;
    const auto exported = [](const QByteArray &rows, const char *count, const char *value) {
        return rows + "\r\nCelkov\xFD po\xE8" "et kup\xF3nov:\t" + QByteArray(count)
               + "\r\nCelkov\xE1 hodnota kup\xF3nov:\t" + value + " \x80\r\n";
    };
    QTest::newRow("empty list") << QByteArray() << "~h" << "Y" << 0 << RemoveIncomplete + "|" + EmptyList << 0 << 0
        << "" << no;
    QTest::newRow("count 0 removed unasked") << QByteArray("5;0;0;\r\n") << "~h" << "" << 0 << EmptyList << 0 << 0
        << "" << no;
    QTest::newRow("marked nominal value") << marked << "~h" << "" << 0 << Refused << 0 << 0 << "1a 10 " << no;
    QTest::newRow("typed over, it prints") << marked << "@00\b\b,5\r~h" << "" << 0 << "" << 2 << 1 << ",5 10 "
        << exported("0,5\t2\t1\r\n10\t5\t50\r\n", "7", "51,00");
    QTest::newRow("half-filled row kept on No") << two << "|50\t~h" << "N" << 0 << RemoveIncomplete << 0 << 0
        << "1 2 50" << no;
    QTest::newRow("half-filled row removed on Yes") << two << "|50\t~h" << "Y" << 0 << RemoveIncomplete << 2 << 1
        << "1 2 " << exported("1\t1\t1\r\n2\t1\t2\r\n", "2", "3,00");
    QTest::newRow("cancelled") << one << "~h" << "" << 0 << "" << 2 << 0 << "1 " << no;
    QTest::newRow("no export file") << one << "~s~h" << "" << 0 << "" << 2 << 1 << "1 " << no;
    QTest::newRow("export folder gone") << one << "~h" << "" << int(DirectoryGone) << "Invalid filename." << 2 << 0
        << "1 " << no;
    QTest::newRow("export disk full") << one << "~h" << "" << int(DiskFull)
        << QStringLiteral("I/O error %1.").arg(EFBIG) << 2 << 0 << "1 " << no;
    // A folder chosen serves at once and is kept.
    QTest::newRow("export folder chosen") << one << "~u~h" << "" << int(DirectoryGone) << Prompt << 2 << 1 << "1 "
        << exported("1\t1\t1\r\n", "1", "1,00");
    QTest::newRow("blank form") << QByteArray() << "~i" << "" << 0 << "" << 1 << 1 << "" << no;
    // Through a real CUPS queue, when the test runs under privatecups.sh: the
    // two collated copies of the filled list print one after the other.
    QTest::newRow("filled list through the queue") << one.repeated(22) << "~s~h" << "" << 0 << "" << 2 << 4
        << QString("1 ").repeated(22) << no;
    QTest::newRow("blank form through the queue") << QByteArray() << "~i" << "" << 0 << "" << 1 << 1 << "" << no;
    // The preview asks, removes and writes nothing.
    QTest::newRow("preview") << one.repeated(22) + "30;0;0;\r\n" << "|50\t~n" << "" << 0 << "" << 0 << 2
        << QString("1 ").repeated(22) + "30 50" << no;
    QTest::newRow("preview, nothing to print") << QByteArray("5;0;0;\r\n") << "~n" << "" << 0 << EmptyList << 0 << 0
        << "5 " << no;
    QTest::newRow("preview, marked") << marked << "~n" << "" << 0 << Refused << 0 << 0 << "1a 10 " << no;
}

void TstMainWindow::printFlows()
{
    QFETCH(int, fault);
    QFETCH(int, pages);
    QFETCH(QByteArray, exported);
    if (fault == DiskFull)
        SKIP_WITHOUT_FILE_SIZE_LIMIT();
    QTemporaryDir exports;
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Milbor"), QStringLiteral("Kelvaro"));
    settings.setValue(QStringLiteral("saveDir"), exports.path() + (fault == DirectoryGone ? "/missing/" : "/"));
    // The establishment's code is 001234, its IČO 35757442.
    QFETCH(QByteArray, list);
    MainWindowFixture w(list, establishment("1", "001234", "Bistro", "Nitra"));
    w.dialogs.clear();
    QFETCH(QString, answers);
    for (QChar answer : answers)
        w.dialogs.answer({answer == QLatin1Char('Y') ? Dialogs::Button::Yes : Dialogs::Button::No});
    const QString queue = qEnvironmentVariable("KELVARO_TEST_QUEUE");
    const bool queued = QByteArray(QTest::currentDataTag()).endsWith("queue");
    if (queued && queue.isEmpty())
        QSKIP("no CUPS queue of the test's own: the test runs without tests/support/privatecups.sh");
    w.dialogs.printTo(queued ? queue : pages > 0 || fault != None ? w.path("list.pdf") : QString());
    w.dialogs.previewInto(w.path("list.pdf"));
    w.dialogs.chooseDirectory(exports.path());
    {
        const std::optional<FileSizeLimit> limit = fault == DiskFull ? std::make_optional<FileSizeLimit>(100) : std::nullopt;
        QFETCH(QString, script);
        w.play(script);
    }
    QTEST(w.dialogs.texts().join('|'), "messages");
    QCOMPARE(settings.value(QStringLiteral("saveDir")).toString().endsWith("/missing/"), fault == DirectoryGone && exported.isNull());
    if (fault != None && exported.isNull())
        QCOMPARE(w.dialogs.shown().first().box, Dialogs::Box::StopError);
    QTEST(int(w.dialogs.printOffers().isEmpty() ? 0 : w.dialogs.printOffers().first().copies), "copies");
    QTEST(w.column(0).join(' '), "nominals");
    const QString target = exports.filePath(QDate::currentDate().toString(QStringLiteral("yyMMdd")) + "001234.txt");
    // The establishment of the panel, the rows as printed, the date of the list.
    const QByteArray head = "Druh produktu:\t01\r\n\r\nIntern\xE9 \xE8\xEDslo prev\xE1" "dzky:\t1\r\nK\xF3" "d prev\xE1"
        "dzky:\t001234\r\nI\xC8O:\t35757442\r\nN\xE1zov prev\xE1" "dzky:\tBistro\r\nUlica:\tHlavn\xE1 1\r\nMesto:\tNitra"
        "\r\n\r\nKontaktn\xE1 osoba:\r\nPred\xE8\xEDslie / telef\xF3nne \xE8\xEDslo:\t02/1234567\r\n\r\n\x8Apecifick\xFD "
        "symbol:\t\r\n\r\nNH\tPo\xE8" "et\tHodnota\r\n";
    QCOMPARE(readAll(target).split('\n'), (exported.isNull() ? QByteArray() : head + exported + "\r\nD\xE1tum vytvorenia "
             "s\xFApisky:\t" + QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")).toLatin1() + "\r\n").split('\n'));
    QString pdf = w.path("list.pdf"); // printed or previewed
    if (queued) { // the queue's PDF, once its job is done
        const auto pending = [] {
            QProcess lpstat;
            lpstat.start("lpstat", {"-o"});
            return !lpstat.waitForFinished() || !lpstat.readAll().isEmpty();
        };
        QTRY_VERIFY_WITH_TIMEOUT(!pending(), 60000);
        const QDir out(qEnvironmentVariable("KELVARO_TEST_QUEUE_PDFS"));
        pdf = out.filePath(out.entryList({"*.pdf"}, QDir::Files, QDir::Time).value(0));
    }
    // A file that cannot be created stops the print before it starts.
    QCOMPARE(QFile::exists(pdf), pages > 0 || fault == DiskFull);
    if (pages == 0)
        return;
    SKIP_WITHOUT_PDF_READER();
    QCOMPARE(PdfText::pageCount(pdf), pages);
    if (pages == 2) // the totals of the 22 rows, one character a box
        QVERIFY(PdfText::pageText(PdfText::words(pdf), 2).endsWith(QStringLiteral("SPOLU: 22 2 2,0 0")));
#ifndef Q_OS_WIN
    // The form is drawn from the corner of the printable area, inside the
    // margins that the printer cannot print.
    for (int page = 1; page <= pages; ++page) {
        const QPointF corner = queued ? QPrinter(QPrinterInfo::printerInfo(queue)).pageRect(QPrinter::Millimeter).topLeft()
                                      : ScriptedDialogs::PrintableCorner;
        QCOMPARE(ListPageBarcodes::Read(PdfText::pageImage(pdf, page, 300), 300, corner / 10),
                 QStringList({"030829", "001234", "35757442", "0001", "001234"}));
    }
#endif
}

// The data files lie beside the executable, or in the user's folder when
// the program runs from the folder it is installed into.
void TstMainWindow::dataDirectory()
{
    QTemporaryDir root;
    const QString bin = root.filePath(QStringLiteral("usr/bin")), build = root.filePath(QStringLiteral("build"));
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("usr/bin/kelvaro")) && QDir(root.path()).mkpath(build));
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QCOMPARE(DecideProgramFolders(bin, bin).data, user);
    QCOMPARE(DecideProgramFolders(build, bin).data, build);
    QCOMPARE(DecideProgramFolders(bin + QStringLiteral("/kelvaro"), bin).data, bin + QStringLiteral("/kelvaro"));
    QCOMPARE(DecideProgramFolders(build + QStringLiteral("/gone"), bin + QStringLiteral("/gone")).data, build + QStringLiteral("/gone"));
#ifndef Q_OS_WIN
    // On Windows QFile::link makes a shortcut, which no path leads through.
    QVERIFY(QFile::link(bin, root.filePath(QStringLiteral("bin"))));
    QCOMPARE(DecideProgramFolders(root.filePath(QStringLiteral("bin")), bin + QStringLiteral("/../bin")).data, user);
#endif
}

// The program as a process of its own (this test program started again): it
// holds its data folder while it runs, and a confirmed entry is on disk when
// it is killed.
void TstMainWindow::runningProgram()
{
    QTemporaryDir data;
    QProcess program;
    qputenv("KELVARO_TEST_PROGRAM_DATA", data.path().toLocal8Bit());
    program.start(QCoreApplication::applicationFilePath(), {});
    qunsetenv("KELVARO_TEST_PROGRAM_DATA");
    QByteArray said;
    while (!said.contains("typed") && program.waitForReadyRead(30000))
        said += program.readAllStandardOutput();
    QVERIFY(said.contains("typed"));

    ScriptedDialogs second;
    QVERIFY(!DataFolderLock(data.path()).take(second));
    QCOMPARE(second.texts(), QStringList(QStringLiteral("Kelvaro už beží s týmito súbormi.")));

    program.kill();
    QVERIFY(program.waitForFinished());
    ScriptedDialogs next;
    DataFolderLock lock(data.path());
    QVERIFY(lock.take(next));
    MainWindowFixture w(QByteArray(), QByteArray(), false);
    w.start(data.path());
    QCOMPARE(w.column(0), QStringList({"50", ""}));
    QCOMPARE(next.texts() + w.dialogs.texts(), QStringList());
}

// The payment reference's filter, also for pasted text (the grid's cell
// editors have the same guard), the Tab order and the panel's boxes.
void TstMainWindow::keyboard()
{
    MainWindowFixture w("10;1;10;\r\n");
    auto *box = w.child<QLineEdit>("ebSpecSymb");
    QTest::keyClicks(box, QStringLiteral("12a 3-45678901234\b"));
    // Tab and Enter pass as keys, never as pasted text: they would split the
    // lines of supiska.csv and the columns of the export file.
    for (const char *pasted : {"12x4", "12\t4", "0"})
        box->insert(QString::fromLatin1(pasted));
    QCOMPARE(box->text(), QStringLiteral("1234567890"));

    w.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
    QVERIFY(clickCell(w.grid(), 1, 2));
    // Tab past the grid's last cell, then on round the window into it.
    for (const char *next : {"btVymazatRiadok", "btVymazatVsetko", "btTlacSupiskySHodnotami", "btTlacCistejSupisky",
                             "cbSubor", "ebSpecSymb", "sgSupiska"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(next));
    }
    // The panel's boxes are edited in the database window only.
    QTest::mouseClick(w.child("ebNazovPrevadzky"), Qt::LeftButton);
    QCOMPARE(w.dialogs.texts(), QStringList({QStringLiteral("Pole je možné editovať v databáze prevádzok")}));
    QCOMPARE(QApplication::focusWidget(), w.grid());
}

// Qt's own dialogs in Slovak, with the translations that main() installs:
// every standard button of a message box, then the folder chooser's labels,
// buttons and their tips.
void TstMainWindow::slovakDialogs()
{
    QMessageBox box(QMessageBox::Question, {}, {},
                    QMessageBox::StandardButtons::fromInt(QMessageBox::LastButton * 2 - int(QMessageBox::FirstButton)));
    QStringList texts;
    for (QAbstractButton *button : box.buttons())
        texts << button->text();
    QTimer::singleShot(0, [&texts] {
        QWidget *chooser = QApplication::activeModalWidget();
        for (QLabel *label : chooser->findChildren<QLabel *>())
            texts << label->text();
        for (QAbstractButton *button : chooser->findChildren<QAbstractButton *>())
            texts << button->text() + button->toolTip(); // a tool button has only a tip
        static_cast<QDialog *>(chooser)->reject();
    });
    QCOMPARE(Dialogs::standard().existingDirectory(nullptr, Prompt), QString());
    texts.sort();
    QCOMPARE(texts, QStringList({"&Nie", "&Vybrať", "&Áno", "Detaily", "Hľadať v:", "Ignorovať", "Nadradený priečinok",
                                 "Nastaviť pôvodné", "Nie pre všetk&o", "OK", "Obnoviť štandardné", "Otvoriť", "Pomocník",
                                 "Použiť", "Prerušiť", "Priečinok:", "Skúsiť znova", "Späť", "Súbory typu:", "Uložiť",
                                 "Uložiť všetko", "Vpred", "Vytvoriť nový priečinok", "Zahodiť", "Zavrieť", "Zoznam",
                                 "Zrušiť", "Zrušiť", "Áno pre &všetko"}));
}

// The preview opens over most of the screen, with the buttons that make it
// larger or put it away.
void TstMainWindow::previewWindow()
{
    Qt::WindowFlags flags;
    QSize size;
    QTimer::singleShot(0, [&] {
        QWidget *preview = QApplication::activeModalWidget();
        flags = preview->windowFlags();
        size = preview->size();
        static_cast<QDialog *>(preview)->reject();
    });
    Dialogs::standard().printPreview(nullptr, [](QPrinter &) {});
    const QSize available = QGuiApplication::primaryScreen()->availableGeometry().size();
    QVERIFY(flags.testFlags(Qt::WindowMinMaxButtonsHint));
    QVERIFY2(size.width() >= available.width() * 0.85 && size.height() >= available.height() * 0.85,
             qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())));
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    IgnoreFileSizeSignal();
    InstallSlovakTranslations(app);
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    // runningProgram()'s program: it takes its folder, confirms an entry,
    // says so and runs until it is killed.
    const QString programData = qEnvironmentVariable("KELVARO_TEST_PROGRAM_DATA");
    if (!programData.isEmpty()) {
        ScriptedDialogs dialogs;
        DataFolderLock lock(programData);
        MainWindowFixture w(QByteArray(), QByteArray(), false);
        if (!lock.take(dialogs))
            return 1;
        w.start(programData);
        w.play(QStringLiteral("50\t2\r"));
        std::fputs("typed\n", stdout);
        std::fflush(stdout);
        return app.exec();
    }
    TstMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindow.moc"
