#include "PuzzleTestSupport.h"

#include "tools/puzzle/LeaderboardWindow.h"
#include "tools/puzzle/ScoreBoard.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace korvane;
using namespace korvane::test;

namespace {

class LeaderboardTest : public ::testing::Test {
protected:
    // The texts of the three rows as "count|name" each.
    static QStringList rows(const LeaderboardWindow &board)
    {
        QStringList out;
        for (int level = 1; level <= 3; ++level)
            out << board.countLabel(level)->text() + QLatin1Char('|') + board.nameLabel(level)->text();
        return out;
    }

    TempCurrentDir dir;
    ScriptedPlatform platform;
};

} // namespace

TEST_F(LeaderboardTest, FramedTitleAndEmptyRowsWithoutScoreFiles)
{
    LeaderboardWindow board(platform);
    EXPECT_EQ(board.windowTitle(), QStringLiteral("龙虎榜"));
    EXPECT_EQ(board.objectName(), QStringLiteral("FormPT2"));
    EXPECT_EQ(board.titleLabel()->text(), QStringLiteral("龙  虎  榜"));
    const char *captions[] = {"初级:", "中级:", "高级:"};
    for (int level = 1; level <= 3; ++level)
        EXPECT_EQ(board.levelCaption(level)->text(), QString::fromUtf8(captions[level - 1])) << level;
    EXPECT_TRUE(
        board.findChild<QWidget *>(QStringLiteral("Shape1"))->geometry().contains(board.titleLabel()->geometry()));
    EXPECT_EQ(board.resetButton()->text(), QStringLiteral("分数重置(&R)"));
    EXPECT_EQ(board.okButton()->text(), QStringLiteral("OK"));
    EXPECT_EQ(rows(board), QStringList({QStringLiteral("|"), QStringLiteral("|"), QStringLiteral("|")}));
}

// Each row splits its level's first line at the first "!"; a line that is no record
// leaves its row empty, and " 4.txt" is no level of the board.
TEST_F(LeaderboardTest, RowsShowCountAndNameOfEachLevelsRecord)
{
    const struct {
        QByteArray files[4];
        QStringList rows;
    } cases[] = {
        {{gb18030(QStringLiteral("12!张三\r\n")), "7!Alice\r\n", "9!a!b\r\n", "1!never shown\r\n"},
         {QStringLiteral("12步|张三"), QStringLiteral("7步|Alice"), QStringLiteral("9步|a!b")}},
        {{"", "no separator\r\n", "abc!x\r\n", "1!x\r\n"},
         {QStringLiteral("|"), QStringLiteral("|"), QStringLiteral("|")}},
        {{"15!\r\n", "", "", ""}, {QStringLiteral("15步|"), QStringLiteral("|"), QStringLiteral("|")}},
    };
    for (const auto &c : cases) {
        for (int i = 0; i < 4; ++i)
            writeBytes(QStringLiteral(" %1.txt").arg(i + 1), c.files[i]);
        LeaderboardWindow board(platform);
        EXPECT_EQ(rows(board), c.rows);
    }
}

TEST_F(LeaderboardTest, ResetDeletesTheFilesFoundAtLoadAndEmptiesTheRows)
{
    writeBytes(QStringLiteral(" 1.txt"), "12!x\r\n");
    writeBytes(QStringLiteral(" 3.txt"), "abc\r\n");
    writeBytes(QStringLiteral(" 4.txt"), "3!y\r\n");
    LeaderboardWindow board(platform);
    // Written while the leaderboard is open: neither shown nor deleted.
    writeBytes(QStringLiteral(" 2.txt"), "5!late\r\n");
    QTest::mouseClick(board.resetButton(), Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(QStringLiteral(" 1.txt")));
    EXPECT_FALSE(QFile::exists(QStringLiteral(" 3.txt")));
    EXPECT_TRUE(QFile::exists(QStringLiteral(" 2.txt")));
    EXPECT_TRUE(QFile::exists(QStringLiteral(" 4.txt")));
    EXPECT_EQ(rows(board), QStringList({QStringLiteral("|"), QStringLiteral("|"), QStringLiteral("|")}));

    // Pressed again, with a new " 1.txt" written since: the files it already deleted are
    // skipped, and the new record is left alone.
    writeBytes(QStringLiteral(" 1.txt"), "4!new\r\n");
    QTest::mouseClick(board.resetButton(), Qt::LeftButton);
    EXPECT_TRUE(QFile::exists(QStringLiteral(" 1.txt")));
    EXPECT_TRUE(platform.shownMessages.isEmpty());
}

TEST_F(LeaderboardTest, ResetSkipsAFileDeletedMeanwhile)
{
    writeBytes(QStringLiteral(" 2.txt"), "7!Alice\r\n");
    ScoreBoard board;
    board.load();
    EXPECT_EQ(board.foundFile(2), QStringLiteral(" 2.txt"));
    EXPECT_TRUE(board.foundFile(1).isEmpty());
    ASSERT_TRUE(QFile::remove(QStringLiteral(" 2.txt")));
    EXPECT_TRUE(board.reset().isEmpty());
    EXPECT_TRUE(board.foundFile(2).isEmpty());
    EXPECT_TRUE(board.row(2).count.isEmpty());
}
