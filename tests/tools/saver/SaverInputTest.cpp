#include "ScriptedPlatform.h"
#include "platform/QtSaverSystem.h"
#include "tools/saver/SaverLauncher.h"
#include "tools/saver/SaverSession.h"
#include "tools/saver/SaverWindow.h"

#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>

using namespace korvane;

namespace {

class SaverRun {
public:
    SaverRun() { platform.saver.screenRects = {QRect(0, 0, 320, 200), QRect(320, 0, 160, 120)}; }
    ~SaverRun()
    {
        for (SaverWindow *w : launcher.windows())
            delete w;
        settle();
    }

    void protect()
    {
        platform.saver.setRegistryString(RegistryRoot::CurrentUser, QStringLiteral("Control Panel\\Desktop"),
                                         QStringLiteral("ScreenSaveUsePassword"), QStringLiteral("1"));
    }
    SaverSession *start()
    {
        launcher.startSaver();
        return launcher.session();
    }
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    bool over()
    {
        settle();
        return launcher.windows().isEmpty();
    }
    QWindow *primaryHandle() const { return launcher.window() ? launcher.window()->windowHandle() : nullptr; }

    ScriptedPlatform platform;
    SaverLauncher launcher{platform};
};

TEST(SaverScreens, EveryScreenGetsItsOwnWindowPictureAndCircles)
{
    SaverRun run;
    QImage left(32, 20, QImage::Format_RGB32);
    left.fill(QColor(200, 10, 10));
    QImage right(16, 12, QImage::Format_RGB32);
    right.fill(QColor(10, 10, 200));
    run.platform.saver.screenImages = {left, right};
    SaverSession *session = run.start();
    ASSERT_TRUE(session);

    const QList<SaverWindow *> windows = run.launcher.windows();
    ASSERT_EQ(windows.size(), 2);
    EXPECT_EQ(windows[0]->geometry(), QRect(0, 0, 320, 200));
    EXPECT_EQ(windows[1]->geometry(), QRect(320, 0, 160, 120));
    for (SaverWindow *w : windows) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Screen Saver Main Form"));
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(w->timer()->isActive());
    }
    EXPECT_EQ(session->surface(0).size(), QSize(320, 200));
    EXPECT_EQ(session->surface(1).size(), QSize(160, 120));
    EXPECT_EQ(session->surface(0).pixelColor(300, 190), QColor(200, 10, 10));
    EXPECT_EQ(session->surface(1).pixelColor(150, 110), QColor(10, 10, 200));

    // The second window's tick draws on its own surface, sized from its own screen.
    run.launcher.module().saverSize = 9; // two circles per tick
    run.platform.randomValues = {0.5, 0.5, 1.0 - 1e-12, 0.05, 0.5, 0.5, 1.0 - 1e-12, 0.05};
    const QImage leftBefore = session->surface(0);
    windows[0]->timer()->stop();
    ASSERT_TRUE(QTest::qWaitFor([&] { return session->surface(1).pixelColor(80, 60) != QColor(10, 10, 200); }, 2000));
    EXPECT_EQ(run.launcher.module().targetWidth, 160 * 15);
    EXPECT_EQ(session->surface(1).pixelColor(80, 60), QColor(Qt::white));
    EXPECT_EQ(session->surface(0), leftBefore);
}

TEST(SaverScreens, InputOnAnyScreenEndsTheWholeRun)
{
    SaverRun run;
    run.start();
    QPointer<SaverWindow> second = run.launcher.windows().at(1);
    QTest::keyClick(second.data(), Qt::Key_Space);
    EXPECT_TRUE(run.over());
    EXPECT_TRUE(second.isNull());
}

// Every way a run can end, and what holds the input meanwhile.
struct ClosingPath {
    const char *name;
    bool protectedRun;
    std::deque<bool> passwordAnswers;
    std::function<void(SaverRun &)> act;
    int expectedPrompts;
};
void PrintTo(const ClosingPath &path, std::ostream *os) { *os << path.name; }

class SaverInputHeld : public ::testing::TestWithParam<ClosingPath> {};

TEST_P(SaverInputHeld, IsTakenAtTheStartAndGivenBackWithThePointer)
{
    const ClosingPath &path = GetParam();
    SaverRun run;
    if (path.protectedRun)
        run.protect();
    SaverSession *session = run.start();
    ASSERT_TRUE(session);
    ASSERT_NE(run.primaryHandle(), nullptr);
    EXPECT_EQ(run.platform.saver.inputHolder, run.primaryHandle());
    EXPECT_EQ(session->locked(), path.protectedRun);
    EXPECT_TRUE(run.platform.saver.cursorHidden());

    run.platform.saver.passwordAnswers = path.passwordAnswers;
    path.act(run);

    // Given back as the run ends, not later when its objects are cleaned up.
    EXPECT_EQ(run.platform.saver.inputHolder, nullptr);
    EXPECT_EQ(run.platform.saver.inputReleases, 1);
    EXPECT_FALSE(run.platform.saver.cursorHidden());
    EXPECT_TRUE(run.over());
    EXPECT_EQ(run.platform.saver.passwordPrompts, path.expectedPrompts);
    if (path.expectedPrompts > 0) {
        EXPECT_TRUE(run.platform.saver.inputHeldAtPrompt);
    }
    EXPECT_TRUE(run.platform.shownMessages.isEmpty()); // a held grab is a real lock: nothing to confess
}

INSTANTIATE_TEST_SUITE_P(
    EveryPath, SaverInputHeld,
    ::testing::Values(
        ClosingPath{"Key", false, {}, [](SaverRun &r) { QTest::keyClick(r.launcher.window(), Qt::Key_A); }, 0},
        ClosingPath{"MouseButton",
                    false,
                    {},
                    [](SaverRun &r) { QTest::mouseClick(r.launcher.windows().at(1), Qt::LeftButton); },
                    0},
        ClosingPath{
            "PromptAccepted", true, {true}, [](SaverRun &r) { QTest::keyClick(r.launcher.window(), Qt::Key_A); }, 1},
        ClosingPath{"PromptCancelledThenAccepted",
                    true,
                    {false, true},
                    [](SaverRun &r) {
    QTest::keyClick(r.launcher.window(), Qt::Key_A);
    // Refused: the saver runs on and still holds everything.
    ASSERT_FALSE(r.over());
    EXPECT_NE(r.platform.saver.inputHolder, nullptr);
    EXPECT_TRUE(r.platform.saver.cursorHidden());
    QTest::mouseClick(r.launcher.window(), Qt::LeftButton);
                    },
                    2},
        ClosingPath{
            "WindowDestroyedWithoutAClose", true, {}, [](SaverRun &r) { delete r.launcher.windows().at(1); }, 0}),
    [](const ::testing::TestParamInfo<ClosingPath> &testInfo) { return std::string(testInfo.param.name); });

// Without the input, switching the password on must not pretend to lock.
struct RefusedGrab {
    const char *name;
    InputGrab answer;
    const char *noticeWords; // part of the notice shown after the run
};
void PrintTo(const RefusedGrab &refusal, std::ostream *os) { *os << refusal.name; }

class SaverWithoutInput : public ::testing::TestWithParam<RefusedGrab> {};

TEST_P(SaverWithoutInput, ClosesWithoutAskingAndSaysSoAfterwards)
{
    const RefusedGrab &refusal = GetParam();
    SaverRun run;
    run.protect();
    run.platform.saver.grabAnswers.assign(InputLock::Attempts, refusal.answer);
    SaverSession *session = run.start();
    ASSERT_TRUE(session);
    ASSERT_TRUE(QTest::qWaitFor([&] { return session->inputLock().decided(); }, 5000));
    EXPECT_FALSE(session->locked());
    EXPECT_EQ(run.platform.saver.inputHolder, nullptr);
    EXPECT_EQ(run.platform.saver.grabAttempts, refusal.answer == InputGrab::Busy ? InputLock::Attempts : 1);

    QTest::keyClick(run.launcher.window(), Qt::Key_A);
    EXPECT_TRUE(run.over());
    EXPECT_EQ(run.platform.saver.passwordPrompts, 0);
    EXPECT_FALSE(run.platform.saver.cursorHidden());
    ASSERT_EQ(run.platform.shownMessages.size(), 1);
    EXPECT_EQ(run.platform.shownMessages[0].title, QStringLiteral("屏幕保护"));
    EXPECT_EQ(run.platform.shownMessages[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(run.platform.shownMessages[0].text.contains(QString::fromUtf8(refusal.noticeWords)))
        << run.platform.shownMessages[0].text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Refusals, SaverWithoutInput,
                         ::testing::Values(RefusedGrab{"HeldByAnotherProgram", InputGrab::Busy, "另一个程序"},
                                           RefusedGrab{"NotGrantedByTheDesktop", InputGrab::Unavailable, "Wayland"}),
                         [](const ::testing::TestParamInfo<RefusedGrab> &testInfo) {
    return std::string(testInfo.param.name);
});

TEST(SaverInputLock, NoNoticeWhenNoPasswordWasWanted)
{
    SaverRun run;
    run.platform.saver.grabAnswers = {InputGrab::Unavailable};
    run.start();
    QTest::keyClick(run.launcher.window(), Qt::Key_A);
    EXPECT_TRUE(run.over());
    EXPECT_TRUE(run.platform.shownMessages.isEmpty());
}

TEST(SaverInputLock, ACloseWhileTheGrabIsRetriedWaitsForItsOutcome)
{
    SaverRun run;
    run.protect();
    run.platform.saver.grabAnswers = {InputGrab::Busy, InputGrab::Busy, InputGrab::Taken};
    run.platform.saver.passwordAnswers = {true};
    SaverSession *session = run.start();
    ASSERT_EQ(session->inputLock().state(), InputLock::State::Trying);
    QTest::keyClick(run.launcher.window(), Qt::Key_A);
    EXPECT_FALSE(run.over());
    EXPECT_EQ(run.platform.saver.passwordPrompts, 0);

    // Once the grab is taken the waiting key is answered as a locked saver answers it.
    EXPECT_TRUE(QTest::qWaitFor([&] { return run.over(); }, 5000));
    EXPECT_EQ(run.platform.saver.grabAttempts, 3);
    EXPECT_EQ(run.platform.saver.passwordPrompts, 1);
    EXPECT_TRUE(run.platform.saver.inputHeldAtPrompt);
    EXPECT_EQ(run.platform.saver.inputHolder, nullptr);
}

TEST(QtSaverSystemInput, OnlyX11GrantsTheInput)
{
    // The tests run on Qt's offscreen platform, which, like Wayland, grants no grab.
    QtSaverSystem system;
    QWindow window;
    window.show();
    EXPECT_EQ(system.grabInput(&window), InputGrab::Unavailable);
    system.releaseInput(); // nothing held: nothing happens
    const QList<QRect> screens = system.screens();
    ASSERT_FALSE(screens.isEmpty());
    EXPECT_EQ(screens.first(), QGuiApplication::primaryScreen()->geometry());
}

} // namespace
