#include "printing/exportfile.h"
#include "printing/listprint.h"
#include "support/pdftext.h"

#include <QFile>
#include <QMap>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

namespace {

ListTexts establishment()
{
    ListTexts t;
    t.productKind = QStringLiteral("01");
    t.internalNumber = QStringLiteral("77");
    t.code = QStringLiteral("001234");
    t.name = QStringLiteral("Reštaurácia Orol");
    t.street = QStringLiteral("Hlavná 5");
    t.city = QStringLiteral("Žilina");
    t.ico = QStringLiteral("35826797");
    t.contactPerson = QStringLiteral("Ján Novák");
    t.phone = QStringLiteral("041/5551234");
    t.fax = QStringLiteral("0415551235");
    t.email = QStringLiteral("predaj@orol.sk");
    t.specificSymbol = QStringLiteral("2026120601");
    t.creationDate = QStringLiteral("06.12.2026");
    return t;
}

// Row i (from 1) counts 10 * i vouchers of 1 euro.
QList<VoucherRowTexts> rows(int n)
{
    QList<VoucherRowTexts> list;
    for (int i = 1; i <= n; ++i)
        list.append({QStringLiteral("1"), QString::number(10 * i), QString::number(10 * i)});
    return list;
}

struct PdfPrinter
{
    QTemporaryDir dir;
    QString pdf = dir.filePath(QStringLiteral("list.pdf"));
    QPrinter printer{QPrinter::HighResolution};

    PdfPrinter()
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setResolution(300);
    }
};

// The texts standing in the count column of a page, line by line from the
// top: the digits of one line are printed one per box.
QMap<int, QString> countColumn(const QList<PdfText::Word> &words, int page)
{
    QMap<int, QString> lines;
    for (const PdfText::Word &w : words) {
        const double x = w.box.center().x();
        if (w.page == page && x > 160 && x < 250 && w.text.front().isDigit())
            lines[qRound(w.box.top())] += w.text;
    }
    return lines;
}

} // namespace

class TstListPrint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void titleAndPhone();
    void twentyOneRowsAPage_data();
    void twentyOneRowsAPage();
    void exportFileFollowsTheRows();
    void nonNumericCodeStopsTheDrawingNotTheFile();
};

void TstListPrint::titleAndPhone()
{
    QCOMPARE(ListPageTitle(QStringLiteral("01")), QStringLiteral("S Ú P I S K A - 01"));
    QCOMPARE(SplitPhone(QStringLiteral("02/1234567")).prefix, QStringLiteral("02"));
    QCOMPARE(SplitPhone(QStringLiteral("02/1234567")).number, QStringLiteral("1234567"));
    QCOMPARE(SplitPhone(QStringLiteral("0905/12/34")).number, QStringLiteral("12/34"));
    QCOMPARE(SplitPhone(QStringLiteral("1234567")).prefix, QString());
    QCOMPARE(SplitPhone(QStringLiteral("1234567")).number, QStringLiteral("1234567"));
}

void TstListPrint::twentyOneRowsAPage_data()
{
    QTest::addColumn<int>("rowCount");
    QTest::addColumn<int>("pages");
    QTest::newRow("21 rows") << 21 << 1;
    QTest::newRow("22 rows") << 22 << 2;
    QTest::newRow("43 rows") << 43 << 3;
}

void TstListPrint::twentyOneRowsAPage()
{
    QFETCH(int, rowCount);
    QFETCH(int, pages);
    PdfPrinter target;
    int calls = 0;
    const PrintOutcome outcome = PrintFilledList(target.printer, establishment(), rows(rowCount),
                                                 QStringLiteral("1234"), QStringLiteral("1234"), nullptr,
                                                 [&](int) { ++calls; });
    QVERIFY2(outcome.ok, qPrintable(outcome.error));
    QCOMPARE(calls, rowCount);
    SKIP_WITHOUT_PDF_READER();
    QCOMPARE(PdfText::pageCount(target.pdf), pages);

    const QList<PdfText::Word> words = PdfText::words(target.pdf);
    const QList<int> slotTops = countColumn(words, 1).keys().mid(0, 21);
    for (int page = 1; page <= pages; ++page) {
        QVERIFY(PdfText::pageText(words, page).contains(QStringLiteral("S Ú P I S K A - 01")));
        const QMap<int, QString> lines = countColumn(words, page);
        const int first = 21 * (page - 1) + 1;
        const int last = qMin(rowCount, 21 * page);
        // Rows fill the slots from the top; the last page also carries the
        // total count below the slots.
        QStringList expected;
        for (int i = first; i <= last; ++i)
            expected << QString::number(10 * i);
        if (page == pages)
            expected << QStringLiteral("1234");
        QCOMPARE(lines.values(), expected);
        for (int k = 0; k < last - first + 1; ++k)
            QCOMPARE(lines.keys().at(k), slotTops.at(k));
    }
}

void TstListPrint::exportFileFollowsTheRows()
{
    PdfPrinter target;
    const QString exportPath = target.dir.filePath(QStringLiteral("261206001234.txt"));
    ExportFile file;
    ListTexts header;
    QVERIFY(file.open(exportPath, header));
    const PrintOutcome outcome = PrintFilledList(target.printer, establishment(), rows(22), QStringLiteral("2530"),
                                                 QStringLiteral("2530"), &file, {});
    QVERIFY(outcome.ok);
    QVERIFY(!file.isOpen());
    QFile written(exportPath);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = written.readAll().split('\n');
    QCOMPARE(lines.at(15), QByteArray("1\t10\t10\r"));
    QCOMPARE(lines.at(36), QByteArray("1\t220\t220\r"));
    QCOMPARE(lines.at(41), QByteArray("D\xE1tum vytvorenia s\xFApisky:\t06.12.2026\r"));
}

void TstListPrint::nonNumericCodeStopsTheDrawingNotTheFile()
{
    PdfPrinter target;
    ListTexts texts = establishment();
    texts.ico = QStringLiteral("3582679x");
    const QString exportPath = target.dir.filePath(QStringLiteral("export.txt"));
    ExportFile file;
    QVERIFY(file.open(exportPath, ListTexts()));
    const PrintOutcome outcome =
        PrintFilledList(target.printer, texts, rows(3), QStringLiteral("60"), QStringLiteral("60"), &file, {});
    QVERIFY(!outcome.ok);
    QCOMPARE(outcome.error, QStringLiteral("Barcode must be numeric"));
    QFile written(exportPath);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll().count("\r\n"), 23);

    PdfPrinter blank;
    const PrintOutcome blankOutcome = PrintBlankList(blank.printer, texts);
    QCOMPARE(blankOutcome.error, QStringLiteral("Barcode must be numeric"));
}

QTEST_MAIN(TstListPrint)
#include "tst_listprint.moc"
