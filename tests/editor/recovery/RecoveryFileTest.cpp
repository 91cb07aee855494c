#include "editor/recovery/RecoveryFile.h"
#include "editor/ByteStandIn.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace korvane;

namespace {

QString allStandIns()
{
    QString s;
    for (int b = 0x80; b <= 0xFF; ++b)
        s.append(byteStandIn(static_cast<unsigned char>(b)));
    return s;
}

struct Sample {
    const char *name;
    QString text;
};

class RecoveryFileRoundTrip : public ::testing::TestWithParam<Sample> {};

// Every UTF-16 unit comes back as it was, including those no text codec would keep.
TEST_P(RecoveryFileRoundTrip, TextAndHeaderComeBackExactly)
{
    QTemporaryDir dir;
    RecoveryRecord record{
        7,
        QStringLiteral("文档 7\n二"),
        QStringLiteral("笔记 \"1\".txt"),
        QStringLiteral("/home/用户/笔记 \"1\".txt"),
        TextFont{QStringLiteral("Noto Sans CJK SC"), 10.5, true, false, false, true, QColor(1, 2, 3, 200)},
        QString(),
        GetParam().text};
    const QString path = dir.filePath(QStringLiteral("slot-7.krec"));
    ASSERT_EQ(RecoveryFile::writeAtomically(path, RecoveryFile::encode(record)), QString());
    EXPECT_EQ(RecoveryFile::read(path), record);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("slot-7.krec")});
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RecoveryFileRoundTrip,
    ::testing::Values(Sample{"Empty", QString()}, Sample{"EveryByteStandIn", allStandIns()},
                      Sample{"LoneHighSurrogateAtTheEnd", QStringLiteral("abc") + QChar(0xD83D)},
                      Sample{"LoneLowSurrogateAtTheStart", QChar(0xDE00) + QStringLiteral("abc")},
                      Sample{"SurrogatesTheWrongWayRound", QString(QChar(0xDE00)) + QChar(0xD83D)},
                      Sample{"PairAndStandInsMixed",
                             QStringLiteral("中😀") + byteStandIn(0x80) + QChar(0xD800) + byteStandIn(0xFF)},
                      Sample{"LineEndsAndControls", QString::fromUtf16(u"a\r\nb\rc\nd\0e\x1f\x7f", 13)},
                      Sample{"NonCharactersAndByteOrderMarks", QString::fromUtf16(u"\xFEFF\xFFFE\xFFFF\xFDD0", 4)}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

// The encoding travels when one is recorded; without one, the file names none.
TEST(RecoveryFileEncoding, WrittenOnlyWhenRecorded)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.krec"));
    RecoveryRecord record;
    EXPECT_FALSE(RecoveryFile::encode(record).contains("encoding"));
    record.encoding = QStringLiteral("GB18030");
    RecoveryFile::writeAtomically(path, RecoveryFile::encode(record));
    EXPECT_EQ(RecoveryFile::read(path)->encoding, QStringLiteral("GB18030"));
}

// Links are written through neither as the temporary nor read as records.
TEST(RecoveryFileLinks, AreNeitherWrittenThroughNorRead)
{
    QTemporaryDir dir;
    const QString victim = dir.filePath(QStringLiteral("victim.krec"));
    RecoveryRecord record;
    record.text = QStringLiteral("victim");
    RecoveryFile::writeAtomically(victim, RecoveryFile::encode(record));
    const QString path = dir.filePath(QStringLiteral("r.krec"));
    ASSERT_TRUE(QFile::link(victim, path + QStringLiteral(".tmp")));
    record.text = QStringLiteral("new");
    EXPECT_EQ(RecoveryFile::writeAtomically(path, RecoveryFile::encode(record)), QString());
    EXPECT_EQ(RecoveryFile::read(victim)->text, QStringLiteral("victim"));
    EXPECT_FALSE(QFileInfo(path).isSymLink());
    EXPECT_EQ(RecoveryFile::read(path)->text, QStringLiteral("new"));
    ASSERT_TRUE(QFile::link(victim, dir.filePath(QStringLiteral("link.krec"))));
    EXPECT_FALSE(RecoveryFile::read(dir.filePath(QStringLiteral("link.krec"))).has_value());
}

struct Damage {
    const char *name;
    std::function<QByteArray(QByteArray)> apply;
};

class RecoveryFileDamage : public ::testing::TestWithParam<Damage> {};

// A file that is not a whole record of this format is never taken for one.
TEST_P(RecoveryFileDamage, IsRefused)
{
    QTemporaryDir dir;
    RecoveryRecord record;
    record.text = QStringLiteral("some text");
    QFile f(dir.filePath(QStringLiteral("r.krec")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(GetParam().apply(RecoveryFile::encode(record)));
    f.close();
    EXPECT_FALSE(RecoveryFile::read(f.fileName()).has_value());
    EXPECT_FALSE(RecoveryFile::read(f.fileName(), false).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Files, RecoveryFileDamage,
    ::testing::Values(Damage{"CutShort", [](QByteArray b) { return b.left(b.size() - 1); }},
                      Damage{"HeaderOnly", [](QByteArray b) { return b.left(b.indexOf('\n', 20) + 1); }},
                      Damage{"HeaderNotJson", [](QByteArray b) { return b.replace(19, 1, "["); }},
                      Damage{"NegativeLength",
                             [](QByteArray b) { return b.replace("\"length\":9", "\"length\":-9"); }}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

} // namespace
