#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QIODevice;

// CSV as the table tool reads and writes it: one record per line, a header
// row, fields separated by a delimiter (default ","), a field that contains
// the delimiter, a double quote, a line break or leading or trailing blanks
// enclosed in double quotes with inner quotes doubled (RFC 4180). Files are
// UTF-8, or Windows-1250 when asked for (exports of Windows programs).
namespace Csv {

enum class Encoding { Utf8, Windows1250 };
// "utf-8", "windows-1250" (also "cp1250"); nullopt for anything else.
std::optional<Encoding> encodingFromName(const QString &name);

// Reads records one at a time from a device, so that memory stays flat
// whatever the size of the file. Bytes that are not text in the encoding
// stop the reading with an error naming the line.
class Reader
{
public:
    Reader(QIODevice &device, Encoding encoding = Encoding::Utf8, QChar delimiter = u',');

    // The next record; false at the end or on an error (then error() is set).
    bool next(QStringList &record);
    QString error() const { return m_error; }
    int errorLine() const { return m_errorLine; }
    // The line on which the last record returned began (1-based).
    int recordLine() const { return m_recordLine; }
    // A field longer than this many characters stops the reading with an
    // error before more of it is held in memory; 0 for no limit.
    void setFieldLimit(qsizetype characters) { m_fieldLimit = characters; }

private:
    bool decodeChunk(const QByteArray &bytes, QString &text);
    bool endField(); // false when the field is too long
    bool fieldTooLong();
    void fail(const QString &message, int line);

    QIODevice &m_device;
    Encoding m_encoding;
    QChar m_delimiter;
    QList<std::pair<QStringList, int>> m_ready; // records complete, with their first line
    QStringList m_record;
    QString m_field;
    bool m_quoted = false;    // inside a quoted field
    bool m_wasQuoted = false; // the current field was quoted
    bool m_recordStarted = false;
    bool m_atEnd = false;
    QByteArray m_carry; // a UTF-8 sequence cut by the end of the last chunk
    qsizetype m_fieldLimit = 0;
    bool m_lineEnded = true; // the last chunk read ended its line
    int m_line = 0;          // the physical line being read
    int m_fieldLine = 1;     // where the open quoted field began
    int m_startLine = 1;     // where the record being read began
    int m_recordLine = 0;
    QString m_error;
    int m_errorLine = 0;
};

struct Result
{
    QList<QStringList> records;
    QString error; // empty when the text parsed
    int errorLine = 0;
};

// A whole text at once (small texts, tests).
Result parse(const QString &text, QChar delimiter = u',');
// One record with its line end ("\r\n").
QString formatRecord(const QStringList &fields, QChar delimiter = u',');

} // namespace Csv
