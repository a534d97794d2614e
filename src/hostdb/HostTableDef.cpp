#include "hostdb/HostTableDef.h"

using namespace Qt::StringLiterals;

namespace HostNames {

QStringView withoutTrailingBlanks(QStringView text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    return text.first(end);
}

QString fieldKey(QStringView name)
{
    return withoutTrailingBlanks(name).toString().toUpper();
}

QString keyText(QStringView text)
{
    return withoutTrailingBlanks(text).toString().toUpper();
}

bool sameKeyText(QStringView stored, QStringView key)
{
    return stored == key || keyText(stored) == keyText(key);
}

QString expressionKey(QStringView expression)
{
    QStringList parts;
    for (const QStringView part : expression.split(u'+'))
        parts.append(fieldKey(part));
    return parts.join(u'+');
}

namespace {
struct TypeName
{
    HostFieldType type;
    QStringView name;
};
constexpr TypeName kTypeNames[] = {
    {HostFieldType::Text, u"text"},       {HostFieldType::Integer, u"integer"},   {HostFieldType::Float, u"float"},
    {HostFieldType::Boolean, u"boolean"}, {HostFieldType::DateTime, u"datetime"}, {HostFieldType::Memo, u"memo"},
    {HostFieldType::Variant, u"variant"},
};
} // namespace

QString typeName(HostFieldType type)
{
    for (const TypeName &entry : kTypeNames) {
        if (entry.type == type)
            return entry.name.toString();
    }
    return QString();
}

std::optional<HostFieldType> typeFromName(QStringView name)
{
    for (const TypeName &entry : kTypeNames) {
        if (entry.name.compare(name, Qt::CaseInsensitive) == 0)
            return entry.type;
    }
    return std::nullopt;
}

} // namespace HostNames

int HostTableDef::fieldIndex(QStringView fieldName) const
{
    const QString key = HostNames::fieldKey(fieldName);
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (HostNames::fieldKey(fields.at(i).name) == key)
            return static_cast<int>(i);
    }
    return -1;
}

std::optional<QList<int>> HostTableDef::expressionFields(const QString &expression) const
{
    if (HostNames::withoutTrailingBlanks(expression).trimmed().isEmpty())
        return std::nullopt;
    QList<int> result;
    for (const QStringView part : QStringView(expression).split(u'+')) {
        const int field = fieldIndex(part);
        if (field < 0)
            return std::nullopt;
        result.append(field);
    }
    return result;
}

int HostTableDef::indexOf(const QString &expression) const
{
    const QString key = HostNames::expressionKey(expression);
    for (qsizetype i = 0; i < indexes.size(); ++i) {
        if (HostNames::expressionKey(indexes.at(i)) == key)
            return static_cast<int>(i);
    }
    return -1;
}
