#include "ScriptedPlatform.h"
#include "tools/saver/CircleBatch.h"
#include "tools/saver/MoveCounter.h"
#include "tools/saver/PasswordProtection.h"
#include "tools/saver/SaverModule.h"

#include <gtest/gtest.h>

using namespace korvane;

namespace {

const QString Desktop = QStringLiteral("Control Panel\\Desktop");
const QString UsePassword = QStringLiteral("ScreenSaveUsePassword");

TEST(PasswordRule, InForceOnlyWithTheSwitchOnAndAPlatformThatLeavesItToUs)
{
    EXPECT_FALSE(PasswordProtection::inForce(0, 0));
    EXPECT_TRUE(PasswordProtection::inForce(0, 1));
    EXPECT_TRUE(PasswordProtection::inForce(1, -1));
    EXPECT_FALSE(PasswordProtection::inForce(2, 1));
    EXPECT_FALSE(PasswordProtection::inForce(2, 0));
}

class Protection : public ::testing::Test {
protected:
    ScriptedPlatform platform;
    ScriptedSaverSystem &system = platform.saver;
    SaverModule module;
    PasswordProtection protection{module, platform.saver, platform.saver};
};

TEST_F(Protection, RefusedPasswordKeepsTheSaverWithThePointerHidden)
{
    system.setRegistryString(RegistryRoot::CurrentUser, Desktop, UsePassword, QStringLiteral("1"));
    protection.start();
    EXPECT_EQ(module.usePassword, 1);
    EXPECT_EQ(system.saverRunningCalls, QList<bool>{true});
    system.hideCursor();

    system.passwordAnswers = {false};
    EXPECT_FALSE(protection.allowClose());
    EXPECT_EQ(system.passwordPrompts, 1);
    EXPECT_FALSE(system.cursorHiddenAtPrompt); // the pointer is back for typing
    EXPECT_TRUE(system.cursorHidden());

    EXPECT_FALSE(protection.allowClose()); // an empty queue is a cancelled prompt
    EXPECT_EQ(system.passwordPrompts, 2);

    system.passwordAnswers = {true};
    EXPECT_TRUE(protection.allowClose());
    protection.finish();
    EXPECT_FALSE(system.cursorHidden());
    EXPECT_EQ(system.saverRunningCalls, (QList<bool>{true, false}));
    protection.finish();
    EXPECT_EQ(system.saverRunningCalls.size(), 2);
}

TEST_F(Protection, NumberSwitchCountsAsOnAndPlatformTwoNeverAsks)
{
    system.setRegistryDword(RegistryRoot::CurrentUser, Desktop, UsePassword, 1);
    system.reportedPlatformId = 2;
    protection.start();
    EXPECT_EQ(module.usePassword, 1);
    EXPECT_TRUE(protection.allowClose());
    protection.finish();
    EXPECT_EQ(system.passwordPrompts, 0);
    EXPECT_TRUE(system.saverRunningCalls.isEmpty());
}

TEST_F(Protection, WithoutTheSwitchClosingIsFreeButThePointerStillComesBack)
{
    system.setRegistryDword(RegistryRoot::CurrentUser, Desktop, UsePassword, 0);
    protection.start();
    system.hideCursor();
    EXPECT_TRUE(protection.allowClose());
    EXPECT_TRUE(system.cursorHidden()); // not shown before the close goes through
    protection.finish();
    EXPECT_FALSE(system.cursorHidden());
    EXPECT_EQ(system.passwordPrompts, 0);
    EXPECT_TRUE(system.saverRunningCalls.isEmpty());
}

TEST(CircleBatchTest, CountPerSizeRoundsHalfToEven)
{
    const int expected[] = {200, 50, 22, 12, 8, 6, 4, 3, 2};
    for (int size = 1; size <= 9; ++size)
        EXPECT_EQ(circlesPerBatch(size), expected[size - 1]) << "size " << size;
}

TEST(CircleBatchTest, EachCircleTakesFourDrawsInOrderWithoutSeeding)
{
    ScriptedPlatform platform;
    SaverModule module;
    module.saverSize = 3; // 22 circles
    // A 16 x 10 pixel surface: 240 x 150 twips.
    platform.randomValues = {1.0 / 32, 3.0 / 32, 0.5,        0.5, // 7.5 -> 8, 14.0625 -> 14, 8388607.5 -> 8388608
                             3.0 / 32, 0.1,      0.0,        0.0, // 22.5 -> 22 (ties go to even)
                             0.999,    0.999,    0.99999999, 0.75};
    const auto circles = drawRandomCircles(module, platform.random(), 240.0, 150.0);
    ASSERT_EQ(circles.size(), 22);
    EXPECT_EQ(module.targetWidth, 240);
    EXPECT_EQ(module.targetHeight, 150);

    EXPECT_EQ(circles[0].x, 8);
    EXPECT_EQ(circles[0].y, 14);
    EXPECT_EQ(circles[0].colour, 8388608u);
    EXPECT_EQ(circles[0].radius, 3); // 0.5 * 240 / 400 * 3 * 3 = 2.7

    EXPECT_EQ(circles[1].x, 22);
    EXPECT_EQ(circles[1].y, 15);
    EXPECT_EQ(circles[1].colour, 0u);
    EXPECT_EQ(circles[1].radius, 0);

    EXPECT_EQ(circles[2].x, 240);
    EXPECT_EQ(circles[2].y, 150);
    EXPECT_EQ(circles[2].colour, 16777215u);
    EXPECT_EQ(circles[2].radius, 4); // 0.75 * 240 / 400 * 9 = 4.05

    EXPECT_TRUE(platform.randomValues.empty());
    EXPECT_EQ(platform.seedings, 0);
}

TEST(CircleBatchTest, SurfacesBeyondSixteenBitsKeepTheirCoordinates)
{
    ScriptedPlatform platform;
    SaverModule module;
    module.saverSize = 9;
    // A 3840-pixel-wide screen: 57600 twips.
    platform.randomValues = {0.99, 0.5, 0.25, 0.99};
    const auto circles = drawRandomCircles(module, platform.random(), 57600.0, 32400.0);
    ASSERT_EQ(circles.size(), 2);
    EXPECT_EQ(module.targetWidth, 57600);
    EXPECT_EQ(circles[0].x, 57024);
    EXPECT_EQ(circles[0].y, 16200);
    EXPECT_EQ(circles[0].radius, 11547); // 0.99 * 57600 / 400 * 81 = 11547.36
}

TEST(MoveRule, FourthMoveWithinTenSecondsCloses)
{
    int moveCount = 0;
    MoveCounter moves(moveCount);
    EXPECT_FALSE(moves.mouseMoved(100.4));
    EXPECT_EQ(moves.firstMoveTime(), 100);
    EXPECT_FALSE(moves.mouseMoved(101));
    EXPECT_FALSE(moves.mouseMoved(110)); // exactly 10 s later is not "more than 10"
    EXPECT_TRUE(moves.mouseMoved(110));
    EXPECT_EQ(moveCount, 4);
    EXPECT_FALSE(moves.mouseMoved(110));
    EXPECT_EQ(moveCount, 5);
    EXPECT_FALSE(moves.mouseMoved(110.5)); // 10.5 s after the first: the count starts over
    EXPECT_EQ(moveCount, 0);
}

TEST(MoveRule, LateMoveIsCountedFirstThenStartsTheCountAfresh)
{
    int moveCount = 0;
    MoveCounter moves(moveCount);
    moves.mouseMoved(1000);
    moves.mouseMoved(1001);
    EXPECT_FALSE(moves.mouseMoved(1011)); // third, more than 10 s after the first
    EXPECT_EQ(moveCount, 0);
    EXPECT_EQ(moves.firstMoveTime(), 0);
    EXPECT_FALSE(moves.mouseMoved(1012));
    EXPECT_EQ(moveCount, 1);
    EXPECT_EQ(moves.firstMoveTime(), 1012);

    moves.mouseMoved(1013);
    moves.mouseMoved(1014);
    EXPECT_TRUE(moves.mouseMoved(1030)); // the fourth asks for the close even as it resets
    EXPECT_EQ(moveCount, 0);
}

TEST(MoveRule, CountSurvivesTheWindowWhileTheFirstMoveTimeDoesNot)
{
    int moveCount = 0;
    {
        MoveCounter first(moveCount);
        for (int i = 0; i < 3; ++i)
            first.mouseMoved(500);
        EXPECT_TRUE(first.mouseMoved(501));
    }
    MoveCounter next(moveCount); // the next run
    EXPECT_EQ(next.firstMoveTime(), 0);
    EXPECT_FALSE(next.mouseMoved(600));
    EXPECT_EQ(moveCount, 5);
    EXPECT_EQ(next.firstMoveTime(), 600);
    for (int i = 0; i < 20; ++i)
        EXPECT_FALSE(next.mouseMoved(605));
    EXPECT_FALSE(next.mouseMoved(611)); // reset
    EXPECT_EQ(moveCount, 0);
    EXPECT_FALSE(next.mouseMoved(612));
    EXPECT_FALSE(next.mouseMoved(612));
    EXPECT_FALSE(next.mouseMoved(612));
    EXPECT_TRUE(next.mouseMoved(612));
}

TEST(MoveRule, JustAfterMidnightNoResetHappens)
{
    int moveCount = 0;
    MoveCounter moves(moveCount);
    moves.mouseMoved(86395);            // 23:59:55
    EXPECT_FALSE(moves.mouseMoved(30)); // 00:00:30: negative difference
    EXPECT_EQ(moveCount, 2);
    EXPECT_EQ(moves.firstMoveTime(), 86395);
    EXPECT_FALSE(moves.mouseMoved(3000));
    EXPECT_TRUE(moves.mouseMoved(3000)); // still counting towards four
}

} // namespace
