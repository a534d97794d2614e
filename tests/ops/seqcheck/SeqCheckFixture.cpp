#include "SeqCheckFixture.h"

#include <QDir>

using namespace Qt::StringLiterals;

SeqCheckTree::SeqCheckTree()
    : m_tree(m_dir.path() + u"/DATA"_s), m_year(m_tree.agenda(u"001"_s).name(u"Demo s.r.o."_s).year(u"2018"_s))
{
    RunContext &context = m_fake.context;
    m_year.yearName(u"2018"_s);
    context.dataRoot = m_tree.dataRoot();
    context.agendaDir = m_year.agenda().dir();
    context.yearDir = m_year.dir();
    context.companyName = u"Demo s.r.o."_s;
    context.yearName = u"2018"_s;
    context.agendaCode = u"001"_s;
    context.yearCode = u"2018"_s;
    context.settingsDir = m_tree.dataRoot() + u"Velmar/Tarnek/Setting/"_s;
    context.configIniPath = context.settingsDir + u"Default.ini"_s;
    QDir().mkpath(context.settingsDir);
}

void SeqCheckTree::series(const char *rows)
{
    m_year.table(u"CISRADY"_s).rows(rows);
}

void SeqCheckTree::freeNumbers(const char *rows)
{
    m_year.table(u"VOLNECIS"_s).rows(rows);
}
