#pragma once

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>
#include <QTest>

#ifdef Q_OS_WIN
// poppler's tools are Linux programs: on Windows the checks that read a
// printed PDF back are skipped, after the print itself.
#define SKIP_WITHOUT_PDF_READER() QSKIP("The printed PDF is read back with poppler's tools, on Linux only.")
#else
#define SKIP_WITHOUT_PDF_READER() (void)0
#endif

// Reads a PDF back with poppler's tools, independently of the program: its
// pages and the words on them with their boxes in points from the page's
// top-left corner.
namespace PdfText {

struct Word
{
    int page; // from 1
    QRectF box;
    QString text;
};

int pageCount(const QString &pdfPath); // 0 when there is no PDF
QList<Word> words(const QString &pdfPath);

// The words of one page joined by spaces, in reading order.
QString pageText(const QList<Word> &words, int page);

// One page (from 1) rasterised in gray at ppi pixels per inch; null when it
// cannot be read.
QImage pageImage(const QString &pdfPath, int page, int ppi);

} // namespace PdfText
