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
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') {
            out.append(QChar::ParagraphSeparator);
            ++i;
        } else {
            out.append(displayChar(c));
        }
    }
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
