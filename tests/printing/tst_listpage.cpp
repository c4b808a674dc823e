#include "barcode/barcode.h"
#include "printing/listbarcodes.h"
#include "printing/listprint.h"
#include "printing/pagegeometry.h"
#include "printing/pagelayout.h"
#include "support/barcodereader.h"
#include "support/listpagebarcodes.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <cmath>

namespace {

const QString Ico = QStringLiteral("35742364");

// A page as the print flows draw it.
void drawPage(const PrintCanvas &c, bool filled, const QString &code)
{
    const ListTexts texts{"01", "77", code, "Reštaurácia Pod Hradom", "Hlavná 12",
                          "811 01 Bratislava", Ico, "žofia čuš", "02/1234567", "02/5555 1234",
                          "Info@Hrad.SK", "2026120601", "06.12.2026"};
    if (!filled)
        return DrawBlankPage(c, texts);
    DrawFilledPageHeader(c, texts);
    DrawValueRow(c, 0, QStringLiteral("5"), QStringLiteral("007"), QStringLiteral("35"));
    DrawValueRow(c, 20, QStringLiteral("246,9"), QStringLiteral("5"), QStringLiteral("1234,5"));
    DrawTotals(c, QStringLiteral("1234567"), QStringLiteral("1000000"));
}

int toPixels(int ppi, double cm)
{
    return int(std::lround(ppi / 2.54 * cm));
}

} // namespace

class TestListPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void barcodesReadBack_data();
    void barcodesReadBack();
    void barcodeSettingsCarryOver();
};

void TestListPage::barcodesReadBack_data()
{
    QTest::addColumn<int>("ppi");
    QTest::addColumn<bool>("filled");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("i25Code");  // an odd digit out is dropped

    QTest::newRow("filled 300") << 300 << true << "123456" << "123456";
    QTest::newRow("filled 600") << 600 << true << "123456" << "123456";
    QTest::newRow("blank 300") << 300 << false << "123456" << "123456";
    QTest::newRow("blank 600") << 600 << false << "123456" << "123456";
    QTest::newRow("five-digit code") << 600 << false << "40517" << "4051";
}

void TestListPage::barcodesReadBack()
{
    QFETCH(int, ppi);
    QFETCH(bool, filled);
    QFETCH(QString, code);
    QFETCH(QString, i25Code);

    QImage page(toPixels(ppi, 21.0), toPixels(ppi, 29.7), QImage::Format_RGB32);
    page.fill(Qt::white);
    page.setDotsPerMeterX(qRound(ppi / 0.0254));
    page.setDotsPerMeterY(qRound(ppi / 0.0254));
    {
        PageMetrics metrics;
        metrics.ReadPrinterMetrics(page);
        QPainter painter(&page);
        drawPage(PrintCanvas(painter, metrics), filled, code);
    }

#ifdef Q_OS_WIN
    QSKIP("ZXing, the independent barcode reader, is built for Linux only.");
#else
    QStringList read = ListPageBarcodes::Read(page, ppi);
    if (code.size() < 6) // too short for ZXing
        read[ListPageBarcodes::Code] =
            BarcodeReader::ReadInterleavedByWidths(ListPageBarcodes::Area(page, ppi, ListPageBarcodes::Code));
    QCOMPARE(read, QStringList({"030829", i25Code, Ico, "0001", code}));
    // The width reader agrees with ZXing.
    QCOMPARE(BarcodeReader::ReadInterleavedByWidths(ListPageBarcodes::Area(page, ppi, ListPageBarcodes::Ico)), Ico);
#endif
}

void TestListPage::barcodeSettingsCarryOver()
{
    QImage image(1000, 600, QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter painter(&image);
    const PrintCanvas canvas(painter, PageMetrics(600, 600, 4961));

    // At 600 per inch "0001" fitted to 1.4 cm = 331 pixels with 36 modules
    // leaves a module of 9.  At 2400 per inch the fixed barcode's 0.055 cm
    // is 52 pixels, over the limit of 49: it keeps the module of 9 that the
    // reserved barcodes left, so its 50 modules stand 450 pixels tall.
    DrawReservedBarcodes(canvas, 3000, 4000, QStringLiteral("123456"), Ico);
    DrawFixedBarcode(PrintCanvas(painter, PageMetrics(2400, 2400, 0)), 20, 20);
    int painted = 0;
    for (int y = 0; y < image.height(); ++y)
        painted += image.pixel(30, y) != qRgb(255, 0, 0) ? 1 : 0;
    QCOMPARE(painted, 450);

    // Text drawn after the barcodes has a clear background.
    DrawEstablishmentCodeBarcode(canvas, 3000, 4500, QStringLiteral("123456"));
    QCOMPARE(painter.brush().style(), Qt::NoBrush);
    QCOMPARE(painter.pen(), QPen(Qt::black));

    QVERIFY_THROWS_EXCEPTION(BarcodeError,
                             DrawReservedBarcodes(canvas, 0, 0, QStringLiteral("12A456"), Ico));
}

QTEST_MAIN(TestListPage)
#include "tst_listpage.moc"
