#pragma once

#include <QByteArray>
#include <QString>

// Encoders from a text to a module pattern.  A pattern is a string of element
// codes: '0' to '3' are spaces and '5' to '8' bars of width w0 to w3 (narrow,
// wide, and two wider widths that only other symbologies would use).  It
// starts with a bar and alternates bars and spaces.

// Interleaved 2 of 5: start code, one bar/space group per pair of digits, stop
// code.  The text must hold digits only; an odd last digit is dropped, and no
// check digit is added.
QByteArray EncodeInterleaved2of5(const QString &digits);

// Code 39: start character, each character of the text that the symbology
// knows (others are skipped) and the stop character, with a narrow space
// between characters; no check character.
QByteArray EncodeCode39(const QString &text);
