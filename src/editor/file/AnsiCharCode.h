#pragma once

#include <QChar>

namespace korvane {

// The code of a character in the Chinese ANSI code page (GBK) as a signed 16-bit number:
// 0..255 for a single-byte character, the two-byte code read as a negative number for a
// double-byte character, and 63 ("?") for a character the code page cannot represent.
// A byte stand-in (an undecodable byte kept from a file) gives its own byte.
qint16 ansiCharCode(QChar c);

} // namespace korvane
