#include "report/core/expr/IntegerFormat.h"

namespace {

// Reads decimal digits at `pos`; -1 when there are none.
int readNumber(const QString &pattern, qsizetype &pos)
{
    int number = -1;
    while (pos < pattern.size() && pattern.at(pos).isDigit() && pattern.at(pos).unicode() < 128) {
        number = (number < 0 ? 0 : number) * 10 + (pattern.at(pos).unicode() - u'0');
        if (number > 9999) // no field is that wide
            return -2;
        ++pos;
    }
    return number;
}

} // namespace

std::optional<QString> IntegerFormat::format(const QString &pattern, qint64 value)
{
    QString result;
    int nextArgument = 0;
    qsizetype pos = 0;
    while (pos < pattern.size()) {
        const QChar c = pattern.at(pos++);
        if (c != u'%') {
            result.append(c);
            continue;
        }
        if (pos < pattern.size() && pattern.at(pos) == u'%') {
            result.append(u'%');
            ++pos;
            continue;
        }
        // [index:][-][width][.digits]type
        int number = readNumber(pattern, pos);
        if (number == -2)
            return std::nullopt;
        if (pos < pattern.size() && pattern.at(pos) == u':') {
            if (number < 0)
                return std::nullopt;
            nextArgument = number;
            ++pos;
            number = -1;
        }
        bool leftJustify = false;
        if (number < 0 && pos < pattern.size() && pattern.at(pos) == u'-') {
            leftJustify = true;
            ++pos;
        }
        const int width = number >= 0 ? number : readNumber(pattern, pos);
        if (width == -2)
            return std::nullopt;
        int digits = -1;
        if (pos < pattern.size() && pattern.at(pos) == u'.') {
            ++pos;
            digits = readNumber(pattern, pos);
            if (digits == -2)
                return std::nullopt;
        }
        if (pos >= pattern.size() || nextArgument != 0)
            return std::nullopt; // no type, or an argument that is not there
        const QChar type = pattern.at(pos++).toLower();
        QString text;
        if (type == u'd' || type == u'u') {
            text = QString::number(value < 0 ? 0 - quint64(value) : quint64(value));
            if (digits > 0 && text.size() < digits)
                text = QString(digits - text.size(), u'0') + text;
            if (value < 0)
                text.prepend(u'-');
        } else if (type == u'x') {
            text = QString::number(quint64(value), 16).toUpper();
            if (digits > 0 && text.size() < digits)
                text = QString(digits - text.size(), u'0') + text;
        } else {
            return std::nullopt;
        }
        ++nextArgument;
        if (width > 0 && text.size() < width)
            text = leftJustify ? text.leftJustified(width) : text.rightJustified(width);
        result.append(text);
    }
    return result;
}
