#include "tools/blocks/BlocksWindow.h"
#include "ToolWindowTest.h"
#include "tools/blocks/BlocksGame.h"
#include "tools/blocks/BoardView.h"
#include "tools/saver/SaverLauncher.h"
#include "tools/saver/SaverWindow.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace korvane;
using namespace korvane::blocks;

namespace {

class BlocksWindowTest : public ::testing::Test {
protected:
    BlocksWindowTest()
    {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    template <typename T>
    T *child(const char *name)
    {
        return window.findChild<T *>(QString::fromLatin1(name));
    }
    void trigger(const char *name) { child<QAction>(name)->trigger(); }

    ScriptedPlatform platform;
    BlocksWindow window{platform};
};

TEST_F(BlocksWindowTest, LaidOutAroundA200By400Board)
{
    EXPECT_EQ(window.objectName(), QStringLiteral("frmForm"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("方块"));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()); // not resizable
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(BlocksWindow::clientSize(), QSize(330, 423));

    auto *board = child<BoardView>("picBackGround");
    ASSERT_TRUE(board);
    EXPECT_EQ(board->contentsRect().size(), QSize(200, 400));
    EXPECT_EQ(board->geometry(), QRect(112, 8, 202, 402));
    EXPECT_EQ(child<QGroupBox>("fraFrameNext")->title(), QStringLiteral("下一块"));
    EXPECT_EQ(child<QLabel>("Image1")->geometry(), QRect(8, 160, 97, 248));
    EXPECT_EQ(child<QPushButton>("cmdDisplay")->text(), QStringLiteral("隐藏(&D)"));
    EXPECT_FALSE(child<QLabel>("picPictureNow")->isVisible());
    EXPECT_FALSE(child<QLabel>("imgPictureNext")->isVisible()); // no picture yet
    EXPECT_FALSE(window.dropTimer()->isActive());
}

TEST_F(BlocksWindowTest, MenusCarryTheGameCommands)
{
    QStringList seen;
    for (QAction *menu : window.findChild<QMenuBar *>()->actions()) {
        seen << menu->text() + QLatin1Char('|') + menu->menu()->objectName();
        for (QAction *a : menu->menu()->actions())
            seen << QStringLiteral(">") + a->text() + QLatin1Char('|') + a->objectName();
    }
    EXPECT_EQ(seen, (QStringList{QStringLiteral("游戏(&G)|mnuGame"), QStringLiteral(">新游戏(&N)|mnuGameNew"),
                                 QStringLiteral(">退出(&X)|mnuGameExit"), QStringLiteral("帮助(&H)|mnuHelp"),
                                 QStringLiteral(">键盘(&K)|mnuHelpKey"), QStringLiteral(">关于(&A)|mnuGameAbout")}));
    trigger("mnuHelpKey");
    trigger("mnuGameAbout");
    ASSERT_EQ(platform.shownMessages.size(), 2);
    EXPECT_EQ(platform.shownMessages[1].text, QStringLiteral("方块1.0"));
}

TEST_F(BlocksWindowTest, NewGameShowsThePieceAndThePreviewAndStartsTheTimer)
{
    platform.randomValues = {0.05, 0.95}; // an I falls, an O comes next
    trigger("mnuGameNew");
    EXPECT_TRUE(window.dropTimer()->isActive());
    EXPECT_EQ(window.dropTimer()->interval(), 1000);
    auto *piece = child<QLabel>("picPictureNow");
    EXPECT_TRUE(piece->isVisible());
    EXPECT_EQ(piece->geometry(), QRect(1 + 80, 1, 20, 80));
    auto *next = child<QLabel>("imgPictureNext");
    EXPECT_TRUE(next->isVisible());
    EXPECT_EQ(next->geometry(), QRect(2 + 15, 2 + 22, 40, 40)); // centred in the 70 x 85 inside

    QTest::mouseClick(child<QPushButton>("cmdDisplay"), Qt::LeftButton);
    EXPECT_FALSE(next->isVisible());
    EXPECT_EQ(child<QPushButton>("cmdDisplay")->text(), QStringLiteral("显示(&S)"));

    window.game().dropStep();
    EXPECT_EQ(piece->geometry(), QRect(1 + 80, 1 + 20, 20, 80));
}

TEST_F(BlocksWindowTest, ArrowKeysReachTheGameWhileTheButtonHasTheFocus)
{
    auto *button = child<QPushButton>("cmdDisplay");
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Left); // no game yet: nothing moves
    EXPECT_FALSE(window.game().piece().visible);

    platform.randomValues = {0.5, 0.5};
    trigger("mnuGameNew");
    QTest::keyClick(button, Qt::Key_Left);
    EXPECT_EQ(window.game().piece().left, 3);
    QTest::keyClick(button, Qt::Key_Right);
    QTest::keyClick(button, Qt::Key_Right);
    EXPECT_EQ(window.game().piece().left, 5);
    QTest::keyClick(button, Qt::Key_Down);
    EXPECT_EQ(window.game().piece().top, 1);
    QTest::keyClick(button, Qt::Key_Up);
    EXPECT_EQ(window.game().piece().rotations, 1);
    QTest::keyClick(button, Qt::Key_A); // any other key leaves the piece alone
    EXPECT_EQ(window.game().piece().left, 5);
    EXPECT_EQ(window.game().piece().rotations, 1);
    EXPECT_EQ(button->text(), QStringLiteral("隐藏(&D)")); // the keys never pressed the button
}

using BlocksToolTest = test::ToolWindowTest<BlocksWindow, Tool::Blocks>;

TEST_F(BlocksToolTest, ClosingTheWindowEndsTheGameAndReopeningStartsWithout)
{
    BlocksWindow *first = open();
    ASSERT_TRUE(first);
    first->findChild<QAction *>(QStringLiteral("mnuGameNew"))->trigger();
    ASSERT_TRUE(first->dropTimer()->isActive());
    first->findChild<QAction *>(QStringLiteral("mnuGameExit"))->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(openWindow(), nullptr);

    BlocksWindow *second = open();
    ASSERT_TRUE(second);
    EXPECT_FALSE(second->game().isRunning());
    EXPECT_FALSE(second->dropTimer()->isActive());
    EXPECT_FALSE(second->game().piece().visible);
}

// The game ends while the screen saver runs: the question waits until the saver has gone
// (the key that ends the saver must not answer it) and belongs to the game's window.
TEST_F(BlocksWindowTest, GameOverQuestionWaitsForTheScreenSaverAndBelongsToTheGame)
{
    SaverLauncher saver(platform);
    trigger("mnuGameNew");
    BlocksGame &game = window.game();
    for (int y = 3; y <= 20; ++y) { // nothing entering at the top can fall
        game.board().set(5, y, Board::Occupied);
        game.board().set(6, y, Board::Occupied);
    }
    game.placePiece(7, 0, 0, 18);
    saver.startSaver();
    QPointer<SaverWindow> cover = saver.window();
    ASSERT_TRUE(cover && cover->isVisible());

    bool coverUpAtQuestion = true;
    platform.onMessage = [&](const ScriptedPlatform::ShownMessage &) {
        coverUpAtQuestion = cover && cover->isVisible();
    };
    platform.messageAnswers.push_back(MsgAnswer::Yes);
    QTimer::singleShot(100, cover, [cover] { QTest::keyClick(cover, Qt::Key_Return); });
    game.dropStep(); // lands the O; the next piece cannot enter

    ASSERT_EQ(platform.shownMessages.size(), 1);
    EXPECT_EQ(platform.shownMessages[0].text, QStringLiteral("你玩完了！想再试试身手吗？"));
    EXPECT_FALSE(coverUpAtQuestion);
    EXPECT_EQ(platform.shownMessages[0].owner, &window);
    EXPECT_TRUE(game.isRunning());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
