#include "app/programsetup.h"
#include "mainwindowfixture.h"
#include "support/filesizelimit.h"
#include "support/pdftext.h"
#include "support/readonlyfolder.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSettings>

#include <optional>

#ifndef Q_OS_WIN
#include "support/listpagebarcodes.h"
#include "support/privatecups.h"
#endif

namespace {

const QString RemoveIncomplete = QStringLiteral("Odstrániť nekompletné riadky?");
const QString EmptyList = QStringLiteral("Prázdna alebo nekompletná databáza!\r\nSúpisku nie je možné vytlačiť.");
const QString Refused = QStringLiteral("Nekonzistentné dáta!\r\nSúpisku nie je možné vytlačiť.");
const QString QueueName = QStringLiteral("kelvaro-pdf");
enum Fault { None, DirectoryGone, ReadOnly, TargetIsFolder, DiskFull, Queue };

// Row i (from 1) counts one voucher of i euros.
QByteArray rows(int n)
{
    QByteArray list;
    for (int i = 1; i <= n; ++i)
        list += QByteArray::number(i) + ";1;" + QByteArray::number(i) + ";\r\n";
    return list;
}

} // namespace

class TstPrintFlow : public QObject
{
    Q_OBJECT

public:
    QTemporaryDir settingsDir;
#ifndef Q_OS_WIN
    PrivateCups *cups = nullptr;
#endif

private Q_SLOTS:
    void printFlows_data();
    void printFlows();
};

void TstPrintFlow::printFlows_data()
{
    // The user plays the script ("~h" the filled print, "~i" the blank
    // one, "~n" the preview, "~u" the choice of the export folder, "~s"
    // unticks the export file; see play()), answering the questions in order
    // (Y, N).  The print dialog, when shown, is confirmed unless nothing is
    // to be printed.
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("answers");
    QTest::addColumn<int>("fault"); // of the export file, or the printer
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("copies"); // offered by the print dialog; 0: no dialog
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("nominals");
    QTest::addColumn<bool>("exported");

    const QByteArray marked("1a;2;\r\n10;5;50;\r\n");
    QTest::newRow("empty list") << QByteArray() << "~h" << "Y" << 0 << QStringList{RemoveIncomplete, EmptyList} << 0
                                << 0 << "" << false;
    QTest::newRow("count 0 removed unasked") << QByteArray("5;0;0;\r\n") << "~h" << "" << 0 << QStringList{EmptyList}
                                             << 0 << 0 << "" << false;
    QTest::newRow("marked nominal value") << marked << "~h" << "" << 0 << QStringList{Refused} << 0 << 0 << "1a 10 "
                                          << false;
    QTest::newRow("typed over, it prints") << marked << "@01\b\b1\r~h" << "" << 0 << QStringList() << 2 << 1 << "1 10 "
                                           << true;
    QTest::newRow("half-filled row kept on No") << rows(2) << "|50\t~h" << "N" << 0 << QStringList{RemoveIncomplete}
                                                << 0 << 0 << "1 2 50" << false;
    QTest::newRow("half-filled row removed on Yes") << rows(2) << "|50\t~h" << "Y" << 0
                                                    << QStringList{RemoveIncomplete} << 2 << 1 << "1 2 " << true;
    QTest::newRow("cancelled") << rows(1) << "~h" << "" << 0 << QStringList() << 2 << 0 << "1 " << false;
    QTest::newRow("no export file") << rows(1) << "~s~h" << "" << 0 << QStringList() << 2 << 1 << "1 " << false;
    QTest::newRow("export folder gone") << rows(1) << "~h" << "" << int(DirectoryGone)
                                        << QStringList{"Invalid filename."} << 2 << 0 << "1 " << false;
    QTest::newRow("export folder read-only") << rows(1) << "~h" << "" << int(ReadOnly)
                                             << QStringList{"File access denied."} << 2 << 0 << "1 " << false;
    QTest::newRow("export file a folder") << rows(1) << "~h" << "" << int(TargetIsFolder)
                                          << QStringList{"File access denied."} << 2 << 0 << "1 " << false;
    QTest::newRow("export disk full") << rows(1) << "~h" << "" << int(DiskFull)
                                      << QStringList{QStringLiteral("I/O error %1.").arg(EFBIG)} << 2 << 0 << "1 "
                                      << false;
    // A folder chosen serves at once and is kept.
    QTest::newRow("export folder chosen") << rows(1) << "~u~h" << "" << int(DirectoryGone)
                                          << QStringList{"Zvolte si adresár, kam sa majú ukladať súbory súpisky."} << 2
                                          << 1 << "1 " << true;
#ifndef Q_OS_WIN
    // Through a real CUPS queue, as the merchant's printer is reached on
    // Linux: a cups-pdf queue of a scheduler of the test's own.  The filled
    // list is offered in two collated copies, which the queue prints one after
    // the other.
    QTest::newRow("queue, filled list") << rows(22) << "~s~h" << "" << int(Queue) << QStringList() << 2 << 4
                                        << "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 " << false;
    QTest::newRow("queue, blank form") << rows(1) << "~i" << "" << int(Queue) << QStringList() << 1 << 1 << "1 " << false;
#endif
    QTest::newRow("blank form") << QByteArray() << "~i" << "" << 0 << QStringList() << 1 << 1 << "" << false;
    // The preview asks, removes and writes nothing.
    QTest::newRow("preview") << rows(22) + "30;0;0;\r\n" << "|50\t~n" << "" << 0 << QStringList() << 0 << 2
                             << "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 30 50" << false;
    QTest::newRow("preview, nothing to print") << QByteArray("5;0;0;\r\n") << "~n" << "" << 0 << QStringList{EmptyList}
                                               << 0 << 0 << "5 " << false;
    QTest::newRow("preview, marked") << marked << "~n" << "" << 0 << QStringList{Refused} << 0 << 0 << "1a 10 " << false;
}

void TstPrintFlow::printFlows()
{
    QFETCH(QString, answers);
    QFETCH(int, fault);
    QFETCH(int, pages);
    QFETCH(bool, exported);
    if (fault == DiskFull)
        SKIP_WITHOUT_FILE_SIZE_LIMIT();
    if (fault == ReadOnly)
        SKIP_WITHOUT_READ_ONLY_FOLDER();
    QTemporaryDir exports;
    const QString target = exports.filePath(QDate::currentDate().toString(QStringLiteral("yyMMdd")) + "001234.txt");
    const QByteArray earlier("earlier list\r\n");
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Milbor"), QStringLiteral("Kelvaro"));
    settings.setValue(QStringLiteral("saveDir"), exports.path() + (fault == DirectoryGone ? "/missing/" : "/"));
    QVERIFY(fault != TargetIsFolder || QDir(exports.path()).mkdir(target));
    QVERIFY((fault != ReadOnly && fault != DiskFull) || writeFile(target, earlier));
    // The establishment's code is 001234, its IČO 35757442.
    QFETCH(QByteArray, list);
    MainWindow w(list, establishment("1", "001234", "Bistro", "Nitra"));
    w.dialogs.clear();
    for (QChar answer : answers)
        w.dialogs.answer({answer == QLatin1Char('Y') ? Button::Yes : Button::No});
    w.dialogs.printTo(pages > 0 || fault != None ? w.path("list.pdf") : QString());
    w.dialogs.previewInto(w.path("preview.pdf"));
    w.dialogs.chooseDirectory(exports.path());
#ifndef Q_OS_WIN
    if (fault == Queue) {
        if (!QPrinterInfo::availablePrinterNames().contains(QueueName)) {
            const QString started = cups->start();
            QVERIFY2(started.isEmpty(), qPrintable(started));
            const QString added = cups->addPdfQueue(QueueName);
            QVERIFY2(added.isEmpty(), qPrintable(added));
        }
        QDir folder(cups->pdfFolder());
        for (const QString &name : folder.entryList(QDir::Files))
            folder.remove(name);
        w.dialogs.clear();
        w.dialogs.printOn(QueueName);
    }
#endif
    {
        std::optional<FileSizeLimit> limit;
        std::optional<ReadOnlyFolder> readOnly;
        if (fault == DiskFull)
            limit.emplace(100);
        if (fault == ReadOnly)
            QVERIFY(readOnly.emplace(exports.path()).holds());
        QFETCH(QString, script);
        w.play(script);
    }
    QTEST(w.dialogs.texts(), "messages");
    QCOMPARE(settings.value(QStringLiteral("saveDir")).toString().endsWith("/missing/"), fault == DirectoryGone && !exported);
    if (fault != None && fault != Queue && !exported)
        QCOMPARE(w.dialogs.shown().first().box, Dialogs::Box::StopError);
    QTEST(int(w.dialogs.printOffers().isEmpty() ? 0 : w.dialogs.printOffers().first().copies), "copies");
    QTEST(w.column(0).join(' '), "nominals");
    // A file that cannot be written whole leaves the earlier one as it was.
    const bool kept = fault == ReadOnly || fault == DiskFull;
    QCOMPARE(QDir(exports.path()).entryList(QDir::Files | QDir::Hidden).size(), int(exported || kept));
    QCOMPARE(readAll(target).startsWith(kept ? earlier : "Druh produktu:\t01\r\n"), exported || kept);
    QString pdf = w.dialogs.previews().isEmpty() ? w.path("list.pdf") : w.dialogs.previews().first();
#ifndef Q_OS_WIN
    if (fault == Queue) {
        const QString idle = cups->waitUntilIdle(QueueName);
        QVERIFY2(idle.isEmpty(), qPrintable(idle));
        const QDir folder(cups->pdfFolder());
        const QStringList written = folder.entryList({QStringLiteral("*.pdf")}, QDir::Files);
        QVERIFY2(written.size() == 1, qPrintable(written.join(' ') + '\n' + cups->logs()));
        pdf = folder.filePath(written.first());
    }
#endif
    // A file that cannot be created stops the print before it starts.
    QCOMPARE(QFile::exists(pdf), pages > 0 || fault == DiskFull);
    if (pages == 0)
        return;
    SKIP_WITHOUT_PDF_READER();
    QCOMPARE(PdfText::pageCount(pdf), pages);
    if (pages == 2) // the totals of the 22 rows, one character a box
        QVERIFY(PdfText::pageText(PdfText::words(pdf), 2).endsWith(QStringLiteral("SPOLU: 22 2 5 3,0 0")));
#ifndef Q_OS_WIN
    if (fault != Queue)
        return;
    // The form is drawn from the corner of the printable area, inside the
    // margins that Qt leaves on this printer.
    const QPointF origin = QPrinter(QPrinterInfo::printerInfo(QueueName)).pageRect(QPrinter::Millimeter).topLeft() / 10;
    for (int page = 1; page <= pages; ++page) {
        QCOMPARE(ListPageBarcodes::Read(PdfText::pageImage(pdf, page, 300), 300, origin),
                 QStringList({"030829", "001234", "35757442", "0001", "001234"}));
    }
    // Row slot r of the first page holds the count 1 in the last of its five
    // places and the value's units in the last of six; a text's place is the
    // top-left corner of its character cell, above its glyphs.
    const QList<PdfText::Word> words = PdfText::words(pdf);
    for (int slot = 0; pages > 1 && slot < 21; ++slot) {
        for (const double x : {5.525 + 4 * 0.57, 8.7293 + 5 * 0.57}) {
            const double top = 3.896 + 1.0613 * slot;
            QVERIFY2(std::any_of(words.cbegin(), words.cend(), [&](const PdfText::Word &word) {
                         const QPointF at = word.box.topLeft() * 2.54 / 72 - origin;
                         return word.page == 1 && qAbs(at.x() - x) < 0.03 && at.y() > top + 0.05 && at.y() < top + 0.25;
                     }), qPrintable(QStringLiteral("row slot %1, %2 cm").arg(slot).arg(x)));
        }
    }
#endif
}

int main(int argc, char *argv[])
{
#ifndef Q_OS_WIN
    // Before the application and anything else that could use CUPS: libcups
    // reads CUPS_SERVER once.
    PrivateCups cups;
#endif
    QApplication app(argc, argv);
    TstPrintFlow test;
#ifndef Q_OS_WIN
    test.cups = &cups;
#endif
    app.setAttribute(Qt::AA_Use96Dpi, true);
    IgnoreFileSizeSignal();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, test.settingsDir.path());
    return QTest::qExec(&test, argc, argv);
}

#include "tst_printflow.moc"
