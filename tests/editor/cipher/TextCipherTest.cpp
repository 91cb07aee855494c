#include "editor/commands/TextCipher.h"
#include "editor/file/AnsiCharCode.h"
#include "editor/file/ByteStandIn.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace korvane;
using namespace korvane::cipher;

namespace {

// Every single-byte code once, 0..255: ASCII below 128, byte stand-ins above.
QString allSingleByteCodes()
{
    QString text;
    for (int code = 0; code < 256; ++code)
        text.append(charFromAnsiCode(code));
    return text;
}

const QStringList SampleCodes{QStringLiteral("ab"), QStringLiteral("x"), QStringLiteral("加密"),
                              QStringLiteral("Zz9-~ \t"), QString(QChar(char16_t(0x9F98)))};

} // namespace

TEST(AnsiCharCode, GivesSingleByteDoubleByteAndUnrepresentableCodes)
{
    // A kept byte from a file is its own byte; characters outside GBK count as "?"; the
    // euro is two bytes, not the Windows single byte 0x80; D83D is half a surrogate pair.
    // clang-format off
    const struct { QChar c; int code; } cases[] = {
        {u'a', 97}, {u'\0', 0}, {u'\r', 13}, {u'加', qint16(0xBCD3)}, {u'一', qint16(0xD2BB)},
        {byteStandIn(0x80), 0x80}, {byteStandIn(0xFF), 0xFF}, {u'\x0080', 63}, {u'\xD83D', 63},
        {u'\xFFFD', 63},
    };
    // clang-format on
    for (const auto &c : cases)
        EXPECT_EQ(ansiCharCode(c.c), c.code) << "U+" << std::hex << unsigned(c.c.unicode());
    EXPECT_LT(ansiCharCode(QChar(u'€')), 0);
}

TEST(TextCipher, KeyDigitsJoinTheDecimalCodesWithTheSignOfDoubleByteCharacters)
{
    // A first byte high in the range gives a short negative number (9F98 is GBK FD93).
    // clang-format off
    const struct { const char16_t *key; const char *digits; } cases[] = {
        {u"ab", "9798"}, {u"a", "97"}, {u"\x01", "1"}, {u"加", "-17197"}, {u"a加", "97-17197"},
        {u"\x9F98", "-621"}, {u"\xD83D", "63"}, {u"", ""},
    };
    // clang-format on
    for (const auto &c : cases)
        EXPECT_EQ(keyDigits(c.key), QLatin1String(c.digits));
}

// Key "97" wraps: 9 7 9 7 9. Hex codes below 16 keep two digits, and a Chinese character
// keeps its lead byte: four digits. Binary zeroes a double-byte character. An empty code
// leaves the text alone.
TEST(TextCipher, EncryptsWithTheRepeatingKeyStream)
{
    using Cipher = QString (*)(QStringView, QStringView);
    // clang-format off
    const struct { Cipher cipher; const char16_t *text, *code; const char *result; } cases[] = {
        {encryptHex, u"Hi", u"ab", "715E"}, {encryptHex, u"AAAAA", u"a", "7876787678"},
        {encryptHex, u"9", u"a", "00"}, {encryptHex, u"", u"ab", ""}, {encryptHex, u"加", u"a", "BCEA"},
        {encryptBinary, u"H", u"ab", "01110001"}, {encryptBinary, u"Hi", u"ab", "0111000101011110"},
        {encryptBinary, u"加", u"ab", "00000000"}, {encryptBinary, u"", u"ab", ""},
        {encryptHex, u"Hi", u"", "Hi"}, {decryptHex, u"715E", u"", "715E"},
        {encryptBinary, u"Hi", u"", "Hi"}, {decryptBinary, u"0101", u"", "0101"},
    };
    // clang-format on
    for (const auto &c : cases)
        EXPECT_EQ(c.cipher(c.text, c.code), QLatin1String(c.result)) << c.result;
    EXPECT_EQ(encryptHex(u"a加b", u"a").size(), 8);
    // Decryption cannot bring a Chinese character back.
    EXPECT_NE(decryptHex(encryptHex(u"加", u"a"), u"a"), QStringLiteral("加"));
}

TEST(TextCipher, EveryByteSurvivesBothRoundTripsWithEveryCode)
{
    const QString text = allSingleByteCodes();
    for (const QString &code : SampleCodes) {
        SCOPED_TRACE(code.toStdString());
        const QString hex = encryptHex(text, code);
        EXPECT_EQ(hex.size(), 512);
        EXPECT_EQ(decryptHex(hex, code), text);
        const QString bits = encryptBinary(text, code);
        EXPECT_EQ(bits.size(), 2048);
        EXPECT_EQ(decryptBinary(bits, code), text);
    }
    // Nesting two codes and undoing them in reverse order.
    const QString twice = encryptHex(encryptHex(text, u"ab"), u"加密");
    EXPECT_EQ(decryptHex(decryptHex(twice, u"加密"), u"ab"), text);
}

TEST(TextCipher, DecryptedHighCodesBecomeByteStandIns)
{
    // Key '9' (57) XOR 0xB9 = 0x80.
    const QString out = decryptHex(u"B9", u"a");
    ASSERT_EQ(out.size(), 1);
    EXPECT_TRUE(isByteStandIn(out[0]));
    EXPECT_EQ(standInByte(out[0]), 0x80);
    EXPECT_EQ(charFromAnsiCode(0x41), QChar(u'A'));
    EXPECT_EQ(charFromAnsiCode(0xFF), byteStandIn(0xFF));
}

TEST(TextCipher, HexGroupsReadTheirLeadingDigitsAndSkipBlanks)
{
    // Only blanks, tabs and line feeds are skipped, not carriage returns.
    // clang-format off
    const struct { const char16_t *group; int value; } groups[] = {
        {u"ff", 255}, {u"aB", 0xAB}, {u"1G", 1}, {u"G1", 0}, {u" A", 10}, {u"A ", 10},
        {u"\tF", 15}, {u"\n1", 1}, {u"\r1", 0}, {u"", 0}, {u"-1", 0},
    };
    // clang-format on
    for (const auto &g : groups)
        EXPECT_EQ(hexGroupValue(g.group), g.value) << QStringView(g.group).toString().toStdString();

    // An odd-length text ends in a one-digit group: '7' (55) XOR 5 = '2'.
    EXPECT_EQ(decryptHex(u"715", u"ab"), QStringLiteral("H2"));
    // An invalid group counts as 0, giving the key character itself.
    EXPECT_EQ(decryptHex(u"ZZ5E", u"ab"), QStringLiteral("9i"));
    EXPECT_EQ(decryptHex(u"", u"ab"), QString());
}

TEST(TextCipher, BitGroupsAreClampedAndShortGroupsAreHighOrderBits)
{
    // clang-format off
    const struct { int byte; const char *bits; } bytes[] = {
        {0, "00000000"}, {5, "00000101"}, {255, "11111111"}, {-1, "00000000"}, {-17000, "00000000"},
        {256, "11111111"},
    };
    // A ninth character is never read.
    const struct { const char16_t *bits; int byte; } groups[] = {
        {u"10000001", 129}, {u"101", 160}, {u"", 0}, {u"1x2 1111", 128 + 15}, {u"111111111", 255},
    };
    // clang-format on
    for (const auto &b : bytes)
        EXPECT_EQ(byteToBits(b.byte), QLatin1String(b.bits)) << b.byte;
    for (const auto &g : groups)
        EXPECT_EQ(bitsToByte(g.bits), g.byte) << QStringView(g.bits).toString().toStdString();

    // "H" then a short final group "0101" read as 0x50: '7' (55) XOR 0x50 = 'g'.
    EXPECT_EQ(decryptBinary(u"011100010101", u"ab"), QStringLiteral("Hg"));
    EXPECT_EQ(decryptBinary(u"", u"ab"), QString());
}
