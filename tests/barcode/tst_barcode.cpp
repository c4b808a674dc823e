#include "barcode/barcode.h"
#include "support/listpagebarcodes.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <limits>

class TstBarcode : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void paintsWhatAScannerReads_data();
    void paintsWhatAScannerReads();
};

void TstBarcode::paintsWhatAScannerReads_data()
{
    QTest::addColumn<TBarcodeType>("typ");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("modul");
    QTest::addColumn<int>("fitTo"); // a width to fit the module to; 0 keeps it
    QTest::addColumn<double>("angle");
    QTest::addColumn<QRect>("bars"); // the dark pixels, the corner at (100, 100), 60 high
    QTest::addColumn<QString>("read"); // or the error raised, nothing painted

    // Interleaved 2 of 5 at ratio 2: start and stop 4 modules each, a pair of
    // digits 14.  Code 39: 12 modules a character, a narrow gap between them.
    const auto i25 = bcCode_2_5_interleaved;
    const QString allDigits = "01234567899876543210", code39 = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
    QTest::newRow("fixed number upright") << i25 << "030829" << 6 << 0 << 90.0 << QRect(100, 101, 61, 300) << "030829";
    QTest::newRow("all digits, half turn") << i25 << allDigits << 3 << 0 << 180.0 << QRect(101, 100, 444, 61) << allDigits;
    QTest::newRow("0001, three quarters") << i25 << "0001" << 4 << 0 << 270.0 << QRect(100, 100, 61, 144) << "0001";
    // Control characters are trimmed, an odd last digit is dropped.
    QTest::newRow("odd digit count") << i25 << " \t12345\r\n" << 4 << 0 << 0.0 << QRect(100, 100, 144, 61) << "1234";
    // 50 modules of 6 fitted to 520 pixels become 50 of 10; under one module,
    // beyond 49 or on an overflow the module stays.
    QTest::newRow("fitted") << i25 << "104512" << 6 << 520 << 0.0 << QRect(100, 100, 500, 61) << "104512";
    QTest::newRow("fit too narrow") << i25 << "1045" << 5 << 30 << 0.0 << QRect(100, 100, 180, 61) << "1045";
    QTest::newRow("fit too wide") << i25 << "1045" << 5 << 2000 << 0.0 << QRect(100, 100, 180, 61) << "1045";
    QTest::newRow("fit overflows") << i25 << "1045" << 5 << std::numeric_limits<int>::max() << 0.0
                                   << QRect(100, 100, 180, 61) << "1045";
    QTest::newRow("Code 39") << bcCode39 << code39 << 2 << 0 << 0.0 << QRect(100, 100, 1168, 61) << code39;
    QTest::newRow("Code 39 skips lower case") << bcCode39 << "ab12" << 4 << 0 << 90.0 << QRect(100, 101, 61, 204) << "12";
    QTest::newRow("letter") << i25 << "12A4" << 4 << 0 << 0.0 << QRect() << "Barcode must be numeric";
    // A digit to Unicode but not to a scanner.
    QTest::newRow("Arabic-Indic digit") << i25 << "12\u06634" << 4 << 0 << 0.0 << QRect() << "Barcode must be numeric";
    QTest::newRow("other type") << bcCodeEAN13 << "123456" << 4 << 0 << 0.0 << QRect() << "TBarcodeObject: wrong BarcodeType";
}

void TstBarcode::paintsWhatAScannerReads()
{
    QFETCH(TBarcodeType, typ);
    QFETCH(QString, text);
    QFETCH(int, modul);
    QFETCH(int, fitTo);
    QFETCH(double, angle);
    TBarcodeObject barcode;
    barcode.SetTyp(typ);
    barcode.SetText(text);
    barcode.SetModul(modul);
    barcode.SetAngle(angle);
    barcode.SetHeight(60);
    barcode.SetLeft(100);
    barcode.SetTop(100);
    QImage image(1400, 500, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QString error;
    try {
        barcode.SetWidth(fitTo);
        QPainter painter(&image);
        // The caller's pen and brush, which the bars must not take (that
        // they are left as they were is fuzz_barcode's).
        painter.setPen(QPen(Qt::gray, 3, Qt::DashLine));
        painter.setBrush(Qt::Dense4Pattern);
        barcode.PaintBarcode(painter);
    } catch (const BarcodeError &e) {
        error = e.message();
    }
    QRect dark;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark |= image.constScanLine(y)[x] < 128 ? QRect(x, y, 1, 1) : QRect();
    QTEST(dark, "bars");
    if (!error.isNull()) {
        QTEST(error, "read");
        return;
    }
#ifdef Q_OS_WIN
    QSKIP("zbar, the independent barcode reader, is built for Linux only.");
#else
    using BarcodeReader::Symbology;
    QTEST(BarcodeReader::ReadText(image, typ == bcCode39 ? Symbology::Code39 : Symbology::Interleaved2of5), "read");
#endif
}

QTEST_MAIN(TstBarcode)
#include "tst_barcode.moc"
