#include "editor/file/AnsiCharCode.h"

#include "editor/file/ByteStandIn.h"

#include <QStringEncoder>
#include <array>
#include <memory>

namespace korvane {

namespace {

constexpr qint16 Unrepresentable = 63;

// GB18030 agrees with GBK on every one- and two-byte sequence; its four-byte sequences
// cover what GBK cannot represent, so those count as "?".
qint16 encodeOne(QStringEncoder &encoder, char16_t unit)
{
    const QByteArray bytes = encoder.encode(QStringView(&unit, 1));
    if (encoder.hasError()) {
        encoder.resetState();
        return Unrepresentable;
    }
    if (bytes.size() == 1)
        return static_cast<unsigned char>(bytes[0]);
    if (bytes.size() == 2)
        return static_cast<qint16>((static_cast<unsigned char>(bytes[0]) << 8) | static_cast<unsigned char>(bytes[1]));
    return Unrepresentable;
}

using CodeTable = std::array<qint16, 0x10000>;

// Encoding one character at a time is slow, and the ciphers ask for every character of
// a text, so the whole Basic Multilingual Plane is encoded once.
std::unique_ptr<CodeTable> buildTable()
{
    auto table = std::make_unique<CodeTable>();
    QStringEncoder encoder("GB18030", QStringConverter::Flag::Stateless);
    for (unsigned u = 0; u < 0x10000; ++u) {
        const auto unit = static_cast<char16_t>(u);
        if (u < 0x80)
            (*table)[u] = static_cast<qint16>(u);
        else if (QChar::isSurrogate(unit) || !encoder.isValid())
            (*table)[u] = Unrepresentable;
        else
            (*table)[u] = encodeOne(encoder, unit);
    }
    return table;
}

const CodeTable &codeTable()
{
    static const std::unique_ptr<CodeTable> table = buildTable();
    return *table;
}

} // namespace

qint16 ansiCharCode(QChar c)
{
    if (c.unicode() < 0x80)
        return static_cast<qint16>(c.unicode());
    if (isByteStandIn(c))
        return standInByte(c);
    return codeTable()[c.unicode()];
}

} // namespace korvane
