#include "tools/calendar/CalendarWindow.h"
#include "ToolWindowTest.h"
#include "platform/Twips.h"
#include "tools/calendar/WrapAfterLabel.h"

#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace korvane;

namespace {

// The calendar as the menu item "日历" opens it, on a clock fixed at 7 December 2026.
class CalendarWindowTest : public test::ToolWindowTest<CalendarWindow, Tool::Calendar> {
protected:
    template <typename T>
    T *child(QWidget *w, const char *name)
    {
        return w->findChild<T *>(QString::fromLatin1(name));
    }
    QList<int> borderedCells(CalendarWindow *w)
    {
        QList<int> cells;
        for (int i = 0; i < CalendarModel::CellCount; ++i)
            if (w->dayCell(i)->frameShape() != QFrame::NoFrame)
                cells << i;
        return cells;
    }
    QString label(CalendarWindow *w, const char *name) { return child<QLabel>(w, name)->text(); }
};

} // namespace

TEST_F(CalendarWindowTest, LayoutFollowsTheTwipTable)
{
    CalendarWindow *w = open();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->objectName(), QStringLiteral("frmcalendar"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("日历"));
    EXPECT_EQ(w->size(), QSize(286, 191));
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_EQ(child<QComboBox>(w, "month12")->geometry(), twipsRect(120, 360, 2415, 300));
    EXPECT_EQ(child<QComboBox>(w, "year12")->geometry(), twipsRect(2880, 360, 1215, 300));
    EXPECT_EQ(child<QFrame>(w, "Shape1")->geometry(), twipsRect(120, 840, 2655, 1935));
    EXPECT_EQ(child<QLabel>(w, "lblday")->geometry(), twipsRect(2880, 1000, 1215, 255));
    EXPECT_EQ(child<QLabel>(w, "lbldate")->geometry(), twipsRect(2880, 1200, 1215, 615));
    EXPECT_EQ(child<QPushButton>(w, "cmdOK")->geometry(), twipsRect(3000, 1965, 1215, 345));
    EXPECT_EQ(child<QPushButton>(w, "CmdCancel")->geometry(), twipsRect(3000, 2400, 1215, 345));
    EXPECT_EQ(child<QPushButton>(w, "cmdOK")->text(), QStringLiteral("显示"));
    EXPECT_TRUE(child<QPushButton>(w, "cmdOK")->isDefault());
    EXPECT_EQ(child<QPushButton>(w, "CmdCancel")->text(), QStringLiteral("退出"));
    EXPECT_EQ(child<QComboBox>(w, "month12")->count(), 12);
    EXPECT_EQ(child<QComboBox>(w, "year12")->count(), 101);
    EXPECT_FALSE(child<QComboBox>(w, "year12")->isEditable());

    QStringList tabOrder;
    QWidget *x = child<QComboBox>(w, "month12");
    for (; tabOrder.size() < 4; x = x->nextInFocusChain())
        if (x->focusPolicy() & Qt::TabFocus) // labels take no focus
            tabOrder << x->objectName();
    EXPECT_EQ(tabOrder, (QStringList{"month12", "year12", "cmdOK", "CmdCancel"}));

    QStringList captions;
    for (QLabel *l : w->findChildren<QLabel *>(QStringLiteral("Label1")))
        captions << l->text();
    EXPECT_EQ(captions, (QStringList{"月份", "年份"}));

    for (int i = 0; i < CalendarModel::CellCount; ++i) {
        EXPECT_EQ(w->dayCell(i)->text(), QString::number(i + 1));
        EXPECT_EQ(w->dayCell(i)->geometry(), twipsRect(240 + 360 * (i % 7), 960 + 360 * (i / 7), 300, 285)) << i;
    }

    EXPECT_EQ(child<QLabel>(w, "lblday")->palette().color(QPalette::WindowText), QColor(Qt::darkRed));
    EXPECT_EQ(child<QLabel>(w, "lbldate")->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_TRUE(w->font().bold());
    EXPECT_DOUBLE_EQ(w->font().pointSizeF(), 8.25);
}

TEST_F(CalendarWindowTest, OpensOnToday)
{
    CalendarWindow *w = open();
    ASSERT_TRUE(w);
    EXPECT_EQ(child<QComboBox>(w, "month12")->currentText(), QStringLiteral("十二月"));
    EXPECT_EQ(child<QComboBox>(w, "year12")->currentText(), QStringLiteral(" 2026"));
    EXPECT_EQ(borderedCells(w), QList<int>{6});
    EXPECT_EQ(w->dayCell(6)->frameShape(), QFrame::Box);
    EXPECT_EQ(label(w, "lblday"), QStringLiteral("星期一"));
    EXPECT_EQ(label(w, "lbldate"), QStringLiteral("2026年12月7日"));
}

// The label's text is the long date and nothing else; the wrapping is only drawn.
TEST_F(CalendarWindowTest, LongDateWrapsAfterTheYearOnly)
{
    CalendarWindow *w = open();
    ASSERT_TRUE(w);
    auto *date = child<QLabel>(w, "lbldate");
    EXPECT_EQ(date->text(), w->model().dateText());
    const QFontMetrics metrics(date->font());
    const QString text = QStringLiteral("2026年12月25日");
    const QStringList twoLines{QStringLiteral("2026年"), QStringLiteral("12月25日")};
    auto lines = [&](int width) { return WrapAfterLabel::lines(text, QChar(u'年'), metrics, width); };
    EXPECT_EQ(lines(metrics.horizontalAdvance(text)), QStringList{text});
    EXPECT_EQ(lines(metrics.horizontalAdvance(text) - 1), twoLines);
    EXPECT_EQ(lines(metrics.horizontalAdvance(QStringLiteral("2026年12月"))), twoLines);
    EXPECT_EQ(lines(1), twoLines); // too narrow for either: still no break inside month or day
}

TEST_F(CalendarWindowTest, ClickingACellMovesTheBorder)
{
    CalendarWindow *w = open();
    ASSERT_TRUE(w);
    QTest::mouseClick(w->dayCell(24), Qt::LeftButton);
    EXPECT_EQ(borderedCells(w), QList<int>{24});
    EXPECT_EQ(label(w, "lblday"), QStringLiteral("星期五"));
    EXPECT_EQ(label(w, "lbldate"), QStringLiteral("2026年12月25日"));
    QTest::mouseClick(w->dayCell(24), Qt::LeftButton);
    EXPECT_EQ(borderedCells(w), QList<int>{24});
}

TEST_F(CalendarWindowTest, ChoosingMonthAndYearRelaysTheGrid)
{
    platform.fixedNow = QDateTime(QDate(2026, 1, 31), QTime(9, 0));
    CalendarWindow *w = open();
    ASSERT_TRUE(w);
    auto *month = child<QComboBox>(w, "month12");
    auto *year = child<QComboBox>(w, "year12");

    month->setCurrentIndex(3); // April
    EXPECT_TRUE(w->dayCell(29)->isVisibleTo(w));
    EXPECT_FALSE(w->dayCell(30)->isVisibleTo(w));
    EXPECT_EQ(label(w, "lbldate"), QStringLiteral("2026年1月31日"));

    month->setCurrentIndex(1);
    year->setCurrentIndex(2024 - 1960);
    EXPECT_TRUE(w->dayCell(28)->isVisibleTo(w));
    EXPECT_FALSE(w->dayCell(29)->isVisibleTo(w));
    year->setCurrentIndex(2023 - 1960);
    EXPECT_FALSE(w->dayCell(28)->isVisibleTo(w));
    EXPECT_TRUE(w->dayCell(27)->isVisibleTo(w));
    // The 29th, picked in 2024, does not exist in 2023: the labels keep the last date.
    EXPECT_EQ(label(w, "lbldate"), QStringLiteral("2024年2月29日"));
    EXPECT_EQ(w->model().pickedDay(), 28);
}

TEST_F(CalendarWindowTest, ShowRepeatsTheLongDateUnderTheProgramTitle)
{
    CalendarWindow *w = open();
    ASSERT_TRUE(w);
    QTest::mouseClick(w->dayCell(0), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(w, "cmdOK"), Qt::LeftButton);
    ASSERT_EQ(platform.shownMessages.size(), 1);
    EXPECT_EQ(platform.shownMessages[0].text, QStringLiteral("2026年12月1日"));
    EXPECT_EQ(platform.shownMessages[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(platform.shownMessages[0].icon, MsgIcon::None);
    EXPECT_EQ(platform.shownMessages[0].title, ProgramTitle);

    // Enter presses the default button.
    child<QComboBox>(w, "month12")->setFocus();
    QTest::keyClick(child<QComboBox>(w, "month12"), Qt::Key_Return);
    EXPECT_EQ(platform.shownMessages.size(), 2);
}

TEST_F(CalendarWindowTest, QuitAndEscapeCloseTheWindow)
{
    CalendarWindow *w = open();
    ASSERT_TRUE(w);
    QTest::mouseClick(child<QPushButton>(w, "CmdCancel"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(openWindow(), nullptr);

    w = open();
    ASSERT_TRUE(w);
    QTest::keyClick(w, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(openWindow(), nullptr);
}

TEST_F(CalendarWindowTest, ReopenedWindowStartsLikeTheFirst)
{
    CalendarWindow *w = open();
    ASSERT_TRUE(w);
    child<QComboBox>(w, "year12")->setCurrentIndex(0);
    QTest::mouseClick(w->dayCell(19), Qt::LeftButton);
    closeWindow();

    w = open();
    ASSERT_TRUE(w);
    EXPECT_EQ(child<QComboBox>(w, "year12")->currentText(), QStringLiteral(" 2026"));
    EXPECT_EQ(borderedCells(w), QList<int>{6});
    EXPECT_EQ(label(w, "lbldate"), QStringLiteral("2026年12月7日"));
    EXPECT_EQ(label(w, "lblday"), QStringLiteral("星期一"));
}
