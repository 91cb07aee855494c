#include "editor/TextCipher.h"
#include "editor/AnsiCharCode.h"
#include "editor/ByteStandIn.h"

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
    EXPECT_EQ(ansiCharCode(QChar(u'a')), 97);
    EXPECT_EQ(ansiCharCode(QChar(u'\0')), 0);
    EXPECT_EQ(ansiCharCode(QChar(u'\r')), 13);
    EXPECT_EQ(ansiCharCode(QChar(u'加')), qint16(0xBCD3));
    EXPECT_EQ(ansiCharCode(QChar(u'一')), qint16(0xD2BB));
    EXPECT_LT(ansiCharCode(QChar(u'€')), 0); // two bytes, not the Windows single byte 0x80
    // A kept byte from a file is its own byte; characters outside GBK count as "?".
    EXPECT_EQ(ansiCharCode(byteStandIn(0x80)), 0x80);
    EXPECT_EQ(ansiCharCode(byteStandIn(0xFF)), 0xFF);
    EXPECT_EQ(ansiCharCode(QChar(char16_t(0x0080))), 63);
    EXPECT_EQ(ansiCharCode(QChar(char16_t(0xD83D))), 63); // half of a surrogate pair
    EXPECT_EQ(ansiCharCode(QChar(char16_t(0xFFFD))), 63);
}

TEST(TextCipher, KeyDigitsJoinTheDecimalCodesWithTheSignOfDoubleByteCharacters)
{
    EXPECT_EQ(keyDigits(u"ab"), QStringLiteral("9798"));
    EXPECT_EQ(keyDigits(u"a"), QStringLiteral("97"));
    EXPECT_EQ(keyDigits(u"\x01"), QStringLiteral("1"));
    EXPECT_EQ(keyDigits(u"加"), QStringLiteral("-17197"));
    EXPECT_EQ(keyDigits(u"a加"), QStringLiteral("97-17197"));
    // A first byte high in the range gives a short negative number.
    EXPECT_EQ(keyDigits(QString(QChar(char16_t(0x9F98)))), QStringLiteral("-621")); // GBK FD93
    EXPECT_EQ(keyDigits(QString(QChar(char16_t(0xD83D)))), QStringLiteral("63"));
    EXPECT_EQ(keyDigits(u""), QString());
}

TEST(TextCipher, EncryptsHexWithTheRepeatingKeyStream)
{
    EXPECT_EQ(encryptHex(u"Hi", u"ab"), QStringLiteral("715E"));
    // Key "97" wraps: 9 7 9 7 9.
    EXPECT_EQ(encryptHex(u"AAAAA", u"a"), QStringLiteral("7876787678"));
    // Codes below 16 keep two digits.
    EXPECT_EQ(encryptHex(u"9", u"a"), QStringLiteral("00"));
    EXPECT_EQ(encryptHex(u"", u"ab"), QString());
    // A Chinese character keeps its lead byte: four digits.
    EXPECT_EQ(encryptHex(u"加", u"a"), QStringLiteral("BCEA"));
    EXPECT_EQ(encryptHex(u"a加b", u"a").size(), 8);
    // Decryption cannot bring a Chinese character back.
    EXPECT_NE(decryptHex(encryptHex(u"加", u"a"), u"a"), QStringLiteral("加"));
}

TEST(TextCipher, EncryptsBinaryAndZeroesDoubleByteCharacters)
{
    EXPECT_EQ(encryptBinary(u"H", u"ab"), QStringLiteral("01110001"));
    EXPECT_EQ(encryptBinary(u"Hi", u"ab"), QStringLiteral("0111000101011110"));
    EXPECT_EQ(encryptBinary(u"加", u"ab"), QStringLiteral("00000000"));
    EXPECT_EQ(encryptBinary(u"", u"ab"), QString());
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
    EXPECT_EQ(hexGroupValue(u"ff"), 255);
    EXPECT_EQ(hexGroupValue(u"aB"), 0xAB);
    EXPECT_EQ(hexGroupValue(u"1G"), 1);
    EXPECT_EQ(hexGroupValue(u"G1"), 0);
    EXPECT_EQ(hexGroupValue(u" A"), 10);
    EXPECT_EQ(hexGroupValue(u"A "), 10);
    EXPECT_EQ(hexGroupValue(u"\tF"), 15);
    EXPECT_EQ(hexGroupValue(u"\n1"), 1);
    EXPECT_EQ(hexGroupValue(u"\r1"), 0); // only blanks, tabs and line feeds are skipped
    EXPECT_EQ(hexGroupValue(u""), 0);
    EXPECT_EQ(hexGroupValue(u"-1"), 0);

    // An odd-length text ends in a one-digit group: '7' (55) XOR 5 = '2'.
    EXPECT_EQ(decryptHex(u"715", u"ab"), QStringLiteral("H2"));
    // An invalid group counts as 0, giving the key character itself.
    EXPECT_EQ(decryptHex(u"ZZ5E", u"ab"), QStringLiteral("9i"));
    EXPECT_EQ(decryptHex(u"", u"ab"), QString());
}

TEST(TextCipher, BitGroupsAreClampedAndShortGroupsAreHighOrderBits)
{
    EXPECT_EQ(byteToBits(0), QStringLiteral("00000000"));
    EXPECT_EQ(byteToBits(5), QStringLiteral("00000101"));
    EXPECT_EQ(byteToBits(255), QStringLiteral("11111111"));
    EXPECT_EQ(byteToBits(-1), QStringLiteral("00000000"));
    EXPECT_EQ(byteToBits(-17000), QStringLiteral("00000000"));
    EXPECT_EQ(byteToBits(256), QStringLiteral("11111111"));

    EXPECT_EQ(bitsToByte(u"10000001"), 129);
    EXPECT_EQ(bitsToByte(u"101"), 160);
    EXPECT_EQ(bitsToByte(u""), 0);
    EXPECT_EQ(bitsToByte(u"1x2 1111"), 128 + 15);
    EXPECT_EQ(bitsToByte(u"111111111"), 255); // a ninth character is never read

    // "H" then a short final group "0101" read as 0x50: '7' (55) XOR 0x50 = 'g'.
    EXPECT_EQ(decryptBinary(u"011100010101", u"ab"), QStringLiteral("Hg"));
    EXPECT_EQ(decryptBinary(u"", u"ab"), QString());
}

TEST(TextCipher, AnEmptyCodeLeavesTheTextAlone)
{
    EXPECT_EQ(encryptHex(u"Hi", u""), QStringLiteral("Hi"));
    EXPECT_EQ(decryptHex(u"715E", u""), QStringLiteral("715E"));
    EXPECT_EQ(encryptBinary(u"Hi", u""), QStringLiteral("Hi"));
    EXPECT_EQ(decryptBinary(u"0101", u""), QStringLiteral("0101"));
}
