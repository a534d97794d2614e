#include "EditedTestSupport.h"

#include <QDir>

using namespace Qt::StringLiterals;

void RecordingProgress::showWorking(bool visible, const QString &text)
{
    workingVisible = visible;
    if (visible)
        workingTexts.append(text);
}

void RecordingProgress::startProgress(int maximum)
{
    maxima.append(maximum);
    progressVisible = true;
}

void RecordingProgress::setProgress(int position, const QString &text)
{
    positions.append(position);
    if (!text.isNull())
        status = text;
    if (onPosition)
        onPosition(position);
}

void RecordingProgress::hideProgress()
{
    progressVisible = false;
}

EditedFixture::EditedFixture()
    : m_tree(m_dir.path() + u"/DATA"_s), m_year(m_tree.agenda(u"001"_s).year(u"2018"_s)),
      m_session(m_context, m_progress)
{
    m_context.dataRoot = m_tree.dataRoot();
    m_context.agendaCode = u"001"_s;
    m_context.userName = u"Jana"_s;
    m_context.settingsDir = m_tree.dataRoot() + u"Velmar/Tarnek/Setting/"_s;
    m_context.configIniPath = m_context.settingsDir + u"Default.ini"_s;
    QDir().mkpath(m_context.settingsDir);
    useYear(u"2018"_s);
}

void EditedFixture::useYear(const QString &yearCode)
{
    YearBuilder &year = m_tree.agenda(u"001"_s).year(yearCode);
    m_context.agendaDir = year.agenda().dir();
    m_context.yearDir = year.dir();
    m_context.yearCode = yearCode;
}
