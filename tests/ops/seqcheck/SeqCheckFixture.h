#pragma once

#include "app/OperationSession.h"
#include "app/RunContext.h"
#include "fixture/HostTreeBuilder.h"

#include <QStringList>
#include <QTemporaryDir>

// What a check run showed on its status label and progress bar.
class RecordingProgress final : public OperationProgress
{
public:
    void showWorking(bool visible, const QString &text) override;
    void startProgress(int maximum) override { maxima.append(maximum); }
    void setProgress(int position, const QString &status) override;
    void hideProgress() override {}

    QStringList working; // the overlay's texts, "" when hidden
    QStringList statuses;
    QList<int> maxima;
    int positions = 0; // setProgress calls
    int lastPosition = -1;
    // Called with each position (a test sets the interrupt flag from here).
    std::function<void(int)> onPosition;
};

// A company "Demo s.r.o." with the year 2018 in a temporary directory, the
// run context of that year and an operation session over it whose protocol
// viewer records the protocols shown.
class SeqCheckTree
{
public:
    SeqCheckTree();

    YearBuilder &year() { return m_year; }
    RunContext &context() { return m_context; }
    OperationSession &session() { return m_session; }
    RecordingProgress &progress() { return m_progress; }
    // The protocols shown, one list of lines each.
    const QList<QStringList> &shownProtocols() const { return m_shown; }

    // CISRADY rows as a pipe table.
    void series(const char *rows);
    void freeNumbers(const char *rows);

private:
    QTemporaryDir m_dir;
    HostTreeBuilder m_tree;
    YearBuilder &m_year;
    RunContext m_context;
    RecordingProgress m_progress;
    OperationSession m_session;
    QList<QStringList> m_shown;
};
