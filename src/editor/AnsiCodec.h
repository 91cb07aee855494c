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

    // The byte written for a lone surrogate, which no code page can represent.
    static constexpr char Unencodable = '?';
};

} // namespace korvane
