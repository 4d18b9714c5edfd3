#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace talven {

// Code page 932, the study file's text, the same on every system: the bytes
// written for a text and the characters read from bytes do not depend on
// which converter the system has (ICU on Linux, the Windows API on Windows).
//
// The byte structure is the code page's own: bytes below 0x80 are ASCII, 0xA1
// to 0xDF half-width katakana, 0x81 to 0x9F and 0xE0 to 0xFC lead a character
// of two bytes whose second is 0x40 to 0x7E or 0x80 to 0xFC. Only characters
// of that structure are looked up in the system's converter.

// The text of the bytes. A byte that fits no character of the code page (a
// lone lead byte, 0x80, 0xA0, 0xFD to 0xFF) and a pair of bytes the code page
// leaves unassigned each become one U+FFFD.
QString decodeCodePage932(QByteArrayView bytes);

// The bytes of the text, or nothing when a character has no bytes that read
// back as that same character (no best-fit mapping: ¥ never becomes \).
std::optional<QByteArray> encodeCodePage932(QStringView text);

namespace codepage932 {

// The system's converter, for one character of two bytes or one half-width
// katakana byte: its character, or nothing when the code page assigns none.
std::optional<QChar> systemDecode(QByteArrayView character);

// The system's converter, for a text without ASCII: its bytes, or nothing
// when a character has none without best-fit mapping.
std::optional<QByteArray> systemEncode(QStringView text);

}  // namespace codepage932

}  // namespace talven
