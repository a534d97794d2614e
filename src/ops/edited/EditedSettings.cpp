#include "ops/edited/EditedSettings.h"

#include "common/IniFile.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {
QString moduleSection(const QString &agendaCode)
{
    return u"AKCEBAREV"_s + agendaCode;
}
QString filterSection(const QString &agendaCode)
{
    return u"BAREVODLIS"_s + agendaCode;
}
} // namespace

// Date-time values are kept as dates in the user's short date format: the
// choices carry no time of day, and a value that does not parse back falls to
// the key's default.
EditedSettings EditedSettings::read(const IniFile &ini, const QString &agendaCode, const QDate &today)
{
    const QString modules = moduleSection(agendaCode);
    const QString filter = filterSection(agendaCode);
    EditedSettings settings;
    settings.module = ini.ReadInteger(modules, u"Modul"_s, 1);
    settings.dateFilter = ini.ReadBool(filter, u"DatVystaveni"_s, false);
    settings.period = ini.ReadInteger(filter, u"DatVystObdobi"_s, 5);
    settings.dateFrom = ini.ReadDate(filter, u"DatumVystOd"_s, today);
    settings.dateTo = ini.ReadDate(filter, u"DatumVystDo"_s, today);
    settings.ignoreOwn = ini.ReadBool(filter, u"IgnorUzivatel"_s, false);
    settings.useChangeFrom = ini.ReadBool(filter, u"UseZmenaOd"_s, false);
    settings.changeFrom = ini.ReadDate(filter, u"ZmenaOd"_s, today);
    return settings;
}

bool EditedSettings::write(IniFile &ini, const QString &agendaCode) const
{
    const QString filter = filterSection(agendaCode);
    bool ok = ini.WriteInteger(moduleSection(agendaCode), u"Modul"_s, module);
    ok = ini.WriteBool(filter, u"DatVystaveni"_s, dateFilter) && ok;
    ok = ini.WriteInteger(filter, u"DatVystObdobi"_s, period) && ok;
    if (dateFilter) {
        ok = ini.WriteDate(filter, u"DatumVystOd"_s, dateFrom) && ok;
        ok = ini.WriteDate(filter, u"DatumVystDo"_s, dateTo) && ok;
    }
    ok = ini.WriteBool(filter, u"IgnorUzivatel"_s, ignoreOwn) && ok;
    ok = ini.WriteBool(filter, u"UseZmenaOd"_s, useChangeFrom) && ok;
    if (useChangeFrom)
        ok = ini.WriteDate(filter, u"ZmenaOd"_s, changeFrom) && ok;
    return ok;
}

namespace EditedPeriods {

QStringList texts()
{
    return {u"období od-do"_s, u"dnes"_s,        u"včera"_s,        u"tento týden"_s,
            u"minulý týden"_s, u"tento měsíc"_s, u"minulý měsíc"_s, u"tento rok"_s};
}

std::optional<std::pair<QDate, QDate>> range(int index, const QDate &today)
{
    const QDate monday = today.addDays(1 - today.dayOfWeek()); // Qt counts Monday as 1
    const QDate firstOfMonth(today.year(), today.month(), 1);
    switch (index) {
    case 1:
        return std::pair{today, today};
    case 2:
        return std::pair{today.addDays(-1), today.addDays(-1)};
    case 3:
        return std::pair{monday, monday.addDays(6)};
    case 4:
        return std::pair{monday.addDays(-7), monday.addDays(-1)};
    case 5:
        return std::pair{firstOfMonth, firstOfMonth.addMonths(1).addDays(-1)};
    case 6:
        return std::pair{firstOfMonth.addMonths(-1), firstOfMonth.addDays(-1)};
    case 7:
        return std::pair{QDate(today.year(), 1, 1), QDate(today.year(), 12, 31)};
    default:
        return std::nullopt;
    }
}

} // namespace EditedPeriods
