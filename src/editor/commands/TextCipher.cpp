#include "editor/commands/TextCipher.h"

#include "editor/file/AnsiCharCode.h"
#include "editor/file/ByteStandIn.h"

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

void writeBits(char16_t *out, int v)
{
    const int clamped = v < 0 ? 0 : (v > 255 ? 255 : v);
    for (int bit = 7; bit >= 0; --bit)
        *out++ = (clamped >> bit) & 1 ? u'1' : u'0';
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
    QString bits(8, Qt::Uninitialized);
    writeBits(reinterpret_cast<char16_t *>(bits.data()), v);
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
    // Digits per character: uppercase, no leading zeros, but never fewer than two.
    const auto width = [](quint16 v) { return v > 0xFFF ? 4 : (v > 0xFF ? 3 : 2); };
    // Measured first, so the output is allocated once at its final size.
    qsizetype length = 0;
    KeyStream measure = key;
    for (const QChar ch : text)
        length += width(static_cast<quint16>(measure.next() ^ ansiCharCode(ch)));
    QString out(length, Qt::Uninitialized);
    char16_t *p = reinterpret_cast<char16_t *>(out.data());
    for (const QChar ch : text) {
        const auto v = static_cast<quint16>(key.next() ^ ansiCharCode(ch));
        for (int shift = (width(v) - 1) * 4; shift >= 0; shift -= 4)
            *p++ = HexDigits[(v >> shift) & 0xF];
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
    QString out(text.size() * 8, Qt::Uninitialized);
    char16_t *p = reinterpret_cast<char16_t *>(out.data());
    for (const QChar ch : text) {
        writeBits(p, static_cast<qint16>(key.next() ^ ansiCharCode(ch)));
        p += 8;
    }
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
