#include "PuzzleTestSupport.h"

#include "tools/puzzle/RecordFile.h"

#include <limits>
#include <sys/stat.h>
#include <unistd.h>

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

// A score file that is a link to another of the user's files, planted in a folder that
// everyone may write to: followed only as the kernel's rule for such folders allows.
struct PlantedLink {
    const char *name;
    mode_t folderMode;
    uid_t linkOwner; // 0 for the user's own (the tests run as root)
    bool followed;
};

class RecordFileLinkTest : public ::testing::TestWithParam<PlantedLink> {};

TEST_P(RecordFileLinkTest, IsReadAndWrittenThroughOnlyWhenTheKernelWouldFollowIt)
{
    const PlantedLink &p = GetParam();
    TempCurrentDir dir;
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), p.folderMode), 0);
    QTemporaryDir elsewhere;
    const QString victim = elsewhere.filePath(QStringLiteral("victim.txt"));
    writeBytes(victim, "7!mine\r\n");
    const QString score = QStringLiteral(" 1.txt");
    ASSERT_TRUE(QFile::link(victim, score));
    if (p.linkOwner != ::geteuid() && ::lchown(QFile::encodeName(score).constData(), p.linkOwner, p.linkOwner) != 0)
        GTEST_SKIP() << "a link of another user's needs root";

    EXPECT_EQ(RecordFile::exists(score), p.followed);
    EXPECT_EQ(RecordFile::recordOf(score), p.followed ? std::optional<qint64>(7) : std::nullopt);
    EXPECT_EQ(RecordFile::write(score, QStringLiteral("12"), QStringLiteral("胜利者")), p.followed);
    EXPECT_EQ(readBytes(victim), p.followed ? recordLine(12, QStringLiteral("胜利者")) : QByteArray("7!mine\r\n"));
}

INSTANTIATE_TEST_SUITE_P(Links, RecordFileLinkTest,
                         ::testing::Values(PlantedLink{"AnotherUsersInASharedFolder", 01777, 65534, false},
                                           PlantedLink{"TheUsersOwnInASharedFolder", 01777, 0, true},
                                           PlantedLink{"AnotherUsersInAFolderOfTheUsers", 0755, 65534, true}),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });
