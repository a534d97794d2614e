#pragma once

#include <QDate>
#include <QString>
#include <QTime>

#include <optional>

// Date-time pictures as report templates write them (FORMATDT, the print date
// and time of a report). Letters are read without regard to case:
//   c        the short date, and the long time when the time is not midnight
//   d dd     day, two digits;  ddd dddd  short and long day name;
//   ddddd    the short date (dddddd too: the locale knows no long date)
//   m mm     month, two digits (minutes when they follow an hour);
//   mmm mmmm short and long month name
//   yy yyyy  year with two or four digits (y as yy, yyy as yyyy)
//   h hh     hour (12-hour when the picture has am/pm or a/p)
//   n nn     minutes;  s ss  seconds;  z zzz  milliseconds
//   t tt     the short time (the long one without seconds), the long time
//   am/pm a/p ampm  the half of the day
//   /        the date separator;  :  the time separator
//   "…" '…'  literal text; any other character stands for itself
// Day and month names are Czech, as on the host's machines. An empty
// picture is "c".
namespace DateTimeFormat {

struct DateAndTime
{
    QDate date;
    QTime time;
};

// The date and time of a day number (the fraction counted from midnight,
// also before the epoch); nothing outside 1.1.0001 to 31.12.9999.
std::optional<DateAndTime> toDateTime(double dayNumber);

// Empty for a day number outside that range.
QString format(const QString &picture, double dayNumber);

} // namespace DateTimeFormat
