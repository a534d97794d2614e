#include "ops/balances/BalancesFilter.h"

#include "common/IniFile.h"
#include "hostdb/HostTableDef.h"

using namespace Qt::StringLiterals;

namespace {
const QString kUseSelectedKey = u"UseVybraneUctyPokladny"_s;
const QString kSelectedCodesKey = u"VybraneUctyPokladny"_s;
} // namespace

QString TStavUctuPokladenFilter::sectionName(const QString &agendaCode)
{
    return u"StavUctuPokladenFilter"_s + agendaCode;
}

void TStavUctuPokladenFilter::load(const QString &configIniPath, const QString &agendaCode)
{
    const IniFile ini(configIniPath);
    const QString section = sectionName(agendaCode);
    useSelected = ini.ReadBool(section, kUseSelectedKey, false);
    selectedCodes = ini.ReadString(section, kSelectedCodesKey, QString());
}

bool TStavUctuPokladenFilter::save(const QString &configIniPath, const QString &agendaCode) const
{
    IniFile ini(configIniPath);
    const QString section = sectionName(agendaCode);
    const bool flagWritten = ini.WriteBool(section, kUseSelectedKey, useSelected);
    return ini.WriteString(section, kSelectedCodesKey, selectedCodes) && flagWritten;
}

bool TStavUctuPokladenFilter::includes(const QString &code) const
{
    if (!useSelected)
        return true;
    const QString key = HostNames::keyText(code);
    if (key.isEmpty())
        return false;
    // Every part between ";" counts, also a last one without its ";", as a
    // search of ";" + code + ";" in ";" + list + ";" finds it.
    for (const QStringView part : QStringView(selectedCodes).split(u';')) {
        if (HostNames::keyText(part) == key)
            return true;
    }
    return false;
}
