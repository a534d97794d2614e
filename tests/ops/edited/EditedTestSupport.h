#pragma once

#include "app/core/OperationSession.h"
#include "fixture/HostTreeBuilder.h"

#include <QList>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

// The progress sink of the tests: records what the operation showed.
class RecordingProgress final : public OperationProgress
{
public:
    void showWorking(bool visible, const QString &text) override;
    void startProgress(int maximum) override;
    void setProgress(int position, const QString &status) override;
    void hideProgress() override;

    QStringList workingTexts; // texts of the overlay when shown
    bool workingVisible = false;
    QList<int> maxima;    // of every startProgress
    QList<int> positions; // of every setProgress
    QString status;
    bool progressVisible = false;
    std::function<void(int position)> onPosition; // e.g. the user presses "Přerušit"
};

// A company "001" with the year 2018 in a temporary host tree, the run
// context of user "Jana" on it and an operation session with a recording
// progress sink.
class EditedFixture
{
public:
    EditedFixture();

    YearBuilder &year() { return m_year; }
    HostTreeBuilder &tree() { return m_tree; }
    RunContext &context() { return m_context; }
    OperationSession &session() { return m_session; }
    RecordingProgress &progress() { return m_progress; }

    // Points the run context at another year of the company.
    void useYear(const QString &yearCode);

private:
    QTemporaryDir m_dir;
    HostTreeBuilder m_tree;
    YearBuilder &m_year;
    RunContext m_context;
    RecordingProgress m_progress;
    OperationSession m_session;
};
