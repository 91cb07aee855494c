#include "tools/saver/SaverWindow.h"
#include "ScriptedPlatform.h"
#include "platform/QtSaverSystem.h"
#include "tools/saver/SaverLauncher.h"
#include "tools/saver/SaverSession.h"

#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace korvane;

namespace {

const QString Desktop = QStringLiteral("Control Panel\\Desktop");

class SaverWindowTest : public ::testing::Test {
protected:
    SaverWindowTest() { platform.saver.screenRects = {QRect(0, 0, 320, 200)}; }
    ~SaverWindowTest() override
    {
        delete launcher.window();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    SaverWindow *start()
    {
        launcher.startSaver();
        return launcher.window();
    }
    void setSize(const QString &text)
    {
        platform.saver.setSetting(QStringLiteral("Samples"), QStringLiteral("Velt Screen Saver"),
                                  QStringLiteral("Size"), text);
    }
    void protect()
    {
        platform.saver.setRegistryString(RegistryRoot::CurrentUser, Desktop, QStringLiteral("ScreenSaveUsePassword"),
                                         QStringLiteral("1"));
    }
    static bool gone(const QPointer<SaverWindow> &w)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return w.isNull();
    }

    ScriptedPlatform platform;
    SaverLauncher launcher{platform};
};

TEST_F(SaverWindowTest, CoversTheScreenWithTheFrozenPictureAndHidesThePointer)
{
    QImage screen(64, 40, QImage::Format_RGB32);
    screen.fill(QColor(10, 200, 30));
    platform.saver.screenImage = screen;
    SaverWindow *w = start();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Screen Saver Main Form"));
    EXPECT_EQ(w->objectName(), QStringLiteral("MainForm"));
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(w->geometry(), QRect(0, 0, 320, 200));
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->timer()->interval(), 400);
    EXPECT_TRUE(w->timer()->isActive());
    EXPECT_TRUE(platform.saver.cursorHidden());
    const QImage &surface = w->session().surface();
    EXPECT_EQ(surface.size(), QSize(320, 200)); // scaled from 64 x 40
    EXPECT_EQ(surface.pixelColor(319, 199), QColor(10, 200, 30));
}

TEST_F(SaverWindowTest, UnreadableScreenGivesBlackAndEachTickAddsOneBatch)
{
    setSize(QStringLiteral("9")); // two circles per tick
    SaverWindow *w = start();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->session().surface().pixelColor(160, 100), QColor(Qt::black));
    // A white disc of radius 300 twips (20 px) at the centre, then a blue one at the corner.
    platform.randomValues = {0.5, 0.5, 1.0 - 1e-12, 300.0 / (4800.0 / 400 * 81), 0.0, 0.0, 16711680.0 / 16777215.0,
                             0.01};
    w->session().tick();
    const QImage &surface = w->session().surface();
    EXPECT_EQ(surface.pixelColor(160, 100), QColor(Qt::white));
    EXPECT_EQ(surface.pixelColor(160 + 18, 100), QColor(Qt::white));
    EXPECT_EQ(surface.pixelColor(160 + 23, 100), QColor(Qt::black));
    EXPECT_EQ(surface.pixelColor(0, 0), QColor(0, 0, 255)); // 0xFF0000: blue is the high byte
    EXPECT_EQ(launcher.module().targetWidth, 4800);
    EXPECT_EQ(launcher.module().targetHeight, 3000);
    EXPECT_EQ(platform.seedings, 0);
}

TEST_F(SaverWindowTest, SizeIsReadAgainAtEveryStart)
{
    setSize(QStringLiteral("2"));
    start();
    EXPECT_EQ(launcher.module().saverSize, 2);
    launcher.window()->close();
    setSize(QStringLiteral("12"));
    start();
    EXPECT_EQ(launcher.module().saverSize, 9);
}

TEST_F(SaverWindowTest, NothingStartsWhileASaverWindowIsOnScreen)
{
    platform.saver.topLevelTitles << QStringLiteral("Screen Saver Main Form");
    setSize(QStringLiteral("3"));
    EXPECT_EQ(start(), nullptr);
    EXPECT_EQ(launcher.module().saverSize, 3); // the setting is still read
    EXPECT_EQ(platform.saver.screenGrabs, 0);
    EXPECT_FALSE(platform.saver.cursorHidden());
}

TEST(SaverWindowLookup, FindsOnlyShownTopLevelWindowsWithExactlyThatTitle)
{
    QtSaverSystem system;
    EXPECT_FALSE(system.topLevelWindowExists(QStringLiteral("Screen Saver Main Form")));
    QWidget w;
    w.setWindowTitle(QStringLiteral("Screen Saver Main Form"));
    EXPECT_FALSE(system.topLevelWindowExists(QStringLiteral("Screen Saver Main Form")));
    w.show();
    EXPECT_TRUE(system.topLevelWindowExists(QStringLiteral("Screen Saver Main Form")));
    EXPECT_FALSE(system.topLevelWindowExists(QStringLiteral("Screen Saver")));
}

TEST_F(SaverWindowTest, AKeyOrAButtonEndsTheRunAndBringsThePointerBack)
{
    QPointer<SaverWindow> w = start();
    QTest::keyClick(w.data(), Qt::Key_Shift);
    EXPECT_TRUE(gone(w));
    EXPECT_FALSE(platform.saver.cursorHidden());

    w = start();
    QTest::mouseClick(w.data(), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_TRUE(gone(w));
    EXPECT_FALSE(platform.saver.cursorHidden());
    EXPECT_EQ(platform.saver.passwordPrompts, 0);
}

TEST_F(SaverWindowTest, RefusedPasswordAfterTheFourthMoveKeepsDrawingUntilTheCountStartsOver)
{
    protect();
    QPointer<SaverWindow> w = start();
    platform.fixedNow.setTime(QTime(9, 0, 0));
    for (int i = 0; i < 3; ++i)
        QTest::mouseMove(w.data(), QPoint(10 + i, 10));
    // QTest::mouseMove may not produce events offscreen; drive the handler directly as well.
    auto move = [&](QTime at) {
        platform.fixedNow.setTime(at);
        w->session().mouseMoved();
    };
    while (launcher.module().moveCount < 3)
        move(QTime(9, 0, 1));
    platform.saver.passwordAnswers = {false};
    move(QTime(9, 0, 2)); // fourth: the password is refused
    ASSERT_FALSE(gone(w));
    EXPECT_EQ(platform.saver.passwordPrompts, 1);
    EXPECT_TRUE(platform.saver.cursorHidden());
    EXPECT_EQ(platform.saver.saverRunningCalls, QList<bool>{true});

    for (int i = 0; i < 10; ++i)
        move(QTime(9, 0, 5)); // past four: no further questions
    EXPECT_EQ(platform.saver.passwordPrompts, 1);
    move(QTime(9, 0, 20)); // more than 10 s after the first: the count starts over
    EXPECT_EQ(launcher.module().moveCount, 0);
    for (int i = 0; i < 3; ++i)
        move(QTime(9, 0, 21));
    EXPECT_EQ(platform.saver.passwordPrompts, 1);
    platform.saver.passwordAnswers = {true};
    move(QTime(9, 0, 22));
    EXPECT_EQ(platform.saver.passwordPrompts, 2);
    EXPECT_TRUE(gone(w));
    EXPECT_FALSE(platform.saver.cursorHidden());
    EXPECT_EQ(platform.saver.saverRunningCalls, (QList<bool>{true, false}));
}

TEST_F(SaverWindowTest, RefusedPasswordOnAKeyLeavesTheSaverRunning)
{
    protect();
    QPointer<SaverWindow> w = start();
    platform.saver.passwordAnswers = {false};
    QTest::keyClick(w.data(), Qt::Key_A);
    ASSERT_FALSE(gone(w));
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->timer()->isActive());
    EXPECT_TRUE(platform.saver.cursorHidden());
    EXPECT_FALSE(platform.saver.cursorHiddenAtPrompt);
}

TEST_F(SaverWindowTest, MoveCountOutlivesTheWindow)
{
    QPointer<SaverWindow> w = start();
    for (int i = 0; i < 4; ++i)
        w->session().mouseMoved();
    EXPECT_TRUE(gone(w));
    EXPECT_EQ(launcher.module().moveCount, 4);
    w = start();
    EXPECT_EQ(w->session().moves().firstMoveTime(), 0);
    w->session().mouseMoved();
    EXPECT_EQ(launcher.module().moveCount, 5);
    EXPECT_FALSE(gone(w));
}

TEST_F(SaverWindowTest, DestroyingTheWindowAnyOtherWayStillBringsThePointerBack)
{
    protect();
    QPointer<SaverWindow> w = start();
    EXPECT_TRUE(platform.saver.cursorHidden());
    delete w.data();
    EXPECT_FALSE(platform.saver.cursorHidden());
    EXPECT_EQ(platform.saver.saverRunningCalls, (QList<bool>{true, false}));
    EXPECT_EQ(platform.saver.passwordPrompts, 0);
}

} // namespace
