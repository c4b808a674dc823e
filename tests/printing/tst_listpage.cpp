#include "printing/listprint.h"
#include "printing/pagegeometry.h"
#include "support/listpagebarcodes.h"

#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

// A page as the print flows draw it, on an image of an A4 sheet.
QImage page(int ppi, bool filled, const QString &code)
{
    const ListTexts texts{"01", "77", code, "Reštaurácia Pod Hradom", "Hlavná 12", "811 01 Bratislava",
                          "35742364", "žofia čuš", "02/1234567", "02/5555 1234", "Info@Hrad.SK",
                          "2026120601", "06.12.2026"};
    QImage image(qRound(ppi * 21.0 / 2.54), qRound(ppi * 29.7 / 2.54), QImage::Format_Grayscale8);
    image.fill(Qt::white);
    image.setDotsPerMeterX(qRound(ppi / 0.0254));
    image.setDotsPerMeterY(qRound(ppi / 0.0254));
    PageMetrics metrics;
    metrics.ReadPrinterMetrics(image);
    QPainter painter(&image);
    filled ? DrawFilledPageHeader(PrintCanvas(painter, metrics), texts)
           : DrawBlankPage(PrintCanvas(painter, metrics), texts);
    return image;
}

} // namespace

// What the voucher company's machines read off a page: the positions are
// checked where the printed texts are read back (tst_listprint).
class TstListPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void centimetresToPixels_data();
    void centimetresToPixels();
    void barcodesReadBack_data();
    void barcodesReadBack();
    void marksAndBoxes_data();
    void marksAndBoxes();
};

void TstListPage::centimetresToPixels_data()
{
    QTest::addColumn<int>("ppiX");
    QTest::addColumn<int>("ppiY");
    QTest::addColumn<double>("cm");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::newRow("negative") << 600 << 300 << -0.2 << -47 << -24;
    // 254 per inch is 100 per cm: exact halves go to the even neighbour.
    QTest::newRow("half down") << 254 << 254 << 0.125 << 12 << 12;
    QTest::newRow("half up") << 254 << 254 << 0.375 << 38 << 38;
    // 967.5 in decimal, but the double nearest 8.1915 times 300 / 2.54 in
    // extended precision lies just below it.
    QTest::newRow("mark top 300x300") << 300 << 300 << 8.1915 << 967 << 967;
}

void TstListPage::centimetresToPixels()
{
    QFETCH(int, ppiX);
    QFETCH(int, ppiY);
    QFETCH(double, cm);
    const PageMetrics metrics(ppiX, ppiY, 0);
    QTEST(metrics.CmToPixelX(cm), "x");
    QTEST(metrics.CmToPixelY(cm), "y");
}

void TstListPage::barcodesReadBack_data()
{
    QTest::addColumn<int>("ppi");
    QTest::addColumn<bool>("filled");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("read");
    const QStringList read{"030829", "123456", "35742364", "0001", "123456"};
    QTest::newRow("filled 300") << 300 << true << "123456" << read;
    QTest::newRow("blank 600") << 600 << false << "123456" << read;
    // Interleaved 2 of 5 drops an odd digit out, Code 39 keeps it.
    QTest::newRow("five-digit code") << 600 << true << "40517"
                                     << QStringList{"030829", "4051", "35742364", "0001", "40517"};
}

void TstListPage::barcodesReadBack()
{
    QFETCH(int, ppi);
    QFETCH(bool, filled);
    QFETCH(QString, code);
    const QImage image = page(ppi, filled, code);
#ifdef Q_OS_WIN
    QSKIP("zbar, the independent barcode reader, is built for Linux only.");
#else
    QTEST(ListPageBarcodes::Read(image, ppi), "read");
#endif
}

void TstListPage::marksAndBoxes_data()
{
    QTest::addColumn<QPoint>("pixel"); // on the blank page at 300 per inch
    QTest::addColumn<bool>("dark");
    // The four registration marks, 0.5 cm = 59 pixels square, at 1.1575,
    // 1.1684 cm; 19.2888, 8.1915; 1.907, 27.424; 11.4272, 27.424.
    for (const QPoint corner : {QPoint(137, 138), QPoint(2278, 967), QPoint(225, 3239), QPoint(1350, 3239)}) {
        QTest::addRow("mark %d,%d", corner.x(), corner.y()) << corner << true;
        QTest::addRow("mark %d,%d far corner", corner.x(), corner.y()) << corner + QPoint(58, 58) << true;
        QTest::addRow("mark %d,%d left", corner.x(), corner.y()) << corner + QPoint(-1, 30) << false;
        QTest::addRow("mark %d,%d beyond", corner.x(), corner.y()) << corner + QPoint(59, 59) << false;
    }
    // Character boxes of 0.4645 x 0.6463 cm (55 x 76 pixels) in dotted lines
    // that start at the corners: the first place of the rows at 2.155,
    // 3.896 cm, with its other corners.
    QTest::newRow("first row place") << QPoint(255, 460) << true;
    QTest::newRow("its right edge") << QPoint(310, 460) << true;
    QTest::newRow("its bottom edge") << QPoint(255, 536) << true;
    QTest::newRow("between dots") << QPoint(256, 460) << false;
    // The last value place of slot 20 at 12.821, 25.122 cm, and none after it.
    QTest::newRow("last row place") << QPoint(1514, 2967) << true;
    QTest::newRow("after the last row place") << QPoint(1582, 2967) << false;
    QTest::newRow("total count") << QPoint(584, 3104) << true;            // 4.9444, 26.278
    QTest::newRow("last specific symbol place") << QPoint(2248, 1087) << true; // 19.03, 9.2025
    QTest::newRow("contact person") << QPoint(255, 234) << true;         // 2.155, 1.9823
}

void TstListPage::marksAndBoxes()
{
    static const QImage blank = page(300, false, "123456");
    QFETCH(QPoint, pixel);
    QTEST(qGray(blank.pixel(pixel)) < 128, "dark");
}

QTEST_MAIN(TstListPage)
#include "tst_listpage.moc"
