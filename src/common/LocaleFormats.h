#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTime>

#include <optional>

// The user's date, time and number formats, read once from the system locale
// at start-up (without time-zone parts) and set explicitly by tests. Formats
// use the tokens d, dd, M, MM, yy, yyyy (dates) and h, hh, H, HH, m, mm, s, ss,
// AP/ap (times); everything else is a literal.
class LocaleFormats
{
public:
    QString shortDateFormat = QStringLiteral("d.M.yyyy");
    QString dateSeparator = QStringLiteral(".");
    QString longTimeFormat = QStringLiteral("H:mm:ss");
    QChar decimalSeparator = u',';

    // The system locale's formats (fromLocale(QLocale::system())).
    static LocaleFormats fromSystem();
    // A locale's formats, as the host's users see them: the short date with
    // a four-digit year where the locale gives two (the host's platform shows
    // four). A locale that is C/POSIX, or whose short date is no day, month
    // and year in digits with a separator, gives the Czech formats: the host
    // is a Czech program and "11 12 2026" or "Dec 11, 2026" would be read as
    // neither.
    static LocaleFormats fromLocale(const QLocale &locale);
    // Czech defaults, the host's most common setting; handy for tests.
    static LocaleFormats czech();

    static const LocaleFormats &current();
    static void setCurrent(const LocaleFormats &formats);

    // The start-up step: a date separator longer than one character is
    // trimmed and cut to its first character, and the short date format uses
    // the shortened separator ("d. M. yyyy" with ". " becomes "d.M.yyyy").
    // A separator made only of blanks has no character to keep: the format
    // is then left as it is.
    void shortenDateSeparator();

    // Day, month and year in the short format's order, split by the date
    // separator; one or two digits for day and month, two or four for the
    // year (two digits fall within 50 years around the current year).
    std::optional<QDate> parseDate(const QString &text) const;
    std::optional<QTime> parseTime(const QString &text) const;
    std::optional<QDateTime> parseDateTime(const QString &text) const; // date, optionally a blank and a time
    QString formatDate(const QDate &date) const;                       // empty for an invalid date
    QString formatTime(const QTime &time) const;
    QString formatDateTime(const QDateTime &dateTime) const;

    // Sign, digits, one decimal separator, optional exponent; blanks around.
    std::optional<double> parseFloat(const QString &text) const;
    // The "general" format: up to 15 significant digits, no trailing zeros,
    // the locale's decimal separator, an exponent only for very large or small values.
    QString formatGeneral(double value) const;
};
