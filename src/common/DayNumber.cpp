#include "common/DayNumber.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>

namespace {
constexpr double kMillisecondsPerDay = 86400000.0;
}

void DayNumber::cacheLocalTimeZone()
{
    if (!qEnvironmentVariableIsSet("TZ"))
        qputenv("TZ", ":/etc/localtime");
}

DayNumber DayNumber::fromDate(const QDate &date)
{
    if (!date.isValid())
        return DayNumber();
    return DayNumber(static_cast<double>(epoch().daysTo(date)));
}

DayNumber DayNumber::fromTime(const QTime &time)
{
    if (!time.isValid())
        return DayNumber();
    return DayNumber(time.msecsSinceStartOfDay() / kMillisecondsPerDay);
}

DayNumber DayNumber::fromDateTime(const QDateTime &dateTime)
{
    if (!dateTime.isValid())
        return DayNumber();
    // Dates before the epoch keep the host's convention: the integral part is
    // the (negative) day, the fraction still counts forward from midnight.
    const double days = static_cast<double>(epoch().daysTo(dateTime.date()));
    const double fraction = dateTime.time().msecsSinceStartOfDay() / kMillisecondsPerDay;
    return DayNumber(days < 0 ? days - fraction : days + fraction);
}

int DayNumber::day() const
{
    // A damaged record may hold any double: keep the conversion defined and
    // inside the range QDate can still represent.
    constexpr double kLimit = 1e8;
    if (!std::isfinite(m_value))
        return 0;
    return static_cast<int>(std::trunc(std::clamp(m_value, -kLimit, kLimit)));
}

QDate DayNumber::toDate() const
{
    if (isEmpty())
        return QDate();
    return epoch().addDays(day());
}

QTime DayNumber::toTime() const
{
    if (!std::isfinite(m_value))
        return QTime(0, 0);
    const double fraction = std::fabs(m_value - std::trunc(m_value));
    // Round to the millisecond: a stored 0.5 must give exactly 12:00:00.000.
    const auto msecs = static_cast<int>(std::llround(fraction * kMillisecondsPerDay));
    return QTime::fromMSecsSinceStartOfDay(std::min(msecs, 86399999));
}

QDateTime DayNumber::toDateTime() const
{
    if (isEmpty())
        return QDateTime();
    return QDateTime(toDate(), toTime());
}
