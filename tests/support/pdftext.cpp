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
    const QString info = QString::fromUtf8(run(QStringLiteral("pdfinfo"), {pdfPath}));
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption).match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QList<Word> words(const QString &pdfPath)
{
    const QString html =
        QString::fromUtf8(run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdfPath, QStringLiteral("-")}));
    static const QRegularExpression token(
        QStringLiteral("<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<Word> result;
    int page = 0;
    for (auto it = token.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0) == QLatin1String("<page ")) {
            ++page;
            continue;
        }
        const QRectF box(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                         QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
        QString text = m.captured(5);
        text.replace(QLatin1String("&amp;"), QLatin1String("&"))
            .replace(QLatin1String("&lt;"), QLatin1String("<"))
            .replace(QLatin1String("&gt;"), QLatin1String(">"))
            .replace(QLatin1String("&quot;"), QLatin1String("\""));
        result.append({page, box, text});
    }
    return result;
}

QString pageText(const QList<Word> &words, int page)
{
    QStringList texts;
    for (const Word &w : words) {
        if (w.page == page)
            texts << w.text;
    }
    return texts.join(QLatin1Char(' '));
}

QImage pageImage(const QString &pdfPath, int page, int ppi)
{
    const QString number = QString::number(page);
    return QImage::fromData(run(QStringLiteral("pdftoppm"),
                                {QStringLiteral("-r"), QString::number(ppi), QStringLiteral("-gray"), QStringLiteral("-f"),
                                 number, QStringLiteral("-l"), number, QStringLiteral("-singlefile"), pdfPath}),
                            "PGM");
}

} // namespace PdfText
