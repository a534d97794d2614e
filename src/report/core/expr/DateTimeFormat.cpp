#include "report/core/expr/DateTimeFormat.h"

#include "common/DayNumber.h"
#include "common/LocaleFormats.h"

#include <QLocale>

#include <cmath>

using namespace Qt::StringLiterals;

namespace DateTimeFormat {

namespace {

constexpr double kFirstDay = -693593.0;    // 1.1.0001
constexpr double kPastLastDay = 2958466.0; // 1.1.10000

QString padded(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QChar(u'0'));
}

QString number(int value, bool twoDigits)
{
    return twoDigits ? padded(value, 2) : QString::number(value);
}

const QLocale &czech()
{
    static const QLocale locale(QLocale::Czech, QLocale::CzechRepublic);
    return locale;
}

QString shortTimeFormat(const QString &longTime)
{
    QString format = longTime;
    for (const QString &seconds : {u":ss"_s, u":s"_s, u".ss"_s, u".s"_s}) {
        if (format.contains(seconds))
            return format.remove(seconds);
    }
    return format;
}

class Writer
{
public:
    Writer(const QString &picture, const DateAndTime &value)
        : m_picture(picture), m_value(value), m_locale(LocaleFormats::current())
    {
        const QString lower = picture.toLower();
        m_twelveHour = lower.contains(u"am/pm"_s) || lower.contains(u"a/p"_s) || lower.contains(u"ampm"_s);
    }

    QString write()
    {
        for (qsizetype i = 0; i < m_picture.size();)
            i = writeAt(i);
        return m_out;
    }

private:
    qsizetype runLength(qsizetype i) const
    {
        const QChar letter = m_picture.at(i).toLower();
        qsizetype j = i;
        while (j < m_picture.size() && m_picture.at(j).toLower() == letter)
            ++j;
        return j - i;
    }

    bool startsWith(qsizetype i, const QString &word) const
    {
        return QStringView(m_picture).mid(i).startsWith(word, Qt::CaseInsensitive);
    }

    // Writes what starts at i; returns the index after it.
    qsizetype writeAt(qsizetype i)
    {
        const QChar c = m_picture.at(i);
        const QDate &date = m_value.date;
        const QTime &time = m_value.time;
        if (c == u'"' || c == u'\'') {
            const qsizetype close = m_picture.indexOf(c, i + 1);
            const qsizetype end = close < 0 ? m_picture.size() : close;
            m_out += m_picture.mid(i + 1, end - i - 1);
            return end + 1;
        }
        const qsizetype count = runLength(i);
        bool hour = false;
        switch (c.toLower().unicode()) {
        case u'c':
            m_out += m_locale.formatDate(date);
            if (time.msecsSinceStartOfDay() != 0)
                m_out += u' ' + m_locale.formatTime(time);
            m_afterHour = false;
            return i + 1;
        case u'd':
            if (count <= 2)
                m_out += number(date.day(), count == 2);
            else if (count == 3)
                m_out += czech().dayName(date.dayOfWeek(), QLocale::ShortFormat);
            else if (count == 4)
                m_out += czech().dayName(date.dayOfWeek(), QLocale::LongFormat);
            else
                m_out += m_locale.formatDate(date);
            break;
        case u'm':
            if (m_afterHour)
                m_out += number(time.minute(), count >= 2);
            else if (count <= 2)
                m_out += number(date.month(), count == 2);
            else
                m_out +=
                    czech().standaloneMonthName(date.month(), count == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            break;
        case u'y':
            m_out += count <= 2 ? padded(date.year() % 100, 2) : padded(date.year(), 4);
            break;
        case u'h': {
            int value = time.hour();
            if (m_twelveHour)
                value = value % 12 == 0 ? 12 : value % 12;
            m_out += number(value, count >= 2);
            hour = true;
            break;
        }
        case u'n':
            m_out += number(time.minute(), count >= 2);
            break;
        case u's':
            m_out += number(time.second(), count >= 2);
            break;
        case u'z':
            m_out += count >= 3 ? padded(time.msec(), 3) : QString::number(time.msec());
            break;
        case u't': {
            LocaleFormats shortTime = m_locale;
            shortTime.longTimeFormat = shortTimeFormat(m_locale.longTimeFormat);
            m_out += count >= 2 ? m_locale.formatTime(time) : shortTime.formatTime(time);
            break;
        }
        case u'a':
            return writeHalfOfDay(i);
        case u'/':
            m_out += m_locale.dateSeparator;
            return i + 1;
        default:
            m_out += c;
            return i + 1;
        }
        m_afterHour = hour;
        return i + count;
    }

    qsizetype writeHalfOfDay(qsizetype i)
    {
        const bool morning = m_value.time.hour() < 12;
        if (startsWith(i, u"am/pm"_s)) {
            const QString text = morning ? u"am"_s : u"pm"_s;
            m_out += m_picture.at(i).isUpper() ? text.toUpper() : text;
            return i + 5;
        }
        if (startsWith(i, u"a/p"_s)) {
            const QString text = morning ? u"a"_s : u"p"_s;
            m_out += m_picture.at(i).isUpper() ? text.toUpper() : text;
            return i + 3;
        }
        if (startsWith(i, u"ampm"_s)) {
            m_out += morning ? czech().amText() : czech().pmText();
            return i + 4;
        }
        m_out += m_picture.at(i);
        return i + 1;
    }

    const QString &m_picture;
    const DateAndTime &m_value;
    const LocaleFormats &m_locale;
    bool m_twelveHour = false;
    bool m_afterHour = false;
    QString m_out;
};

} // namespace

std::optional<DateAndTime> toDateTime(double dayNumber)
{
    if (!std::isfinite(dayNumber) || dayNumber < kFirstDay || dayNumber >= kPastLastDay)
        return std::nullopt;
    return DateAndTime{DayNumber::epoch().addDays(qint64(std::trunc(dayNumber))), DayNumber(dayNumber).toTime()};
}

QString format(const QString &picture, double dayNumber)
{
    const auto value = toDateTime(dayNumber);
    if (!value)
        return QString();
    const QString effective = picture.isEmpty() ? u"c"_s : picture;
    return Writer(effective, *value).write();
}

} // namespace DateTimeFormat
