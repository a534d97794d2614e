#include "RenumberFixture.h"

using namespace Qt::StringLiterals;

RenumberTest::RenumberTest()
    : m_tree(m_dir.path() + u"/DATA"_s), m_agenda(m_tree.agenda(u"001"_s)), m_year(m_agenda.year(u"2018"_s))
{
    m_agenda.name(u"Demo s.r.o."_s).exchangeState(u"NORMAL"_s);
    m_year.yearName(u"2018"_s).doubleEntry(true);
    m_agenda.table(u"SZDPH"_s);
    m_context.dataRoot = m_tree.dataRoot();
    m_context.agendaDir = m_agenda.dir();
    m_context.yearDir = m_year.dir();
    m_context.agendaCode = u"001"_s;
    m_context.yearCode = u"2018"_s;
    m_context.yearName = u"2018"_s;
    m_context.companyName = u"Demo s.r.o."_s;
}

void RenumberTest::documents(const char *rows, RenumberModule module)
{
    m_year.table(RenumberModules::tableName(module)).rows(rows);
}

int RenumberTest::load(const QString &prefix, RenumberModule module)
{
    defineRenumberList(m_list, module, true);
    m_state.module = module;
    m_state.seriesPrefix = prefix;
    m_state.leadingZeros = true;
    m_state.digitCount = 4;
    RenumberListLoader loader(m_session, module, prefix);
    const int result = loader.load(m_list);
    m_list.setSortFields(module == RenumberModule::Cash ? u"DatVyst;RecNo"_s : u"DatUcPr;RecNo"_s);
    return result;
}

QStringList RenumberTest::column(const QString &field) const
{
    QStringList values;
    const int f = m_list.fieldIndex(field);
    for (int row = 0; row < m_list.recordCount(); ++row)
        values.append(m_list.value(row, f).toString());
    return values;
}

void RenumberTest::mark(std::initializer_list<int> rows)
{
    for (int row : rows)
        m_view.marked.insert(row - 1);
}
