#include "editor/ViewText.h"

#include "editor/ByteStandIn.h"

namespace korvane::ViewText {

QChar displayChar(QChar c)
{
    switch (c.unicode()) {
    case u'\r': return QChar(0x240D); // ␍
    case u'\n': return QChar(0x240A); // ␊
    case 0: return QChar(0x2400);     // ␀
    case 0x2028:
    case 0x2029:
    case 0xFDD0:
    case 0xFDD1:
        return QChar(0xFFFD);
    default:
        break;
    }
    if (isByteStandIn(c))
        return QChar(0xFFFD);
    return c;
}

QString toView(QStringView text)
{
    // Written through a raw buffer: this runs over every character of every file opened.
    QString out(text.size(), Qt::Uninitialized);
    char16_t *o = reinterpret_cast<char16_t *>(out.data());
    const char16_t *p = text.utf16();
    const char16_t *end = p + text.size();
    while (p < end) {
        const char16_t c = *p++;
        if (c >= 0x20 && c < 0x2028) {
            *o++ = c; // the common case: nothing to show differently
        } else if (c == u'\r' && p < end && *p == u'\n') {
            *o++ = QChar::ParagraphSeparator;
            ++p;
        } else {
            *o++ = displayChar(QChar(c)).unicode();
        }
    }
    out.truncate(o - reinterpret_cast<char16_t *>(out.data()));
    return out;
}

QString fromTyped(QStringView typed)
{
    QString out;
    out.reserve(typed.size());
    for (const QChar c : typed) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == u'\n')
            out.append(QStringLiteral("\r\n"));
        else
            out.append(c);
    }
    return out;
}

} // namespace korvane::ViewText
