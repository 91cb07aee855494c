#include "tools/calculator/CalculatorWindow.h"
#include "ToolWindowTest.h"
#include "platform/Twips.h"
#include "tools/calculator/CalculatorDisplay.h"
#include "tools/calculator/CalculatorEngine.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace korvane;

namespace {

// The calculator as the menu item "计算器" opens it; the tests type into it.
class CalculatorWindowTest
    : public test::ToolWindowTest<CalculatorWindow, Tool::Calculator, test::WindowReady::Active> {
protected:
    QPushButton *button(CalculatorWindow *w, const char *name)
    {
        return w->findChild<QPushButton *>(QString::fromLatin1(name));
    }
};

} // namespace

TEST_F(CalculatorWindowTest, LayoutFollowsTheTwipTable)
{
    CalculatorWindow *w = open();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->objectName(), QStringLiteral("Form5"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("计算器"));
    EXPECT_EQ(w->size(), QSize(273, 215));
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_FALSE(w->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(w->display()->geometry(), twipsRect(240, 240, 2055, 390));
    EXPECT_TRUE(w->display()->alignment() & Qt::AlignRight);
    EXPECT_EQ(w->display()->text(), QString());

    struct Cell {
        const char *name;
        int index;
        const char *caption;
        int left, top;
    };
    const Cell cells[] = {{"cmdNumber", 1, "1", 240, 720},        {"cmdNumber", 2, "2", 960, 720},
                          {"cmdNumber", 3, "3", 1680, 720},       {"cmdOperator", 1, "+", 2520, 720},
                          {"cmdClearEntry", -1, "CE", 3240, 720}, {"cmdNumber", 4, "4", 240, 1320},
                          {"cmdNumber", 5, "5", 960, 1320},       {"cmdNumber", 6, "6", 1680, 1320},
                          {"cmdOperator", 2, "-", 2520, 1320},    {"cmdClear", -1, "C", 3240, 1320},
                          {"cmdNumber", 7, "7", 240, 1920},       {"cmdNumber", 8, "8", 960, 1920},
                          {"cmdNumber", 9, "9", 1680, 1920},      {"cmdOperator", 3, "x", 2520, 1920},
                          {"cmdPlusMinus", -1, "+/-", 240, 2520}, {"cmdNumber", 0, "0", 960, 2520},
                          {"cmdDecimal", -1, ".", 1680, 2520},    {"cmdOperator", 4, "/", 2520, 2520},
                          {"cmdEquals", -1, "=", 3240, 2520}};
    const QList<QPushButton *> buttons = w->findChildren<QPushButton *>();
    EXPECT_EQ(buttons.size(), 19);
    for (const Cell &c : cells) {
        QPushButton *found = nullptr;
        for (QPushButton *b : buttons)
            if (b->objectName() == QLatin1String(c.name) && (c.index < 0 || b->property("Index").toInt() == c.index))
                found = b;
        ASSERT_TRUE(found) << c.name << c.index;
        EXPECT_EQ(found->text(), QString::fromLatin1(c.caption)) << c.name << c.index;
        EXPECT_EQ(found->geometry(), twipsRect(c.left, c.top, 615, 495)) << c.name << c.index;
    }

    // The landscape fills the window from its top-left corner: sky above the display.
    const QColor sky = w->grab().toImage().pixelColor(4, 4);
    EXPECT_GT(sky.blue(), sky.red() + 50);

    // Fixed pitch at 12 point, in the display and on the keys.
    EXPECT_TRUE(QFontDatabase::isFixedPitch(QFontInfo(w->display()->font()).family()));
    EXPECT_EQ(w->display()->font().pointSize(), 12);
    EXPECT_EQ(w->numberButton(5)->font().pointSize(), 12);
}

TEST_F(CalculatorWindowTest, TabOrderRunsFromTheDisplayThroughTheKeys)
{
    CalculatorWindow *w = open();
    ASSERT_TRUE(w);
    QStringList order;
    QWidget *x = w->display();
    for (int i = 0; i < 20; ++i) {
        auto *b = qobject_cast<QPushButton *>(x);
        order << (b ? b->text() : x->objectName());
        x = x->nextInFocusChain();
    }
    EXPECT_EQ(order, (QStringList{"txtDisplay", "0", "1", "2", "3", "4", "5", "6",  "7", "8",
                                  "9",          "x", "+", "-", "=", "/", "C", "CE", ".", "+/-"}));
}

TEST_F(CalculatorWindowTest, KeysGoThroughTheMappingWhateverHasTheFocus)
{
    CalculatorWindow *w = open();
    ASSERT_TRUE(w);
    CalculatorDisplay *display = w->display();
    display->setFocus();
    QTest::keyClicks(display, QStringLiteral("12+3"));
    EXPECT_EQ(display->text(), QStringLiteral("3"));
    QTest::keyClicks(display, QStringLiteral("abz ?"));
    EXPECT_EQ(display->text(), QStringLiteral("3"));

    // Enter on a focused key completes the operation; it does not press that key.
    QPushButton *seven = w->numberButton(7);
    seven->setFocus();
    QTest::keyClick(seven, Qt::Key_Return);
    EXPECT_EQ(display->text(), QStringLiteral("15"));
    QTest::keyClick(seven, Qt::Key_Space);
    EXPECT_EQ(display->text(), QStringLiteral("15"));
    QTest::keyClicks(seven, QStringLiteral("*2="));
    EXPECT_EQ(display->text(), QStringLiteral("30"));
    EXPECT_EQ(display->cursorPosition(), 2);
}

TEST_F(CalculatorWindowTest, KeypadKeysCountOnce)
{
    CalculatorWindow *w = open();
    ASSERT_TRUE(w);
    w->display()->setFocus();
    QTest::keyClick(w->display(), Qt::Key_4, Qt::KeypadModifier);
    QTest::keyClick(w->display(), Qt::Key_Plus, Qt::KeypadModifier);
    QTest::keyClick(w->display(), Qt::Key_2, Qt::KeypadModifier);
    QTest::keyClick(w->display(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(w->display()->text(), QStringLiteral("6"));
}

TEST_F(CalculatorWindowTest, BackspaceActsOnceOnRelease)
{
    CalculatorWindow *w = open();
    ASSERT_TRUE(w);
    CalculatorDisplay *display = w->display();
    display->setFocus();
    QTest::keyClicks(display, QStringLiteral("1234"));
    QTest::keyPress(display, Qt::Key_Backspace);
    EXPECT_EQ(display->text(), QStringLiteral("1234")); // the press does nothing
    QTest::keyRelease(display, Qt::Key_Backspace);
    EXPECT_EQ(display->text(), QStringLiteral("123"));
    // A held key repeats its presses but is released once.
    QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_Backspace, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(display, &repeated);
    EXPECT_EQ(display->text(), QStringLiteral("123"));
    QTest::keyClick(w->numberButton(1), Qt::Key_Delete);
    EXPECT_EQ(display->text(), QStringLiteral("12"));
    EXPECT_EQ(display->cursorPosition(), 2);
}

TEST_F(CalculatorWindowTest, ButtonsDriveTheEngine)
{
    CalculatorWindow *w = open();
    ASSERT_TRUE(w);
    QTest::mouseClick(w->numberButton(9), Qt::LeftButton);
    QTest::mouseClick(button(w, "cmdPlusMinus"), Qt::LeftButton);
    QTest::mouseClick(w->operatorButton(CalculatorState::Operator::Multiply), Qt::LeftButton);
    QTest::mouseClick(w->numberButton(2), Qt::LeftButton);
    QTest::mouseClick(button(w, "cmdDecimal"), Qt::LeftButton);
    QTest::mouseClick(w->numberButton(5), Qt::LeftButton);
    QTest::mouseClick(button(w, "cmdEquals"), Qt::LeftButton);
    EXPECT_EQ(w->display()->text(), QStringLiteral("-22.5"));
    QTest::mouseClick(button(w, "cmdDecimal"), Qt::LeftButton);
    EXPECT_EQ(platform.beeps, 1);
    QTest::mouseClick(w->operatorButton(CalculatorState::Operator::Divide), Qt::LeftButton);
    QTest::mouseClick(w->numberButton(0), Qt::LeftButton);
    QTest::mouseClick(button(w, "cmdEquals"), Qt::LeftButton);
    EXPECT_EQ(w->display()->text(), QStringLiteral("除数不能为零"));
    QTest::mouseClick(w->numberButton(8), Qt::LeftButton);
    QTest::mouseClick(button(w, "cmdClearEntry"), Qt::LeftButton);
    EXPECT_EQ(w->display()->text(), QString());
    QTest::mouseClick(w->operatorButton(CalculatorState::Operator::Add), Qt::LeftButton);
    QTest::mouseClick(w->numberButton(3), Qt::LeftButton);
    QTest::mouseClick(button(w, "cmdClear"), Qt::LeftButton);
    QTest::mouseClick(w->numberButton(4), Qt::LeftButton);
    QTest::mouseClick(button(w, "cmdEquals"), Qt::LeftButton);
    EXPECT_EQ(w->display()->text(), QStringLiteral("4"));
}

TEST_F(CalculatorWindowTest, ReopenedWindowStartsEmptyAndCarriesOnWithThePendingOperation)
{
    CalculatorWindow *w = open();
    ASSERT_TRUE(w);
    QTest::keyClicks(w->display(), QStringLiteral("12+"));
    closeWindow();
    EXPECT_EQ(openWindow(), nullptr);

    w = open();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->display()->text(), QString());
    EXPECT_EQ(w->engine().state().accumulator, 12);
    EXPECT_EQ(w->engine().state().pendingOperator, CalculatorState::Operator::Add);
    QTest::keyClicks(w->display(), QStringLiteral("3="));
    EXPECT_EQ(w->display()->text(), QStringLiteral("15"));

    // The new-entry flag carries over too: the next digit starts a fresh entry.
    closeWindow();
    w = open();
    ASSERT_TRUE(w);
    QTest::keyClicks(w->display(), QStringLiteral("7"));
    EXPECT_EQ(w->display()->text(), QStringLiteral("7"));
}

TEST_F(CalculatorWindowTest, TextThatReachesTheFieldOtherwiseIsTheEntry)
{
    CalculatorWindow *w = open();
    ASSERT_TRUE(w);
    QTest::keyClicks(w->display(), QStringLiteral("2*"));
    w->display()->selectAll();
    w->display()->insert(QStringLiteral("21")); // as a middle-click paste over the selection does
    QTest::keyClicks(w->display(), QStringLiteral("="));
    EXPECT_EQ(w->display()->text(), QStringLiteral("42"));
}

TEST_F(CalculatorWindowTest, CaretStaysBehindTheLastCharacter)
{
    CalculatorWindow *w = open();
    ASSERT_TRUE(w);
    QTest::keyClicks(w->display(), QStringLiteral("123"));
    w->numberButton(0)->setFocus();
    QTest::keyClick(w->numberButton(0), Qt::Key_Backtab); // tabbing back into the display
    EXPECT_TRUE(w->display()->hasFocus());
    EXPECT_FALSE(w->display()->hasSelectedText());
    EXPECT_EQ(w->display()->cursorPosition(), 3);
}
