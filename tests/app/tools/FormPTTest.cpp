#include "../../tools/puzzle/PuzzleTestSupport.h"

#include "app/ToolCatalog.h"
#include "app/ToolContext.h"
#include "app/ToolWindows.h"
#include "tools/puzzle/FormPT.h"
#include "tools/puzzle/FormPT2.h"
#include "tools/puzzle/PuzzleState.h"
#include "tools/puzzle/RecordFile.h"
#include "tools/puzzle/TilePuzzle.h"
#include "tools/puzzle/frmLogin.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QTest>

using namespace korvane;
using namespace korvane::test;

namespace {

class FormPTTest : public ::testing::Test {
protected:
    FormPTTest()
    {
        form = new FormPT(platform, state, [this] {
            ++quits;
            return quitAnswer;
        });
        form->setAttribute(Qt::WA_DeleteOnClose);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form));
    }
    ~FormPTTest() override
    {
        delete state->login.data();
        delete state->leaderboard.data();
        delete form.data();
    }

    QAction *act(const char *name) const { return form->findChild<QAction *>(QString::fromLatin1(name)); }
    void trigger(const char *name) const { act(name)->trigger(); }
    // The check marks of 初级, 中级, 高级 as "100", "010", ...
    QString marks() const
    {
        QString s;
        for (const char *n : {"p30", "p31", "p32"})
            s += act(n)->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
        return s;
    }
    TilePuzzle *puzzle() const { return form->tilePuzzle(); }
    void click(int place) const
    {
        QTest::mouseClick(puzzle(), Qt::LeftButton, {}, puzzle()->placeRect(place).center());
    }
    // Plays the running game to the end; returns the number of moves.
    int solve(int stopBefore = 0) const
    {
        const std::vector<int> path = solution(puzzle()->board());
        EXPECT_FALSE(path.empty());
        for (size_t i = 0; i + stopBefore < path.size(); ++i)
            click(path[i]);
        return int(path.size());
    }
    int movesToSolve() const { return int(solution(puzzle()->board()).size()); }
    bool nameWindowShown() const { return state->login && state->login->isVisible(); }
    void closeNameWindow()
    {
        if (state->login)
            state->login->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TempCurrentDir dir;
    ScriptedPlatform platform;
    std::shared_ptr<PuzzleState> state = std::make_shared<PuzzleState>();
    int quits = 0;
    bool quitAnswer = true;
    QPointer<FormPT> form;
};

} // namespace

TEST_F(FormPTTest, OpensOnTheBuiltInPictureWithItsMenus)
{
    EXPECT_EQ(form->objectName(), QStringLiteral("FormPT"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("拼图"));
    EXPECT_EQ(form->centralWidget()->size(), QSize(399, 399));
    EXPECT_EQ(form->picture().size(), QSize(400, 400));
    EXPECT_TRUE(form->image1()->isVisible());
    EXPECT_FALSE(puzzle()->isVisible());
    EXPECT_EQ(puzzle()->pos(), form->image1()->pos());
    EXPECT_EQ(puzzle()->tilePicture(), form->picture());
    EXPECT_FALSE(form->label1(0)->isVisible());
    EXPECT_FALSE(form->label1(1)->isVisible());
    EXPECT_EQ(state->SizeA, 2);
    EXPECT_EQ(marks(), QStringLiteral("100"));

    struct Item {
        const char *name;
        const char *caption;
        QKeySequence key;
    };
    const Item items[] = {{"p1", "开始游戏", QKeySequence(Qt::Key_F2)},
                          {"p2", "载入图像", QKeySequence(Qt::Key_F3)},
                          {"p30", "初级", {}},
                          {"p31", "中级", {}},
                          {"p32", "高级", {}},
                          {"p4", "龙虎榜", {}},
                          {"p5", "游戏结束", QKeySequence(Qt::CTRL | Qt::Key_Q)},
                          {"h1", "请使用400*400的图像", {}},
                          {"h2", "不要使用过大的图像", {}}};
    for (const Item &i : items) {
        ASSERT_TRUE(act(i.name)) << i.name;
        EXPECT_EQ(act(i.name)->text(), QString::fromUtf8(i.caption)) << i.name;
        EXPECT_EQ(act(i.name)->shortcut(), i.key) << i.name;
    }
    const QList<QAction *> top = form->menuBar()->actions();
    ASSERT_EQ(top.size(), 2);
    EXPECT_EQ(top[0]->text(), QStringLiteral("选项(&P)"));
    EXPECT_EQ(top[0]->menu()->objectName(), QStringLiteral("play"));
    EXPECT_EQ(top[1]->text(), QStringLiteral("帮助"));
    EXPECT_EQ(form->findChild<QMenu *>(QStringLiteral("p3"))->title(), QStringLiteral("游戏级数"));
}

TEST_F(FormPTTest, StartShowsTheGameAndTheItemBecomesRestart)
{
    QTest::keyClick(form, Qt::Key_F2);
    EXPECT_FALSE(form->image1()->isVisible());
    EXPECT_TRUE(puzzle()->isVisible());
    EXPECT_TRUE(puzzle()->isPlaying());
    EXPECT_EQ(puzzle()->board().columns(), 2);
    EXPECT_EQ(act("p1")->text(), QStringLiteral("重新开始"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("拼图"));
    EXPECT_EQ(state->StepCount, 0);
}

TEST_F(FormPTTest, FirstSolvedGameAsksForTheNameAndGoesOnAtThreeByThree)
{
    trigger("p1");
    const int path = movesToSolve();
    ASSERT_GT(path, 1);
    click(solution(puzzle()->board()).front());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("拼图  共走1步"));
    solve();
    EXPECT_EQ(state->StepCount, path);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("拼图  "));
    EXPECT_EQ(form->label1(0)->text(), QString::number(path));
    EXPECT_EQ(form->label1(1)->text(), QStringLiteral(" 1.txt"));
    EXPECT_EQ(state->ScoreFile, QStringLiteral(" 1.txt"));
    EXPECT_EQ(marks(), QStringLiteral("010"));
    EXPECT_EQ(state->SizeA, 3);
    EXPECT_EQ(puzzle()->board().columns(), 3);
    EXPECT_TRUE(puzzle()->isPlaying());
    ASSERT_TRUE(nameWindowShown());
    EXPECT_EQ(state->login->findChild<QLabel *>(QStringLiteral("lblLabels"))->text(), frmLogin::Prompt);
    EXPECT_EQ(state->login->text1()->text(), QStringLiteral("无名"));

    // The name window is not modal: the next game can be played at once.
    const int path3 = movesToSolve();
    solve(1);
    EXPECT_EQ(state->StepCount, path + path3 - 1);

    state->login->text1()->setText(QStringLiteral("张三"));
    QTest::mouseClick(state->login->okButton(), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(state->login);
    EXPECT_EQ(readBytes(QStringLiteral(" 1.txt")), QByteArray::number(path) + "!" + gb18030(QStringLiteral("张三")) + "\r\n");
}

TEST_F(FormPTTest, OnlyAFewerMoveCountIsANewRecord)
{
    trigger("p1");
    // Equal to the record: no name window.
    writeBytes(QStringLiteral(" 1.txt"), QByteArray::number(movesToSolve()) + "!Alice\r\n");
    solve();
    EXPECT_FALSE(nameWindowShown());
    EXPECT_EQ(state->SizeA, 3);

    // One move fewer than the record (the count runs on across games).
    const qint64 total = state->StepCount + movesToSolve();
    writeBytes(QStringLiteral(" 2.txt"), QByteArray::number(total + 1) + "!Bob\r\n");
    solve();
    EXPECT_EQ(state->StepCount, total);
    EXPECT_TRUE(nameWindowShown());
    EXPECT_EQ(form->label1(1)->text(), QStringLiteral(" 2.txt"));
    EXPECT_EQ(marks(), QStringLiteral("001"));
}

TEST_F(FormPTTest, ScoreFileWithoutACountHoldsNoRecord)
{
    for (const QByteArray &content : {QByteArray(), QByteArray("12 no separator\r\n"), QByteArray("abc!x\r\n")}) {
        closeNameWindow();
        trigger("p30");
        trigger("p1");
        writeBytes(QStringLiteral(" 1.txt"), content);
        solve();
        EXPECT_TRUE(nameWindowShown()) << content.constData();
    }
}

TEST_F(FormPTTest, LargerGamesUseTheirOwnFilesAndKeepTheMarks)
{
    trigger("p32");
    queueNearlySolvedShuffle(platform, 4);
    queueNearlySolvedShuffle(platform, 5);
    trigger("p1");
    ASSERT_EQ(puzzle()->board().columns(), 4);
    trigger("p31"); // a solved 4 × 4 leaves the marks as they are
    solve();
    EXPECT_EQ(form->label1(1)->text(), QStringLiteral(" 3.txt"));
    EXPECT_EQ(marks(), QStringLiteral("010"));
    EXPECT_TRUE(nameWindowShown());
    EXPECT_EQ(state->login->findChild<QLabel *>(QStringLiteral("lblLabels"))->text(),
              QStringLiteral("你已成为初级的第一高手,请输入您的大名号:"));
    ASSERT_EQ(puzzle()->board().columns(), 5);
    EXPECT_EQ(state->SizeA, 5);

    solve();
    EXPECT_EQ(form->label1(1)->text(), QStringLiteral(" 4.txt"));
    EXPECT_EQ(marks(), QStringLiteral("010"));
    EXPECT_EQ(puzzle()->board().columns(), 6);
}

TEST_F(FormPTTest, GridStopsGrowingAtTheControlsLimit)
{
    state->SizeA = state->SizeB = 8;
    queueNearlySolvedShuffle(platform, 8);
    trigger("p1");
    ASSERT_EQ(puzzle()->board().columns(), 8);
    solve();
    EXPECT_EQ(form->label1(1)->text(), QStringLiteral(" 7.txt"));
    EXPECT_EQ(state->SizeA, 8);
    EXPECT_EQ(puzzle()->board().columns(), 8);
    EXPECT_TRUE(puzzle()->isPlaying());
}

TEST_F(FormPTTest, ChosenLevelWaitsForTheNextStart)
{
    trigger("p1");
    trigger("p32");
    EXPECT_EQ(marks(), QStringLiteral("001"));
    EXPECT_EQ(state->SizeA, 4);
    EXPECT_EQ(puzzle()->board().columns(), 2);
    // Solving the running 2 × 2 game still counts as 2 × 2.
    solve();
    EXPECT_EQ(form->label1(1)->text(), QStringLiteral(" 1.txt"));
    EXPECT_EQ(puzzle()->board().columns(), 3);
    EXPECT_EQ(marks(), QStringLiteral("010"));
    trigger("p32");
    trigger("p1");
    EXPECT_EQ(puzzle()->board().columns(), 4);
    trigger("p30");
    trigger("p1");
    EXPECT_EQ(puzzle()->board().columns(), 2);
    EXPECT_EQ(marks(), QStringLiteral("100"));
}

TEST_F(FormPTTest, LoadingAPictureResetsTheSizeButKeepsCountAndMarks)
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
    EXPECT_EQ(state->PictureFile, file);
    EXPECT_EQ(form->picture().size(), QSize(300, 200));
    EXPECT_TRUE(form->image1()->isVisible());
    EXPECT_FALSE(puzzle()->isVisible());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("拼图  "));
    EXPECT_EQ(state->SizeA, 2);
    EXPECT_EQ(state->StepCount, 1);
    EXPECT_EQ(marks(), QStringLiteral("010"));
    EXPECT_EQ(puzzle()->tilePicture(), before); // the control gets it at the next start

    trigger("p1");
    EXPECT_EQ(puzzle()->board().columns(), 2);
    EXPECT_EQ(puzzle()->tilePicture().size(), QSize(300, 200));
    EXPECT_EQ(state->StepCount, 1);
}

TEST_F(FormPTTest, PictureThatCannotBeLoadedChangesNothing)
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
    EXPECT_TRUE(state->PictureFile.isEmpty());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("拼图"));
}

TEST_F(FormPTTest, MoveCountHasNoSixteenBitLimit)
{
    state->StepCount = 32767;
    trigger("p1");
    click(solution(puzzle()->board()).front());
    EXPECT_EQ(state->StepCount, 32768);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("拼图  共走32768步"));
}

TEST_F(FormPTTest, EndGameAsksTheProgramToQuit)
{
    quitAnswer = false; // a document's save prompt was cancelled
    QTest::keyClick(form, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(quits, 1);
    EXPECT_TRUE(form);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(FormPTTest, LeaderboardDisablesThePuzzleUntilItCloses)
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

TEST_F(FormPTTest, NameWindowStillWritesItsRecordOnceThePuzzleWindowIsGone)
{
    trigger("p1");
    const int moves = solve();
    ASSERT_TRUE(nameWindowShown());
    QPointer<frmLogin> login = state->login;
    form->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(form);
    QTest::mouseClick(login->okButton(), Qt::LeftButton);
    EXPECT_FALSE(login->isVisible());
    EXPECT_EQ(readBytes(QStringLiteral(" 1.txt")), QByteArray::number(moves) + "!" + gb18030(QStringLiteral("无名")) + "\r\n");
}

// The name window open for the 2 × 2 record while the player goes on: a 3 × 3 solve that
// is no record must not change what it writes, and a 4 × 4 record waits its turn.
TEST_F(FormPTTest, EveryRecordDueIsWrittenWithItsOwnCountToItsOwnFile)
{
    trigger("p1");
    const int first = solve();
    ASSERT_TRUE(nameWindowShown());
    writeBytes(QStringLiteral(" 2.txt"), "1!Alice\r\n");
    queueNearlySolvedShuffle(platform, 4);
    solve();
    ASSERT_EQ(puzzle()->board().columns(), 4);
    solve();
    const qint64 total = state->StepCount;

    state->login->text1()->setText(QStringLiteral("张三"));
    QTest::mouseClick(state->login->okButton(), Qt::LeftButton);
    EXPECT_EQ(readBytes(QStringLiteral(" 1.txt")), QByteArray::number(first) + "!" + gb18030(QStringLiteral("张三")) + "\r\n");
    EXPECT_EQ(readBytes(QStringLiteral(" 2.txt")), QByteArray("1!Alice\r\n"));
    EXPECT_FALSE(QFile::exists(QStringLiteral(" 3.txt")));

    // The same window now asks for the 4 × 4 record, afresh.
    ASSERT_TRUE(nameWindowShown());
    EXPECT_EQ(state->login->text1()->text(), QStringLiteral("无名"));
    EXPECT_EQ(state->login->findChild<QLabel *>(QStringLiteral("lblLabels"))->text(), frmLogin::Prompt);
    state->login->text1()->setText(QStringLiteral("Bob"));
    QTest::mouseClick(state->login->okButton(), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(state->login);
    EXPECT_EQ(readBytes(QStringLiteral(" 3.txt")), QByteArray::number(total) + "!Bob\r\n");
}

// Two records due for " 1.txt" (the level chosen again while the name window asks): the
// later, higher count is still written when the first was dropped, never over the first.
TEST_F(FormPTTest, AWaitingRecordIsWrittenOnlyIfItIsStillARecord)
{
    for (const bool confirmFirst : {true, false}) {
        SCOPED_TRACE(confirmFirst ? "first confirmed" : "first closed");
        QFile::remove(QStringLiteral(" 1.txt"));
        trigger("p1");
        const qint64 first = state->StepCount + solve();
        trigger("p30");
        trigger("p1");
        solve();
        const qint64 second = state->StepCount;
        ASSERT_TRUE(nameWindowShown());
        if (confirmFirst)
            QTest::mouseClick(state->login->okButton(), Qt::LeftButton);
        else
            state->login->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (confirmFirst) {
            EXPECT_FALSE(nameWindowShown());
            EXPECT_EQ(readBytes(QStringLiteral(" 1.txt")), QByteArray::number(first) + "!" + gb18030(QStringLiteral("无名")) + "\r\n");
        } else {
            ASSERT_TRUE(nameWindowShown());
            QTest::mouseClick(state->login->okButton(), Qt::LeftButton);
            EXPECT_EQ(readBytes(QStringLiteral(" 1.txt")), QByteArray::number(second) + "!" + gb18030(QStringLiteral("无名")) + "\r\n");
        }
        closeNameWindow();
        trigger("p30");
    }
}

TEST_F(FormPTTest, NameWindowClosedWithoutOkWritesNothing)
{
    trigger("p1");
    solve();
    ASSERT_TRUE(nameWindowShown());
    closeNameWindow();
    EXPECT_FALSE(QFile::exists(QStringLiteral(" 1.txt")));
}

TEST_F(FormPTTest, NameWindowStaysOpenWhenTheRecordCannotBeWritten)
{
    ASSERT_TRUE(QDir().mkdir(QStringLiteral(" 1.txt"))); // in the way of the score file
    trigger("p1");
    solve();
    ASSERT_TRUE(nameWindowShown());
    QTest::mouseClick(state->login->okButton(), Qt::LeftButton);
    ASSERT_EQ(platform.shownMessages.size(), 1);
    EXPECT_EQ(platform.shownMessages[0].text, QStringLiteral("无法保存记录文件“ 1.txt”。"));
    EXPECT_TRUE(nameWindowShown());
}

TEST(PuzzleToolTest, MoveCountSurvivesClosingAndReopening)
{
    TempCurrentDir dir;
    ScriptedPlatform platform;
    int quits = 0;
    ToolContext context{platform, [&quits] { return ++quits, true; }};
    ToolWindows tools;
    registerTools(tools, context);

    auto *first = qobject_cast<FormPT *>(tools.show(QStringLiteral("pt")));
    ASSERT_TRUE(first);
    first->findChild<QAction *>(QStringLiteral("p32"))->trigger();
    first->findChild<QAction *>(QStringLiteral("p1"))->trigger();
    TilePuzzle *control = first->tilePuzzle();
    ASSERT_TRUE(control->moveTile(control->board().emptyPlace() - 1));
    EXPECT_EQ(tools.show(QStringLiteral("pt")), first); // still open: the same window
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(tools.window(QStringLiteral("pt")));

    auto *second = qobject_cast<FormPT *>(tools.show(QStringLiteral("pt")));
    ASSERT_TRUE(second);
    EXPECT_EQ(second->state().StepCount, 1);
    EXPECT_EQ(second->state().SizeA, 2);
    EXPECT_EQ(second->windowTitle(), QStringLiteral("拼图"));
    EXPECT_TRUE(second->findChild<QAction *>(QStringLiteral("p30"))->isChecked());
    EXPECT_FALSE(second->findChild<QAction *>(QStringLiteral("p32"))->isChecked());
    EXPECT_EQ(second->findChild<QAction *>(QStringLiteral("p1"))->text(), QStringLiteral("开始游戏"));
    second->findChild<QAction *>(QStringLiteral("p1"))->trigger();
    ASSERT_TRUE(second->tilePuzzle()->moveTile(second->tilePuzzle()->board().emptyPlace() - 1));
    EXPECT_EQ(second->windowTitle(), QStringLiteral("拼图  共走2步"));
    second->findChild<QAction *>(QStringLiteral("p5"))->trigger();
    EXPECT_EQ(quits, 1);
    delete second;
}
