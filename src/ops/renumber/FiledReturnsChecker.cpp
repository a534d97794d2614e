#include "ops/renumber/FiledReturnsChecker.h"

#include "hostdb/HostTable.h"

using namespace Qt::StringLiterals;

TSeznamPodaniChecker::TSeznamPodaniChecker(const QString &agendaDir) : m_agendaDir(agendaDir) {}

bool TSeznamPodaniChecker::LoadFilings()
{
    TBFTable table;
    const QString path = m_agendaDir + u"SZDPH"_s;
    if (table.Open(path) != 0) {
        m_errorText = u"Nastala chyba při otevírání databáze "_s + path + u".DAT"_s;
        return false;
    }
    if (table.RecordCount() > 0) {
        table.GoTop();
        while (!table.Eof()) {
            m_periods.emplace_back(DayNumber::fromDateTime(table.Value(u"DatumOd"_s).toDateTime()),
                                   DayNumber::fromDateTime(table.Value(u"DatumDo"_s).toDateTime()));
            if (table.Skip() != 0)
                break;
        }
    }
    table.Close();
    return true;
}

bool TSeznamPodaniChecker::IsInFiledPeriod(DayNumber date)
{
    if (date.isEmpty())
        return false;
    const auto cached = m_cache.constFind(date.value());
    if (cached != m_cache.constEnd())
        return *cached;
    bool inside = false;
    for (const auto &[from, to] : m_periods) {
        if (from <= date && date <= to) {
            inside = true;
            break;
        }
    }
    m_cache.insert(date.value(), inside);
    return inside;
}
