#include "BalancesTestSupport.h"

#include "app/core/HostIniFiles.h"
#include "common/MemTable.h"
#include "ops/balances/BalancesReport.h"

#include <QDir>

using namespace Qt::StringLiterals;

void ProgressLog::showWorking(bool, const QString &) {}

void ProgressLog::startProgress(int maximum)
{
    maximums.append(maximum);
    visible = true;
}

void ProgressLog::setProgress(int position, const QString &)
{
    positions.append(position);
    if (onProgress)
        onProgress(position);
}

void ProgressLog::hideProgress()
{
    visible = false;
}

BalancesTree::BalancesTree()
    : m_tree(m_dir.path() + u"/DATA"_s), m_year(m_tree.agenda(u"001"_s).year(u"2018"_s)),
      m_session(m_context, m_progress)
{
    m_year.yearName(u"2018"_s).currencySymbol(u"Kč"_s).fiscalYear(QDate(2018, 1, 1), QDate(2018, 12, 31));
    m_context.dataRoot = m_tree.dataRoot();
    m_context.agendaDir = m_year.agenda().dir();
    m_context.yearDir = m_year.dir();
    m_context.agendaCode = u"001"_s;
    m_context.yearCode = u"2018"_s;
    m_context.settingsDir = m_tree.dataRoot() + u"Velmar/Tarnek/Setting/"_s;
    m_context.configIniPath = m_context.settingsDir + u"Default.ini"_s;
    m_context.currencySymbol = readCurrencySymbol(m_context.yearDir);
    QDir().mkpath(m_context.settingsDir);
}

void BalancesTree::createBooks()
{
    m_year.table(u"SZUCPOKL"_s);
    m_year.table(u"POKLKNIH"_s);
    m_year.table(u"BANKKNIH"_s);
}

QStringList dumpDays(const TStavUctuPokladenReport &report)
{
    const MemTable &days = report.days();
    const int dateField = days.fieldIndex(u"Datum"_s);
    QStringList lines;
    for (int row = 0; row < days.recordCount(); ++row) {
        QString line = days.value(row, dateField).toDate().toString(Qt::ISODate);
        for (int currency = 0; currency < report.currencyCount(); ++currency)
            line += u" | "_s + report.printCode(currency) + u' ' + report.balance(row, currency).toString();
        lines.append(line);
    }
    return lines;
}
