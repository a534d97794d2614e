#include "common/LocaleFormats.h"

#include "common/Clock.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct Token
{
    QChar letter; // null for a literal
    int count = 0;
    QString literal;
};

bool isPatternLetter(QChar c)
{
    return QStringView(u"dMyhHmszAaPpt").contains(c);
}

// Splits a format into runs of one pattern letter and literal text ('…' quotes literals).
std::vector<Token> tokenize(const QString &format)
{
    std::vector<Token> tokens;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (c == u'\'') {
            const qsizetype close = format.indexOf(u'\'', i + 1);
            const qsizetype end = close < 0 ? format.size() : close;
            tokens.push_back({QChar(), 0, format.mid(i + 1, end - i - 1)});
            i = end + 1;
            continue;
        }
        if (isPatternLetter(c)) {
            qsizetype j = i;
            while (j < format.size() && format.at(j) == c)
                ++j;
            tokens.push_back({c, int(j - i), QString()});
            i = j;
            continue;
        }
        qsizetype j = i;
        while (j < format.size() && !isPatternLetter(format.at(j)) && format.at(j) != u'\'')
            ++j;
        tokens.push_back({QChar(), 0, format.mid(i, j - i)});
        i = j;
    }
    return tokens;
}

QString padded(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QChar(u'0'));
}

// The first literal between two pattern letters: the format's separator.
QString firstSeparator(const QString &format, const QString &fallback)
{
    const auto tokens = tokenize(format);
    for (size_t i = 1; i + 1 < tokens.size(); ++i) {
        if (tokens[i].letter.isNull() && !tokens[i - 1].letter.isNull())
            return tokens[i].literal;
    }
    return fallback;
}

std::optional<int> digitsOnly(const QString &text, int minLength, int maxLength)
{
    const QString t = text.trimmed();
    if (t.size() < minLength || t.size() > maxLength)
        return std::nullopt;
    for (const QChar c : t) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    return t.toInt();
}

int expandTwoDigitYear(int yy)
{
    const int current = Clock::current().today().year();
    int year = current - current % 100 + yy;
    if (year > current + 49)
        year -= 100;
    else if (year < current - 50)
        year += 100;
    return year;
}

} // namespace

namespace {

// Day, month and year each as digits (at most two letters for day and month),
// and a separator that is more than blanks.
bool isNumericShortDate(const QString &format)
{
    bool day = false, month = false, year = false;
    for (const Token &t : tokenize(format)) {
        if (t.letter == u'd')
            day = t.count <= 2;
        else if (t.letter == u'M')
            month = t.count <= 2;
        else if (t.letter == u'y')
            year = true;
        else if (!t.letter.isNull())
            return false; // a time or weekday letter has no place in the short date
    }
    return day && month && year && !firstSeparator(format, QString()).trimmed().isEmpty();
}

// The year written with four digits.
QString withFourDigitYear(const QString &format)
{
    QString out;
    for (const Token &t : tokenize(format)) {
        if (t.letter == u'y')
            out += u"yyyy"_s;
        else if (!t.letter.isNull())
            out += QString(t.count, t.letter);
        else if (std::any_of(t.literal.begin(), t.literal.end(), isPatternLetter))
            out += u'\'' + t.literal + u'\''; // quoted again, as the locale had it
        else
            out += t.literal;
    }
    return out;
}

} // namespace

LocaleFormats LocaleFormats::fromSystem()
{
    return fromLocale(QLocale::system());
}

LocaleFormats LocaleFormats::fromLocale(const QLocale &locale)
{
    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    if (locale.language() == QLocale::C || !isNumericShortDate(shortDate))
        return czech();
    LocaleFormats formats;
    formats.shortDateFormat = withFourDigitYear(shortDate);
    formats.dateSeparator = firstSeparator(formats.shortDateFormat, QStringLiteral("."));
    // The long time format without its time-zone part.
    QString time;
    for (const Token &token : tokenize(locale.timeFormat(QLocale::LongFormat))) {
        if (token.letter == u't')
            continue;
        time += token.letter.isNull() ? token.literal : QString(token.count, token.letter);
    }
    formats.longTimeFormat = time.trimmed();
    const QString point = locale.decimalPoint();
    formats.decimalSeparator = point.isEmpty() ? QChar(u'.') : point.at(0);
    return formats;
}

LocaleFormats LocaleFormats::czech()
{
    return LocaleFormats();
}

namespace {
LocaleFormats &installedFormats()
{
    static LocaleFormats formats;
    return formats;
}
} // namespace

const LocaleFormats &LocaleFormats::current()
{
    return installedFormats();
}

void LocaleFormats::setCurrent(const LocaleFormats &formats)
{
    installedFormats() = formats;
}

void LocaleFormats::shortenDateSeparator()
{
    if (dateSeparator.size() <= 1)
        return;
    const QString trimmed = dateSeparator.trimmed();
    if (trimmed.isEmpty())
        return; // nothing to shorten to; the format stays as the locale gave it
    const QString shortened = trimmed.left(1);
    shortDateFormat.replace(dateSeparator, shortened);
    dateSeparator = shortened;
}

QString LocaleFormats::formatDate(const QDate &date) const
{
    if (!date.isValid())
        return QString();
    QString out;
    for (const Token &t : tokenize(shortDateFormat)) {
        if (t.letter == u'd')
            out += t.count >= 2 ? padded(date.day(), 2) : QString::number(date.day());
        else if (t.letter == u'M')
            out += t.count >= 2 ? padded(date.month(), 2) : QString::number(date.month());
        else if (t.letter == u'y')
            out += t.count <= 2 ? padded(date.year() % 100, 2) : padded(date.year(), 4);
        else
            out += t.letter.isNull() ? t.literal : QString(t.count, t.letter);
    }
    return out;
}

QString LocaleFormats::formatTime(const QTime &time) const
{
    if (!time.isValid())
        return QString();
    const bool twelveHour = longTimeFormat.contains(u'A') || longTimeFormat.contains(u'a');
    QString out;
    for (const Token &t : tokenize(longTimeFormat)) {
        const QChar l = t.letter;
        if (l == u'h' || l == u'H') {
            int hour = time.hour();
            if (twelveHour && l == u'h')
                hour = hour % 12 == 0 ? 12 : hour % 12;
            out += t.count >= 2 ? padded(hour, 2) : QString::number(hour);
        } else if (l == u'm') {
            out += t.count >= 2 ? padded(time.minute(), 2) : QString::number(time.minute());
        } else if (l == u's') {
            out += t.count >= 2 ? padded(time.second(), 2) : QString::number(time.second());
        } else if (l == u'A' || l == u'a') {
            const QString ap = time.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            out += l == u'a' ? ap.toLower() : ap;
        } else if (l == u'P' || l == u'p') {
            continue; // the "P" of "AP"
        } else {
            out += l.isNull() ? t.literal : QString(t.count, l);
        }
    }
    return out;
}

QString LocaleFormats::formatDateTime(const QDateTime &dateTime) const
{
    if (!dateTime.isValid())
        return QString();
    QString date = formatDate(dateTime.date());
    if (dateTime.time().msecsSinceStartOfDay() == 0)
        return date;
    return date + u' ' + formatTime(dateTime.time());
}

std::optional<QDate> LocaleFormats::parseDate(const QString &text) const
{
    // The order of day, month and year as the short format gives them.
    QString order;
    for (const Token &t : tokenize(shortDateFormat)) {
        const QChar l = t.letter;
        if ((l == u'd' || l == u'M' || l == u'y') && !order.contains(l))
            order += l;
    }
    if (order.size() != 3)
        order = QStringLiteral("dMy");
    if (dateSeparator.isEmpty())
        return std::nullopt;
    const QStringList parts =
        text.trimmed().split(dateSeparator.trimmed().isEmpty() ? dateSeparator : dateSeparator.trimmed());
    if (parts.size() != 3)
        return std::nullopt;
    int day = 0, month = 0, year = 0;
    for (int i = 0; i < 3; ++i) {
        const QChar which = order.at(i);
        if (which == u'y') {
            const QString part = parts.at(i).trimmed();
            if (part.size() != 2 && part.size() != 4)
                return std::nullopt;
            const auto value = digitsOnly(part, 2, 4);
            if (!value)
                return std::nullopt;
            year = part.size() == 2 ? expandTwoDigitYear(*value) : *value;
        } else {
            const auto value = digitsOnly(parts.at(i), 1, 2);
            if (!value)
                return std::nullopt;
            (which == u'd' ? day : month) = *value;
        }
    }
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<QTime> LocaleFormats::parseTime(const QString &text) const
{
    QString t = text.trimmed();
    int addHours = 0;
    bool twelveHour = false;
    for (const QString &suffix : {QStringLiteral("AM"), QStringLiteral("PM")}) {
        if (t.endsWith(suffix, Qt::CaseInsensitive)) {
            twelveHour = true;
            addHours = suffix == QStringLiteral("PM") ? 12 : 0;
            t.chop(2);
            t = t.trimmed();
        }
    }
    const QString separator = firstSeparator(longTimeFormat, QStringLiteral(":"));
    const QStringList parts = t.split(separator.isEmpty() ? QStringLiteral(":") : separator);
    if (parts.isEmpty() || parts.size() > 3)
        return std::nullopt;
    int values[3] = {0, 0, 0};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const auto value = digitsOnly(parts.at(i), 1, 2);
        if (!value)
            return std::nullopt;
        values[i] = *value;
    }
    int hour = values[0];
    if (twelveHour) {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + addHours;
    }
    const QTime time(hour, values[1], values[2]);
    if (!time.isValid())
        return std::nullopt;
    return time;
}

std::optional<QDateTime> LocaleFormats::parseDateTime(const QString &text) const
{
    const QString t = text.trimmed();
    // The date may itself contain blanks ("1. 2. 2018"); try the longest date prefix first.
    for (qsizetype split = t.size(); split > 0; --split) {
        if (split < t.size() && t.at(split) != u' ')
            continue;
        const auto date = parseDate(t.left(split));
        if (!date)
            continue;
        const QString rest = t.mid(split).trimmed();
        if (rest.isEmpty())
            return QDateTime(*date, QTime(0, 0));
        const auto time = parseTime(rest);
        if (!time)
            return std::nullopt;
        return QDateTime(*date, *time);
    }
    return std::nullopt;
}

std::optional<double> LocaleFormats::parseFloat(const QString &text) const
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    const qsizetype n = t.size();
    QString normalized;
    if (i < n && (t.at(i) == u'+' || t.at(i) == u'-'))
        normalized += t.at(i++);
    qsizetype digits = 0;
    while (i < n && t.at(i).isDigit() && t.at(i) < u'\x80') {
        normalized += t.at(i++);
        ++digits;
    }
    if (i < n && t.at(i) == decimalSeparator) {
        normalized += u'.';
        ++i;
        while (i < n && t.at(i).isDigit() && t.at(i) < u'\x80') {
            normalized += t.at(i++);
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < n && (t.at(i) == u'e' || t.at(i) == u'E')) {
        normalized += u'e';
        ++i;
        if (i < n && (t.at(i) == u'+' || t.at(i) == u'-'))
            normalized += t.at(i++);
        qsizetype exponentDigits = 0;
        while (i < n && t.at(i).isDigit() && t.at(i) < u'\x80') {
            normalized += t.at(i++);
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    bool ok = false;
    const double value = normalized.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString LocaleFormats::formatGeneral(double value) const
{
    if (!std::isfinite(value))
        return QString::number(value);
    if (value == 0.0)
        return QStringLiteral("0");
    // Fifteen significant digits; fixed-point from 0.00001 up to fifteen
    // integer digits, scientific ("1E20", "1E-6") outside that range.
    constexpr int kPrecision = 15;
    const double magnitude = std::fabs(value);
    QString text;
    if (magnitude < 0.00001 || magnitude >= 1e15) {
        text = QString::number(value, 'e', kPrecision - 1); // d.ddddde±xx
        const qsizetype e = text.indexOf(u'e');
        QString mantissa = text.left(e);
        if (mantissa.contains(u'.')) {
            while (mantissa.endsWith(u'0'))
                mantissa.chop(1);
            if (mantissa.endsWith(u'.'))
                mantissa.chop(1);
        }
        text = mantissa + u'E' + QString::number(text.mid(e + 1).toInt());
    } else {
        const int integerDigits = int(std::floor(std::log10(magnitude))) + 1;
        text = QString::number(value, 'f', std::max(0, kPrecision - integerDigits));
        if (text.contains(u'.')) {
            while (text.endsWith(u'0'))
                text.chop(1);
            if (text.endsWith(u'.'))
                text.chop(1);
        }
    }
    text.replace(u'.', decimalSeparator);
    return text;
}
