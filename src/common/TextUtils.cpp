#include "common/TextUtils.h"

#include "common/LocaleFormats.h"

#include <QRegularExpression>

#include <cmath>
#include <vector>

namespace TextUtils {

QString quoteText(const QString &text)
{
    return u'"' + text + u'"';
}

QString unquoteText(const QString &text)
{
    if (text.size() > 1 && text.startsWith(u'"') && text.endsWith(u'"'))
        return text.mid(1, text.size() - 2);
    return text;
}

bool codeListContains(const QString &list, const QString &code)
{
    const QString haystack = u';' + list + u';';
    return haystack.contains(QString(u';' + code + u';'));
}

QStringList splitCodeList(const QString &list)
{
    QStringList codes;
    qsizetype start = 0;
    for (qsizetype semicolon = list.indexOf(u';'); semicolon >= 0; semicolon = list.indexOf(u';', start)) {
        codes.append(list.mid(start, semicolon - start));
        start = semicolon + 1;
    }
    return codes;
}

QString joinCodeList(const QStringList &codes)
{
    QString list;
    for (const QString &code : codes)
        list += code + u';';
    return list;
}

namespace {

enum class Kind { Zero, Hash, Point, Comma, Literal, Exponent };

struct Item
{
    Kind kind;
    QString text; // literal text, or the exponent's sign for Exponent
    int exponentDigits = 0;
};

QStringList splitSections(const QString &picture)
{
    QStringList sections;
    QString current;
    QChar quote;
    for (const QChar c : picture) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            current += c;
        } else if (c == u'"' || c == u'\'') {
            quote = c;
            current += c;
        } else if (c == u';') {
            sections.append(current);
            current.clear();
        } else {
            current += c;
        }
    }
    sections.append(current);
    return sections;
}

std::vector<Item> parseSection(const QString &section)
{
    std::vector<Item> items;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section.at(i);
        if (c == u'"' || c == u'\'') {
            const qsizetype close = section.indexOf(c, i + 1);
            const qsizetype end = close < 0 ? section.size() : close;
            items.push_back({Kind::Literal, section.mid(i + 1, end - i - 1)});
            i = end;
        } else if (c == u'0') {
            items.push_back({Kind::Zero, {}});
        } else if (c == u'#') {
            items.push_back({Kind::Hash, {}});
        } else if (c == u'.') {
            items.push_back({Kind::Point, {}});
        } else if (c == u',') {
            items.push_back({Kind::Comma, {}});
        } else if ((c == u'E' || c == u'e') && i + 1 < section.size() &&
                   (section.at(i + 1) == u'+' || section.at(i + 1) == u'-')) {
            qsizetype j = i + 2;
            while (j < section.size() && section.at(j) == u'0')
                ++j;
            items.push_back({Kind::Exponent, QString(section.at(i + 1)), int(j - i - 2)});
            i = j - 1;
        } else {
            items.push_back({Kind::Literal, QString(c)});
        }
    }
    return items;
}

bool isDigitItem(const Item &item)
{
    return item.kind == Kind::Zero || item.kind == Kind::Hash;
}

QString formatSection(const std::vector<Item> &items, double value, QChar decimalSeparator, QChar thousandSeparator)
{
    // Split at the decimal point and at the exponent.
    size_t point = items.size(), exponent = items.size();
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].kind == Kind::Point && point == items.size())
            point = i;
        if (items[i].kind == Kind::Exponent && exponent == items.size())
            exponent = i;
    }
    const size_t intEnd = std::min(point, exponent);
    bool thousands = false;
    int intPlaceholders = 0, intZeros = 0;
    bool seenZero = false;
    for (size_t i = 0; i < intEnd; ++i) {
        if (items[i].kind == Kind::Comma)
            thousands = true;
        if (isDigitItem(items[i])) {
            ++intPlaceholders;
            if (items[i].kind == Kind::Zero)
                seenZero = true;
            if (seenZero)
                ++intZeros;
        }
    }
    int minDecimals = 0, maxDecimals = 0;
    const size_t fracEnd = exponent;
    for (size_t i = point + 1; i < fracEnd && point < items.size(); ++i) {
        if (isDigitItem(items[i])) {
            ++maxDecimals;
            if (items[i].kind == Kind::Zero)
                minDecimals = maxDecimals;
        }
    }

    int exponentValue = 0;
    if (exponent < items.size() && value != 0.0) {
        const int digitsBefore = std::max(intPlaceholders, 1);
        exponentValue = static_cast<int>(std::floor(std::log10(value))) - (digitsBefore - 1);
        value /= std::pow(10.0, exponentValue);
    }

    QString fixed = QString::number(value, 'f', maxDecimals);
    QString intDigits = fixed, fracDigits;
    const qsizetype dot = fixed.indexOf(u'.');
    if (dot >= 0) {
        intDigits = fixed.left(dot);
        fracDigits = fixed.mid(dot + 1);
    }
    while (fracDigits.size() > minDecimals && fracDigits.endsWith(u'0'))
        fracDigits.chop(1);
    if (intDigits == QStringLiteral("0") && intZeros == 0)
        intDigits.clear();
    while (intDigits.size() < intZeros)
        intDigits.prepend(u'0');
    if (thousands) {
        for (qsizetype pos = intDigits.size() - 3; pos > 0; pos -= 3)
            intDigits.insert(pos, thousandSeparator);
    }

    // Integer part, right to left: each placeholder takes one digit, the
    // leftmost takes all that remain; a literal between placeholders shows
    // only while digits remain to its left.
    QString integer;
    qsizetype remaining = intDigits.size();
    int placeholdersLeft = intPlaceholders;
    bool allPlaced = false;
    for (size_t k = intEnd; k-- > 0;) {
        const Item &item = items[k];
        if (isDigitItem(item)) {
            --placeholdersLeft;
            if (placeholdersLeft == 0) {
                integer.prepend(intDigits.left(remaining));
                remaining = 0;
                allPlaced = true;
            } else if (remaining > 0) {
                integer.prepend(intDigits.at(--remaining));
                if (thousands && remaining > 0 && intDigits.at(remaining - 1) == thousandSeparator)
                    integer.prepend(intDigits.at(--remaining));
            }
        } else if (item.kind == Kind::Literal) {
            if (placeholdersLeft == 0 || allPlaced || remaining > 0)
                integer.prepend(item.text);
        }
    }
    if (intPlaceholders == 0)
        integer += intDigits;

    QString fraction;
    qsizetype fracIndex = 0;
    for (size_t k = point + 1; point < items.size() && k < fracEnd; ++k) {
        const Item &item = items[k];
        if (isDigitItem(item)) {
            if (fracIndex < fracDigits.size())
                fraction += fracDigits.at(fracIndex++);
        } else if (item.kind == Kind::Literal) {
            fraction += item.text;
        }
    }
    QString result = integer;
    if (!fracDigits.isEmpty())
        result += decimalSeparator + fraction;

    if (exponent < items.size()) {
        const Item &e = items[exponent];
        QString digits = QString::number(std::abs(exponentValue));
        while (digits.size() < e.exponentDigits)
            digits.prepend(u'0');
        const QString sign =
            exponentValue < 0 ? QStringLiteral("-") : (e.text == u'+' ? QStringLiteral("+") : QString());
        result += u'E' + sign + digits;
        for (size_t k = exponent + 1; k < items.size(); ++k) {
            if (items[k].kind == Kind::Literal)
                result += items[k].text;
        }
    }
    return result;
}

} // namespace

QString formatFloat(const QString &picture, double value, QChar decimalSeparator, QChar thousandSeparator)
{
    if (!std::isfinite(value))
        return QString::number(value);
    const QStringList sections = splitSections(picture);
    if (picture.isEmpty()) {
        LocaleFormats formats = LocaleFormats::current();
        formats.decimalSeparator = decimalSeparator;
        return formats.formatGeneral(value);
    }
    QString section = sections.at(0);
    bool addMinus = false;
    double shown = value;
    if (value < 0) {
        if (sections.size() > 1 && !sections.at(1).isEmpty())
            section = sections.at(1);
        else
            addMinus = true;
        shown = -value;
    } else if (value == 0 && sections.size() > 2 && !sections.at(2).isEmpty()) {
        section = sections.at(2);
    }
    QString text = formatSection(parseSection(section), shown, decimalSeparator, thousandSeparator);
    // A negative value that rounds to zero shows no sign.
    if (addMinus && text.contains(QRegularExpression(QStringLiteral("[1-9]"))))
        text.prepend(u'-');
    return text;
}

QString toAscii(const QString &text)
{
    QString ascii;
    ascii.reserve(text.size());
    for (const QChar c : text.normalized(QString::NormalizationForm_KD)) {
        if (c.unicode() < 0x80)
            ascii.append(c);
        else if (c.category() == QChar::Mark_NonSpacing)
            continue; // the accent of the letter before
        else if (c.category() == QChar::Punctuation_Dash)
            ascii.append(u'-');
        else if (c.isSpace())
            ascii.append(u' ');
        else
            ascii.append(u'_');
    }
    return ascii;
}

} // namespace TextUtils
