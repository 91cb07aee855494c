#include "editor/commands/DateTimeFormats.h"

namespace korvane::DateTimeFormats {

namespace {
QString twoDigits(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }
} // namespace

QString shortDate(QDate date) { return QStringLiteral("%1/%2/%3").arg(date.year()).arg(date.month()).arg(date.day()); }

QString mediumDate(QDate date)
{
    // Two-digit year of any year, including years before 2000 or after 2099.
    const int year = ((date.year() % 100) + 100) % 100;
    return twoDigits(year) + QLatin1Char('-') + twoDigits(date.month()) + QLatin1Char('-') + twoDigits(date.day());
}

QString longDate(QDate date)
{
    return QStringLiteral("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day());
}

QString shortTime(QTime time) { return twoDigits(time.hour()) + QLatin1Char(':') + twoDigits(time.minute()); }

QString mediumTime(QTime time)
{
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    const QString designator = time.hour() < 12 ? QStringLiteral("上午") : QStringLiteral("下午");
    return twoDigits(hour12) + QLatin1Char(':') + twoDigits(time.minute()) + QLatin1Char(' ') + designator;
}

QString longTime(QTime time)
{
    return QString::number(time.hour()) + QLatin1Char(':') + twoDigits(time.minute()) + QLatin1Char(':') +
           twoDigits(time.second());
}

} // namespace korvane::DateTimeFormats
