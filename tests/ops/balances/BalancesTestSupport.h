#pragma once

#include "app/core/OperationSession.h"
#include "app/core/RunContext.h"
#include "fixture/HostTreeBuilder.h"

#include <QList>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

class TStavUctuPokladenReport;

// A progress sink that keeps every position the computation showed (the
// session fake keeps only the last); a hook lets a test act at a position
// (press "Přerušit").
class ProgressLog final : public OperationProgress
{
public:
    void showWorking(bool visible, const QString &text) override;
    void startProgress(int maximum) override;
    void setProgress(int position, const QString &status) override;
    void hideProgress() override;

    QList<int> maximums;
    QList<int> positions;
    bool visible = false;
    std::function<void(int position)> onProgress;
};

// A company with the year 2018 (fiscal year 1 January to 31 December, home
// currency "Kč"), its run context and an operation session over it.
class BalancesTree
{
public:
    BalancesTree();

    YearBuilder &year() { return m_year; }
    RunContext &context() { return m_context; }
    OperationSession &session() { return m_session; }
    ProgressLog &progress() { return m_progress; }

    // Empty SZUCPOKL, POKLKNIH and BANKKNIH, as a year always has them.
    void createBooks();

private:
    QTemporaryDir m_dir;
    HostTreeBuilder m_tree;
    YearBuilder &m_year;
    RunContext m_context;
    ProgressLog m_progress;
    OperationSession m_session;
};

// The days as text, one line per day: "2018-03-05 | EUR 70.0000 | Kč 0.0000",
// the exact balance of every currency in `ID` order titled by its print code.
QStringList dumpDays(const TStavUctuPokladenReport &report);
