#include "tabletool/Csv.h"

using namespace Qt::StringLiterals;

namespace Csv {

Result parse(const QString &text, QChar delimiter)
{
    Result result;
    QStringList record;
    QString field;
    bool quoted = false;    // inside a quoted field
    bool wasQuoted = false; // the current field was quoted
    bool recordStarted = false;
    int line = 1;
    int fieldLine = 1;
    const qsizetype size = text.size();
    qsizetype i = 0;
    if (text.startsWith(QChar(0xFEFF)))
        i = 1; // a byte-order mark some editors write
    const auto endField = [&] {
        record.append(field);
        field.clear();
        wasQuoted = false;
    };
    for (; i < size; ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < size && text.at(i + 1) == u'"') {
                    field.append(u'"');
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == u'\n')
                    ++line;
                field.append(c);
            }
            continue;
        }
        if (c == u'"') {
            if (!field.isEmpty() || wasQuoted) {
                result.error = u"quote inside an unquoted field"_s;
                result.errorLine = line;
                return result;
            }
            quoted = true;
            wasQuoted = true;
            recordStarted = true;
            fieldLine = line;
        } else if (c == delimiter) {
            endField();
            recordStarted = true;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < size && text.at(i + 1) == u'\n')
                ++i;
            if (recordStarted || !field.isEmpty()) {
                endField();
                result.records.append(record);
            }
            record.clear();
            recordStarted = false;
            ++line;
        } else {
            if (wasQuoted) {
                result.error = u"text after a closing quote"_s;
                result.errorLine = line;
                return result;
            }
            field.append(c);
            recordStarted = true;
        }
    }
    if (quoted) {
        result.error = u"unterminated quoted field"_s;
        result.errorLine = fieldLine;
        return result;
    }
    if (recordStarted || !field.isEmpty()) {
        endField();
        result.records.append(record);
    }
    return result;
}

QString formatRecord(const QStringList &fields, QChar delimiter)
{
    QStringList out;
    out.reserve(fields.size());
    for (const QString &field : fields) {
        const bool needsQuotes = field.contains(delimiter) || field.contains(u'"') || field.contains(u'\n') ||
                                 field.contains(u'\r') || field.startsWith(u' ') || field.endsWith(u' ');
        if (needsQuotes) {
            QString escaped = field;
            escaped.replace(u"\""_s, u"\"\""_s);
            out.append(u'"' + escaped + u'"');
        } else {
            out.append(field);
        }
    }
    return out.join(delimiter) + u"\r\n"_s;
}

} // namespace Csv
