#pragma once

#include "printing/listtexts.h"

#include <QList>
#include <QString>

#include <functional>

class ExportFile;
class PrintCanvas;
class QPrinter;

constexpr int RowsPerListPage = 21;

// "S Ú P I S K A - " and the product kind.
QString ListPageTitle(const QString &productKind);

// The telephone text split at its first "/": prefix and number.  Without a
// "/" the whole text is the number.
struct PhoneParts
{
    QString prefix;
    QString number;
};
PhoneParts SplitPhone(const QString &phone);

// The header every page of the filled-in list carries: form, title, the five
// barcodes, the establishment with its contacts and the fields.
void DrawFilledPageHeader(const PrintCanvas &canvas, const ListTexts &texts);
// The one page of the blank list.
void DrawBlankPage(const PrintCanvas &canvas, const ListTexts &texts);

// How a print job ended: ok, or the text of the failure for the user.
struct PrintOutcome
{
    bool ok = true;
    QString error;
};

// Prints the blank form on the printer the print dialog set up.
PrintOutcome PrintBlankList(QPrinter &printer, const ListTexts &texts);

// Prints the filled-in list, 21 rows a page, the totals on the last page.
// With an export file already opened, each row's line is written before the
// row is drawn, and the file is closed after the totals.  beforeRow(k) is
// called before row k (from 0) is drawn, to let the window breathe.
PrintOutcome PrintFilledList(QPrinter &printer, const ListTexts &texts, const QList<VoucherRowTexts> &rows,
                             const QString &totalCount, const QString &totalValue, ExportFile *exportFile,
                             const std::function<void(int row)> &beforeRow);
