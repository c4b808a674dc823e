#include "cp1250.h"

#include <QHash>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <QStringDecoder>
#include <QStringEncoder>
#endif


namespace {

// Qt converts named code pages through ICU, which Qt for Windows is built
// without; there Windows converts code page 1250 itself.  Both give each of
// the five bytes the code page leaves undefined (0x81, 0x83, 0x88, 0x90,
// 0x98) as the C1 control of the same value, so such a byte survives a load
// and a save.
#ifdef Q_OS_WIN
constexpr UINT CodePage = 1250;

QString toText(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {};
    const int size = MultiByteToWideChar(CodePage, 0, bytes.constData(), int(bytes.size()), nullptr, 0);
    QString text(size, Qt::Uninitialized);
    MultiByteToWideChar(CodePage, 0, bytes.constData(), int(bytes.size()), reinterpret_cast<wchar_t *>(text.data()),
                        size);
    return text;
}

// Only for text that the code page holds whole.
QByteArray toBytes(const QString &text)
{
    if (text.isEmpty())
        return {};
    const auto *wide = reinterpret_cast<const wchar_t *>(text.utf16());
    const int size = WideCharToMultiByte(CodePage, 0, wide, int(text.size()), nullptr, 0, nullptr, nullptr);
    QByteArray bytes(size, Qt::Uninitialized);
    WideCharToMultiByte(CodePage, 0, wide, int(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}
#else
constexpr auto CodecName = "windows-1250";

QString toText(const QByteArray &bytes)
{
    QStringDecoder toUnicode(CodecName);
    return toUnicode(bytes);
}

// Only for text that the code page holds whole.
QByteArray toBytes(const QString &text)
{
    QStringEncoder fromUnicode(CodecName);
    return fromUnicode(text);
}
#endif

// The byte of each character of the code page.
struct CodeTable
{
    QHash<char16_t, unsigned char> bytes;

    CodeTable()
    {
        QByteArray all(256, Qt::Uninitialized);
        for (int b = 0; b < 256; ++b)
            all[b] = char(b);
        const QString decoded = toText(all);
        Q_ASSERT(decoded.size() == 256);
        for (int b = 0; b < 256 && b < decoded.size(); ++b)
            bytes.insert(decoded.at(b).unicode(), static_cast<unsigned char>(b));
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
    return toText(bytes);
}

QByteArray encode(const QString &text)
{
    if (canEncode(text))
        return toBytes(text);
    // Each character that the code page lacks is written as one '?', as
    // Windows writes it; never as the converters' other choices: ICU's SUB
    // (Ctrl-Z) would end the file for its reader, and Windows' nearest
    // letter would pass for the real one.
    QString known;
    known.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        known += canEncode(c) ? c : QLatin1Char('?');
    }
    return toBytes(known);
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

