#include "SeqCheckFixture.h"

#include <QDir>

using namespace Qt::StringLiterals;

void RecordingProgress::showWorking(bool visible, const QString &text)
{
    working.append(visible ? text : QString());
}

void RecordingProgress::setProgress(int position, const QString &status)
{
    ++positions;
    lastPosition = position;
    if (!status.isNull())
        statuses.append(status);
    if (onPosition)
        onPosition(position);
}

SeqCheckTree::SeqCheckTree()
    : m_tree(m_dir.path() + u"/DATA"_s), m_year(m_tree.agenda(u"001"_s).name(u"Demo s.r.o."_s).year(u"2018"_s)),
      m_session(m_context, m_progress)
{
    m_year.yearName(u"2018"_s);
    m_context.dataRoot = m_tree.dataRoot();
    m_context.agendaDir = m_year.agenda().dir();
    m_context.yearDir = m_year.dir();
    m_context.companyName = u"Demo s.r.o."_s;
    m_context.yearName = u"2018"_s;
    m_context.agendaCode = u"001"_s;
    m_context.yearCode = u"2018"_s;
    m_context.settingsDir = m_tree.dataRoot() + u"Velmar/Tarnek/Setting/"_s;
    m_context.configIniPath = m_context.settingsDir + u"Default.ini"_s;
    QDir().mkpath(m_context.settingsDir);
    m_session.setProtocolViewer([this](OperationProtocol &protocol) {
        m_shown.append(protocol.lines());
        return 0;
    });
}

void SeqCheckTree::series(const char *rows)
{
    m_year.table(u"CISRADY"_s).rows(rows);
}

void SeqCheckTree::freeNumbers(const char *rows)
{
    m_year.table(u"VOLNECIS"_s).rows(rows);
}
