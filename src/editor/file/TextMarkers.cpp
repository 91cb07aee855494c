#include "editor/file/TextMarkers.h"

#include "editor/file/ByteStandIn.h"

namespace korvane::TextMarkers {

namespace {

constexpr const char *ControlNames[32] = {
    "NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BS",  "HT", "LF",  "VT",  "FF", "CR", "SO", "SI",
    "DLE", "DC1", "DC2", "DC3", "DC4", "NAK", "SYN", "ETB", "CAN", "EM", "SUB", "ESC", "FS", "GS", "RS", "US",
};

QString hex(unsigned value, int digits) { return QString::number(value, 16).toUpper().rightJustified(digits, u'0'); }

} // namespace

QString labelAt(QStringView text, qsizetype i)
{
    const char16_t c = text[i].unicode();
    if (c >= 0x20 && c < 0x7F)
        return QString(); // the common case first
    if (c == u'\t')
        return QString();
    if (c < 0x20)
        return QString::fromLatin1(ControlNames[c]);
    if (c == 0x7F)
        return QStringLiteral("DEL");
    if (c >= 0x80 && c < 0xA0)
        return QLatin1Char('x') + hex(c, 2);
    if (c == 0x2028)
        return QStringLiteral("LS");
    if (c == 0x2029)
        return QStringLiteral("PS");
    if (isByteStandIn(QChar(c)))
        return hex(standInByte(QChar(c)), 2);
    if (QChar::isHighSurrogate(c)) {
        if (i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode()))
            return QString();
        return hex(c, 4);
    }
    if (QChar::isLowSurrogate(c)) {
        if (i > 0 && QChar::isHighSurrogate(text[i - 1].unicode()))
            return QString();
        return hex(c, 4);
    }
    return QString();
}

} // namespace korvane::TextMarkers
