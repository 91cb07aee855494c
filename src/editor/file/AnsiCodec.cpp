#include "editor/file/AnsiCodec.h"

#include "editor/file/ByteStandIn.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <memory>
#include <vector>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace korvane {

namespace {

// GB18030 byte structure: ASCII; two bytes lead 81..FE, trail 40..7E or 80..FE;
// four bytes 81..FE 30..39 81..FE 30..39, numbered linearly. Four-byte numbers below
// FourByteBmpCount cover the BMP characters that have no shorter code; from
// SupplementaryBase on they cover U+10000.. in order.
constexpr int TwoByteCount = 126 * 190;
constexpr int FourByteBmpCount = 39420;
constexpr int SupplementaryBase = 189000; // number of 90 30 81 30

constexpr bool isLead(unsigned b) { return b >= 0x81 && b <= 0xFE; }
constexpr bool isDigit(unsigned b) { return b >= 0x30 && b <= 0x39; }
constexpr bool isTrail(unsigned b) { return b >= 0x40 && b <= 0xFE && b != 0x7F; }
constexpr int twoByteIndex(unsigned lead, unsigned trail)
{
    return int(lead - 0x81) * 190 + int(trail - (trail < 0x7F ? 0x40 : 0x41));
}
constexpr int fourByteNumber(unsigned b1, unsigned b2, unsigned b3, unsigned b4)
{
    return ((int(b1 - 0x81) * 10 + int(b2 - 0x30)) * 126 + int(b3 - 0x81)) * 10 + int(b4 - 0x30);
}
constexpr quint32 fourByteCode(int number)
{
    const quint32 b4 = 0x30 + number % 10;
    number /= 10;
    const quint32 b3 = 0x81 + number % 126;
    number /= 126;
    const quint32 b2 = 0x30 + number % 10;
    const quint32 b1 = 0x81 + number / 10;
    return b1 << 24 | b2 << 16 | b3 << 8 | b4;
}

// The mapping tables, taken once from the system's GB18030 converter. Only the byte
// level around them is ours: Qt's decoders drop or replace what does not decode.
struct Tables {
    char16_t twoByte[TwoByteCount] = {};      // 0: no character that round-trips
    char16_t fourByte[FourByteBmpCount] = {}; // 0: no character that round-trips
    std::vector<quint32> encodeBmp;           // the bytes of each BMP character, big-endian
    QByteArray converter;
    bool valid = false; // the converter exists; without it the tables stay empty

    explicit Tables(const char *name) : encodeBmp(0x10000, quint32(AnsiCodec::Unencodable)), converter(name)
    {
        QStringEncoder encoder(name, QStringConverter::Flag::Stateless);
        QStringDecoder decoder(name, QStringConverter::Flag::Stateless);
        // Without a converter its answers are empty, and splitting them below would read
        // far beyond their end.
        valid = encoder.isValid() && decoder.isValid();
        if (!valid)
            return;
        // Each sequence is followed by a line feed, which no sequence can swallow, so the
        // converter's answer splits back into one piece per sequence however it treats errors.
        QByteArray chars;
        for (char32_t c = 0; c < 0x10000; ++c) {
            if (c < 0xD800 || c > 0xDFFF) {
                chars += QString(QChar(char16_t(c))).toUtf8();
                chars += '\n';
            }
        }
        const QByteArray encoded = encoder.encode(QString::fromUtf8(chars));
        qsizetype pos = 0;
        for (char32_t c = 0; c < 0x10000; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF)
                continue;
            // A line feed ends each piece, except for the line feed's own piece.
            qsizetype end = c == u'\n' ? pos + 1 : encoded.indexOf('\n', pos);
            if (end < 0)
                end = encoded.size();
            const QByteArrayView piece = QByteArrayView(encoded).sliced(pos, end - pos);
            quint32 code = 0;
            for (const char b : piece)
                code = code << 8 | quint8(b);
            // Every BMP character has a GB18030 code; should the converter not know one,
            // it gets the code page's usual "?" rather than a made-up sequence.
            const bool known = piece.size() == 2 || piece.size() == 4 || (piece.size() == 1 && code == c);
            encodeBmp[c] = known ? code : quint32(AnsiCodec::Unencodable);
            pos = end + 1;
        }

        QByteArray twoBytes;
        twoBytes.reserve(TwoByteCount * 3);
        for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
            for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
                if (trail == 0x7F)
                    continue;
                twoBytes += char(lead);
                twoBytes += char(trail);
                twoBytes += '\n';
            }
        }
        fillFromDecoder(decoder, twoBytes, twoByte, TwoByteCount, [](int i) {
            return quint32(0x81 + i / 190) << 8 | quint32(i % 190 + (i % 190 < 63 ? 0x40 : 0x41));
        });

        QByteArray fourBytes;
        fourBytes.reserve(FourByteBmpCount * 5);
        for (int i = 0; i < FourByteBmpCount; ++i) {
            const quint32 code = fourByteCode(i);
            fourBytes += char(code >> 24);
            fourBytes += char(code >> 16);
            fourBytes += char(code >> 8);
            fourBytes += char(code);
            fourBytes += '\n';
        }
        fillFromDecoder(decoder, fourBytes, fourByte, FourByteBmpCount, fourByteCode);
    }

    // Keeps a decoded character only when encoding gives back exactly its sequence;
    // otherwise (no character, or a stand-in's code point) the bytes stay stand-ins.
    template <typename CodeOf>
    void fillFromDecoder(QStringDecoder &decoder, const QByteArray &sequences, char16_t *table, int count,
                         CodeOf codeOf)
    {
        const QString decoded = decoder.decode(sequences);
        qsizetype pos = 0;
        for (int i = 0; i < count; ++i) {
            qsizetype end = decoded.indexOf(u'\n', pos);
            if (end < 0)
                end = decoded.size();
            table[i] = 0;
            if (end - pos == 1) {
                const QChar c = decoded[pos];
                if (!c.isSurrogate() && !isByteStandIn(c) && encodeBmp[c.unicode()] == codeOf(i))
                    table[i] = c.unicode();
            }
            pos = end + 1;
        }
    }
};

const char *converterName = AnsiCodec::ConverterName;

const Tables &tables()
{
    static std::unique_ptr<Tables> t;
    if (!t || t->converter != converterName)
        t = std::make_unique<Tables>(converterName);
    return *t;
}

} // namespace

bool AnsiCodec::available() { return tables().valid; }

void AnsiCodec::useConverter(const char *name) { converterName = name; }

namespace {

// Decodes [p, end) at o. While more input is to come, it stops at a lead byte whose
// sequence could end beyond `end`, and returns where it stopped: what that byte becomes
// depends on bytes not yet seen. At the end of the input the same byte becomes a
// stand-in, like any byte that starts no sequence.
template <bool MoreToCome>
const unsigned char *decodeBytes(const Tables &t, const unsigned char *p, const unsigned char *end, char16_t *&o)
{
    while (p < end) {
        const unsigned b = *p;
        if (b < 0x80) {
            // Files in the code page are mostly ASCII for long stretches (logs, markup,
            // code): sixteen bytes at a time while they last.
#ifdef __SSE2__
            while (end - p >= 16) {
                const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
                if (_mm_movemask_epi8(bytes) != 0)
                    break;
                const __m128i zero = _mm_setzero_si128();
                _mm_storeu_si128(reinterpret_cast<__m128i *>(o), _mm_unpacklo_epi8(bytes, zero));
                _mm_storeu_si128(reinterpret_cast<__m128i *>(o + 8), _mm_unpackhi_epi8(bytes, zero));
                p += 16;
                o += 16;
            }
            if (p == end || *p >= 0x80)
                continue;
#endif
            *o++ = char16_t(*p);
            ++p;
            continue;
        }
        if (isLead(b) && end - p >= 2) {
            const unsigned b2 = p[1];
            if (isTrail(b2)) {
                if (const char16_t c = t.twoByte[twoByteIndex(b, b2)]) {
                    *o++ = c;
                    p += 2;
                    continue;
                }
            } else if (isDigit(b2) && end - p >= 4 && isLead(p[2]) && isDigit(p[3])) {
                const int number = fourByteNumber(b, b2, p[2], p[3]);
                if (number < FourByteBmpCount) {
                    if (const char16_t c = t.fourByte[number]) {
                        *o++ = c;
                        p += 4;
                        continue;
                    }
                } else if (number >= SupplementaryBase && number - SupplementaryBase < 0x100000) {
                    const char32_t c = char32_t(0x10000 + number - SupplementaryBase);
                    *o++ = QChar::highSurrogate(c);
                    *o++ = QChar::lowSurrogate(c);
                    p += 4;
                    continue;
                }
            } else if (MoreToCome && isDigit(b2) && end - p < 4 && (end - p == 2 || isLead(p[2]))) {
                break; // a four-byte sequence, if the bytes still to come allow one
            }
        } else if (MoreToCome && isLead(b)) {
            break; // what this lead byte starts depends on the next byte
        }
        *o++ = byteStandIn(static_cast<unsigned char>(b)).unicode();
        ++p;
    }
    return p;
}

const unsigned char *bytesOf(QByteArrayView bytes) { return reinterpret_cast<const unsigned char *>(bytes.data()); }

} // namespace

QString AnsiCodec::decode(QByteArrayView bytes)
{
    // Every sequence yields at most one UTF-16 unit per byte it spans.
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t *const begin = reinterpret_cast<char16_t *>(out.data());
    char16_t *o = begin;
    decodeBytes<false>(tables(), bytesOf(bytes), bytesOf(bytes) + bytes.size(), o);
    out.truncate(o - begin);
    return out;
}

void AnsiCodec::Decoder::decode(QByteArrayView piece, QString &out)
{
    const Tables &t = tables();
    const qsizetype start = out.size();
    out.resize(start + maxDecodedSize(piece.size()));
    char16_t *const begin = reinterpret_cast<char16_t *>(out.data());
    char16_t *o = begin + start;
    const unsigned char *p = bytesOf(piece);
    const unsigned char *const end = p + piece.size();

    if (m_heldSize > 0) {
        // The held bytes joined with as much of the piece as a sequence begun among them
        // can reach. Decoding stops inside the held bytes only if the piece is too short
        // to settle them, and then all of it is in `joined`.
        unsigned char joined[2 * MaxHeld];
        const qsizetype taken = std::min<qsizetype>(piece.size(), MaxHeld);
        std::copy_n(m_held, m_heldSize, joined);
        std::copy_n(p, taken, joined + m_heldSize);
        const unsigned char *const joinedEnd = joined + m_heldSize + taken;
        const unsigned char *const stop = decodeBytes<true>(t, joined, joinedEnd, o);
        if (stop - joined < m_heldSize) {
            Q_ASSERT(taken == piece.size() && joinedEnd - stop <= MaxHeld);
            m_heldSize = int(joinedEnd - stop);
            std::copy(stop, joinedEnd, m_held);
            p = end;
        } else {
            p += (stop - joined) - m_heldSize;
            m_heldSize = 0;
        }
    }
    if (p < end) {
        const unsigned char *const stop = decodeBytes<true>(t, p, end, o);
        Q_ASSERT(end - stop <= MaxHeld);
        m_heldSize = int(end - stop);
        std::copy(stop, end, m_held);
    }
    out.truncate(o - begin);
}

void AnsiCodec::Decoder::finish(QString &out)
{
    const qsizetype start = out.size();
    out.resize(start + m_heldSize);
    char16_t *const begin = reinterpret_cast<char16_t *>(out.data());
    char16_t *o = begin + start;
    decodeBytes<false>(tables(), m_held, m_held + m_heldSize, o);
    out.truncate(o - begin);
    m_heldSize = 0;
}

static int encodedLength(quint32 code) { return code < 0x80 ? 1 : code <= 0xFFFF ? 2 : 4; }

QByteArray AnsiCodec::encode(QStringView text)
{
    const Tables &t = tables();
    const char16_t *begin = text.utf16();
    const char16_t *end = begin + text.size();

    // First the exact size, so that a large text is encoded into one allocation.
    qsizetype size = 0;
    for (const char16_t *p = begin; p < end; ++p) {
        const char16_t c = *p;
        if (c < 0x80 || isByteStandIn(QChar(c))) {
            ++size;
        } else if (QChar::isHighSurrogate(c) && p + 1 < end && QChar::isLowSurrogate(p[1])) {
            size += 4;
            ++p;
        } else if (QChar::isSurrogate(c)) {
            ++size;
        } else {
            size += encodedLength(t.encodeBmp[c]);
        }
    }

    QByteArray out(size, Qt::Uninitialized);
    auto *o = reinterpret_cast<unsigned char *>(out.data());
    auto put = [&o](quint32 code, int length) {
        for (int shift = (length - 1) * 8; shift >= 0; shift -= 8)
            *o++ = static_cast<unsigned char>(code >> shift);
    };
    for (const char16_t *p = begin; p < end; ++p) {
        const char16_t c = *p;
        if (c < 0x80) {
            *o++ = static_cast<unsigned char>(c);
        } else if (isByteStandIn(QChar(c))) {
            *o++ = standInByte(QChar(c));
        } else if (QChar::isHighSurrogate(c) && p + 1 < end && QChar::isLowSurrogate(p[1])) {
            const char32_t cp = QChar::surrogateToUcs4(c, p[1]);
            put(fourByteCode(SupplementaryBase + int(cp - 0x10000)), 4);
            ++p;
        } else if (QChar::isSurrogate(c)) {
            *o++ = Unencodable;
        } else {
            const quint32 code = t.encodeBmp[c];
            put(code, encodedLength(code));
        }
    }
    return out;
}

} // namespace korvane
