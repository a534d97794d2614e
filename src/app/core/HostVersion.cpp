#include "app/core/HostVersion.h"

#include "app/core/HostIniFiles.h"
#include "app/core/RunContext.h"
#include "common/IniFile.h"
#include "common/LocaleFormats.h"
#include "common/UiSeam.h"

using namespace Qt::StringLiterals;

QString hostVersionDigits(const QString &hostVersion)
{
    QString digits;
    for (const QChar c : hostVersion) {
        if (c == u' ')
            break;
        if (c.isDigit() || c == u'.' || c == u',')
            digits += c;
    }
    return digits;
}

double hostVersionNumber(const QString &hostVersion)
{
    return LocaleFormats::current().parseFloat(hostVersionDigits(hostVersion)).value_or(0.0);
}

int checkHostVersion(RunContext &context)
{
    const double version = hostVersionNumber(context.hostVersion);
    if (version != 0.0 && version < SupportedHostVersion) {
        ui().error(u"Litujeme, ale tato verze Ledra není v tomto doplňku podporována. Proveďte update na novější verzi "
                   "Ledra.\r\rAktuálně nainstalovaná verze Ledra: "_s +
                   LocaleFormats::current().formatGeneral(version) + u"\r"_s + u"Podporovaná verze Ledra: "_s +
                   QString::number(SupportedHostVersion) + u" nebo vyšší"_s);
        return -1;
    }
    context.configIniPath = context.settingsDir + context.configName + u".ini"_s;
    context.currencySymbol = readCurrencySymbol(context.yearDir);
    return 0;
}

void recordHostVersion(const RunContext &context)
{
    IniFile(mainIniPath(context)).WriteString(u"VERSION"_s, u"LASTLEDRAVER"_s, context.hostVersion);
}

QString lastRecordedHostVersion(const RunContext &context)
{
    return IniFile(mainIniPath(context)).ReadString(u"VERSION"_s, u"LASTLEDRAVER"_s, QString());
}
