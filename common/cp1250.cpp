#include "cp1250.h"

#include <QHash>
#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

namespace {

constexpr auto CodecName = "windows-1250";

struct CodeTable
{
    std::array<QChar, 256> chars;
    QHash<char16_t, unsigned char> bytes;

    CodeTable()
    {
        QByteArray all(256, Qt::Uninitialized);
        for (int b = 0; b < 256; ++b)
            all[b] = char(b);
        QStringDecoder toUnicode(CodecName);
        const QString decoded = toUnicode(all);
        Q_ASSERT(!toUnicode.hasError() && decoded.size() == 256);
        for (int b = 0; b < 256 && b < decoded.size(); ++b) {
            chars[b] = decoded.at(b);
            bytes.insert(decoded.at(b).unicode(), static_cast<unsigned char>(b));
        }
    }
};

const CodeTable &table()
{
    static const CodeTable t;
    return t;
}

} // namespace

namespace Cp1250 {

QString decode(const QByteArray &bytes)
{
    QStringDecoder toUnicode(CodecName);
    return toUnicode(bytes);
}

QByteArray encode(const QString &text)
{
    QStringEncoder fromUnicode(CodecName);
    return fromUnicode(text);
}

int byteOf(QChar c)
{
    // The code page keeps ASCII as it is; the table holds the rest.
    if (c.unicode() < 0x80)
        return c.unicode();
    const auto &bytes = table().bytes;
    const auto it = bytes.constFind(c.unicode());
    return it == bytes.cend() ? -1 : int(*it);
}

bool canEncode(const QString &text)
{
    for (QChar c : text) {
        if (!canEncode(c))
            return false;
    }
    return true;
}

QChar charOf(unsigned char byte)
{
    return table().chars[byte];
}

} // namespace Cp1250

QStringView TrimControl(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return text.sliced(begin, end - begin);
}

QString TrimControl(const QString &text)
{
    const QStringView trimmed = TrimControl(QStringView(text));
    return trimmed.size() == text.size() ? text : trimmed.toString();
}
