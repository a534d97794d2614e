#include "app/core/HostIniFiles.h"

#include "app/core/LedraIniFile.h"
#include "common/DayNumber.h"

using namespace Qt::StringLiterals;

namespace {

QString yearIni(const QString &yearDir)
{
    return yearDir + u"ROK.INI"_s;
}

QString agendaIni(const QString &agendaDir)
{
    return agendaDir + u"AGENDA.INI"_s;
}

QString readString(const QString &file, const QString &section, const QString &key, const QString &defaultValue)
{
    return TLedraIniFile(file).ReadString(section, key, defaultValue);
}

QDate fiscalDay(int stored)
{
    return DayNumber(double(stored) + 1.0).toDate();
}

} // namespace

QString readYearName(const QString &yearDir)
{
    return readString(yearIni(yearDir), u"Global"_s, u"Účetní rok"_s, u"---"_s);
}

QString readCurrencySymbol(const QString &yearDir)
{
    return readString(yearIni(yearDir), u"Global"_s, u"Symbol měny"_s, QString());
}

bool isDoubleEntry(const QString &yearDir)
{
    return readString(yearIni(yearDir), u"Global"_s, u"Podvojné účetnictví"_s, u"Y"_s)
               .compare(u"Y"_s, Qt::CaseInsensitive) == 0;
}

bool postsStockMovements(const QString &yearDir)
{
    return TLedraIniFile(yearIni(yearDir)).ReadBool(u"Účetnictví"_s, u"Sklad/UctovatPohyby"_s, false);
}

QString readCompanyName(const QString &agendaDir)
{
    return readString(agendaIni(agendaDir), u"Údaje o firmě"_s, u"Název-obchodní"_s, QString());
}

bool isBranchExchange(const QString &agendaDir)
{
    return readString(agendaIni(agendaDir), u"Export/Import"_s, u"Stav"_s, u"NORMAL"_s)
               .compare(u"NORMAL"_s, Qt::CaseInsensitive) != 0;
}

QString lastClosingDate(const QString &agendaDir)
{
    return readString(agendaIni(agendaDir), u"Účetnictví"_s, u"Poslední závěrka"_s, QString());
}

FiscalYear fiscalYear(const QString &yearDir)
{
    const int from = TLedraIniFile(yearIni(yearDir)).ReadInteger(u"Global"_s, u"Hospodářský rok od"_s, 0);
    const int to = TLedraIniFile(yearIni(yearDir)).ReadInteger(u"Global"_s, u"Hospodářský rok do"_s, 0);
    return {fiscalDay(from), fiscalDay(to)};
}

QString expandSeriesPrefix(const QString &prefix, const QString &yearName)
{
    bool whole = false;
    yearName.toInt(&whole, 10);
    if (yearName.size() != 4 || !whole)
        return prefix;
    QString result = prefix;
    const auto replaceFirst = [&result](const QString &placeholder, const QString &text) {
        const qsizetype at = result.indexOf(placeholder, 0, Qt::CaseSensitive);
        if (at >= 0)
            result.replace(at, placeholder.size(), text);
    };
    replaceFirst(u"rrrr"_s, yearName);
    replaceFirst(u"rrr"_s, yearName);
    replaceFirst(u"rr"_s, yearName.mid(2, 2));
    replaceFirst(u"r"_s, yearName.mid(3, 1));
    return result;
}
