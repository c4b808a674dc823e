#include "pdftext.h"

#include <QProcess>
#include <QRegularExpression>

namespace {

QByteArray run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitCode() == 0 ? process.readAllStandardOutput() : QByteArray();
}

} // namespace

int PdfText::pageCount(const QString &pdfPath)
{
    const QRegularExpressionMatch match =
        QRegularExpression("^Pages:\\s+(\\d+)", QRegularExpression::MultilineOption).match(run("pdfinfo", {pdfPath}));
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

QList<PdfText::Word> PdfText::words(const QString &pdfPath)
{
    static const QRegularExpression token(
        "<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>");
    QList<Word> result;
    int page = 0;
    for (auto it = token.globalMatch(QString::fromUtf8(run("pdftotext", {"-bbox", pdfPath, "-"}))); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedLength(1) == 0)
            ++page;
        else
            result.append({page, QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                        QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())), m.captured(5)});
    }
    return result;
}

QString PdfText::pageText(const QList<Word> &words, int page)
{
    QStringList texts;
    for (const Word &w : words)
        if (w.page == page)
            texts << w.text;
    return texts.join(' ');
}

QImage PdfText::pageImage(const QString &pdfPath, int page, int ppi)
{
    const QString n = QString::number(page);
    return QImage::fromData(run("pdftoppm", {"-r", QString::number(ppi), "-gray", "-f", n, "-l", n, "-singlefile", pdfPath}),
                            "PGM");
}
