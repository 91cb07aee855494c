#include "editor/file/Utf8Codec.h"

#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace korvane {

namespace {

// What a lead byte announces: the sequence's length (0 when b cannot start one), and the
// range its second byte must lie in, narrower than 80..BF where that is what rules out
// overlong forms, surrogates and code points beyond U+10FFFF.
struct LeadByte {
    int length = 0;
    unsigned low = 0x80;
    unsigned high = 0xBF;
};

Q_ALWAYS_INLINE LeadByte leadByte(unsigned b)
{
    LeadByte lead;
    if (b >= 0xC2 && b <= 0xDF) {
        lead.length = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        lead.length = 3;
        lead.low = b == 0xE0 ? 0xA0 : 0x80;
        lead.high = b == 0xED ? 0x9F : 0xBF;
    } else if (b >= 0xF0 && b <= 0xF4) {
        lead.length = 4;
        lead.low = b == 0xF0 ? 0x90 : 0x80;
        lead.high = b == 0xF4 ? 0x8F : 0xBF;
    }
    return lead;
}

} // namespace

Utf8Codec::Scan Utf8Codec::scan(QByteArrayView bytes)
{
    const auto *const begin = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *const end = begin + bytes.size();
    const auto *p = begin;
    Scan result;
    while (p < end) {
        // Most text is ASCII for long stretches: eight bytes at a time.
        if (end - p >= 8) {
            quint64 word;
            std::memcpy(&word, p, 8);
            if ((word & 0x8080808080808080ull) == 0) {
                p += 8;
                continue;
            }
        }
        const unsigned b = *p;
        if (b < 0x80) {
            ++p;
            continue;
        }
        const auto [length, low, high] = leadByte(b);
        if (length == 0) {
            result.valid = p - begin;
            return result;
        }
        for (int i = 1; i < length; ++i) {
            if (p + i == end) {
                result.valid = p - begin;
                result.cutShort = true;
                return result;
            }
            const unsigned c = p[i];
            if (c < (i == 1 ? low : 0x80) || c > (i == 1 ? high : 0xBF)) {
                result.valid = p - begin;
                return result;
            }
        }
        p += length;
        result.multiByte = true;
    }
    result.valid = bytes.size();
    return result;
}

Utf8Codec::Decoded Utf8Codec::decodeValid(QByteArrayView bytes, char16_t *out)
{
    const auto *const begin = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *const end = begin + bytes.size();
    const auto *p = begin;
    char16_t *o = out;
    Decoded result;
    while (p < end) {
#ifdef __SSE2__
        // Runs of ASCII, sixteen bytes at a time.
        while (end - p >= 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
            if (_mm_movemask_epi8(v) != 0)
                break;
            const __m128i zero = _mm_setzero_si128();
            _mm_storeu_si128(reinterpret_cast<__m128i *>(o), _mm_unpacklo_epi8(v, zero));
            _mm_storeu_si128(reinterpret_cast<__m128i *>(o + 8), _mm_unpackhi_epi8(v, zero));
            p += 16;
            o += 16;
        }
        if (p == end)
            break;
#endif
        const unsigned b = p[0];
        if (b < 0x80) {
            *o++ = char16_t(b);
            ++p;
            continue;
        }
        // Most Chinese text is three bytes a character, led by E1..EC or EE..EF, whose
        // second byte may be any continuation byte: the short way, without the table.
        if (end - p >= 3 && ((b >= 0xE1 && b <= 0xEC) || b >= 0xEE) && b <= 0xEF && (p[1] & 0xC0) == 0x80 &&
            (p[2] & 0xC0) == 0x80) {
            *o++ = char16_t((b & 0x0F) << 12 | (p[1] & 0x3F) << 6 | (p[2] & 0x3F));
            p += 3;
            result.multiByte = true;
            continue;
        }
        const auto [length, low, high] = leadByte(b);
        if (length == 0 || end - p < length || p[1] < low || p[1] > high)
            break;
        if ((length >= 3 && (p[2] & 0xC0) != 0x80) || (length == 4 && (p[3] & 0xC0) != 0x80))
            break;
        if (length == 2) {
            *o++ = char16_t((b & 0x1F) << 6 | (p[1] & 0x3F));
        } else if (length == 3) {
            *o++ = char16_t((b & 0x0F) << 12 | (p[1] & 0x3F) << 6 | (p[2] & 0x3F));
        } else {
            const char32_t c = char32_t(b & 0x07) << 18 | char32_t(p[1] & 0x3F) << 12 | char32_t(p[2] & 0x3F) << 6 |
                               char32_t(p[3] & 0x3F);
            *o++ = QChar::highSurrogate(c);
            *o++ = QChar::lowSurrogate(c);
        }
        p += length;
        result.multiByte = true;
    }
    result.read = p - begin;
    result.written = o - out;
    return result;
}

qsizetype Utf8Codec::encodedSize(QStringView text)
{
    qsizetype size = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        // A surrogate pair is four bytes, two for each half.
        size += u < 0x80 ? 1 : u < 0x800 || c.isSurrogate() ? 2 : 3;
    }
    return size;
}

QByteArray Utf8Codec::encode(QStringView text, bool byteOrderMark)
{
    // Qt's own encoder, which already writes "?" for a lone surrogate.
    QByteArray bytes = text.toUtf8();
    if (byteOrderMark)
        bytes.prepend(ByteOrderMark, ByteOrderMarkSize);
    return bytes;
}

} // namespace korvane
