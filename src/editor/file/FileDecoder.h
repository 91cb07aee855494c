#pragma once

#include "editor/file/AnsiCodec.h"
#include "editor/file/TextEncoding.h"

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

namespace korvane {

// Decodes a file's bytes as they arrive in pieces, and decides on the way whether the
// file is UTF-8 or GB18030: a file is UTF-8 when it is valid UTF-8 throughout and either
// begins with a byte-order mark or holds a sequence of two or more bytes. Anything else,
// pure ASCII and empty files included, is GB18030, and reads exactly as AnsiCodec decodes it.
//
// The bytes are decoded as UTF-8 for as long as they are valid. Should an invalid
// sequence turn up, the text decoded so far is encoded back to UTF-8, which gives back
// exactly the bytes it came from, and those are decoded again as GB18030, in place and
// a piece at a time. So the file is read once, its bytes are never held, and only a
// file that is not UTF-8 after a long valid stretch pays for the second decoding.
class FileDecoder {
public:
    struct Decoded {
        QString text;
        TextEncoding encoding = TextEncoding::Gb18030;
    };
    static Decoded decodeAll(QByteArrayView bytes);

    // The most UTF-16 units the next decode() of that many bytes, or finish() for none,
    // appends without a change of mind. Either encoding gives at most one unit per byte,
    // counting the bytes held back.
    qsizetype maxDecodedSize(qsizetype pieceSize) const;
    // Appends the characters the piece completes. Returns the first position of `out`
    // that the call changed: where it began appending, or where this decoder's text
    // begins when that text was decoded again as GB18030.
    qsizetype decode(QByteArrayView piece, QString &out);
    // The input has ended. Returns as decode() does.
    qsizetype finish(QString &out);

    // The encoding decided; final once finish() has been called.
    TextEncoding encoding() const;

private:
    void begin(const QString &out);
    // Appends valid, complete UTF-8 sequences.
    void appendUtf8(QByteArrayView bytes, QString &out);
    // The text so far becomes the GB18030 decoding of the bytes it came from; the bytes
    // still held back, then `rest`, follow it as GB18030.
    void switchToGb18030(QString &out, QByteArrayView rest);

    enum class State { Utf8, Gb18030 };
    State m_state = State::Utf8;
    qsizetype m_textStart = -1; // where this decoder's text begins in `out`
    bool m_anyDecoded = false;  // a sequence has been decoded (so a mark can no longer come)
    bool m_byteOrderMark = false;
    bool m_multiByte = false;
    // The start of a UTF-8 sequence that the end of a piece cut off.
    unsigned char m_held[3] = {};
    int m_heldSize = 0;
    QStringDecoder m_utf8{QStringDecoder::Utf8,
                          QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom};
    AnsiCodec::Decoder m_gb18030;
};

} // namespace korvane
