#include "tools/calculator/CalculatorEngine.h"

#include "ScriptedPlatform.h"

#include <gtest/gtest.h>

using namespace korvane;

namespace {

// Drives the calculator through its key mapping, one character at a time, the way the
// window hands over typed keys. "\r" is the Enter key.
class CalculatorEngineTest : public ::testing::Test {
protected:
    QString type(const char *keys)
    {
        for (const char *k = keys; *k; ++k)
            engine.keyPress(QString(QLatin1Char(*k)));
        return engine.display();
    }
    QString backspace()
    {
        engine.keyRelease(Qt::Key_Backspace);
        return engine.display();
    }

    ScriptedPlatform platform;
    CalculatorState state;
    CalculatorEngine engine{state, platform.beeper()};
};

} // namespace

TEST_F(CalculatorEngineTest, EqualsInAFreshCalculatorShowsZero)
{
    EXPECT_EQ(engine.display(), QString());
    EXPECT_EQ(type("="), QStringLiteral("0"));
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

TEST_F(CalculatorEngineTest, OperandOrderOfEachOperator)
{
    EXPECT_EQ(type("9-4="), QStringLiteral("5"));
    EXPECT_EQ(type("4-9="), QStringLiteral("-5"));
    EXPECT_EQ(type("8/2="), QStringLiteral("4"));
    EXPECT_EQ(type("2/8="), QStringLiteral("0.25"));
    EXPECT_EQ(type("6*7="), QStringLiteral("42"));
    EXPECT_EQ(type("1+2*3="), QStringLiteral("9")); // no precedence
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

TEST_F(CalculatorEngineTest, DivisionGivesFractionsToFifteenDigits)
{
    EXPECT_EQ(type("7/2="), QStringLiteral("3.5"));
    EXPECT_EQ(type("1/3="), QStringLiteral("0.333333333333333"));
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

TEST_F(CalculatorEngineTest, SignButton)
{
    type("12");
    engine.changeSign();
    EXPECT_EQ(engine.display(), QStringLiteral("-12"));
    engine.changeSign();
    EXPECT_EQ(engine.display(), QStringLiteral("12"));

    type("=");
    engine.changeSign();
    EXPECT_EQ(engine.display(), QStringLiteral("-"));
    EXPECT_EQ(type("4"), QStringLiteral("-4"));
    EXPECT_EQ(type("+10="), QStringLiteral("6"));
}

TEST_F(CalculatorEngineTest, BackspaceOnKeyRelease)
{
    type("123");
    EXPECT_EQ(backspace(), QStringLiteral("12"));
    EXPECT_EQ(backspace(), QStringLiteral("1"));
    EXPECT_EQ(backspace(), QStringLiteral("0"));
    EXPECT_EQ(type("5"), QStringLiteral("05"));
    EXPECT_EQ(type("+1="), QStringLiteral("6"));

    type("C12");
    engine.changeSign();
    EXPECT_EQ(backspace(), QStringLiteral("-1"));
    engine.keyRelease(Qt::Key_Delete);
    EXPECT_EQ(engine.display(), QStringLiteral("0"));
    engine.keyRelease(Qt::Key_A);
    EXPECT_EQ(engine.display(), QStringLiteral("0"));
}

TEST_F(CalculatorEngineTest, EveryMultiplyAndEqualsKey)
{
    EXPECT_EQ(type("2x3="), QStringLiteral("6"));
    EXPECT_EQ(type("2X4="), QStringLiteral("8"));
    EXPECT_EQ(type("2*5\r"), QStringLiteral("10"));
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

TEST_F(CalculatorEngineTest, BackspaceDropsAnExponentLeftWithoutDigits)
{
    EXPECT_EQ(type("100000000000000000000="), QStringLiteral("1E+20"));
    EXPECT_EQ(backspace(), QStringLiteral("1E+2"));
    EXPECT_EQ(backspace(), QStringLiteral("1"));
    EXPECT_EQ(backspace(), QStringLiteral("0"));

    // A small negative result, as a random key run found it: "…E-06" must not end as "…E-".
    EXPECT_EQ(type("C0-1/1000000="), QStringLiteral("-1E-06"));
    EXPECT_EQ(backspace(), QStringLiteral("-1E-0"));
    EXPECT_EQ(backspace(), QStringLiteral("-1"));
    EXPECT_EQ(type("+1="), QStringLiteral("0"));
}

TEST_F(CalculatorEngineTest, BackspaceOnAMessageLeavesZero)
{
    type("5/0=");
    EXPECT_EQ(backspace(), QStringLiteral("0"));
    EXPECT_EQ(type("3"), QStringLiteral("3"));
}

TEST_F(CalculatorEngineTest, TextsThatAreNoNumberCountAsZero)
{
    EXPECT_EQ(type("+.="), QStringLiteral("0"));
    engine.changeSign();
    EXPECT_EQ(engine.display(), QStringLiteral("-"));
    EXPECT_EQ(type("+"), QStringLiteral("0"));
    engine.changeSign();
    type(".");
    EXPECT_EQ(engine.display(), QStringLiteral("-."));
    EXPECT_EQ(type("+3="), QStringLiteral("3"));

    engine.setDisplayFromField(QStringLiteral("hello"));
    EXPECT_EQ(type("+4="), QStringLiteral("4"));
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
