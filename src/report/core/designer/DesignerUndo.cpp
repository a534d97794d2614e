#include "report/core/designer/DesignerUndo.h"

#include <QtGlobal>

void DesignerUndo::setLimit(int limit)
{
    m_limit = qMax(0, limit);
    trim();
}

void DesignerUndo::record(const QString &name, const TPredloha &before)
{
    m_redo.clear();
    m_undo.push_back({name, before});
    trim();
}

std::optional<TPredloha> DesignerUndo::undo(const TPredloha &current)
{
    if (m_undo.empty())
        return std::nullopt;
    Step step = std::move(m_undo.back());
    m_undo.pop_back();
    m_redo.push_back({step.name, current});
    return std::move(step.lines);
}

std::optional<TPredloha> DesignerUndo::redo(const TPredloha &current)
{
    if (m_redo.empty())
        return std::nullopt;
    Step step = std::move(m_redo.back());
    m_redo.pop_back();
    m_undo.push_back({step.name, current});
    trim();
    return std::move(step.lines);
}

void DesignerUndo::clear()
{
    m_undo.clear();
    m_redo.clear();
}

void DesignerUndo::trim()
{
    while (int(m_undo.size()) > m_limit)
        m_undo.pop_front();
    while (int(m_redo.size()) > m_limit)
        m_redo.pop_front();
}
