// libFuzzer target for the text ciphers. Input layout: the first byte gives the length
// of the code (in UTF-16 units), then the code, then the text, both read as UTF-16.
//  - Decrypting any text with any code must not crash and must give one character per
//    group, each ASCII or a byte stand-in.
//  - Encrypting the single-byte text made of the input's bytes and decrypting it again
//    must give that text back, for both ciphers.
#include "FuzzSupport.h"
#include "editor/commands/TextCipher.h"
#include "editor/file/ByteStandIn.h"

#include <QString>
#include <cstdint>
#include <cstdlib>

using namespace korvane;
using korvane::fuzz::require;
using korvane::fuzz::unitsFrom;

namespace {

bool isDecipheredChar(QChar c) { return c.unicode() < 0x80 || isByteStandIn(c); }

void checkDecrypted(const QString &out, qsizetype expectedLength)
{
    require(out.size() == expectedLength);
    for (const QChar c : out)
        require(isDecipheredChar(c));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const size_t codeUnits = data[0] % 16 + 1;
    const uint8_t *rest = data + 1;
    const size_t restSize = size - 1;
    if (restSize < codeUnits * 2)
        return 0;

    const QString code = unitsFrom(rest, codeUnits);
    const size_t textBytes = restSize - codeUnits * 2;
    const QString text = unitsFrom(rest + codeUnits * 2, textBytes / 2);

    checkDecrypted(cipher::decryptHex(text, code), (text.size() + 1) / 2);
    checkDecrypted(cipher::decryptBinary(text, code), (text.size() + 7) / 8);

    // The remaining bytes as a single-byte text: every code 0..255 is possible.
    QString singleByte;
    for (size_t i = codeUnits * 2; i < restSize; ++i)
        singleByte.append(cipher::charFromAnsiCode(rest[i]));
    const QString hex = cipher::encryptHex(singleByte, code);
    require(hex.size() == singleByte.size() * 2);
    require(cipher::decryptHex(hex, code) == singleByte);
    const QString bits = cipher::encryptBinary(singleByte, code);
    require(bits.size() == singleByte.size() * 8);
    require(cipher::decryptBinary(bits, code) == singleByte);

    // Whatever the text, encryption must not crash either.
    (void)cipher::encryptHex(text, code);
    (void)cipher::encryptBinary(text, code);
    return 0;
}
