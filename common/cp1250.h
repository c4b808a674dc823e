#pragma once

#include <QByteArray>
#include <QString>

// All files of the program are Windows-1250 bytes; inside the program text is
// QString.  These are the only places where the two meet.
namespace Cp1250 {

QString decode(const QByteArray &bytes);
// Each character that the code page lacks becomes one '?'.
QByteArray encode(const QString &text);

// The Windows-1250 byte of a character, or -1 when the code page has none.
int byteOf(QChar c);
inline bool canEncode(QChar c) { return byteOf(c) >= 0; }
bool canEncode(const QString &text);

} // namespace Cp1250

// The text without its leading and trailing spaces and control characters
// (codes 0 to 32), as the file readers and the e-mail rule trim.
QStringView TrimControl(QStringView text);
