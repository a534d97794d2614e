#include "app/core/OperationSession.h"

#include "common/Clock.h"
#include "common/LocaleFormats.h"
#include "common/UiSeam.h"

using namespace Qt::StringLiterals;

QString OperationProtocol::text() const
{
    return m_lines.join(u"\r\n"_s);
}

void OperationProtocol::addHead(const RunContext &context)
{
    const QDateTime now = Clock::current().now();
    const LocaleFormats &formats = LocaleFormats::current();
    addLine(u"Agenda: "_s + context.companyName);
    addLine(u"Rok: "_s + context.yearName);
    addLine(u"Datum: "_s + formats.formatDate(now.date()) + u' ' + formats.formatTime(now.time()) + u" hod."_s);
    addLine(QString());
}

OperationSession::OperationSession(RunContext &context, OperationProgress &progress)
    : m_context(context), m_progress(progress)
{}

OperationSession::~OperationSession() = default;

bool OperationSession::pollInterrupt()
{
    ui().processEvents();
    return interruptRequested;
}

int OperationSession::showProtocol()
{
    return m_protocolViewer ? m_protocolViewer(m_protocol) : 0;
}

void OperationSession::endProgram()
{
    if (m_programEnd)
        m_programEnd();
}

int OperationSession::runGuarded(const std::function<int()> &step)
{
    if (m_guardDepth == 0)
        m_engineFailed = false;
    ++m_guardDepth;
    int result = -1;
    try {
        result = step();
    } catch (const HostEngineError &error) {
        reportEngineError(error);
    }
    --m_guardDepth;
    return m_engineFailed ? -1 : result;
}

void OperationSession::reportEngineError(const HostEngineError &error)
{
    m_progress.hideProgress();
    m_progress.showWorking(false);
    if (m_guardDepth == 0) {
        ui().error(error.text());
        return;
    }
    interruptRequested = true;
    if (!m_engineFailed) {
        m_engineFailed = true;
        ui().error(error.text());
    }
}
