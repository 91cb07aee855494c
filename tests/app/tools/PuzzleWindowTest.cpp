#include "../../tools/puzzle/PuzzleTestSupport.h"

#include "ToolWindowTest.h"
#include "tools/puzzle/LeaderboardWindow.h"
#include "tools/puzzle/PuzzleState.h"
#include "tools/puzzle/PuzzleWindow.h"
#include "tools/puzzle/RecordNameDialog.h"
#include "tools/puzzle/TilePuzzle.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

using namespace korvane;
using namespace korvane::test;

namespace {

class PuzzleWindowTest : public ::testing::Test {
protected:
    PuzzleWindowTest()
    {
        form = new PuzzleWindow(platform, state, [this] {
            ++quits;
            return quitAnswer;
        });
        form->setAttribute(Qt::WA_DeleteOnClose);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form));
    }
    ~PuzzleWindowTest() override
    {
        delete state->nameDialog.data();
        delete state->leaderboard.data();
        delete form.data();
    }

    QAction *act(const char *name) const { return form->findChild<QAction *>(QString::fromLatin1(name)); }
    void trigger(const char *name) const { act(name)->trigger(); }
    // The check marks of 初级, 中级, 高级 as "100", "010", ...
    QString marks() const
    {
        auto mark = [this](const char *name) { return act(name)->isChecked() ? QLatin1Char('1') : QLatin1Char('0'); };
        return QString() + mark("p30") + mark("p31") + mark("p32");
    }
    TilePuzzle *puzzle() const { return form->tilePuzzle(); }
    QString solvedFile() const { return form->solvedLabel(PuzzleWindow::SolvedLabel::ScoreFile)->text(); }
    void click(int place) const
    {
        QTest::mouseClick(puzzle(), Qt::LeftButton, {}, puzzle()->placeRect(place).center());
    }
    // Plays the running game to the end; returns the number of moves.
    int solve() const
    {
        const std::vector<int> path = solution(puzzle()->board());
        EXPECT_FALSE(path.empty());
        for (int place : path)
            click(place);
        return int(path.size());
    }
    bool nameDialogShown() const { return state->nameDialog && state->nameDialog->isVisible(); }
    void confirmName(const QString &name) const
    {
        state->nameDialog->nameEdit()->setText(name);
        QTest::mouseClick(state->nameDialog->okButton(), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TempCurrentDir dir;
    ScriptedPlatform platform;
    std::shared_ptr<PuzzleState> state = std::make_shared<PuzzleState>();
    int quits = 0;
    bool quitAnswer = true;
    QPointer<PuzzleWindow> form;
};

// Every menu entry as the player sees it, top to bottom: its path of captions, its
// object name in brackets and its shortcut.
void listMenu(const QList<QAction *> &actions, const QString &path, QStringList &out)
{
    for (const QAction *a : actions) {
        const QString here = path.isEmpty() ? a->text() : path + QStringLiteral(" > ") + a->text();
        const QString name = a->menu() ? a->menu()->objectName() : a->objectName();
        out << QStringLiteral("%1 [%2] %3").arg(here, name, a->shortcut().toString());
        if (a->menu())
            listMenu(a->menu()->actions(), here, out);
    }
}

} // namespace

TEST_F(PuzzleWindowTest, OpensOnTheBuiltInPictureWithItsMenus)
{
    EXPECT_EQ(form->objectName(), QStringLiteral("FormPT"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("拼图"));
    EXPECT_EQ(form->centralWidget()->size(), QSize(399, 399));
    EXPECT_EQ(form->picture().size(), QSize(400, 400));
    EXPECT_TRUE(form->pictureLabel()->isVisible());
    EXPECT_FALSE(puzzle()->isVisible());
    EXPECT_EQ(puzzle()->pos(), form->pictureLabel()->pos());
    EXPECT_EQ(puzzle()->tilePicture(), form->picture());
    const QList<QLabel *> solvedLabels = form->findChildren<QLabel *>(QStringLiteral("Label1"));
    ASSERT_EQ(solvedLabels.size(), 2);
    for (const QLabel *l : solvedLabels)
        EXPECT_FALSE(l->isVisible());
    EXPECT_EQ(marks(), QStringLiteral("100"));

    QStringList seen;
    listMenu(form->menuBar()->actions(), QString(), seen);
    const QStringList expected = {
        QStringLiteral("选项(&P) [play] "),
        QStringLiteral("选项(&P) > 开始游戏 [p1] F2"),
        QStringLiteral("选项(&P) > 载入图像 [p2] F3"),
        QStringLiteral("选项(&P) > 游戏级数 [p3] "),
        QStringLiteral("选项(&P) > 游戏级数 > 初级 [p30] "),
        QStringLiteral("选项(&P) > 游戏级数 > 中级 [p31] "),
        QStringLiteral("选项(&P) > 游戏级数 > 高级 [p32] "),
        QStringLiteral("选项(&P) > 龙虎榜 [p4] "),
        QStringLiteral("选项(&P) > 游戏结束 [p5] Ctrl+Q"),
        QStringLiteral("帮助 [iy] "),
        QStringLiteral("帮助 > 请使用400*400的图像 [h1] "),
        QStringLiteral("帮助 > 不要使用过大的图像 [h2] "),
    };
    EXPECT_EQ(seen, expected);
}

// The move count is kept from earlier games and has no 16-bit limit.
TEST_F(PuzzleWindowTest, StartShowsTheGameAndMovesCountOnInTheCaption)
{
    state->game.setStepCount(32767);
    QTest::keyClick(form, Qt::Key_F2);
    EXPECT_FALSE(form->pictureLabel()->isVisible());
    EXPECT_TRUE(puzzle()->isVisible());
    EXPECT_TRUE(puzzle()->isPlaying());
    EXPECT_EQ(puzzle()->board().columns(), 2);
    EXPECT_EQ(act("p1")->text(), QStringLiteral("重新开始"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("拼图"));
    click(solution(puzzle()->board()).front());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("拼图  共走32768步"));
}

// The solved game's size decides the file and the next game; the level chosen while it
// ran waits for the next start, and the tick moves on only from the two smaller levels.
struct SolveCase {
    const char *startLevel;
    const char *chosenMeanwhile;
    const char *file;
    const char *marks;
    int nextColumns;
};

class PuzzleWindowSolveTest : public PuzzleWindowTest, public ::testing::WithParamInterface<SolveCase> {};

TEST_P(PuzzleWindowSolveTest, SolvedGameSetsFileMarksAndNextSize)
{
    const SolveCase &c = GetParam();
    trigger(c.startLevel);
    queueNearlySolvedShuffle(platform, state->game.gridSize());
    trigger("p1");
    if (c.chosenMeanwhile)
        trigger(c.chosenMeanwhile);
    solve();
    EXPECT_EQ(solvedFile(), QString::fromLatin1(c.file));
    EXPECT_EQ(marks(), QString::fromLatin1(c.marks));
    EXPECT_EQ(puzzle()->board().columns(), c.nextColumns);
    EXPECT_EQ(state->game.gridSize(), c.nextColumns);
    EXPECT_TRUE(nameDialogShown());
}

INSTANTIATE_TEST_SUITE_P(Levels, PuzzleWindowSolveTest,
                         ::testing::Values(SolveCase{"p30", nullptr, " 1.txt", "010", 3},
                                           SolveCase{"p30", "p32", " 1.txt", "010", 3},
                                           SolveCase{"p31", nullptr, " 2.txt", "001", 4},
                                           SolveCase{"p32", "p31", " 3.txt", "010", 5}));

TEST_F(PuzzleWindowTest, LoadingAPictureResetsTheSizeButKeepsCountAndMarks)
{
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(Qt::magenta);
    const QString file = dir.path() + QStringLiteral("/pic.jpg");
    ASSERT_TRUE(picture.save(file, "JPG"));

    trigger("p31");
    trigger("p1");
    click(solution(puzzle()->board()).front());
    const QImage before = puzzle()->tilePicture();

    platform.openAnswers.push_back(file);
    QTest::keyClick(form, Qt::Key_F3);
    EXPECT_EQ(platform.openFilters.value(0), QStringLiteral("Jpg(*.jpg)|*.jpg|Gif(*.gif)|*.gif"));
    EXPECT_EQ(state->game.pictureFile(), file);
    EXPECT_EQ(form->picture().size(), QSize(300, 200));
    EXPECT_TRUE(form->pictureLabel()->isVisible());
    EXPECT_FALSE(puzzle()->isVisible());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("拼图  "));
    EXPECT_EQ(marks(), QStringLiteral("010"));
    EXPECT_EQ(puzzle()->tilePicture(), before); // the control gets it at the next start

    trigger("p1");
    EXPECT_EQ(puzzle()->board().columns(), 2);
    EXPECT_EQ(puzzle()->tilePicture().size(), QSize(300, 200));
    EXPECT_EQ(state->game.stepCount(), 1);
}

TEST_F(PuzzleWindowTest, PictureThatCannotBeLoadedChangesNothing)
{
    const QString bad = dir.path() + QStringLiteral("/broken.jpg");
    writeBytes(bad, "this is no picture");
    trigger("p1");
    const QImage before = form->picture();

    platform.openAnswers.push_back(QString()); // cancelled
    trigger("p2");
    platform.openAnswers.push_back(bad);
    trigger("p2");
    ASSERT_EQ(platform.shownMessages.size(), 1);
    EXPECT_TRUE(platform.shownMessages[0].text.startsWith(QStringLiteral("无法载入图像")));
    EXPECT_TRUE(platform.shownMessages[0].text.contains(QStringLiteral("broken.jpg")));
    EXPECT_EQ(form->picture(), before);
    EXPECT_TRUE(puzzle()->isVisible());
    EXPECT_TRUE(state->game.pictureFile().isEmpty());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("拼图"));
}

TEST_F(PuzzleWindowTest, EndGameAsksTheProgramToQuit)
{
    quitAnswer = false; // a document's save prompt was cancelled
    QTest::keyClick(form, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(quits, 1);
    EXPECT_TRUE(form);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(PuzzleWindowTest, LeaderboardDisablesThePuzzleUntilItCloses)
{
    trigger("p4");
    ASSERT_TRUE(state->leaderboard);
    EXPECT_TRUE(state->leaderboard->isVisible());
    EXPECT_FALSE(form->isEnabled());
    QTest::mouseClick(state->leaderboard->okButton(), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(state->leaderboard);
    EXPECT_TRUE(form->isEnabled());

    // The close box gives the window back too.
    trigger("p4");
    EXPECT_FALSE(form->isEnabled());
    state->leaderboard->close();
    EXPECT_TRUE(form->isEnabled());
}

TEST_F(PuzzleWindowTest, NameDialogStillWritesItsRecordOnceThePuzzleWindowIsGone)
{
    trigger("p1");
    const int moves = solve();
    ASSERT_TRUE(nameDialogShown());
    QPointer<RecordNameDialog> dialog = state->nameDialog;
    form->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(form);
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(readBytes(QStringLiteral(" 1.txt")), recordLine(moves, QStringLiteral("无名")));
}

// The first solve asks for the name and goes on at 3 × 3. The name dialog is not modal:
// the player goes on, a 3 × 3 solve that is no record must not change what it writes,
// and a 4 × 4 record waits its turn.
TEST_F(PuzzleWindowTest, EveryRecordDueIsWrittenWithItsOwnCountToItsOwnFile)
{
    trigger("p1");
    const int first = solve();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("拼图  "));
    EXPECT_EQ(form->solvedLabel(PuzzleWindow::SolvedLabel::StepCount)->text(), QString::number(first));
    EXPECT_EQ(solvedFile(), QStringLiteral(" 1.txt"));
    EXPECT_TRUE(puzzle()->isPlaying());
    ASSERT_TRUE(nameDialogShown());
    writeBytes(QStringLiteral(" 2.txt"), "1!Alice\r\n");
    queueNearlySolvedShuffle(platform, 4);
    const int second = solve();
    ASSERT_EQ(puzzle()->board().columns(), 4);
    const int third = solve();
    const qint64 total = state->game.stepCount();
    EXPECT_EQ(total, first + second + third);

    confirmName(QStringLiteral("张三"));
    EXPECT_EQ(readBytes(QStringLiteral(" 1.txt")), recordLine(first, QStringLiteral("张三")));
    EXPECT_EQ(readBytes(QStringLiteral(" 2.txt")), QByteArray("1!Alice\r\n"));
    EXPECT_FALSE(QFile::exists(QStringLiteral(" 3.txt")));

    // The same dialog now asks for the 4 × 4 record, afresh.
    ASSERT_TRUE(nameDialogShown());
    EXPECT_EQ(state->nameDialog->nameEdit()->text(), QStringLiteral("无名"));
    confirmName(QStringLiteral("Bob"));
    EXPECT_FALSE(state->nameDialog);
    EXPECT_EQ(readBytes(QStringLiteral(" 3.txt")), recordLine(total, QStringLiteral("Bob")));
}

using PuzzleToolTest = ToolWindowTest<PuzzleWindow, Tool::Puzzle>;

TEST_F(PuzzleToolTest, MoveCountSurvivesClosingAndReopening)
{
    int quits = 0;
    context.quitProgram = [&quits] { return ++quits, true; }; // each window takes it when it opens
    auto action = [](PuzzleWindow *w, const char *name) { return w->findChild<QAction *>(QString::fromLatin1(name)); };
    auto startAndMove = [&](PuzzleWindow *w) {
        action(w, "p1")->trigger();
        ASSERT_TRUE(w->tilePuzzle()->moveTile(w->tilePuzzle()->board().emptyPlace() - 1));
    };

    PuzzleWindow *first = open();
    ASSERT_TRUE(first);
    action(first, "p32")->trigger();
    startAndMove(first);
    EXPECT_EQ(open(), first); // still open: the same window
    closeWindow();
    EXPECT_FALSE(openWindow());

    PuzzleWindow *second = open();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->game().gridSize(), 2);
    EXPECT_EQ(second->windowTitle(), QStringLiteral("拼图"));
    EXPECT_TRUE(action(second, "p30")->isChecked());
    EXPECT_FALSE(action(second, "p32")->isChecked());
    EXPECT_EQ(action(second, "p1")->text(), QStringLiteral("开始游戏"));
    startAndMove(second);
    EXPECT_EQ(second->windowTitle(), QStringLiteral("拼图  共走2步"));
    action(second, "p5")->trigger();
    EXPECT_EQ(quits, 1);
    delete second;
}
