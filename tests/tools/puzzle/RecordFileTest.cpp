#include "PuzzleTestSupport.h"

#include "tools/puzzle/RecordFile.h"

#include <limits>

using namespace korvane;
using namespace korvane::test;

TEST(RecordFileTest, NamesCarryTheLeadingBlankAndCountFromTwoByTwo)
{
    const std::pair<int, const char *> names[] = {
        {2, " 1.txt"}, {3, " 2.txt"}, {4, " 3.txt"}, {5, " 4.txt"}, {11, " 10.txt"}};
    for (const auto &[grid, name] : names)
        EXPECT_EQ(RecordFile::nameForGrid(grid), QString::fromLatin1(name)) << grid;
}

TEST(RecordFileTest, WritesOneGb18030LineWithCrLfAndReadsItBack)
{
    TempCurrentDir dir;
    ASSERT_TRUE(RecordFile::write(QStringLiteral(" 1.txt"), QStringLiteral("12"), QStringLiteral("张三")));
    EXPECT_EQ(readBytes(QStringLiteral(" 1.txt")), QByteArray("12!\xD5\xC5\xC8\xFD\r\n"));
    // A new record replaces the whole file.
    ASSERT_TRUE(RecordFile::write(QStringLiteral(" 1.txt"), QStringLiteral("9"), QStringLiteral("a!b 😀")));
    const auto line = RecordFile::readLine(QStringLiteral(" 1.txt"));
    ASSERT_TRUE(line);
    EXPECT_EQ(line->count, QStringLiteral("9"));
    EXPECT_EQ(line->name, QStringLiteral("a!b 😀"));
    EXPECT_EQ(RecordFile::recordOf(QStringLiteral(" 1.txt")), 9);
}

TEST(RecordFileTest, OnlyTheFirstLineCountsWhateverItsEnd)
{
    TempCurrentDir dir;
    writeBytes(QStringLiteral("a.txt"), "7!Alice\r\n3!Bob\r\n");
    writeBytes(QStringLiteral("b.txt"), "7!Alice\n3!Bob");
    writeBytes(QStringLiteral("c.txt"), "15!");
    for (const char *name : {"a.txt", "b.txt"}) {
        const auto line = RecordFile::readLine(QString::fromLatin1(name));
        ASSERT_TRUE(line) << name;
        EXPECT_EQ(line->count, QStringLiteral("7"));
        EXPECT_EQ(line->name, QStringLiteral("Alice"));
    }
    const auto empty = RecordFile::readLine(QStringLiteral("c.txt"));
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->count, QStringLiteral("15"));
    EXPECT_TRUE(empty->name.isEmpty());
}

TEST(RecordFileTest, LinesThatAreNoRecordGiveNoCount)
{
    TempCurrentDir dir;
    writeBytes(QStringLiteral("empty.txt"), "");
    writeBytes(QStringLiteral("nobang.txt"), "12 Zhang\r\n");
    writeBytes(QStringLiteral("word.txt"), "abc!x\r\n");
    writeBytes(QStringLiteral("blankfirst.txt"), "\r\n12!x\r\n");
    for (const char *name : {"empty.txt", "nobang.txt", "word.txt", "blankfirst.txt", "missing.txt"})
        EXPECT_FALSE(RecordFile::recordOf(QString::fromLatin1(name))) << name;
    EXPECT_FALSE(RecordFile::readLine(QStringLiteral("missing.txt")));
}

TEST(RecordFileTest, CountIsTheLeadingNumber)
{
    const std::pair<const char *, std::optional<qint64>> counts[] = {
        {"12", 12},         {" 12", 12},          {"12abc", 12},        {"0", 0},
        {"", std::nullopt}, {"-3", std::nullopt}, {"x12", std::nullopt}};
    for (const auto &[text, count] : counts)
        EXPECT_EQ(RecordFile::parseCount(QString::fromLatin1(text)), count) << text;
    // Far beyond any integer: still a (very large) record, no overflow.
    const auto huge = RecordFile::parseCount(QString(40, QLatin1Char('9')));
    ASSERT_TRUE(huge);
    EXPECT_EQ(*huge, std::numeric_limits<qint64>::max());
}
