#include "validators.h"

#include "cp1250.h"
#include "textscan.h"

CharSet CharSet::range(unsigned char first, unsigned char last)
{
    CharSet set;
    for (int code = first; code <= last; ++code)
        set.codes_.set(size_t(code));
    return set;
}

bool CharSet::contains(QChar c) const
{
    // The code page keeps ASCII as it is.
    if (c.unicode() < 0x80)
        return codes_.test(c.unicode());
    const int code = Cp1250::byteOf(c);
    return code >= 0 && codes_.test(size_t(code));
}

const CharSet Digits = CharSet::range('0', '9');
const CharSet AnyChar = CharSet::range(0, 255);

bool KeyRejected(const QString &text, int maxLength, QChar key, const CharSet &allowed)
{
    const char16_t code = key.unicode();
    if (code == KeyBackspace || code == KeyTab || code == KeyEnter)
        return false;
    return text.size() >= maxLength || !allowed.contains(key);
}

bool DecimalKeyRejected(const QString &text, int maxBefore, int maxAfter, QChar key)
{
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    if (key == QLatin1Char(','))
        return comma >= 0;
    if (comma < 0)
        return KeyRejected(text, maxBefore, key, Digits);
    // With a comma in the text every digit counts against the decimals,
    // wherever the caret stands.
    return KeyRejected(text.mid(comma + 1), maxAfter, key, Digits);
}

bool CouldBeTyped(const QString &text, const KeyFilter &keyRejected)
{
    QString typed;
    typed.reserve(text.size());
    for (QChar c : text) {
        if (c.unicode() < 32 || keyRejected(typed, c))
            return false;
        typed += c;
    }
    return true;
}

bool IsAllDigits(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

bool IsDecimalNumber(QStringView text)
{
    qsizetype separator = FindChar(text, u'.');
    if (separator < 0)
        separator = FindChar(text, u',');
    if (separator < 0)
        return IsAllDigits(text);
    return IsAllDigits(text.first(separator)) && IsAllDigits(text.sliced(separator + 1));
}

bool IcoIsValid(QStringView text)
{
    if (text.size() != 8 || !IsAllDigits(text))
        return false;
    int sum = 0;
    for (int k = 0; k < 7; ++k)
        sum += (8 - k) * text.at(k).digitValue();
    const int check = (11 - sum % 11) % 10;
    return text.at(7).digitValue() == check;
}

bool EmailIsInvalid(QStringView text)
{
    if (TrimControl(text).isEmpty())
        return true;

    // Capitals count as their small letters.  No locale lower-cases a
    // letter into one of these otherwise than Unicode's own mapping does.
    static const QString forbidden = QStringLiteral(" äöüß[]():");
    for (QChar c : text) {
        const QChar small = c.unicode() < 0x80 ? c : c.toLower();
        if (forbidden.contains(small))
            return true;
    }

    const qsizetype at = text.indexOf(QLatin1Char('@'));
    if (at <= 0 || at == text.size() - 1)
        return true;
    const QStringView domain = text.sliced(at + 1);
    if (domain.contains(QLatin1Char('@')))
        return true;
    if (domain.size() < 2)
        return true;
    // Only the domain's first full stop is looked at.
    const qsizetype dot = domain.indexOf(QLatin1Char('.'));
    return dot <= 0 || dot == domain.size() - 1;
}
