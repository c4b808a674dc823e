#include "pdftext.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

namespace PdfText {

namespace {

QByteArray run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

} // namespace

int pageCount(const QString &pdfPath)
{
    static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"),
                                          QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = pages.match(QString::fromUtf8(run(QStringLiteral("pdfinfo"), {pdfPath})));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QList<Word> words(const QString &pdfPath)
{
    static const QRegularExpression token(QStringLiteral(
        "<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    const QString html = QString::fromUtf8(run(QStringLiteral("pdftotext"), {"-bbox", pdfPath, "-"}));
    QList<Word> result;
    int page = 0;
    for (auto it = token.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedLength(1) == 0) {
            ++page;
            continue;
        }
        QString text = m.captured(5);
        text.replace("&amp;", "&").replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"");
        result.append({page, QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                    QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())), text});
    }
    return result;
}

QString pageText(const QList<Word> &words, int page)
{
    QStringList texts;
    for (const Word &w : words)
        if (w.page == page)
            texts << w.text;
    return texts.join(QLatin1Char(' '));
}

QImage pageImage(const QString &pdfPath, int page, int ppi)
{
    const QString n = QString::number(page);
    return QImage::fromData(
        run(QStringLiteral("pdftoppm"), {"-r", QString::number(ppi), "-gray", "-f", n, "-l", n, "-singlefile", pdfPath}),
        "PGM");
}

} // namespace PdfText
