#include "editor/commands/TextCipher.h"
#include "editor/file/ByteStandIn.h"

#include <gtest/gtest.h>
#include <random>

using namespace korvane;
using namespace korvane::cipher;

namespace {

// Any UTF-16 unit, lone surrogates included, with Chinese characters and digits favoured.
QString randomUnits(std::mt19937 &rng, int length)
{
    std::uniform_int_distribution<int> kind(0, 3);
    std::uniform_int_distribution<int> any(0, 0xFFFF);
    std::uniform_int_distribution<int> han(0x4E00, 0x9FA5);
    std::uniform_int_distribution<int> digit(0, 15);
    QString s;
    for (int i = 0; i < length; ++i) {
        switch (kind(rng)) {
        case 0: s.append(QChar(char16_t(any(rng)))); break;
        case 1: s.append(QChar(char16_t(han(rng)))); break;
        case 2: s.append(QChar(u"0123456789abcDEF"[digit(rng)])); break;
        default: s.append(QChar(u"01 \t\n\r"[digit(rng) % 6])); break;
        }
    }
    return s;
}

} // namespace

// The same checks as the fuzz target, with a fixed seed so that every test run repeats them.
TEST(CipherProperties, RandomTextsDecryptToCharactersAndSingleByteTextsRoundTrip)
{
    std::mt19937 rng(20261207);
    std::uniform_int_distribution<int> codeLength(1, 12);
    std::uniform_int_distribution<int> textLength(0, 300);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 300; ++round) {
        const QString code = randomUnits(rng, codeLength(rng));
        const QString text = randomUnits(rng, textLength(rng));

        const QString fromHex = decryptHex(text, code);
        const QString fromBits = decryptBinary(text, code);
        ASSERT_EQ(fromHex.size(), (text.size() + 1) / 2);
        ASSERT_EQ(fromBits.size(), (text.size() + 7) / 8);
        for (const QChar c : fromHex + fromBits)
            ASSERT_TRUE(c.unicode() < 0x80 || isByteStandIn(c)) << int(c.unicode());

        QString singleByte;
        for (int i = textLength(rng); i > 0; --i)
            singleByte.append(charFromAnsiCode(byte(rng)));
        ASSERT_EQ(decryptHex(encryptHex(singleByte, code), code), singleByte) << round;
        ASSERT_EQ(decryptBinary(encryptBinary(singleByte, code), code), singleByte) << round;

        // Ciphering any text keeps its shape: 2 or 4 digits, or 8 bits, per character.
        const QString hex = encryptHex(text, code);
        ASSERT_GE(hex.size(), text.size() * 2);
        ASSERT_LE(hex.size(), text.size() * 4);
        ASSERT_EQ(encryptBinary(text, code).size(), text.size() * 8);
    }
}
