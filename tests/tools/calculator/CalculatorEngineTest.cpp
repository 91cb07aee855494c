#include "tools/calculator/CalculatorEngine.h"

#include "ScriptedPlatform.h"

#include <gtest/gtest.h>
#include <vector>

using namespace korvane;

namespace {

// Drives the calculator through its key mapping, one character at a time, the way the
// window hands over typed keys. "\r" is the Enter key; '\b' and '\x7f' stand for
// Backspace and Delete, which act when released, and '±' for the sign button.
class CalculatorEngineTest : public ::testing::Test {
protected:
    QString type(const char *keys)
    {
        for (const QChar k : QString::fromUtf8(keys)) {
            if (k == u'\b' || k == u'\x7f')
                engine.keyRelease(k == u'\b' ? Qt::Key_Backspace : Qt::Key_Delete);
            else if (k == u'±')
                engine.changeSign();
            else
                engine.keyPress(QString(k));
        }
        return engine.display();
    }

    ScriptedPlatform platform;
    CalculatorState state;
    CalculatorEngine engine{state, platform.beeper()};
};

// Keys typed one after another, and what the display shows after each run of them.
struct KeyRun {
    const char *keys;
    const char *display;
};
struct KeysCase {
    const char *name;
    std::vector<KeyRun> runs;
};

class CalculatorKeys : public CalculatorEngineTest, public ::testing::WithParamInterface<KeysCase> {};

} // namespace

TEST_P(CalculatorKeys, ShowWhatTheKeysGive)
{
    for (const KeyRun &run : GetParam().runs)
        EXPECT_EQ(type(run.keys), QString::fromUtf8(run.display)) << "after " << run.keys;
}

INSTANTIATE_TEST_SUITE_P(
    Runs, CalculatorKeys,
    ::testing::Values(
        KeysCase{"EqualsInAFreshCalculatorShowsZero", {{"", ""}, {"=", "0"}}},
        KeysCase{"OperandOrderOfEachOperator",
                 {{"9-4=", "5"},
                  {"4-9=", "-5"},
                  {"8/2=", "4"},
                  {"2/8=", "0.25"},
                  {"6*7=", "42"},
                  {"1+2*3=", "9"}}}, // no precedence
        KeysCase{"DivisionGivesFractionsToFifteenDigits", {{"7/2=", "3.5"}, {"1/3=", "0.333333333333333"}}},
        KeysCase{"EveryMultiplyAndEqualsKey", {{"2x3=", "6"}, {"2X4=", "8"}, {"2*5\r", "10"}}},
        KeysCase{"SignButton", {{"12±", "-12"}, {"±", "12"}, {"=±", "-"}, {"4", "-4"}, {"+10=", "6"}}},
        KeysCase{
            "BackspaceOnKeyRelease",
            {{"123\b", "12"}, {"\b", "1"}, {"\b", "0"}, {"5", "05"}, {"+1=", "6"}, {"C12±\b", "-1"}, {"\x7f", "0"}}},
        KeysCase{"BackspaceDropsAnExponentLeftWithoutDigits",
                 {{"100000000000000000000=", "1E+20"},
                  {"\b", "1E+2"},
                  {"\b", "1"},
                  {"\b", "0"},
                  // A small negative result, as a random key run found it: "…E-06" must not end as "…E-".
                  {"C0-1/1000000=", "-1E-06"},
                  {"\b", "-1E-0"},
                  {"\b", "-1"},
                  {"+1=", "0"}}},
        KeysCase{"BackspaceOnAMessageLeavesZero", {{"5/0=", "除数不能为零"}, {"\b", "0"}, {"3", "3"}}},
        KeysCase{"TextsThatAreNoNumberCountAsZero",
                 {{"+.=", "0"}, {"±", "-"}, {"+", "0"}, {"±.", "-."}, {"+3=", "3"}}}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(CalculatorEngineTest, AFieldTextThatIsNoNumberCountsAsZero)
{
    engine.setDisplayFromField(QStringLiteral("hello"));
    EXPECT_EQ(type("+4="), QStringLiteral("4"));
}

TEST_F(CalculatorEngineTest, ReleasingAnotherKeyDoesNothing)
{
    type("12");
    engine.keyRelease(Qt::Key_A);
    EXPECT_EQ(engine.display(), QStringLiteral("12"));
}

TEST_F(CalculatorEngineTest, AddsAndRepeatedEqualsKeepsTheResult)
{
    EXPECT_EQ(type("12+"), QStringLiteral("12"));
    EXPECT_EQ(type("3"), QStringLiteral("3"));
    EXPECT_EQ(type("="), QStringLiteral("15"));
    EXPECT_EQ(type("="), QStringLiteral("15"));
    EXPECT_EQ(state.pendingOperator, CalculatorState::Operator::None);
    EXPECT_TRUE(state.newEntry);
}

TEST_F(CalculatorEngineTest, OperatorKeyCompletesThePendingOperationFirst)
{
    EXPECT_EQ(type("5+-"), QStringLiteral("10")); // 5 + 5 with the displayed 5
    EXPECT_EQ(state.pendingOperator, CalculatorState::Operator::Subtract);
    EXPECT_EQ(type("3="), QStringLiteral("7"));
}

TEST_F(CalculatorEngineTest, KeyCOnlyClearsTheEntry)
{
    EXPECT_EQ(type("5+C"), QString());
    EXPECT_EQ(state.accumulator, 5);
    EXPECT_EQ(state.pendingOperator, CalculatorState::Operator::Add);
    EXPECT_EQ(type("="), QStringLiteral("5")); // the empty entry counts as 0
    EXPECT_EQ(type("7+c="), QStringLiteral("7"));
}

TEST_F(CalculatorEngineTest, ClearButtonResetsAccumulatorAndPendingOperator)
{
    type("8*3");
    engine.clear();
    EXPECT_EQ(engine.display(), QString());
    EXPECT_EQ(state.accumulator, 0);
    EXPECT_EQ(state.pendingOperator, CalculatorState::Operator::None);
    EXPECT_FALSE(state.newEntry); // the flag stays as it was
    EXPECT_EQ(type("4="), QStringLiteral("4"));
}

TEST_F(CalculatorEngineTest, DecimalPointBeepsWhenTheDisplayHoldsOne)
{
    type("7/2=");
    EXPECT_EQ(type("."), QStringLiteral("3.5"));
    EXPECT_EQ(platform.beeps, 1);
    EXPECT_TRUE(state.newEntry);

    type("12+3=");
    EXPECT_EQ(type("."), QStringLiteral("."));
    EXPECT_EQ(type("5"), QStringLiteral(".5"));
    EXPECT_EQ(type("."), QStringLiteral(".5"));
    EXPECT_EQ(platform.beeps, 2);
    EXPECT_EQ(type("*2="), QStringLiteral("1"));
}

TEST_F(CalculatorEngineTest, UnmappedCharactersDoNothing)
{
    type("12+3");
    const CalculatorState before = state;
    EXPECT_EQ(type("a Z!%(\t"), QStringLiteral("3"));
    EXPECT_EQ(state.accumulator, before.accumulator);
    EXPECT_EQ(state.pendingOperator, before.pendingOperator);
    engine.keyPress(QStringLiteral("12")); // not one character
    EXPECT_EQ(engine.display(), QStringLiteral("3"));
}

TEST_F(CalculatorEngineTest, DivisionByZeroIsReportedAndStartsAfresh)
{
    EXPECT_EQ(type("5/0="), QStringLiteral("除数不能为零"));
    EXPECT_EQ(state.accumulator, 0);
    EXPECT_EQ(state.pendingOperator, CalculatorState::Operator::None);
    EXPECT_TRUE(state.newEntry);
    EXPECT_EQ(type("7"), QStringLiteral("7"));
    EXPECT_EQ(type("+1="), QStringLiteral("8"));

    // Also when an operator key completes the division: it is not left pending.
    EXPECT_EQ(type("3/C+"), QStringLiteral("除数不能为零"));
    EXPECT_EQ(state.pendingOperator, CalculatorState::Operator::Add);
    EXPECT_EQ(type("2="), QStringLiteral("2"));
}

TEST_F(CalculatorEngineTest, ZeroDividedByZeroIsUndefined)
{
    EXPECT_EQ(type("0/0="), QStringLiteral("结果未定义"));
    EXPECT_EQ(state.accumulator, 0);
    EXPECT_EQ(state.pendingOperator, CalculatorState::Operator::None);
    EXPECT_EQ(type("."), QStringLiteral(".")); // the message holds no number
    EXPECT_EQ(platform.beeps, 0);
}

TEST_F(CalculatorEngineTest, OverflowIsReportedNeverShownAsANumber)
{
    type("1");
    for (int i = 0; i < 308; ++i)
        type("0");
    EXPECT_EQ(type("="), QStringLiteral("1E+308"));
    EXPECT_EQ(type("*10="), QStringLiteral("溢出"));
    EXPECT_EQ(state.accumulator, 0);
    EXPECT_EQ(state.pendingOperator, CalculatorState::Operator::None);
    EXPECT_TRUE(state.newEntry);
    EXPECT_EQ(type("9="), QStringLiteral("9"));

    // An entry beyond the double range.
    type("1");
    for (int i = 0; i < 310; ++i)
        type("0");
    EXPECT_EQ(type("+"), QStringLiteral("溢出"));
}

TEST_F(CalculatorEngineTest, ResultInExponentFormExtendedByDigits)
{
    EXPECT_EQ(type("100000000000*1000000000="), QStringLiteral("1E+20"));
    state.newEntry = false; // as after pasting into the field
    EXPECT_EQ(type("5"), QStringLiteral("1E+205"));
    EXPECT_EQ(type("/1="), QStringLiteral("1E+205"));
}

TEST_F(CalculatorEngineTest, DisplayChangesAreAnnounced)
{
    QStringList shown;
    QObject::connect(&engine, &CalculatorEngine::displayChanged, [&shown](const QString &t) { shown << t; });
    type("1+2=");
    EXPECT_EQ(shown, (QStringList{"1", "1", "2", "3"}));
}
