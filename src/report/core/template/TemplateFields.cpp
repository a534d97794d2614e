#include "report/core/template/TemplateFields.h"

#include <limits>

QString TemplateFields::readAt(qsizetype &pos) const
{
    const qsizetype size = m_line.size();
    if (pos > size)
        return QString();
    QString field;
    qsizetype i = pos;
    if (i < size && m_line.at(i) == u'"') {
        ++i;
        while (i < size) {
            const QChar c = m_line.at(i);
            if (c == u'"') {
                if (i + 1 < size && m_line.at(i + 1) == u'"') {
                    field.append(u'"');
                    i += 2;
                    continue;
                }
                ++i; // the closing quote
                break;
            }
            field.append(c);
            ++i;
        }
    }
    const qsizetype comma = m_line.indexOf(u',', i);
    const qsizetype end = comma < 0 ? size : comma;
    field.append(QStringView(m_line).mid(i, end - i));
    pos = comma < 0 ? size + 1 : comma + 1;
    return field;
}

QString TemplateFields::next()
{
    return readAt(m_pos);
}

QString TemplateFields::peek() const
{
    qsizetype pos = m_pos;
    return readAt(pos);
}

void TemplateFields::skip(int count)
{
    for (int i = 0; i < count; ++i)
        next();
}

int TemplateFields::nextInt(int defaultValue)
{
    if (atEnd())
        return defaultValue;
    int value = 0;
    return parseInt(next(), &value) ? value : defaultValue;
}

bool TemplateFields::parseInt(QStringView text, int *value)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+')) {
        negative = text.at(i) == u'-';
        ++i;
    }
    if (i >= text.size())
        return false;
    qint64 result = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c < u'0' || c > u'9')
            return false;
        result = result * 10 + (c.unicode() - u'0');
        if (result > qint64(std::numeric_limits<int>::max()) + 1)
            return false;
    }
    if (negative)
        result = -result;
    if (result > std::numeric_limits<int>::max() || result < std::numeric_limits<int>::min())
        return false;
    *value = int(result);
    return true;
}

namespace TemplateText {

QString quoted(QStringView text)
{
    QString result;
    result.reserve(text.size() + 2);
    result.append(u'"');
    for (const QChar c : text) {
        if (c == u'"')
            result.append(u'"');
        result.append(c);
    }
    result.append(u'"');
    return result;
}

QString bare(QStringView text)
{
    if (text.contains(u',') || text.startsWith(u'"'))
        return quoted(text);
    return text.toString();
}

} // namespace TemplateText
