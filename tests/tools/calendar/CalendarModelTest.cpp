#include "tools/calendar/CalendarModel.h"

#include <gtest/gtest.h>

using namespace korvane;

namespace {

int yearIndex(int year) { return year - CalendarModel::FirstYear; }

} // namespace

TEST(CalendarModelTest, ListsHoldTheMonthNamesAndTheYearsWithALeadingBlank)
{
    const QStringList months = CalendarModel::monthNames();
    ASSERT_EQ(months.size(), 12);
    EXPECT_EQ(months.first(), QStringLiteral("一月"));
    EXPECT_EQ(months[10], QStringLiteral("十一月"));
    EXPECT_EQ(months.last(), QStringLiteral("十二月"));
    const QStringList years = CalendarModel::yearItems();
    ASSERT_EQ(years.size(), 101);
    EXPECT_EQ(years.first(), QStringLiteral(" 1960"));
    EXPECT_EQ(years[66], QStringLiteral(" 2026"));
    EXPECT_EQ(years.last(), QStringLiteral(" 2060"));
}

TEST(CalendarModelTest, MonthLengthsFollowTheGregorianRule)
{
    const struct {
        int year, month, days;
    } cases[] = {{2000, 2, 29}, {2023, 2, 28}, {2024, 2, 29}, {2100, 2, 28},
                 {2026, 4, 30}, {2026, 1, 31}, {2026, 12, 31}};
    for (const auto &c : cases)
        EXPECT_EQ(CalendarModel::monthLength(c.year, c.month), c.days) << c.year << "-" << c.month;
}

TEST(CalendarModelTest, WeekdayNamesAndLongDate)
{
    const struct {
        QDate date;
        const char *weekday;
        const char *longDate;
    } cases[] = {
        {QDate(2026, 12, 6), "星期日", "2026年12月6日"},
        {QDate(2026, 12, 7), "星期一", "2026年12月7日"},
        {QDate(2026, 12, 12), "星期六", "2026年12月12日"},
        {QDate(1960, 1, 31), "星期日", "1960年1月31日"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.longDate);
        EXPECT_EQ(CalendarModel::weekdayName(c.date), QString::fromUtf8(c.weekday));
        EXPECT_EQ(CalendarModel::longDate(c.date), QString::fromUtf8(c.longDate));
    }
}

TEST(CalendarModelTest, StartsOnToday)
{
    CalendarModel model;
    model.load(QDate(2026, 12, 7));
    EXPECT_EQ(model.monthIndex(), 11);
    EXPECT_EQ(model.yearIndex(), yearIndex(2026));
    EXPECT_EQ(model.pickedDay(), 7);
    EXPECT_EQ(model.borderedCell(), 6);
    EXPECT_EQ(model.visibleCells(), 31);
    EXPECT_EQ(model.dayText(), QStringLiteral("星期一"));
    EXPECT_EQ(model.dateText(), QStringLiteral("2026年12月7日"));
    EXPECT_EQ(model.messageText(), QStringLiteral("2026年12月7日"));
}

TEST(CalendarModelTest, MonthChangeLaysOutItsDays)
{
    CalendarModel model;
    model.load(QDate(2024, 1, 15));
    model.selectMonth(1);
    EXPECT_EQ(model.visibleCells(), 29);
    EXPECT_TRUE(model.cellVisible(28));
    EXPECT_FALSE(model.cellVisible(29));
    EXPECT_EQ(model.dateText(), QStringLiteral("2024年2月15日"));
    EXPECT_EQ(model.dayText(), QStringLiteral("星期四"));
    model.selectMonth(3);
    EXPECT_EQ(model.visibleCells(), 30);
    model.selectMonth(0);
    EXPECT_EQ(model.visibleCells(), 31);
    EXPECT_TRUE(model.cellVisible(30));
    model.selectMonth(12); // no such item
    EXPECT_EQ(model.monthIndex(), 0);
}

TEST(CalendarModelTest, YearChangeRelaysFebruary)
{
    CalendarModel model;
    model.load(QDate(2024, 2, 10));
    EXPECT_EQ(model.visibleCells(), 29);
    model.selectYear(yearIndex(2023));
    EXPECT_EQ(model.visibleCells(), 28);
    EXPECT_EQ(model.dateText(), QStringLiteral("2023年2月10日"));
    EXPECT_EQ(model.dayText(), QStringLiteral("星期五"));
    model.selectYear(yearIndex(2000));
    EXPECT_EQ(model.visibleCells(), 29);
    model.selectYear(101); // beyond the list
    EXPECT_EQ(model.selectedYear(), 2000);
}

TEST(CalendarModelTest, DayThatDoesNotExistKeepsTheLabelsAndLowersThePickedDay)
{
    CalendarModel model;
    model.load(QDate(2026, 1, 31));
    model.selectMonth(3); // April
    EXPECT_EQ(model.visibleCells(), 30);
    EXPECT_FALSE(model.cellVisible(30));
    EXPECT_EQ(model.borderedCell(), 30); // the hidden cell keeps the border
    EXPECT_EQ(model.pickedDay(), 30);
    EXPECT_EQ(model.dayText(), QStringLiteral("星期六"));
    EXPECT_EQ(model.dateText(), QStringLiteral("2026年1月31日"));

    model.selectMonth(4); // May: the 30th is picked normally
    EXPECT_EQ(model.borderedCell(), 29);
    EXPECT_EQ(model.pickedDay(), 30);
    EXPECT_EQ(model.dateText(), QStringLiteral("2026年5月30日"));
    EXPECT_EQ(model.dayText(), QStringLiteral("星期六"));
}

TEST(CalendarModelTest, ShowForADayThatDoesNotExistGivesTheLastValidDate)
{
    CalendarModel model;
    model.load(QDate(2026, 1, 31));
    model.selectMonth(1); // February 2026: the 31st fails, the picked day drops to 30
    EXPECT_EQ(model.pickedDay(), 30);
    EXPECT_EQ(model.messageText(), QStringLiteral("2026年1月31日"));
    model.selectMonth(1); // again: the 30th fails too
    EXPECT_EQ(model.pickedDay(), 29);
    EXPECT_EQ(model.messageText(), QStringLiteral("2026年1月31日"));
    model.selectMonth(1); // and the 29th: February 2026 has 28 days
    EXPECT_EQ(model.pickedDay(), 28);
    model.selectMonth(1);
    EXPECT_EQ(model.messageText(), QStringLiteral("2026年2月28日"));
    EXPECT_EQ(model.dateText(), QStringLiteral("2026年2月28日"));
}

TEST(CalendarModelTest, PickingMovesTheSingleBorder)
{
    CalendarModel model;
    model.load(QDate(2026, 12, 7));
    model.pickDay(24);
    EXPECT_EQ(model.borderedCell(), 24);
    EXPECT_EQ(model.pickedDay(), 25);
    EXPECT_EQ(model.dayText(), QStringLiteral("星期五"));
    EXPECT_EQ(model.dateText(), QStringLiteral("2026年12月25日"));
    model.pickDay(24);
    EXPECT_EQ(model.borderedCell(), 24);
    model.pickDay(31); // no such cell
    EXPECT_EQ(model.borderedCell(), 24);
}

TEST(CalendarModelTest, EveryLoadStartsLikeTheFirst)
{
    CalendarModel model;
    model.load(QDate(2026, 12, 7));
    model.selectYear(yearIndex(1999));
    model.selectMonth(1);
    model.pickDay(2);
    model.load(QDate(2026, 12, 7));
    EXPECT_EQ(model.borderedCell(), 6);
    EXPECT_EQ(model.pickedDay(), 7);
    EXPECT_EQ(model.dateText(), QStringLiteral("2026年12月7日"));
    EXPECT_EQ(model.dayText(), QStringLiteral("星期一"));
}

TEST(CalendarModelTest, TodayOutsideTheYearListSelectsTheNearestYear)
{
    CalendarModel model;
    model.load(QDate(2075, 3, 9));
    EXPECT_EQ(model.selectedYear(), 2060);
    EXPECT_EQ(model.monthIndex(), 2);
    EXPECT_EQ(model.dateText(), QStringLiteral("2060年3月9日"));
    EXPECT_EQ(model.dayText(), CalendarModel::weekdayName(QDate(2060, 3, 9)));
    model.load(QDate(1950, 2, 1));
    EXPECT_EQ(model.selectedYear(), 1960);
    EXPECT_EQ(model.dateText(), QStringLiteral("1960年2月1日"));
}
