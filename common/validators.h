#pragma once

#include <QChar>
#include <QString>

#include <bitset>
#include <functional>

// A set over the 256 Windows-1250 character codes.  A character outside the
// code page is in no set, so a filter never lets through a character that
// could not be saved.
class CharSet
{
public:
    static CharSet range(unsigned char first, unsigned char last);
    bool contains(QChar c) const;

private:
    std::bitset<256> codes_;
};

extern const CharSet Digits;   // '0' to '9'
extern const CharSet AnyChar;  // every character of the code page

// Key codes that the filters always let pass.
constexpr char16_t KeyBackspace = 8;
constexpr char16_t KeyTab = 9;
constexpr char16_t KeyEnter = 13;

// True when a typed key must be dropped: the text is already full, or the key
// is not allowed.  Backspace, Tab and Enter always pass.
bool KeyRejected(const QString &text, int maxLength, QChar key, const CharSet &allowed);

// The filter of a decimal field with a comma as separator: at most one comma,
// and digits counted against the limit of the part they would go into.
bool DecimalKeyRejected(const QString &text, int maxBefore, int maxAfter, QChar key);

// Text that arrives in a field otherwise than by typing (pasted, dropped) must
// be text that could have been typed into it key by key: each character gets
// past the filter after the ones before it.  Backspace, Tab and Enter pass
// every filter, but as keys: they are no text, and neither is any other
// control character.
using KeyFilter = std::function<bool(const QString &text, QChar key)>;
bool CouldBeTyped(const QString &text, const KeyFilter &keyRejected);

bool IsAllDigits(QStringView text);
bool IsDecimalNumber(QStringView text);

// The Slovak company number: eight digits, the last a modulus-11 check digit.
bool IcoIsValid(QStringView text);

// True for an address that must be refused (note the sense).
bool EmailIsInvalid(QStringView text);
