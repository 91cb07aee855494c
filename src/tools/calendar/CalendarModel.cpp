#include "tools/calendar/CalendarModel.h"

#include <algorithm>

namespace korvane {

QStringList CalendarModel::monthNames()
{
    return {QStringLiteral("一月"), QStringLiteral("二月"), QStringLiteral("三月"),   QStringLiteral("四月"),
            QStringLiteral("五月"), QStringLiteral("六月"), QStringLiteral("七月"),   QStringLiteral("八月"),
            QStringLiteral("九月"), QStringLiteral("十月"), QStringLiteral("十一月"), QStringLiteral("十二月")};
}

QStringList CalendarModel::yearItems()
{
    QStringList items;
    for (int year = FirstYear; year <= LastYear; ++year)
        items << QLatin1Char(' ') + QString::number(year);
    return items;
}

int CalendarModel::monthLength(int year, int month)
{
    // Upward from 28; the first day that is no date ends the search.
    int length = 28;
    while (length < CellCount && QDate::isValid(year, month, length + 1))
        ++length;
    return length;
}

QString CalendarModel::weekdayName(const QDate &date)
{
    static const QString names[] = {QStringLiteral("星期一"), QStringLiteral("星期二"), QStringLiteral("星期三"),
                                    QStringLiteral("星期四"), QStringLiteral("星期五"), QStringLiteral("星期六"),
                                    QStringLiteral("星期日")};
    return date.isValid() ? names[date.dayOfWeek() - 1] : QString();
}

QString CalendarModel::longDate(const QDate &date)
{
    return QStringLiteral("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day());
}

void CalendarModel::load(const QDate &today)
{
    // Every opening starts afresh, the year list's first selection included.
    m_yearListArmed = false;
    m_monthIndex = -1;
    m_yearIndex = -1;
    m_borderedCell = -1;
    m_visibleCells = CellCount;
    m_dayText.clear();
    m_dateText.clear();
    m_shownDate = QDate();
    m_pickedDay = today.day();

    // A year beyond the list selects the nearest one the list holds.
    selectYear(std::clamp(today.year(), FirstYear, LastYear) - FirstYear);
    selectMonth(today.month() - 1);
    pickDay(today.day() - 1);
    m_dayText = weekdayName(pickedDate());
}

void CalendarModel::selectMonth(int index)
{
    if (index < 0 || index >= MonthCount)
        return;
    m_monthIndex = index;
    updateMonth();
}

void CalendarModel::selectYear(int index)
{
    if (index < 0 || index > LastYear - FirstYear)
        return;
    m_yearIndex = index;
    // The list's first selection only arms it: at start-up the month is not chosen yet.
    if (!m_yearListArmed) {
        m_yearListArmed = true;
        return;
    }
    updateMonth();
}

void CalendarModel::updateMonth()
{
    if (m_monthIndex < 0 || m_yearIndex < 0)
        return;
    m_visibleCells = monthLength(selectedYear(), selectedMonth());
    pickDay(m_pickedDay - 1);
}

void CalendarModel::pickDay(int index)
{
    if (index < 0 || index >= CellCount)
        return;
    m_borderedCell = index;
    m_pickedDay = index + 1;
    const QDate date = pickedDate();
    if (!date.isValid()) {
        // No such day in this month: the labels keep the last date and the next
        // month update tries the day before.
        m_pickedDay = index;
        return;
    }
    m_shownDate = date;
    m_dayText = weekdayName(date);
    m_dateText = longDate(date);
}

QString CalendarModel::messageText() const
{
    const QDate date = pickedDate();
    if (date.isValid())
        return longDate(date);
    return m_shownDate.isValid() ? longDate(m_shownDate) : QString();
}

QDate CalendarModel::pickedDate() const
{
    if (m_monthIndex < 0 || m_yearIndex < 0)
        return {};
    return QDate(selectedYear(), selectedMonth(), m_pickedDay);
}

} // namespace korvane
