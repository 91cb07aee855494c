#include "editor/TextCipher.h"

#include "editor/AnsiCharCode.h"
#include "editor/ByteStandIn.h"

#include <algorithm>

namespace korvane::cipher {

namespace {

constexpr char16_t HexDigits[] = u"0123456789ABCDEF";

int hexDigitValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

void appendBits(QString &out, int v)
{
    const int clamped = v < 0 ? 0 : (v > 255 ? 255 : v);
    for (int bit = 7; bit >= 0; --bit)
        out.append(QChar((clamped >> bit) & 1 ? u'1' : u'0'));
}

} // namespace

QString keyDigits(QStringView code)
{
    QString digits;
    digits.reserve(code.size() * 6);
    for (const QChar c : code)
        digits.append(QString::number(ansiCharCode(c)));
    return digits;
}

KeyStream::KeyStream(QStringView code) : m_digits(keyDigits(code)) {}

QString byteToBits(int v)
{
    QString bits;
    bits.reserve(8);
    appendBits(bits, v);
    return bits;
}

int bitsToByte(QStringView bits)
{
    int value = 0;
    const qsizetype n = std::min<qsizetype>(bits.size(), 8);
    for (qsizetype i = 0; i < n; ++i) {
        if (bits[i] == u'1')
            value |= 1 << (7 - i);
    }
    return value;
}

int hexGroupValue(QStringView group)
{
    unsigned value = 0;
    for (const QChar c : group) {
        const char16_t u = c.unicode();
        if (u == u' ' || u == u'\t' || u == u'\n')
            continue;
        const int d = hexDigitValue(u);
        if (d < 0)
            break;
        value = (value << 4) | unsigned(d);
    }
    return static_cast<int>(value & 0x7FFFFFFF);
}

QChar charFromAnsiCode(int code)
{
    const auto byte = static_cast<unsigned char>(code & 0xFF);
    return byte < 0x80 ? QChar(char16_t(byte)) : byteStandIn(byte);
}

QString encryptHex(QStringView text, QStringView code)
{
    KeyStream key(code);
    if (key.isEmpty())
        return text.toString();
    QString out;
    out.reserve(text.size() * 2);
    for (const QChar ch : text) {
        const auto v = static_cast<quint16>(key.next() ^ ansiCharCode(ch));
        // Uppercase, no leading zeros, but never fewer than two digits.
        int shift = 12;
        while (shift > 4 && ((v >> shift) & 0xF) == 0)
            shift -= 4;
        for (; shift >= 0; shift -= 4)
            out.append(QChar(HexDigits[(v >> shift) & 0xF]));
    }
    return out;
}

QString decryptHex(QStringView text, QStringView code)
{
    KeyStream key(code);
    if (key.isEmpty())
        return text.toString();
    QString out;
    out.reserve((text.size() + 1) / 2);
    for (qsizetype i = 0; i < text.size(); i += 2) {
        const int c = key.next();
        out.append(charFromAnsiCode(c ^ hexGroupValue(text.sliced(i, std::min<qsizetype>(2, text.size() - i)))));
    }
    return out;
}

QString encryptBinary(QStringView text, QStringView code)
{
    KeyStream key(code);
    if (key.isEmpty())
        return text.toString();
    QString out;
    out.reserve(text.size() * 8);
    for (const QChar ch : text)
        appendBits(out, static_cast<qint16>(key.next() ^ ansiCharCode(ch)));
    return out;
}

QString decryptBinary(QStringView text, QStringView code)
{
    KeyStream key(code);
    if (key.isEmpty())
        return text.toString();
    QString out;
    out.reserve((text.size() + 7) / 8);
    for (qsizetype i = 0; i < text.size(); i += 8) {
        const int c = key.next();
        out.append(charFromAnsiCode(c ^ bitsToByte(text.sliced(i, std::min<qsizetype>(8, text.size() - i)))));
    }
    return out;
}

} // namespace korvane::cipher
