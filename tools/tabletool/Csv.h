#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// CSV as the table tool reads and writes it: UTF-8, one record per line, a
// header row, fields separated by a delimiter (default ","), a field that
// contains the delimiter, a double quote, a line break or leading or trailing
// blanks enclosed in double quotes with inner quotes doubled (RFC 4180).
namespace Csv {

struct Result
{
    QList<QStringList> records;
    QString error; // empty when the text parsed
    int errorLine = 0;
};

Result parse(const QString &text, QChar delimiter = u',');
// One record with its line end ("\r\n").
QString formatRecord(const QStringList &fields, QChar delimiter = u',');

} // namespace Csv
