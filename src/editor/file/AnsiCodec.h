#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace korvane {

// Text files in the Simplified Chinese code page, as GB18030: every character GBK can
// encode gets exactly GBK's bytes, and every other character still has a sequence of
// its own, so nothing turns into "?".
//
// Decoding never fails and never loses a byte: a byte that does not start a valid
// sequence becomes a byte stand-in (ByteStandIn.h), which encoding turns back into
// that byte. So encode(decode(bytes)) == bytes for every input.
class AnsiCodec {
public:
    static QString decode(QByteArrayView bytes);
    static QByteArray encode(QStringView text);

    // False when the system has no GB18030 converter to take the tables from (a Qt built
    // without ICU). Then encoding would turn every Chinese character into "?", so nothing
    // may be read or written until this is true.
    static bool available();
    // The system converter the tables come from. Tests name one that does not exist.
    static void useConverter(const char *name);
    static constexpr const char *ConverterName = "GB18030";

    // Decodes bytes that arrive in pieces, such as a large file read a few megabytes at
    // a time, into exactly the text decode() gives for all of them at once: a sequence
    // cut by the end of a piece is held back until the next piece completes it.
    class Decoder {
    public:
        // The most UTF-16 units the next decode() of that many bytes, or finish() for
        // none, appends: one per byte, counting the bytes held back.
        qsizetype maxDecodedSize(qsizetype pieceSize) const { return m_heldSize + pieceSize; }
        // Appends the characters the piece completes.
        void decode(QByteArrayView piece, QString &out);
        // The input has ended: bytes still held back become what decode() makes of an
        // incomplete sequence at the end of a file.
        void finish(QString &out);

        // A GB18030 sequence is at most four bytes long.
        static constexpr int MaxHeld = 3;

    private:
        unsigned char m_held[MaxHeld] = {};
        int m_heldSize = 0;
    };

    // The byte written for a lone surrogate, which no code page can represent.
    static constexpr char Unencodable = '?';
};

} // namespace korvane
