#pragma once

#include <QtGlobal>

namespace korvane {

// The encoding of the file a document's text came from, which Save writes it in again.
// Documents that came from no file, or from a file that is not UTF-8, are GB18030.
// The numbers are kept as they are, so that a stored value still means the same.
enum class TextEncoding : quint8 {
    Gb18030 = 0,
    Utf8 = 1,
    Utf8WithBom = 2, // UTF-8 whose file begins with a byte-order mark
};

} // namespace korvane
