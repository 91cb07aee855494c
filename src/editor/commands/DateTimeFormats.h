#pragma once

#include <QDate>
#include <QString>
#include <QTime>

namespace korvane {

// The named date and time formats of the Simplified Chinese locale, built by hand so
// that the inserted text does not depend on the locale settings of the machine.
namespace DateTimeFormats {

QString shortDate(QDate date);  // 2026/12/7
QString mediumDate(QDate date); // 26-12-07
QString longDate(QDate date);   // 2026年12月7日
QString shortTime(QTime time);  // 17:45 (24-hour clock)
QString mediumTime(QTime time); // 05:45 下午 (12-hour clock; noon is 12:00 下午, midnight 12:00 上午)
QString longTime(QTime time);   // 17:45:30, 9:05:30 (hours without a leading zero)

} // namespace DateTimeFormats
} // namespace korvane
