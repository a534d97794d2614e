#pragma once

#include <QString>
#include <QStringList>

// Small text rules shared by the operations and their settings files.
namespace TextUtils {

// Values that may contain blanks are kept in settings files in double quotes.
QString quoteText(const QString &text);
// Without the enclosing quotes when longer than one character and both begins
// and ends with a double quote; otherwise unchanged.
QString unquoteText(const QString &text);

// Code list text: each code followed by ";" ("A1;B2;").
bool codeListContains(const QString &list, const QString &code);
// The codes in order; a trailing part without ";" is dropped ("A;B" gives A).
QStringList splitCodeList(const QString &list);
QString joinCodeList(const QStringList &codes);

// A number formatted with a picture in the host's style: "0" a digit always
// shown, "#" a digit shown when significant, "." the decimal point (written as
// the locale's separator), "," anywhere in the integer part a thousands
// separator, "E+"/"E-" an exponent, '…' or "…" literal text, other characters
// literal (a blank between "#" groups separates thousands: "# ### ##0.00").
// Up to three sections "positive;negative;zero".
QString formatFloat(const QString &picture, double value, QChar decimalSeparator, QChar thousandSeparator = u'\xA0');

// The text in ASCII, for names other programs turn into file names (a print
// job's title, which the PDF queue makes its file's name): letters lose
// their accents ("Tisková sestava" → "Tiskova sestava"), dashes and blanks of
// other kinds become their ASCII forms, any other character "_".
QString toAscii(const QString &text);

} // namespace TextUtils
