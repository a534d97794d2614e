#pragma once

#include "app/core/OperationSession.h"

#include <QString>

// Scoped forms of what an operation shows while it works. Each shows on
// construction and hides on destruction, so no return, refusal or engine
// exception can leave the overlay or the bar on the screen.

// The working overlay ("…\rčekejte prosím...") for the guard's lifetime.
class WorkingOverlay
{
public:
    WorkingOverlay(OperationProgress &progress, const QString &text) : m_progress(progress)
    {
        m_progress.showWorking(true, text);
    }
    ~WorkingOverlay() { hide(); }
    WorkingOverlay(const WorkingOverlay &) = delete;
    WorkingOverlay &operator=(const WorkingOverlay &) = delete;

    // Hides the overlay before the guard ends (before a window that must not
    // stand behind it); the destructor then does nothing.
    void hide()
    {
        if (m_visible) {
            m_visible = false;
            m_progress.showWorking(false);
        }
    }

private:
    OperationProgress &m_progress;
    bool m_visible = true;
};

// The progress bar and its status label for the guard's lifetime.
class ProgressBarScope
{
public:
    ProgressBarScope(OperationProgress &progress, int maximum) : m_progress(progress)
    {
        m_progress.startProgress(maximum);
    }
    ~ProgressBarScope() { m_progress.hideProgress(); }
    ProgressBarScope(const ProgressBarScope &) = delete;
    ProgressBarScope &operator=(const ProgressBarScope &) = delete;

    void setProgress(int position, const QString &status = QString()) { m_progress.setProgress(position, status); }

private:
    OperationProgress &m_progress;
};
