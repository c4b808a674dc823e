#include "barcode/barcode.h"

#include <QTest>

#include <cmath>
#include <functional>
#include <limits>

// Module patterns written out from the symbology tables: '5'/'6' narrow and
// wide bars, '0'/'1' narrow and wide spaces.
namespace {

// Interleaved 2 of 5: per pair, the bars of the first digit interleaved with
// the spaces of the second.
const QByteArray I25Start("5050");
const QByteArray I25Stop("605");
const QByteArray I25Pair03("5151606050");  // 0 = nnwwn bars, 3 = wwnnn spaces
const QByteArray I25Pair08("5150606150");  // 8 = wnnwn spaces
const QByteArray I25Pair29("5061505160");  // 2 = nwnnw bars, 9 = nwnwn spaces
const QByteArray I25Pair12("6051505061");  // 1 = wnnnw bars, 2 = nwnnw spaces
const QByteArray I25Pair34("6060515051");  // 3 = wwnnn bars, 4 = nnwnw spaces

// Code 39 characters; all but the stop character are followed by a gap.
const QByteArray C39Star("515060605");
const QByteArray C39Digit0("505160605");
const QByteArray C39Digit1("605150506");
const QByteArray C39Digit2("506150506");
const QByteArray C39Digit3("606150505");
const QByteArray C39LetterR("605050615");
const QByteArray C39LetterZ("516060505");
const QByteArray Gap("0");

TBarcodeObject Barcode(TBarcodeType typ, const QString &text, int modul = 1)
{
    TBarcodeObject barcode;
    barcode.SetTyp(typ);
    barcode.SetText(text);
    barcode.SetModul(modul);
    return barcode;
}

QString ErrorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const BarcodeError &error) {
        return error.message();
    }
    return QString();
}

} // namespace

class TstBarcodePattern : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pattern_data();
    void pattern();
    void width_data();
    void width();
    void errors_data();
    void errors();
    void ratioIsLimitedAndStoredBack_data();
    void ratioIsLimitedAndStoredBack();
    void settingsOutOfRangeAreIgnored();
    void widthAssignment_data();
    void widthAssignment();
};

void TstBarcodePattern::pattern_data()
{
    QTest::addColumn<TBarcodeType>("typ");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("checksum");
    QTest::addColumn<QByteArray>("pattern");
    QTest::addColumn<QString>("storedText");

    const auto i25 = bcCode_2_5_interleaved;
    QTest::newRow("I25 fixed number") << i25 << QStringLiteral("030829") << false
        << I25Start + I25Pair03 + I25Pair08 + I25Pair29 + I25Stop << QStringLiteral("030829");
    QTest::newRow("I25 odd length drops the last digit") << i25 << QStringLiteral("12345") << false
        << I25Start + I25Pair12 + I25Pair34 + I25Stop << QStringLiteral("12345");
    QTest::newRow("I25 empty") << i25 << QString() << false << I25Start + I25Stop << QString();
    QTest::newRow("I25 single digit") << i25 << QStringLiteral("7") << false << I25Start + I25Stop
                                      << QStringLiteral("7");
    QTest::newRow("I25 trimmed and stored back") << i25 << QStringLiteral(" \t1234\r\n") << false
        << I25Start + I25Pair12 + I25Pair34 + I25Stop << QStringLiteral("1234");

    QTest::newRow("C39 empty") << bcCode39 << QString() << false << C39Star + Gap + C39Star
                               << QString();
    QTest::newRow("C39 lower case skipped, nothing trimmed") << bcCode39 << QStringLiteral("ab12 ")
        << false << C39Star + Gap + C39Digit1 + Gap + C39Digit2 + Gap + QByteArray("516050605")
            + Gap + C39Star
        << QStringLiteral("ab12 ");
    QTest::newRow("C39 check character 1 + 2 = 3") << bcCode39 << QStringLiteral("12") << true
        << C39Star + Gap + C39Digit1 + Gap + C39Digit2 + Gap + C39Digit3 + Gap + C39Star
        << QStringLiteral("12");
    QTest::newRow("C39 check value 0 is the digit 0, not the star") << bcCode39 << QString() << true
        << C39Star + Gap + C39Digit0 + Gap + C39Star << QString();
    QTest::newRow("C39 check value 35 + 35 = 70 = 27 (R)") << bcCode39 << QStringLiteral("ZZ") << true
        << C39Star + Gap + C39LetterZ + Gap + C39LetterZ + Gap + C39LetterR + Gap + C39Star
        << QStringLiteral("ZZ");
}

void TstBarcodePattern::pattern()
{
    QFETCH(TBarcodeType, typ);
    QFETCH(QString, text);
    QFETCH(bool, checksum);
    QFETCH(QByteArray, pattern);
    QFETCH(QString, storedText);

    TBarcodeObject barcode = Barcode(typ, text);
    barcode.SetChecksum(checksum);
    QCOMPARE(barcode.BuildPattern(), pattern);
    QCOMPARE(barcode.Text(), storedText);
}

void TstBarcodePattern::width_data()
{
    QTest::addColumn<TBarcodeType>("typ");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("modul");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<int>("elements");
    QTest::addColumn<int>("width");

    const auto i25 = bcCode_2_5_interleaved;
    // At ratio 2, Interleaved 2 of 5 is 8 + 7 modules a digit, Code 39
    // 25 + 13 modules a character.
    QTest::newRow("I25 fixed number, 600 dpi") << i25 << QStringLiteral("030829") << 13 << 2.0 << 37
                                               << 50 * 13;
    QTest::newRow("I25 odd length") << i25 << QStringLiteral("12345") << 1 << 2.0 << 27 << 36;
    QTest::newRow("I25 empty") << i25 << QString() << 1 << 2.0 << 7 << 8;
    // Narrow 2, wide 6: start 4 x 2, each digit 3 x 2 + 2 x 6, stop 6 + 2 + 2.
    QTest::newRow("I25 ratio 3") << i25 << QStringLiteral("030829") << 2 << 3.0 << 37
                                 << 8 + 6 * 18 + 10;
    // Wide 12.5 goes to the even 12: start 20, each digit 3 x 5 + 2 x 12, stop 22.
    QTest::newRow("I25 ratio 2.5, half to even") << i25 << QStringLiteral("030829") << 5 << 2.5
                                                 << 37 << 20 + 6 * 39 + 22;
    QTest::newRow("C39 six digits") << bcCode39 << QStringLiteral("123456") << 1 << 2.0 << 79 << 103;
    QTest::newRow("C39 six digits, 600 dpi") << bcCode39 << QStringLiteral("123456") << 9 << 2.0
                                             << 79 << 927;
    QTest::newRow("C39 empty") << bcCode39 << QString() << 1 << 2.0 << 19 << 25;
}

void TstBarcodePattern::width()
{
    QFETCH(TBarcodeType, typ);
    QFETCH(QString, text);
    QFETCH(int, modul);
    QFETCH(double, ratio);
    QFETCH(int, elements);
    QFETCH(int, width);

    TBarcodeObject barcode = Barcode(typ, text, modul);
    barcode.SetRatio(ratio);
    QCOMPARE(barcode.BuildPattern().size(), elements);
    QCOMPARE(barcode.Width(), width);
}

void TstBarcodePattern::errors_data()
{
    QTest::addColumn<TBarcodeType>("typ");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("storedText");
    QTest::addColumn<QString>("message");

    const QString numeric = QStringLiteral("Barcode must be numeric");
    const auto i25 = bcCode_2_5_interleaved;
    QTest::newRow("letter") << i25 << QStringLiteral(" 12A4 ") << QStringLiteral("12A4") << numeric;
    QTest::newRow("inner space") << i25 << QStringLiteral("12 34") << QStringLiteral("12 34")
                                 << numeric;
    // Digits of other scripts are digits to Unicode but not to a scanner.
    QTest::newRow("Arabic-Indic digit") << i25 << QStringLiteral("12\u06634")
                                        << QStringLiteral("12\u06634") << numeric;
    QTest::newRow("default type") << bcCodeEAN13 << QStringLiteral("123456")
                                  << QStringLiteral("123456")
                                  << QStringLiteral("TBarcodeObject: wrong BarcodeType");
}

// Painting refuses the same texts; the painting tests check that it draws
// nothing then.
void TstBarcodePattern::errors()
{
    QFETCH(TBarcodeType, typ);
    QFETCH(QString, text);
    QFETCH(QString, storedText);
    QFETCH(QString, message);

    TBarcodeObject barcode = Barcode(typ, text, 13);
    QCOMPARE(ErrorOf([&] { barcode.Width(); }), message);
    QCOMPARE(barcode.Text(), storedText);
    QCOMPARE(ErrorOf([&] { barcode.SetWidth(520); }), message);
    QCOMPARE(barcode.Modul(), 13);
}

void TstBarcodePattern::ratioIsLimitedAndStoredBack_data()
{
    QTest::addColumn<TBarcodeType>("typ");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<double>("limited");

    QTest::newRow("I25 below") << bcCode_2_5_interleaved << 1.5 << 2.0;
    QTest::newRow("I25 above") << bcCode_2_5_interleaved << 3.5 << 3.0;
    QTest::newRow("C39 inside") << bcCode39 << 2.5 << 2.5;
    QTest::newRow("C39 infinite") << bcCode39 << std::numeric_limits<double>::infinity() << 3.0;
}

void TstBarcodePattern::ratioIsLimitedAndStoredBack()
{
    QFETCH(TBarcodeType, typ);
    QFETCH(double, ratio);
    QFETCH(double, limited);

    TBarcodeObject barcode = Barcode(typ, QStringLiteral("12"));
    barcode.SetRatio(ratio);
    QCOMPARE(barcode.Ratio(), ratio);  // only stored until the next encoding
    barcode.Width();
    QCOMPARE(barcode.Ratio(), limited);
}

void TstBarcodePattern::settingsOutOfRangeAreIgnored()
{
    TBarcodeObject barcode;
    for (int modul : {0, -3, 50}) {
        barcode.SetModul(modul);
        QCOMPARE(barcode.Modul(), 1);
    }
    barcode.SetModul(49);
    QCOMPARE(barcode.Modul(), 49);

    // A ratio or angle that is not a number would leave the widths and
    // corners undefined.
    barcode.SetRatio(std::nan(""));
    QCOMPARE(barcode.Ratio(), 2.0);
    barcode.SetAngle(std::numeric_limits<double>::infinity());
    QCOMPARE(barcode.Angle(), 0.0);
}

void TstBarcodePattern::widthAssignment_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("modul");
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("fitted");
    QTest::addColumn<int>("width");

    // The reserved box of the printed list at 600 and 300 dpi.
    QTest::newRow("six digits, 600 dpi") << QStringLiteral("123456") << 13 << 520 << 10 << 500;
    QTest::newRow("eight digits, 600 dpi") << QStringLiteral("35763469") << 10 << 685 << 10 << 640;
    QTest::newRow("0001, 600 dpi") << QStringLiteral("0001") << 10 << 331 << 9 << 324;
    QTest::newRow("six digits, 300 dpi") << QStringLiteral("123456") << 6 << 260 << 5 << 250;
    // Below one module or above 49 Modul keeps its value and the barcode
    // overshoots; the product Modul x target must not overflow.
    QTest::newRow("target too small") << QStringLiteral("123456") << 13 << 30 << 13 << 650;
    QTest::newRow("target too large") << QStringLiteral("123456") << 13
                                      << std::numeric_limits<int>::max() << 13 << 650;
    QTest::newRow("negative target") << QStringLiteral("123456") << 13 << -520 << 13 << 650;
}

void TstBarcodePattern::widthAssignment()
{
    QFETCH(QString, text);
    QFETCH(int, modul);
    QFETCH(int, target);
    QFETCH(int, fitted);
    QFETCH(int, width);

    TBarcodeObject barcode = Barcode(bcCode_2_5_interleaved, text, modul);
    barcode.SetWidth(target);
    QCOMPARE(barcode.Modul(), fitted);
    QCOMPARE(barcode.Width(), width);
}

QTEST_APPLESS_MAIN(TstBarcodePattern)
#include "tst_barcodepattern.moc"
