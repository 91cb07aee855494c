#include "editor/file/FileDecoder.h"

#include "editor/file/Utf8Codec.h"

#include <QStringEncoder>
#include <algorithm>
#include <cstring>

namespace korvane {

FileDecoder::Decoded FileDecoder::decodeAll(QByteArrayView bytes)
{
    FileDecoder decoder;
    Decoded result;
    decoder.decode(bytes, result.text);
    decoder.finish(result.text);
    result.encoding = decoder.encoding();
    return result;
}

qsizetype FileDecoder::maxDecodedSize(qsizetype pieceSize) const
{
    return m_state == State::Gb18030 ? m_gb18030.maxDecodedSize(pieceSize) : m_heldSize + pieceSize;
}

TextEncoding FileDecoder::encoding() const
{
    if (m_state == State::Gb18030)
        return TextEncoding::Gb18030;
    if (m_byteOrderMark)
        return TextEncoding::Utf8WithBom;
    // Pure ASCII is the same in both; it stays with the code page.
    return m_multiByte ? TextEncoding::Utf8 : TextEncoding::Gb18030;
}

void FileDecoder::begin(const QString &out)
{
    if (m_textStart < 0)
        m_textStart = out.size();
}

void FileDecoder::appendUtf8(QByteArrayView bytes, QString &out)
{
    if (bytes.isEmpty())
        return;
    if (!m_anyDecoded && bytes.startsWith(QByteArrayView(Utf8Codec::ByteOrderMark, Utf8Codec::ByteOrderMarkSize))) {
        m_byteOrderMark = true;
        bytes = bytes.sliced(Utf8Codec::ByteOrderMarkSize);
    }
    m_anyDecoded = true;
    if (bytes.isEmpty())
        return;
    const qsizetype start = out.size();
    out.resize(start + bytes.size());
    QChar *const end = m_utf8.appendToBuffer(out.data() + start, bytes);
    out.truncate(end - out.constData());
}

qsizetype FileDecoder::decode(QByteArrayView piece, QString &out)
{
    begin(out);
    const qsizetype from = out.size();
    if (m_state == State::Gb18030) {
        m_gb18030.decode(piece, out);
        return from;
    }
    if (m_heldSize > 0) {
        // The held sequence and what the piece adds to it: valid, still cut short, or not UTF-8.
        unsigned char joined[6];
        const qsizetype taken = std::min<qsizetype>(piece.size(), 3);
        std::memcpy(joined, m_held, m_heldSize);
        std::memcpy(joined + m_heldSize, piece.data(), taken);
        const QByteArrayView sequence(joined, m_heldSize + taken);
        const Utf8Codec::Scan scan = Utf8Codec::scan(sequence);
        if (scan.valid == 0 && scan.cutShort) {
            // Only a piece too short to finish the sequence leaves it unfinished.
            std::memcpy(m_held + m_heldSize, piece.data(), taken);
            m_heldSize += int(taken);
            return from;
        }
        if (scan.valid == 0) {
            switchToGb18030(out, piece);
            return m_textStart;
        }
        // The held bytes lead their sequence, so its length is the lead byte's.
        const int length = m_held[0] >= 0xF0 ? 4 : m_held[0] >= 0xE0 ? 3 : 2;
        appendUtf8(sequence.first(length), out);
        m_multiByte = true;
        piece = piece.sliced(length - m_heldSize);
        m_heldSize = 0;
    }
    // Most pieces are valid UTF-8 throughout: decoded and checked in one pass. Where that
    // stops, at a byte that is not UTF-8 or a sequence the piece cuts off, the rest goes
    // the careful way below.
    if (!piece.isEmpty()) {
        if (!m_anyDecoded && piece.startsWith(QByteArrayView(Utf8Codec::ByteOrderMark, Utf8Codec::ByteOrderMarkSize))) {
            m_byteOrderMark = true;
            m_anyDecoded = true;
            piece = piece.sliced(Utf8Codec::ByteOrderMarkSize);
        }
        const qsizetype start = out.size();
        out.resize(start + piece.size());
        const Utf8Codec::Decoded done = Utf8Codec::decodeValid(piece, reinterpret_cast<char16_t *>(out.data()) + start);
        out.truncate(start + done.written);
        m_multiByte = m_multiByte || done.multiByte;
        // A mark can come only first: once anything is decoded (not a mark cut short).
        m_anyDecoded = m_anyDecoded || done.read > 0;
        piece = piece.sliced(done.read);
    }
    const Utf8Codec::Scan scan = Utf8Codec::scan(piece);
    appendUtf8(piece.first(scan.valid), out);
    m_multiByte = m_multiByte || scan.multiByte;
    const QByteArrayView rest = piece.sliced(scan.valid);
    if (rest.isEmpty())
        return from;
    if (scan.cutShort) {
        std::memcpy(m_held, rest.data(), rest.size());
        m_heldSize = int(rest.size());
        return from;
    }
    switchToGb18030(out, rest);
    return m_textStart;
}

qsizetype FileDecoder::finish(QString &out)
{
    begin(out);
    const qsizetype from = out.size();
    if (m_state == State::Utf8 && m_heldSize == 0)
        return from;
    // A sequence cut off by the end of the file is not UTF-8.
    qsizetype changedFrom = from;
    if (m_state == State::Utf8) {
        switchToGb18030(out, {});
        changedFrom = m_textStart;
    }
    m_gb18030.finish(out);
    return changedFrom;
}

void FileDecoder::switchToGb18030(QString &out, QByteArrayView rest)
{
    m_state = State::Gb18030;
    const qsizetype start = m_textStart;
    const qsizetype units = out.size() - start;
    const qsizetype bomSize = m_byteOrderMark ? Utf8Codec::ByteOrderMarkSize : 0;
    const qsizetype bytes = bomSize + Utf8Codec::encodedSize(QStringView(out).sliced(start));

    // GB18030 makes at most one unit of each byte, so the new text fits where the bytes
    // would. The UTF-8 text is moved to the end of that room first: since no UTF-8
    // sequence is shorter than the units it decodes to, the GB18030 text written from
    // the front never catches up with the part of it still to be read.
    out.reserve(start + bytes);
    out.resize(start + bytes);
    char16_t *const d = reinterpret_cast<char16_t *>(out.data());
    const qsizetype shift = bytes - units;
    std::memmove(d + start + shift, d + start, size_t(units) * sizeof(char16_t));

    qsizetype write = start;
    QString decoded;
    auto redecode = [&](QByteArrayView piece) {
        decoded.truncate(0);
        m_gb18030.decode(piece, decoded);
        std::memcpy(d + write, decoded.constData(), size_t(decoded.size()) * sizeof(char16_t));
        write += decoded.size();
    };
    if (m_byteOrderMark)
        redecode(QByteArrayView(Utf8Codec::ByteOrderMark, Utf8Codec::ByteOrderMarkSize));

    constexpr qsizetype PieceUnits = 32 * 1024;
    QStringEncoder utf8(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    QByteArray buffer(3 * PieceUnits, Qt::Uninitialized);
    const qsizetype end = start + bytes;
    for (qsizetype read = start + shift; read < end;) {
        qsizetype n = std::min(PieceUnits, end - read);
        if (read + n < end && QChar::isHighSurrogate(d[read + n - 1]))
            --n; // a pair stays together
        char *const stop = utf8.appendToBuffer(buffer.data(), QStringView(d + read, n));
        read += n;
        redecode(QByteArrayView(buffer.constData(), stop - buffer.constData()));
        Q_ASSERT(write <= read);
    }
    out.truncate(write);

    m_gb18030.decode(QByteArrayView(m_held, m_heldSize), out);
    m_heldSize = 0;
    m_gb18030.decode(rest, out);
}

} // namespace korvane
