#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace korvane {

// The encoding of the file a document's text came from, which Save writes it in again.
// Documents that came from no file, or from a file that is not UTF-8, are GB18030.
// The numbers are kept as they are, so that a stored value still means the same.
enum class TextEncoding : quint8 {
    Gb18030 = 0,
    Utf8 = 1,
    Utf8WithBom = 2, // UTF-8 whose file begins with a byte-order mark
};

// The encoding's name where it is stored as text (the recovery journal).
inline QString textEncodingName(TextEncoding e)
{
    switch (e) {
    case TextEncoding::Utf8: return QStringLiteral("UTF-8");
    case TextEncoding::Utf8WithBom: return QStringLiteral("UTF-8 BOM");
    case TextEncoding::Gb18030: break;
    }
    return QStringLiteral("GB18030");
}

inline std::optional<TextEncoding> textEncodingFromName(const QString &name)
{
    for (const TextEncoding e : {TextEncoding::Gb18030, TextEncoding::Utf8, TextEncoding::Utf8WithBom}) {
        if (textEncodingName(e) == name)
            return e;
    }
    return std::nullopt;
}

} // namespace korvane
