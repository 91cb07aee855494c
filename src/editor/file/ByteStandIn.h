#pragma once

#include <QChar>

namespace korvane {

// A byte of a file that does not decode (and a deciphered code 128..255, which has no
// character of its own in a double-byte code page) is kept in the text as a private-use
// stand-in character, U+F780..U+F7FF; saving turns the stand-in back into that byte.
inline constexpr char16_t FirstByteStandIn = 0xF780;

inline bool isByteStandIn(QChar c) { return c.unicode() >= FirstByteStandIn && c.unicode() <= FirstByteStandIn + 0x7F; }
inline QChar byteStandIn(unsigned char byte)
{
    return QChar(char16_t(FirstByteStandIn + (byte - 0x80)));
} // byte >= 0x80
inline unsigned char standInByte(QChar c)
{
    return static_cast<unsigned char>(0x80 + (c.unicode() - FirstByteStandIn));
}

} // namespace korvane
