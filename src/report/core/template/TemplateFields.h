#pragma once

#include <QString>
#include <QStringView>

// Reads the comma-separated fields of one template line, left to right.
//
// A field that begins with a double quote runs to the next quote that is not
// doubled ("" inside stands for one quote); whatever stands between the
// closing quote and the next comma is appended. Any other field runs to the
// next comma; the last one to the end of the line. Numbers are decimal
// integers; a missing or malformed number gives the caller's default.
class TemplateFields
{
public:
    explicit TemplateFields(const QString &line) : m_line(line) {}

    // Whether every field has been read.
    bool atEnd() const { return m_pos > m_line.size(); }
    // The next field; empty when none is left.
    QString next();
    // The next field without reading it.
    QString peek() const;
    // The next field as a number, the default when missing or malformed.
    int nextInt(int defaultValue = 0);
    bool nextBool(bool defaultValue = false) { return nextInt(defaultValue ? 1 : 0) != 0; }
    void skip(int count = 1);

    // A decimal integer with an optional sign, blanks allowed in front.
    static bool parseInt(QStringView text, int *value);

private:
    QString readAt(qsizetype &pos) const;

    QString m_line; // shared, so that a temporary line stays alive
    qsizetype m_pos = 0;
};

// How the writer spells fields.
namespace TemplateText {
// Enclosed in double quotes, every inner quote doubled.
QString quoted(QStringView text);
// As it stands, unless the reader would not give it back (a comma, or a
// leading quote): then quoted.
QString bare(QStringView text);
} // namespace TemplateText
