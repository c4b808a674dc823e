#include "generateddata.h"

#include <QList>
#include <QRandomGenerator>

#include <numeric>
#include <vector>

namespace {

QByteArray validIco(QRandomGenerator &random)
{
    QByteArray ico = QByteArray::number(random.bounded(1000000, 9999999));
    int sum = 0;
    for (int k = 0; k < 7; ++k)
        sum += (8 - k) * (ico.at(k) - '0');
    return ico + char('0' + (11 - sum % 11) % 10);
}

// 1 to n in random order.
std::vector<int> shuffledNumbers(int n, QRandomGenerator &random)
{
    std::vector<int> numbers(static_cast<size_t>(n));
    std::iota(numbers.begin(), numbers.end(), 1);
    for (int k = n - 1; k > 0; --k)
        std::swap(numbers[size_t(k)], numbers[size_t(random.bounded(k + 1))]);
    return numbers;
}

QByteArray line(const QList<QByteArray> &fields)
{
    QByteArray text;
    for (const QByteArray &field : fields)
        text += field + ';';
    return text + "\r\n";
}

} // namespace

namespace benchdata {

QByteArray establishments(int n)
{
    QRandomGenerator random(4);
    const QList<QByteArray> kinds{"Bistro", "\xc8" "ajov\xf2" "a", "Jed\xe1le\xf2", "Kaviare\xf2", "Re\x9ata" "ur\xe1" "cia",
                                  "Pizzeria", "Hostinec", "Bufet"};
    const QList<QByteArray> cities{"Bratislava", "Ko\x9aice", "\x8eilina", "Nitra", "Trnava", "Bansk\xe1 Bystrica",
                                   "Pre\x9aov", "Trenc\xedn", "Martin", "Poprad", "Chtelnica", "\xc8" "adca"};
    QByteArray db;
    for (int number : shuffledNumbers(n, random)) {
        db += line({
            QByteArray::number(number),
            QByteArray::number(number).rightJustified(6, '0'),
            kinds.at(random.bounded(int(kinds.size()))) + ' ' + QByteArray::number(number % 997),
            "Hlavn\xe1 " + QByteArray::number(random.bounded(1, 200)),
            cities.at(random.bounded(int(cities.size()))),
            validIco(random),
            "Nov\xe1k",
            "0" + QByteArray::number(random.bounded(2, 99)),
            QByteArray::number(random.bounded(100000, 9999999)),
            "02/" + QByteArray::number(random.bounded(100000, 9999999)),
            "prevadzka" + QByteArray::number(number) + "@firma.sk",
        });
    }
    return db;
}

QByteArray voucherList(int n)
{
    QRandomGenerator random(8);
    QByteArray list;
    // Nominal values 0,50, 1,00, 1,50 ... in steps of 0,50, written as the
    // grid shows them (no trailing zeros after the comma).
    for (int step : shuffledNumbers(n, random)) {
        const int count = random.bounded(1, 500);
        const auto amount = [](qint64 halves) {
            return QByteArray::number(halves / 2) + (halves % 2 ? ",5" : "");
        };
        list += line({amount(step), QByteArray::number(count), amount(qint64(step) * count)});
    }
    return list;
}

} // namespace benchdata
