#include "report/ui/preview/PreviewState.h"

#include <algorithm>
#include <cmath>

void PreviewState::setPages(int pageCount, int startPage, int endPage)
{
    m_pageCount = std::max(pageCount, 0);
    if (m_pageCount == 0) {
        m_first = m_last = m_current = 0;
        return;
    }
    m_first = std::clamp(startPage, 1, m_pageCount);
    m_last = std::clamp(endPage, m_first, m_pageCount);
    m_current = m_first;
}

int PreviewState::clampToPages(int page) const
{
    return m_pageCount == 0 ? 0 : std::clamp(page, 1, m_pageCount);
}

void PreviewState::goFirst()
{
    if (canGoFirst())
        m_current = m_first;
}

void PreviewState::goPrevious()
{
    if (canGoPrevious())
        m_current = std::min(m_current - 1, m_last);
}

void PreviewState::goNext()
{
    if (canGoNext())
        m_current = std::max(m_current + 1, m_first);
}

void PreviewState::goLast()
{
    if (canGoLast())
        m_current = m_last;
}

int PreviewState::pageOfAnswer(const QString &answer) const
{
    bool ok = false;
    const int page = answer.trimmed().toInt(&ok);
    return clampToPages(ok ? page : m_first);
}

void PreviewState::showPage(int page)
{
    m_current = clampToPages(page);
}

bool PreviewState::isZoom(int zoom)
{
    return std::find(Zooms.begin(), Zooms.end(), zoom) != Zooms.end();
}

bool PreviewState::setZoom(int zoom)
{
    if (!isZoom(zoom))
        return false;
    m_zoom = zoom;
    return true;
}

int PreviewState::scaled(int units) const
{
    return int(std::lround(double(units) * m_zoom / 100.0));
}
