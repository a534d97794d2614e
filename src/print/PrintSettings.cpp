#include "print/PrintSettings.h"

#include "common/IniFile.h"
#include "common/TextUtils.h"

using namespace Qt::StringLiterals;

namespace TiskFunctions {

QString standardTemplate(int function)
{
    switch (function) {
    case tfProtokol:
        return u"_PROTOKOL"_s;
    case tfSeznamDokladu:
        return u"_SZOPRAVDOKL"_s;
    default:
        return QString();
    }
}

QString description(int function)
{
    switch (function) {
    case tfProtokol:
        return u"Protokol"_s;
    case tfSeznamDokladu:
        return u"Seznam dokladů"_s;
    default:
        return QString();
    }
}

} // namespace TiskFunctions

TiskSettings::TiskSettings(const TiskContext &context, int function) : m_context(context), m_function(function) {}

QString TiskSettings::section() const
{
    return u"PRINT"_s + m_context.agendaCode;
}

QString TiskSettings::printerKey() const
{
    return u"DefaultPrinter"_s + QString::number(m_function);
}

QString TiskSettings::templateKey() const
{
    return u"FRMName"_s + QString::number(m_function);
}

int TiskSettings::defaultPrinter() const
{
    return IniFile(m_context.configIniPath).ReadInteger(section(), printerKey(), 0);
}

QString TiskSettings::templateName() const
{
    const QString name =
        TextUtils::unquoteText(IniFile(m_context.configIniPath).ReadString(section(), templateKey(), QString()));
    return name.isEmpty() ? TiskFunctions::standardTemplate(m_function) : name;
}

bool TiskSettings::rememberPrinter(int printerIndex) const
{
    return IniFile(m_context.configIniPath).WriteInteger(section(), printerKey(), printerIndex);
}

bool TiskSettings::rememberTemplate(const QString &name) const
{
    return IniFile(m_context.configIniPath).WriteString(section(), templateKey(), TextUtils::quoteText(name));
}
