#include "report/core/data/RecordLoop.h"

#include "report/core/Report.h"

bool RecordLoop::start()
{
    m_count = 0;
    m_empty = false;
    if (m_report.tiskJedenZaznam()) {
        m_report.raiseGetData();
        return true;
    }
    if (m_report.stepData(sdFirst) & srEof) {
        m_empty = true;
        return !m_report.isDetail();
    }
    return true;
}

bool RecordLoop::next(bool stop)
{
    ++m_count;
    if (m_report.tiskJedenZaznam() || m_empty || stop)
        return false;
    if (m_report.maxRecords() > 0 && m_count >= m_report.maxRecords())
        return false;
    return m_report.stepData(sdNext) == srMiddle;
}
