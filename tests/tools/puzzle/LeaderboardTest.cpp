#include "PuzzleTestSupport.h"

#include "tools/puzzle/FormPT2.h"
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
    static QStringList rows(const FormPT2 &board)
    {
        QStringList out;
        for (int array = 2; array <= 4; ++array)
            out << board.label(array, 0)->text() + QLatin1Char('|') + board.label(array, 1)->text();
        return out;
    }

    TempCurrentDir dir;
    ScriptedPlatform platform;
};

} // namespace

TEST_F(LeaderboardTest, FramedTitleAndEmptyRowsWithoutScoreFiles)
{
    FormPT2 board(platform);
    EXPECT_EQ(board.windowTitle(), QStringLiteral("龙虎榜"));
    EXPECT_EQ(board.label(1, 0)->text(), QStringLiteral("龙  虎  榜"));
    EXPECT_EQ(board.label(1, 1)->text(), QStringLiteral("初级:"));
    EXPECT_EQ(board.label(1, 2)->text(), QStringLiteral("中级:"));
    EXPECT_EQ(board.label(1, 3)->text(), QStringLiteral("高级:"));
    EXPECT_TRUE(board.findChild<QWidget *>(QStringLiteral("Shape1"))->geometry().contains(board.label(1, 0)->geometry()));
    EXPECT_EQ(board.resetButton()->text(), QStringLiteral("分数重置(&R)"));
    EXPECT_EQ(board.okButton()->text(), QStringLiteral("OK"));
    EXPECT_EQ(rows(board), QStringList({QStringLiteral("|"), QStringLiteral("|"), QStringLiteral("|")}));
}

TEST_F(LeaderboardTest, RowsShowCountAndNameSplitAtTheFirstBang)
{
    writeBytes(QStringLiteral(" 1.txt"), gb18030(QStringLiteral("12!张三\r\n")));
    writeBytes(QStringLiteral(" 2.txt"), "7!Alice\r\n");
    writeBytes(QStringLiteral(" 3.txt"), "9!a!b\r\n");
    writeBytes(QStringLiteral(" 4.txt"), "1!never shown\r\n");
    FormPT2 board(platform);
    EXPECT_EQ(rows(board), QStringList({QStringLiteral("12步|张三"), QStringLiteral("7步|Alice"), QStringLiteral("9步|a!b")}));

    writeBytes(QStringLiteral(" 1.txt"), "15!\r\n");
    FormPT2 again(platform);
    EXPECT_EQ(rows(again).value(0), QStringLiteral("15步|"));
}

TEST_F(LeaderboardTest, LinesWithoutARecordLeaveTheirRowEmpty)
{
    writeBytes(QStringLiteral(" 1.txt"), "");
    writeBytes(QStringLiteral(" 2.txt"), "no separator\r\n");
    writeBytes(QStringLiteral(" 3.txt"), "abc!x\r\n");
    FormPT2 board(platform);
    EXPECT_EQ(rows(board), QStringList({QStringLiteral("|"), QStringLiteral("|"), QStringLiteral("|")}));
}

TEST_F(LeaderboardTest, ResetDeletesTheFilesFoundAtLoadAndEmptiesTheRows)
{
    writeBytes(QStringLiteral(" 1.txt"), "12!x\r\n");
    writeBytes(QStringLiteral(" 3.txt"), "abc\r\n");
    writeBytes(QStringLiteral(" 4.txt"), "3!y\r\n");
    FormPT2 board(platform);
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
