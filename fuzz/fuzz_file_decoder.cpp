// Random bytes through the encoding detector. Whichever encoding it decides on, the text
// encoded in that encoding must give back the bytes exactly, and must be free of lone
// surrogates. It must decide UTF-8 exactly when Qt's own validation finds valid UTF-8
// with a byte-order mark or a multi-byte sequence, and otherwise read the bytes as
// AnsiCodec does. Decoding in pieces, cut where the input's own bytes say, into a string
// with or without room reserved, must give the same text and encoding as all at once:
// this is what drives the change of mind after a long valid stretch.
#include "editor/file/AnsiCodec.h"
#include "editor/file/FileDecoder.h"
#include "editor/file/Utf8Codec.h"

#include <QStringDecoder>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace korvane;

static void check(bool condition)
{
    if (!condition)
        abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const FileDecoder::Decoded whole = FileDecoder::decodeAll(bytes);
    const QString &text = whole.text;

    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate()) {
            check(i + 1 < text.size() && text[i + 1].isLowSurrogate());
            ++i;
        } else {
            check(!text[i].isLowSurrogate());
        }
    }

    const QByteArrayView bom(Utf8Codec::ByteOrderMark, Utf8Codec::ByteOrderMarkSize);
    const bool hasBom = bytes.startsWith(bom);
    const bool valid = bytes.isValidUtf8();
    const bool nonAscii = std::any_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) >= 0x80; });
    const TextEncoding expected = !valid     ? TextEncoding::Gb18030
                                  : hasBom   ? TextEncoding::Utf8WithBom
                                  : nonAscii ? TextEncoding::Utf8
                                             : TextEncoding::Gb18030;
    check(whole.encoding == expected);
    if (whole.encoding == TextEncoding::Gb18030) {
        check(text == AnsiCodec::decode(bytes));
        check(AnsiCodec::encode(text) == bytes);
    } else {
        // Qt's decoding with the mark kept, as a second mark after the first is text.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        check(text == QString(utf8.decode(hasBom ? bytes.sliced(bom.size()) : bytes)));
        check(Utf8Codec::encode(text, whole.encoding == TextEncoding::Utf8WithBom) == bytes);
    }

    FileDecoder decoder;
    QString pieces;
    if (size > 0 && (data[0] & 1))
        pieces.reserve(qsizetype(size)); // as a file's reader does
    qsizetype pos = 0;
    for (size_t k = 0; pos < bytes.size(); ++k) {
        // Every other piece is at least one byte long, so the loop always ends; the
        // occasional long piece lets a valid stretch build up before the break.
        qsizetype length = (data[k % size] & 7) + (k & 1);
        if ((data[(k + 1) % size] & 0x70) == 0x70)
            length *= 37;
        length = std::min<qsizetype>(length, bytes.size() - pos);
        decoder.decode(bytes.sliced(pos, length), pieces);
        pos += length;
    }
    decoder.finish(pieces);
    check(pieces == text);
    check(decoder.encoding() == whole.encoding);
    return 0;
}
