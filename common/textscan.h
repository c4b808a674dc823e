#pragma once

#include <QString>
#include <QStringView>

// The position of the first c in text from from on, or -1.  The data files'
// lines, fields and numbers are scanned for single characters millions of
// times while a large file loads; for such short texts a plain loop is far
// quicker than a general string search.
inline qsizetype FindChar(QStringView text, char16_t c, qsizetype from = 0)
{
    for (qsizetype k = from; k < text.size(); ++k) {
        if (text.at(k).unicode() == c)
            return k;
    }
    return -1;
}

// The text preceded by fill characters up to width; a longer text keeps its
// last width characters.
inline QString PadLeft(const QString &text, QChar fill, int width)
{
    if (width <= 0)
        return {};
    if (width >= text.size())
        return text.rightJustified(width, fill);
    return text.right(width);
}
