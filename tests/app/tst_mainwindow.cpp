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
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <functional>

#ifndef Q_OS_WIN
#include "support/listpagebarcodes.h"

#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace dbtest;

namespace {

const QString RemoveIncomplete = QStringLiteral("Odstrániť nekompletné riadky?");
const QString EmptyList = QStringLiteral("Prázdna alebo nekompletná databáza!\r\nSúpisku nie je možné vytlačiť.");
const QString Refused = QStringLiteral("Nekonzistentné dáta!\r\nSúpisku nie je možné vytlačiť.");
// The establishment of the prints: code 001234, IČO 35757442, and the
// barcodes of its list.
const QByteArray Bistro = establishment("1", "001234", "Bistro", "Nitra");
const QStringList Barcodes{"030829", "001234", "35757442", "0001", "001234"};

// What the scripted user starts from (supiska.csv; null: none), does (see
// MainWindowFixture::play(); answers Y or N to the questions in turn, the
// close's too), sees (column texts and painted marks "column,row" joined by
// spaces, the totals, the messages and windows shown) and leaves (whether
// the close ends the program, and the file it writes; null: none).
struct UserRun
{
    QByteArray file{};
    QString script{};
    QString answers{};
    QString nominals{}, values{}, marks{};
    QString totals = QStringLiteral("0 / 0,00");
    QStringList shown{};
    bool closes = true;
    QByteArray written{};
};

// How something unreadable is put at a data file's name.
using MakeFn = std::function<bool(const QString &path)>;
bool makeNothing(const QString &) { return true; }
bool makeFolder(const QString &path) { return QDir().mkdir(path); }
bool makeOverSizeLimit(const QString &path)
{
    QFile file(path); // over the largest data file read, 32 MB, and sparse: no disk space taken
    return file.open(QIODevice::WriteOnly) && file.resize((32 << 20) + 1);
}
#ifndef Q_OS_WIN
bool makeFifo(const QString &path) { return mkfifo(QFile::encodeName(path).constData(), 0600) == 0; }
bool makeLinkToZero(const QString &path) { return QFile::link(QStringLiteral("/dev/zero"), path); }
#endif

// A start over damaged bytes in both data files, or over something made at
// one file's name; rows: the rows of both tables then.
struct DamagedStart
{
    QByteArray bytes{};
    QString name{};
    MakeFn make = makeNothing;
    int rows = 2;
};

// Entries typed into a list whose file (in the data folder, with its bytes)
// meets what is made at its name or a file size limit: the error boxes, and
// what the file then holds and which files are left beside it.
struct ListWrite
{
    QByteArray bytes{};
    QString name{};
    MakeFn make = makeNothing;
    qint64 sizeLimit = NoFileSizeLimit;
    int errors = 0;
    QByteArray written{};
    QStringList left{};
};

// A print flow: the list, what the user plays and answers, and where the
// print dialog prints (none: it is cancelled); then the messages joined by
// "|", the copies the dialog offered (0: no dialog), the pages printed or
// previewed with the end of the last one, the nominal values left and the
// export file (null: none).
struct PrintRun
{
    QByteArray list{};
    QString script{};
    QString answers{};
    QString messages{};
    QString printTo{};
    int copies = 0, pages = 0;
    QString lastPage{};
    QString nominals{};
    QByteArray exported{};
};

QString exportPath(const QTemporaryDir &exports)
{
    return exports.filePath(QDate::currentDate().toString(QStringLiteral("yyMMdd")) + "001234.txt");
}

// The export file of Bistro's list with these rows and totals.
QByteArray exportFile(const QByteArray &rows, const char *count, const char *value)
{
    return "Druh produktu:\t01\r\n\r\nIntern\xE9 \xE8\xEDslo prev\xE1" "dzky:\t1\r\nK\xF3" "d prev\xE1"
           "dzky:\t001234\r\nI\xC8O:\t35757442\r\nN\xE1zov prev\xE1" "dzky:\tBistro\r\nUlica:\tHlavn\xE1 1\r\nMesto:\tNitra"
           "\r\n\r\nKontaktn\xE1 osoba:\r\nPred\xE8\xEDslie / telef\xF3nne \xE8\xEDslo:\t02/1234567\r\n\r\n\x8Apecifick\xFD "
           "symbol:\t\r\n\r\nNH\tPo\xE8" "et\tHodnota\r\n" + rows + "\r\nCelkov\xFD po\xE8" "et kup\xF3nov:\t" + count
           + "\r\nCelkov\xE1 hodnota kup\xF3nov:\t" + value + " \x80\r\n\r\nD\xE1tum vytvorenia s\xFApisky:\t"
           + QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")).toLatin1() + "\r\n";
}

} // namespace

// The main window as its user meets it: typing, the data files, printing.
class TstMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scriptedUser_data();
    void scriptedUser();
    void unreadableFiles_data();
    void unreadableFiles();
    void listWrites_data();
    void listWrites();
    void printFlows_data();
    void printFlows();
    void printQueue();
    void exportFailures();
    void dataDirectory();
    void runningProgram();
    void keyboard();
    void slovakDialogs();
    void previewWindow();
};

void TstMainWindow::scriptedUser_data()
{
    QTest::addColumn<UserRun>("run");
    const QByteArray two("10;1;10;\r\n20;1;20;\r\n");
    const QString deleteAll = QStringLiteral("Chcete určite vymazať položky?");
    const QStringList noEstablishment{"Nie je zvolená prevádzka.", RemoveIncomplete, "Databáza prevádzok"};

    QTest::newRow("entries, sorted, the largest exact") << UserRun{.script = "12,5\t4\r|1,05\t3\r|999,99\t99999\r",
        .nominals = "1,05 12,5 999,99 ", .values = "3,15 50 99998000,01 ", .totals = "100 006 / 99 998 053,16",
        .written = "1,05;3;3,15;\r\n12,5;4;50;\r\n999,99;99999;99998000,01;\r\n"};
    QTest::newRow("keys the cells refuse") << UserRun{.script = "1234,5,67x.\t1234567\r", .nominals = "123,56 ",
        .values = "1525348,2 ", .totals = "12 345 / 1 525 348,20", .written = "123,56;12345;1525348,2;\r\n"};
    QTest::newRow("nominal value no number, removed at the close") << UserRun{.script = ",\t3\r", .answers = "Y",
        .nominals = ",", .marks = "0,0", .written = ""};
    QTest::newRow("a comma first or last") << UserRun{.script = "1,\t2\r|,5\t3\r", .nominals = ",5 1, ",
        .values = "1,5 2 ", .totals = "5 / 3,50", .written = ",5;3;1,5;\r\n1,;2;2;\r\n"};
    // A click refused while the entry is open leaves its editor open: typing
    // goes on in it.
    QTest::newRow("an entry left open is written with its value") << UserRun{.file = "1,05;3;3,15;\r\n",
        .script = "@10\r\b1@002", .nominals = "1,05 ", .values = "1,05 ", .totals = "1 / 1,05",
        .written = "1,05;12;12,6;\r\n"};
    QTest::newRow("value column typed and F2, No keeps the program open") << UserRun{.script = "\t\t\r5^",
        .answers = "N", .shown = QStringList(2, "Pole je vypĺňané automaticky."), .closes = false};
    QTest::newRow("a refused click decides the deleted row") << UserRun{.file = two + "30;1;30;\r\n",
        .script = "5@02~r", .nominals = "5 20 ", .values = "5 20 ", .totals = "2 / 25,00",
        .written = "5;1;5;\r\n20;1;20;\r\n"};
    QTest::newRow("marks follow their rows") << UserRun{.file = "20;abc;\r\n10;5;x;\r\n30;1;z;\r\n",
        .script = "@00~r", .answers = "Y", .nominals = "20 30 ", .values = " z ", .marks = "1,0 2,1",
        .shown = {Inconsistent}, .written = "20;abc;;\r\n30;1;z;\r\n"};
    QTest::newRow("a typed count takes its mark, No still writes") << UserRun{.file = "10;;\r\n20;1;20;\r\n",
        .script = "@102\r", .answers = "N", .nominals = "10 20 ", .values = " 20 ", .marks = "0,0 2,0",
        .shown = {Inconsistent}, .closes = false, .written = "10;2;;\r\n20;1;20;\r\n"};
    QTest::newRow("deleting the marked row") << UserRun{.file = "10;;\r\n20;1;20;\r\n", .script = "@00~r",
        .nominals = "20 ", .values = "20 ", .totals = "1 / 20,00", .shown = {Inconsistent}, .written = "20;1;20;\r\n"};
    QTest::newRow("delete all answered No still changes") << UserRun{.file = "10;1;10", .script = "~v",
        .answers = "N", .nominals = "10 ", .values = "10 ", .totals = "1 / 10,00", .shown = {deleteAll},
        .written = "10;1;10;\r\n"};
    QTest::newRow("delete all") << UserRun{.file = two, .script = "~v", .answers = "YY", .shown = {deleteAll},
        .written = ""};
    // The mnemonics no other row uses.  Without a database its window's
    // close asks about its empty row.
    const auto mnemonic = [&](const char *key, const QStringList &shown) {
        QTest::addRow("Alt+%s", key) << UserRun{.file = two, .script = QStringLiteral("~%1").arg(key),
            .nominals = "10 20 ", .values = "10 20 ", .totals = "2 / 30,00", .shown = shown, .written = two};
    };
    mnemonic("d", {RemoveIncomplete, "Databáza prevádzok"});
    mnemonic("h", noEstablishment);
    mnemonic("i", noEstablishment);
    mnemonic("o", {"Kelvaro, verzia " KELVARO_VERSION "\nVedie databázu prevádzok a tlačí súpisky poukážok "
                   "s čiarovými kódmi."});
    // The reading rules of supiska.csv.  A list that is not changed is not
    // written: the file stays as it was, also when the close would write it.
    const auto read = [&](const char *tag, const QByteArray &file, const char *nominals, const char *values,
                          const char *marks, const char *totals) {
        QTest::newRow(tag) << UserRun{.file = file, .nominals = nominals, .values = values, .marks = marks,
                                      .totals = totals, .shown = QStringList(*marks != 0, Inconsistent),
                                      .closes = !*marks && !file.isEmpty(), .written = file};
    };
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
    QFETCH(UserRun, run);
    MainWindowFixture w(run.file);
    for (QChar answer : run.answers)
        w.dialogs.answer({answer == QLatin1Char('Y') ? Dialogs::Button::Yes : Dialogs::Button::No});
    w.play(run.script);
    QCOMPARE(w.column(0).join(' '), run.nominals);
    QCOMPARE(w.column(2).join(' '), run.values);
    QCOMPARE(w.paintedMarks().join(' '), run.marks);
    QCOMPARE(w.child<QLineEdit>("ebSpoluPocet")->text() + " / " + w.child<QLineEdit>("ebSpoluHodnota")->text(),
             run.totals);
    QCOMPARE(w.dialogs.texts() + w.dialogs.modalShown(), run.shown);
    // Marked cells blank the totals, which turn red.
    QCOMPARE(w.child<QLineEdit>("ebSpoluPocet")->palette().color(QPalette::Base) == QColor(255, 0, 0),
             w.model().hasMarkedCells());
    QCOMPARE(w.close(), run.closes);
    QCOMPARE(readAll(w.path("supiska.csv")), run.written);
    QCOMPARE(QFile::exists(w.path("supiska.csv")), !run.written.isNull());
}

// Damage of every kind in both data files, or something unreadable at one
// file's name: the start neither blocks nor reads without end, and tells
// what it could not read.  Bytes of every value, NUL among them, are the
// fuzzers' and the reading rules' rows'.
void TstMainWindow::unreadableFiles_data()
{
    QTest::addColumn<DamagedStart>("start");
    QTest::newRow("a very long line") << DamagedStart{.bytes = "10;1;" + QByteArray(4 << 20, '9'), .rows = 3};
    QTest::newRow("very many short lines")
        << DamagedStart{.bytes = QByteArray("1;1;\r\n").repeated(100000), .rows = 200001};
    for (const char *name : {"supiska.csv", "DB.csv"}) {
        QTest::addRow("%s a folder", name) << DamagedStart{.name = name, .make = makeFolder};
        QTest::addRow("%s over the size limit", name) << DamagedStart{.name = name, .make = makeOverSizeLimit};
#ifndef Q_OS_WIN
        QTest::addRow("%s a FIFO", name) << DamagedStart{.name = name, .make = makeFifo};
        QTest::addRow("%s a link to /dev/zero", name) << DamagedStart{.name = name, .make = makeLinkToZero};
#endif
    }
}

void TstMainWindow::unreadableFiles()
{
    QFETCH(DamagedStart, start);
    MainWindowFixture w(start.bytes, start.bytes, false);
    const QString path = w.dir.filePath(start.name);
    QVERIFY(start.make(path));
#ifndef Q_OS_WIN
    alarm(10); // a start that blocks, or reads without end, ends the test program
#endif
    w.start();
#ifndef Q_OS_WIN
    alarm(0);
#endif
    // An inconsistent database is shown before the main window.
    const bool dbMarked = w.form->databaseWindow()->hasMarkedCells();
    QCOMPARE(w.dialogs.modalShown(), QStringList(dbMarked, "Databáza prevádzok"));
    QCOMPARE(w.dialogs.texts().count(Inconsistent), int(w.form->hasMarkedCells()) + int(dbMarked));
    QCOMPARE(w.dialogs.texts().contains(QStringLiteral("Chyba pri importovaní databázy zo súboru \"%1\"!")
                                            .arg(QDir::toNativeSeparators(path))), !start.name.isEmpty());
    QCOMPARE(w.form->databaseWindow()->table().rowCount() + w.model().rowCount(), start.rows);
}

// The list is written at each confirmed entry; a failure is told once while
// typing, and again by the close, and the file stays as it was.  The user's
// folder, not there yet, is made by the first write.
void TstMainWindow::listWrites_data()
{
    QTest::addColumn<ListWrite>("write");
    QTest::newRow("into a folder not there yet") << ListWrite{.name = "Milbor/Kelvaro/supiska.csv",
        .written = "40;1;40;\r\n50;1;50;\r\n", .left = {"supiska.csv"}};
    QTest::newRow("supiska.csv a folder") << ListWrite{.name = "supiska.csv", .make = makeFolder, .errors = 2};
#ifndef Q_OS_WIN
    QTest::newRow("write failing part-way") << ListWrite{.bytes = "10;1;10;\r\n", .name = "supiska.csv",
        .sizeLimit = 8, .errors = 2, .written = "10;1;10;\r\n", .left = {"supiska.csv"}};
#endif
}

void TstMainWindow::listWrites()
{
    QFETCH(ListWrite, write);
    MainWindowFixture w(write.bytes, QByteArray(), false);
    const QString path = w.dir.filePath(write.name);
    QVERIFY(write.make(path));
    const QString data = QFileInfo(path).path();
    w.start(data);
    {
        const FileSizeLimit limit(write.sizeLimit);
        w.play(QStringLiteral("|40\t1\r|50\t1\r"));
        QVERIFY(w.close());
    }
    QCOMPARE(w.dialogs.texts().count(QStringLiteral("Chyba pri exportovaní súpisky do súboru \"%1\"!")
                                         .arg(QDir::toNativeSeparators(path))), write.errors);
    QCOMPARE(w.form->isModified(), write.errors > 0);
    QCOMPARE(readAll(path), write.written);
    QCOMPARE(QDir(data).entryList({QStringLiteral("supiska.csv*")}, QDir::Files), write.left);
}

void TstMainWindow::printFlows_data()
{
    // The user plays the script ("~h" the filled print, "~i" the blank
    // one, "~n" the preview, "~s" unticks the export file; see play()),
    // answering the questions in order, and the print dialog prints into
    // printTo (none: the dialog is cancelled).
    QTest::addColumn<PrintRun>("run");
    const QByteArray marked("1a;2;\r\n10;5;50;\r\n"), one("1;1;1;\r\n"), two = one + "2;1;2;\r\n";
    QTest::newRow("empty list") << PrintRun{.script = "~h", .answers = "Y", .messages = RemoveIncomplete + "|" + EmptyList};
    QTest::newRow("count 0 removed unasked") << PrintRun{.list = "5;0;0;\r\n", .script = "~h", .messages = EmptyList};
    QTest::newRow("marked nominal value") << PrintRun{.list = marked, .script = "~h", .messages = Refused,
                                                      .nominals = "1a 10 "};
    QTest::newRow("typed over, it prints") << PrintRun{.list = marked, .script = "@00\b\b,5\r~h",
        .printTo = "list.pdf", .copies = 2, .pages = 1, .nominals = ",5 10 ",
        .exported = exportFile("0,5\t2\t1\r\n10\t5\t50\r\n", "7", "51,00")};
    QTest::newRow("half-filled row kept on No") << PrintRun{.list = two, .script = "|50\t~h", .answers = "N",
        .messages = RemoveIncomplete, .nominals = "1 2 50"};
    QTest::newRow("half-filled row removed on Yes") << PrintRun{.list = two, .script = "|50\t~h", .answers = "Y",
        .messages = RemoveIncomplete, .printTo = "list.pdf", .copies = 2, .pages = 1, .nominals = "1 2 ",
        .exported = exportFile("1\t1\t1\r\n2\t1\t2\r\n", "2", "3,00")};
    QTest::newRow("cancelled") << PrintRun{.list = one, .script = "~h", .copies = 2, .nominals = "1 "};
    QTest::newRow("no export file") << PrintRun{.list = one, .script = "~s~h", .printTo = "list.pdf", .copies = 2,
                                                .pages = 1, .nominals = "1 "};
    QTest::newRow("blank form") << PrintRun{.script = "~i", .printTo = "list.pdf", .copies = 1, .pages = 1};
    // The preview asks, removes and writes nothing.
    QTest::newRow("preview") << PrintRun{.list = one.repeated(22) + "30;0;0;\r\n", .script = "|50\t~n", .pages = 2,
        .lastPage = "SPOLU: 22 2 2,0 0", .nominals = QString("1 ").repeated(22) + "30 50"};
    QTest::newRow("preview, nothing to print") << PrintRun{.list = "5;0;0;\r\n", .script = "~n",
                                                           .messages = EmptyList, .nominals = "5 "};
    QTest::newRow("preview, marked") << PrintRun{.list = marked, .script = "~n", .messages = Refused,
                                                 .nominals = "1a 10 "};
}

void TstMainWindow::printFlows()
{
    QFETCH(PrintRun, run);
    QTemporaryDir exports;
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Milbor"), QStringLiteral("Kelvaro"));
    settings.setValue(QStringLiteral("saveDir"), exports.path() + "/");
    MainWindowFixture w(run.list, Bistro);
    w.dialogs.clear();
    for (QChar answer : run.answers)
        w.dialogs.answer({answer == QLatin1Char('Y') ? Dialogs::Button::Yes : Dialogs::Button::No});
    w.dialogs.printTo(w.path(run.printTo));
    w.dialogs.previewInto(w.path("list.pdf"));
    w.play(run.script);
    QCOMPARE(w.dialogs.texts().join('|'), run.messages);
    QCOMPARE(int(w.dialogs.printOffers().isEmpty() ? 0 : w.dialogs.printOffers().first().copies), run.copies);
    QCOMPARE(w.column(0).join(' '), run.nominals);
    QCOMPARE(readAll(exportPath(exports)), run.exported);
    SKIP_WITHOUT_PDF_READER();
    const QString pdf = w.path("list.pdf"); // printed or previewed
    QCOMPARE(PdfText::pageCount(pdf), run.pages);
    QVERIFY(PdfText::pageText(PdfText::words(pdf), run.pages).endsWith(run.lastPage));
#ifndef Q_OS_WIN
    // The form is drawn from the corner of the printable area, inside the
    // margins that the printer cannot print.
    for (int page = 1; page <= run.pages; ++page)
        QCOMPARE(ListPageBarcodes::Read(PdfText::pageImage(pdf, page, 300), 300, ScriptedDialogs::PrintableCorner / 10),
                 Barcodes);
#endif
}

// Through a real CUPS queue, when the test runs under privatecups.sh: the
// two collated copies of the filled list print one after the other, each
// page with its barcodes where the queue's printer prints.
void TstMainWindow::printQueue()
{
    const QString queue = qEnvironmentVariable("KELVARO_TEST_QUEUE");
    if (queue.isEmpty())
        QSKIP("no CUPS queue of the test's own: the test runs without tests/support/privatecups.sh");
    MainWindowFixture w(QByteArray("1;1;1;\r\n").repeated(22), Bistro);
    w.dialogs.printTo(queue);
    w.play("~s~h");
    const auto pending = [] {
        QProcess lpstat;
        lpstat.start("lpstat", {"-o"});
        return !lpstat.waitForFinished() || !lpstat.readAll().isEmpty();
    };
    QTRY_VERIFY_WITH_TIMEOUT(!pending(), 60000);
    const QDir out(qEnvironmentVariable("KELVARO_TEST_QUEUE_PDFS"));
    const QString pdf = out.filePath(out.entryList({"*.pdf"}, QDir::Files, QDir::Time).value(0));
    QCOMPARE(PdfText::pageCount(pdf), 4);
#ifndef Q_OS_WIN
    const QPointF corner = QPrinter(QPrinterInfo::printerInfo(queue)).pageRect(QPrinter::Millimeter).topLeft();
    for (int page = 1; page <= 4; ++page)
        QCOMPARE(ListPageBarcodes::Read(PdfText::pageImage(pdf, page, 300), 300, corner / 10), Barcodes);
#endif
}

// The export file's own failures are the export file's test's; here what
// the print does on one: its box, and no print.  A missing export folder
// stops the print until the user chooses another, which serves at once and
// is kept.
void TstMainWindow::exportFailures()
{
    QTemporaryDir exports;
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Milbor"), QStringLiteral("Kelvaro"));
    settings.setValue(QStringLiteral("saveDir"), exports.path() + "/missing/");
    MainWindowFixture w("1;1;1;\r\n", Bistro);
    w.dialogs.clear();
    w.dialogs.printTo(w.path("gone.pdf"));
    w.play("~h");
    QCOMPARE(w.dialogs.shown().value(0).box, Dialogs::Box::StopError);
    QCOMPARE(w.dialogs.texts(), QStringList{"Invalid filename."});
    w.dialogs.chooseDirectory(exports.path());
    w.dialogs.printTo(w.path("chosen.pdf"));
    w.play("~u~h");
    QCOMPARE(readAll(exportPath(exports)), exportFile("1\t1\t1\r\n", "1", "1,00"));
    QVERIFY(!settings.value(QStringLiteral("saveDir")).toString().contains(QStringLiteral("missing")));
    QCOMPARE(QFile::exists(w.path("gone.pdf")), false);
#ifndef Q_OS_WIN
    // A disk that fills while the list prints: the print stops with the
    // export file's error.
    w.dialogs.clear();
    w.dialogs.printTo(w.path("full.pdf"));
    {
        const FileSizeLimit limit(100);
        w.play("~h");
    }
    QCOMPARE(w.dialogs.texts(), QStringList{QStringLiteral("I/O error %1.").arg(EFBIG)});
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
    QCOMPARE(Dialogs::standard().existingDirectory(nullptr, QStringLiteral("Zvolte si adresár")), QString());
    texts.sort();
    QCOMPARE(texts, QStringList({"&Nie", "&Vybrať", "&Áno", "Detaily", "Hľadať v:", "Ignorovať", "Nadradený priečinok",
                                 "Nastaviť pôvodné", "Nie pre všetk&o", "OK", "Obnoviť štandardné", "Otvoriť", "Pomocník",
                                 "Použiť", "Prerušiť", "Priečinok:", "Skúsiť znova", "Späť", "Súbory typu:", "Uložiť",
                                 "Uložiť všetko", "Vpred", "Vytvoriť nový priečinok", "Zahodiť", "Zavrieť", "Zoznam",
                                 "Zrušiť", "Zrušiť", "Áno pre &všetko"}));
}

// The preview has the buttons that make it larger or put it away; that it
// opens over most of the screen is the Windows end-to-end check's.
void TstMainWindow::previewWindow()
{
    Qt::WindowFlags flags;
    QTimer::singleShot(0, [&] {
        QWidget *preview = QApplication::activeModalWidget();
        flags = preview->windowFlags();
        static_cast<QDialog *>(preview)->reject();
    });
    Dialogs::standard().printPreview(nullptr, [](QPrinter &) {});
    QVERIFY(flags.testFlags(Qt::WindowMinMaxButtonsHint));
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
