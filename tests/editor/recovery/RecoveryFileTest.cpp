#include "editor/recovery/RecoveryFile.h"
#include "editor/file/ByteStandIn.h"
#include "editor/recovery/RecoveryLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
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

// A record cut anywhere in its log gives the text as of its last whole operation;
// cut within its head or base, it is no record.
TEST(RecoveryFileLog, CutAtEveryByteRestoresUpToTheLastWholeOperation)
{
    QTemporaryDir dir;
    RecoveryRecord record;
    record.slot = 3;
    record.fileTitle = QChar(0xFEFF) + QStringLiteral("a.txt"); // not taken for a byte order mark
    record.text = QStringLiteral("ab\r\n");
    QByteArray bytes = RecoveryFile::encode(record);
    QList<qsizetype> ends{bytes.size()};
    QStringList texts{record.text};
    QStringList titles{QString()};
    auto replace = [&](qsizetype at, qsizetype removed, const QString &added) {
        RecoveryLog::appendReplace(bytes, at, removed, added);
        ends.append(bytes.size());
        texts.append(QString(texts.last()).replace(at, removed, added));
        titles.append(titles.last());
    };
    replace(2, 0, QString(QChar(0xDBFF)) + byteStandIn(0x9A) + QStringLiteral("😀"));
    replace(0, 1, QString());
    record.title = QChar(0xFEFF) + QStringLiteral("笔记");
    RecoveryLog::appendHeader(bytes, record);
    ends.append(bytes.size());
    texts.append(texts.last());
    titles.append(record.title);
    replace(texts.last().size(), 0, QStringLiteral("\n") + QChar(0xDC00));

    const QString path = dir.filePath(QStringLiteral("r.krec"));
    for (qsizetype cut = 0; cut <= bytes.size(); ++cut) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes.left(cut));
        f.close();
        const auto back = RecoveryFile::read(path);
        const qsizetype whole = std::upper_bound(ends.begin(), ends.end(), cut) - ends.begin();
        ASSERT_EQ(back.has_value(), whole > 0) << cut;
        if (whole > 0) {
            EXPECT_EQ(back->text, texts[whole - 1]) << cut;
            EXPECT_EQ(back->title, titles[whole - 1]) << cut;
            EXPECT_EQ(back->slot, 3);
            EXPECT_EQ(back->fileTitle, record.fileTitle);
        }
    }
    // A damaged operation ends the log as well, whatever follows it.
    bytes[ends[1] + 20] = char(bytes[ends[1] + 20] ^ 1);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    f.close();
    EXPECT_EQ(RecoveryFile::read(path)->text, texts[1]);
}

// Records a previous version left behind are still read: the base alone, to its last byte.
TEST(RecoveryFileLog, FirstFormatIsStillRead)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.krec"));
    const QString text = QStringLiteral("旧") + QChar(0xD800) + byteStandIn(0xE4);
    QByteArray bytes =
        RecoveryLog::MagicV1 +
        R"({"filePath":"/tmp/a.txt","font":{"name":"宋体","size":12},"length":3,"slot":2,"title":"a.txt"})" + '\n';
    for (QChar c : text)
        bytes += char(c.unicode() & 0xFF) + QByteArray(1, char(c.unicode() >> 8));
    for (const QByteArray &extra : {QByteArray(), QByteArray("x")}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes + extra);
        f.close();
        const auto back = RecoveryFile::read(path);
        ASSERT_EQ(back.has_value(), extra.isEmpty());
        if (back) {
            EXPECT_EQ(back->text, text);
            EXPECT_EQ(back->filePath, QStringLiteral("/tmp/a.txt"));
            EXPECT_EQ(back->font.name, QStringLiteral("宋体"));
            EXPECT_EQ(back->slot, 2);
        }
    }
}

} // namespace
