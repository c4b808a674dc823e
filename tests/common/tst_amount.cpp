#include "common/amount.h"

#include <QTest>

class TstAmount : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parseAndPrint_data();
    void parseAndPrint();
    void refusesWhatIsNoAmount_data();
    void refusesWhatIsNoAmount();
    void productsAreExact_data();
    void productsAreExact();
    void overflowIsRefused();
    void grouped_data();
    void grouped();
};

void TstAmount::parseAndPrint_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("raw");
    QTest::addColumn<QString>("shortest");

    QTest::newRow("whole") << "250" << qint64(2500000) << "250";
    QTest::newRow("one decimal") << "12,5" << qint64(125000) << "12,5";
    QTest::newRow("trailing zero dropped") << "12,50" << qint64(125000) << "12,5";
    QTest::newRow("zero decimals dropped") << "7,00" << qint64(70000) << "7";
    QTest::newRow("leading zeros dropped") << "007" << qint64(70000) << "7";
    QTest::newRow("zero") << "0" << qint64(0) << "0";
    QTest::newRow("four decimals") << "0,0001" << qint64(1) << "0,0001";
    QTest::newRow("small decimals") << "3,15" << qint64(31500) << "3,15";
}

void TstAmount::parseAndPrint()
{
    QFETCH(QString, text);
    QFETCH(qint64, raw);
    QFETCH(QString, shortest);
    const auto amount = Amount::fromText(text);
    QVERIFY(amount);
    QCOMPARE(amount->raw(), raw);
    QCOMPARE(amount->toText(), shortest);
}

void TstAmount::refusesWhatIsNoAmount_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("lone comma") << ",";
    QTest::newRow("comma first") << ",5";
    QTest::newRow("comma last") << "12,";
    QTest::newRow("two commas") << "1,2,3";
    QTest::newRow("full stop") << "1.5";
    QTest::newRow("five decimals") << "1,00001";
    QTest::newRow("letter") << "1a";
    QTest::newRow("grouped") << "1 000";
    QTest::newRow("sign") << "-1";
    QTest::newRow("beyond 64 bits") << "922337203685478";
    QTest::newRow("beyond 64 bits by the decimals") << "922337203685477,5808";
}

void TstAmount::refusesWhatIsNoAmount()
{
    QFETCH(QString, text);
    QVERIFY(!Amount::fromText(text));
}

void TstAmount::productsAreExact_data()
{
    QTest::addColumn<QString>("nominal");
    QTest::addColumn<qint64>("count");
    QTest::addColumn<QString>("product");

    QTest::newRow("12,5 x 4") << "12,5" << qint64(4) << "50";
    QTest::newRow("1,05 x 3") << "1,05" << qint64(3) << "3,15";
    // 0,1 has no exact binary form; 3 x 0,1 must still be 0,3.
    QTest::newRow("0,1 x 3") << "0,1" << qint64(3) << "0,3";
    QTest::newRow("largest typed row") << "999,99" << qint64(99999) << "99998000,01";
    QTest::newRow("count 0") << "5" << qint64(0) << "0";
}

void TstAmount::productsAreExact()
{
    QFETCH(QString, nominal);
    QFETCH(qint64, count);
    QFETCH(QString, product);
    const auto value = Amount::fromText(nominal)->times(count);
    QVERIFY(value);
    QCOMPARE(value->toText(), product);
}

void TstAmount::overflowIsRefused()
{
    const Amount largest = Amount::fromRaw(std::numeric_limits<qint64>::max());
    QVERIFY(!largest.plus(Amount::fromRaw(1)));
    QVERIFY(!largest.times(2));
    QCOMPARE(largest.plus(Amount::fromRaw(0))->raw(), std::numeric_limits<qint64>::max());
    QCOMPARE(Amount::fromRaw(std::numeric_limits<qint64>::min()).toText(), QStringLiteral("-922337203685477,5808"));
    QCOMPARE(Amount::fromText(QStringLiteral("922337203685477,5807"))->raw(), std::numeric_limits<qint64>::max());
}

void TstAmount::grouped_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("withDecimals");
    QTest::addColumn<QString>("grouped");
    QTest::addColumn<QString>("completed");

    QTest::newRow("1234,5") << "1234,5" << true << "1 234,50" << "1234,50";
    QTest::newRow("5 with decimals") << "5" << true << "5,00" << "5,00";
    QTest::newRow("5 without") << "5" << false << "5" << "5";
    QTest::newRow("12000") << "12000" << false << "12 000" << "12000";
    QTest::newRow("123456") << "123456" << false << "123 456" << "123456";
    QTest::newRow("1234567") << "1234567" << false << "1 234 567" << "1234567";
    QTest::newRow("123") << "123" << false << "123" << "123";
    QTest::newRow("1000") << "1000" << true << "1 000,00" << "1000,00";
    QTest::newRow("comma first") << ",5" << true << ",50" << ",50";
    QTest::newRow("three decimals stay") << "0,125" << true << "0,125" << "0,125";
    QTest::newRow("empty") << "" << true << "" << "";
    QTest::newRow("comma last") << "12," << true << "12,00" << "12,00";
    QTest::newRow("largest value") << "99998000,01" << true << "99 998 000,01" << "99998000,01";
}

void TstAmount::grouped()
{
    QFETCH(QString, text);
    QFETCH(bool, withDecimals);
    QFETCH(QString, grouped);
    QFETCH(QString, completed);
    QCOMPARE(FormatAmountGrouped(text, withDecimals), grouped);
    QCOMPARE(CompleteAmountDecimals(text, withDecimals), completed);
}

QTEST_GUILESS_MAIN(TstAmount)
#include "tst_amount.moc"
