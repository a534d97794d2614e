#pragma once

#include "report/core/template/TemplateLines.h"

#include <QString>

#include <deque>
#include <optional>

// The designer's change steps: each step keeps the template lines as they
// were before the change and the name of the change ("posun prvku" …), which
// the "Zrušit" and "Znovu" menu items show. Templates are small, so a whole
// copy per step is the simplest record that cannot go wrong.
class DesignerUndo
{
public:
    explicit DesignerUndo(int limit = 10) { setLimit(limit); }

    int limit() const { return m_limit; }
    // The oldest steps beyond the limit are dropped; 0 keeps no steps.
    void setLimit(int limit);

    // A change was made: `before` restores what it changed. Clears the redo steps.
    void record(const QString &name, const TPredloha &before);

    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    int undoCount() const { return int(m_undo.size()); }
    int redoCount() const { return int(m_redo.size()); }
    // The name of the step "Zrušit" / "Znovu" would take back; empty when none.
    QString undoName() const { return m_undo.empty() ? QString() : m_undo.back().name; }
    QString redoName() const { return m_redo.empty() ? QString() : m_redo.back().name; }

    // Takes the last step back: the lines to restore, while `current` becomes
    // its redo step. nullopt when there is nothing to take back.
    std::optional<TPredloha> undo(const TPredloha &current);
    // Makes the last taken-back step again.
    std::optional<TPredloha> redo(const TPredloha &current);

    void clear();

private:
    struct Step
    {
        QString name;
        TPredloha lines;
    };
    void trim();

    int m_limit = 10;
    std::deque<Step> m_undo;
    std::deque<Step> m_redo;
};
