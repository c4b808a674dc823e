#pragma once

#include <QString>

// The texts that every page of the voucher list repeats: the establishment
// panel, the payment reference and the creation date.
struct ListTexts
{
    QString productKind;
    QString internalNumber;
    QString code;
    QString name;
    QString street;
    QString city;
    QString ico;
    QString contactPerson;
    QString phone;
    QString fax;
    QString email;
    QString specificSymbol;
    QString creationDate;
};

struct VoucherRowTexts
{
    QString nominal;
    QString count;
    QString value;
};
