#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

// The host's date-time: days since 30 December 1899, the fraction the time of
// day. 0 stands for an empty date. One value type, used wherever the host's
// tables, ini files or reports carry a date.
class DayNumber
{
public:
    constexpr DayNumber() = default;
    constexpr explicit DayNumber(double value) : m_value(value) {}

    static DayNumber fromDate(const QDate &date);
    static DayNumber fromDateTime(const QDateTime &dateTime);
    static DayNumber fromTime(const QTime &time);
    static QDate epoch() { return QDate(1899, 12, 30); }

    constexpr double value() const { return m_value; }
    constexpr bool isEmpty() const { return m_value == 0.0; }
    // Whole days only (the date part), as the host compares dates.
    int day() const;

    QDate toDate() const;         // invalid for an empty value
    QDateTime toDateTime() const; // invalid for an empty value
    QTime toTime() const;         // the time of day of the fraction

    // Host date-times are local times. Without TZ the C library reads the
    // zone file again on every local-time conversion (a file status call per
    // date value read); naming the system's zone once lets it keep what it
    // read. Call at the start of a program, before any thread starts.
    static void cacheLocalTimeZone();

    friend constexpr bool operator==(DayNumber a, DayNumber b) { return a.m_value == b.m_value; }
    friend constexpr auto operator<=>(DayNumber a, DayNumber b) { return a.m_value <=> b.m_value; }

private:
    double m_value = 0.0;
};
