#pragma once

#include <QString>

class PrintCanvas;

// The establishment and list used for whole-page tests.
struct SamplePage
{
    QString title = QStringLiteral("S Ú P I S K A - 01");
    QString code = QStringLiteral("123456");
    QString name = QStringLiteral("Reštaurácia Pod Hradom");
    QString street = QStringLiteral("Hlavná 12");
    QString city = QStringLiteral("811 01 Bratislava");
    QString ico = QStringLiteral("35742364");
    QString fax = QStringLiteral("02/5555 1234");
    QString email = QStringLiteral("Info@PodHradom.SK");
    QString contactPerson = QStringLiteral("žofia čuš");
    QString phonePrefix = QStringLiteral("02");
    QString phoneNumber = QStringLiteral("1234567");
    QString specificSymbol = QStringLiteral("2026120601");
    QString date = QStringLiteral("06.12.2026");
};

// The blocks in the order of the two print flows.
void DrawFilledSamplePage(const PrintCanvas &canvas, const SamplePage &page);
void DrawBlankSamplePage(const PrintCanvas &canvas, const SamplePage &page);
