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

    // The byte written for a lone surrogate, which no code page can represent.
    static constexpr char Unencodable = '?';
};

} // namespace korvane
