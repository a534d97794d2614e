#include "SeqCheckFixture.h"

#include <QDir>

using namespace Qt::StringLiterals;

void fillDemoContext(RunContext &context, HostTreeBuilder &tree, YearBuilder &year)
{
    context.dataRoot = tree.dataRoot();
    context.agendaDir = year.agenda().dir();
    context.yearDir = year.dir();
    context.companyName = u"Demo s.r.o."_s;
    context.yearName = u"2018"_s;
    context.agendaCode = u"001"_s;
    context.yearCode = u"2018"_s;
    context.settingsDir = tree.dataRoot() + u"Velmar/Tarnek/Setting/"_s;
    context.configIniPath = context.settingsDir + u"Default.ini"_s;
    QDir().mkpath(context.settingsDir);
}

SeqCheckTree::SeqCheckTree()
    : m_tree(m_dir.path() + u"/DATA"_s),
      m_year(m_tree.agenda(u"001"_s).name(u"Demo s.r.o."_s).year(u"2018"_s).yearName(u"2018"_s))
{
    fillDemoContext(m_fake.context, m_tree, m_year);
}

void SeqCheckTree::series(const char *rows)
{
    m_year.table(u"CISRADY"_s).rows(rows);
}

void SeqCheckTree::freeNumbers(const char *rows)
{
    m_year.table(u"VOLNECIS"_s).rows(rows);
}
