#include "editor/file/AnsiCodec.h"
#include "editor/file/ByteStandIn.h"

#include <QStringEncoder>
#include <gtest/gtest.h>
#include <random>

using namespace korvane;

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out += char(v);
    return out;
}

TEST(AnsiCodec, ChineseTextGetsExactlyGbkBytes)
{
    EXPECT_EQ(AnsiCodec::encode(u"中文"), bytes({0xD6, 0xD0, 0xCE, 0xC4}));
    EXPECT_EQ(AnsiCodec::encode(u"汉字 abc"), bytes({0xBA, 0xBA, 0xD7, 0xD6, ' ', 'a', 'b', 'c'}));
    EXPECT_EQ(AnsiCodec::encode(u"，。"), bytes({0xA3, 0xAC, 0xA1, 0xA3}));
    EXPECT_EQ(AnsiCodec::encode(u"é"), bytes({0xA8, 0xA6}));
    EXPECT_EQ(AnsiCodec::decode(bytes({0xD6, 0xD0, 0xCE, 0xC4, '\r', '\n'})), QStringLiteral("中文\r\n"));
}

TEST(AnsiCodec, CharactersOutsideGbkGetFourByteCodes)
{
    EXPECT_EQ(AnsiCodec::encode(u"\u0080"), bytes({0x81, 0x30, 0x81, 0x30}));
    EXPECT_EQ(AnsiCodec::encode(u"¥"), bytes({0x81, 0x30, 0x84, 0x36}));
    EXPECT_EQ(AnsiCodec::encode(QStringView(QString::fromUcs4(U"\U0001F600"))), bytes({0x94, 0x39, 0xFC, 0x36}));
    EXPECT_EQ(AnsiCodec::encode(QStringView(QString::fromUcs4(U"\U0010FFFF"))), bytes({0xE3, 0x32, 0x9A, 0x35}));
    const QString mixed = QString::fromUcs4(U"한국어 Ελληνικά \U00020000 €");
    EXPECT_FALSE(AnsiCodec::encode(mixed).contains('?'));
    EXPECT_EQ(AnsiCodec::decode(AnsiCodec::encode(mixed)), mixed);
}

TEST(AnsiCodec, EveryBmpCharacterSurvivesEncodeAndDecode)
{
    // The encoding must agree with the system's GB18030 converter, and decode back.
    QStringEncoder reference("GB18030");
    for (char32_t c = 1; c < 0x10000; ++c) {
        if ((c >= 0xD800 && c <= 0xDFFF) || isByteStandIn(QChar(char16_t(c))))
            continue;
        const QString s{QChar(char16_t(c))};
        const QByteArray encoded = AnsiCodec::encode(s);
        ASSERT_EQ(AnsiCodec::decode(encoded), s) << "U+" << std::hex << unsigned(c);
        ASSERT_EQ(encoded, reference.encode(s)) << "U+" << std::hex << unsigned(c);
    }
}

TEST(AnsiCodec, SupplementaryCharactersRoundTrip)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<char32_t> dist(0x10000, 0x10FFFF);
    QStringEncoder reference("GB18030");
    for (int i = 0; i < 20000; ++i) {
        const char32_t c = dist(rng);
        const QString s = QString::fromUcs4(&c, 1);
        const QByteArray encoded = AnsiCodec::encode(s);
        ASSERT_EQ(encoded, reference.encode(s));
        ASSERT_EQ(AnsiCodec::decode(encoded), s);
    }
}

TEST(AnsiCodec, UndecodableBytesBecomeStandInsAndComeBack)
{
    // 0x80 and 0xFF start nothing; D6 before a line feed is a cut double-byte
    // character; the last byte is a lead at the very end of the file.
    const QByteArray input = bytes({'a', 0x80, 0xFF, 0xD6, '\n', 0x00, 0xD6});
    const QString text = AnsiCodec::decode(input);
    EXPECT_EQ(text, QStringLiteral("a") + byteStandIn(0x80) + byteStandIn(0xFF) + byteStandIn(0xD6) +
                        QStringLiteral("\n") + QChar(0) + byteStandIn(0xD6));
    EXPECT_EQ(AnsiCodec::encode(text), input);
}

TEST(AnsiCodec, Utf8AndBrokenFourByteSequencesRoundTrip)
{
    const QByteArray utf8 = QStringLiteral("Grüße, 世界! ✓").toUtf8();
    EXPECT_EQ(AnsiCodec::encode(AnsiCodec::decode(utf8)), utf8);
    // 81 30 then a byte that cannot be third; 84 31 A5 30 is past the last BMP code;
    // E4 30 81 30 is past U+10FFFF.
    for (const QByteArray &b : {bytes({0x81, 0x30, 0x41, 0x30}), bytes({0x84, 0x31, 0xA5, 0x30}),
                                bytes({0xE4, 0x30, 0x81, 0x30}), bytes({0x81, 0x30, 0x81})}) {
        const QString text = AnsiCodec::decode(b);
        EXPECT_EQ(text[0], byteStandIn(quint8(b[0])));
        EXPECT_EQ(AnsiCodec::encode(text), b);
    }
}

TEST(AnsiCodec, ValidSequenceOfAStandInCodePointStaysBytes)
{
    // U+F7A0 has a four-byte GB18030 code; decoded as U+F7A0 it would be saved as one byte.
    QStringEncoder reference("GB18030");
    const QByteArray code = reference.encode(QString(QChar(char16_t(0xF7A0))));
    ASSERT_EQ(code.size(), 4);
    const QString text = AnsiCodec::decode(code);
    EXPECT_NE(text, QString(QChar(char16_t(0xF7A0))));
    EXPECT_EQ(AnsiCodec::encode(text), code);
}

TEST(AnsiCodec, RandomBytesRoundTripExactly)
{
    std::mt19937 rng(12345);
    for (int round = 0; round < 200; ++round) {
        QByteArray b(std::uniform_int_distribution<int>(0, 4000)(rng), Qt::Uninitialized);
        // Bias towards lead and digit bytes so that many near-valid sequences appear.
        for (char &c : b) {
            const int kind = std::uniform_int_distribution<int>(0, 3)(rng);
            c = char(kind == 0   ? std::uniform_int_distribution<int>(0x30, 0x39)(rng)
                     : kind == 1 ? std::uniform_int_distribution<int>(0x81, 0x84)(rng)
                                 : std::uniform_int_distribution<int>(0, 255)(rng));
        }
        const QString text = AnsiCodec::decode(b);
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i].isHighSurrogate())
                ASSERT_TRUE(i + 1 < text.size() && text[++i].isLowSurrogate());
            else
                ASSERT_FALSE(text[i].isLowSurrogate());
        }
        ASSERT_EQ(AnsiCodec::encode(text), b) << "round " << round;
    }
}

TEST(AnsiCodec, LoneSurrogatesAreTheOnlyUnencodableCharacters)
{
    const QString text = QStringLiteral("a") + QChar(char16_t(0xD800)) + QStringLiteral("b") + QChar(char16_t(0xDC00));
    EXPECT_EQ(AnsiCodec::encode(text), QByteArray("a?b?"));
}

} // namespace
