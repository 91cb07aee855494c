#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace korvane {

// What the calendar window shows, without the window: the selected month and year,
// the day cells of that month (day 1 top-left, rows of seven), the picked day with
// its border, and the weekday name and long date of the picked day.
class CalendarModel {
public:
    static constexpr int FirstYear = 1960;
    static constexpr int LastYear = 2060;
    static constexpr int MonthCount = 12;
    static constexpr int CellCount = 31; // one per day of the longest month

    static QStringList monthNames(); // "一月" … "十二月"
    static QStringList yearItems();  // " 1960" … " 2060"
    static int monthLength(int year, int month);
    static QString weekdayName(const QDate &date); // "星期日" … "星期六"
    static QString longDate(const QDate &date);    // "2026年12月7日"

    // Start-up: both lists select today (the year list the nearest year it holds),
    // today's cell is picked and both labels show today.
    void load(const QDate &today);

    // The user's choices; an index outside its list is ignored.
    void selectMonth(int index); // 0..11
    void selectYear(int index);  // 0..100
    // Picking cell i (day i + 1). A day that does not exist in the month changes
    // neither label; the border goes to the cell anyway and the picked day drops to i.
    void pickDay(int index);

    // The text of the "显示" message box: the long date of the picked day, or, when
    // that day does not exist in the chosen month, the last date the labels showed.
    QString messageText() const;

    int monthIndex() const { return m_monthIndex; }
    int yearIndex() const { return m_yearIndex; }
    int selectedYear() const { return FirstYear + m_yearIndex; }
    int selectedMonth() const { return m_monthIndex + 1; }
    int pickedDay() const { return m_pickedDay; }
    int borderedCell() const { return m_borderedCell; }
    bool cellVisible(int index) const { return index >= 0 && index < m_visibleCells; }
    int visibleCells() const { return m_visibleCells; }
    const QString &dayText() const { return m_dayText; }
    const QString &dateText() const { return m_dateText; }

private:
    void updateMonth();
    QDate pickedDate() const;

    int m_monthIndex = -1;
    int m_yearIndex = -1;
    int m_pickedDay = 1;
    int m_borderedCell = -1;
    int m_visibleCells = CellCount;
    bool m_yearListArmed = false;
    QString m_dayText;
    QString m_dateText;
    QDate m_shownDate; // the date both labels stand for
};

} // namespace korvane
