#pragma once

#include "app/core/OperationSession.h"
#include "fixture/HostTreeBuilder.h"
#include "ops/purge/RemovalRun.h"

#include <QStringList>
#include <QTemporaryDir>

#include <functional>

#include <gtest/gtest.h>

// A progress sink that records the status texts and asks for an interrupt
// once a given status has been shown, as a click on "Přerušit" would (the
// recording sink of the fake session cannot interrupt).
class InterruptingProgress final : public OperationProgress
{
public:
    void showWorking(bool, const QString &) override {}
    void startProgress(int maximum) override { maximums.append(maximum); }
    void setProgress(int position, const QString &status) override;
    void hideProgress() override {}

    QStringList statuses;
    QList<int> maximums;
    // When set: the first position reported after this status sets the
    // session's interrupt flag.
    QString interruptAfter;
    OperationSession *session = nullptr;
    // Called with each status shown (a test acts as another user there).
    std::function<void(const QString &status)> onStatus;

private:
    bool m_armed = false;
};

// The beginning of the line a real run's protocol ends with.
inline const QString kSnapshotLine = QStringLiteral("Záloha tabulek před změnami: ");

// A company year in a temporary directory with the run context, the
// session and a recording protocol viewer, for the removal's rules.
class RemovalTest : public testing::Test
{
protected:
    explicit RemovalTest(bool doubleEntry = true);
    ~RemovalTest() override;

    YearBuilder &year() { return m_year; }
    QString yearDir() const { return m_year.dir(); }
    RunContext &context() { return m_context; }
    OperationSession &session() { return m_session; }
    InterruptingProgress &progress() { return m_progress; }

    // Runs the removal through the session's guard, as the window does.
    int run(const RemovalOptions &options);
    // Options with the modules of these table names checked.
    static RemovalOptions modules(const QStringList &tables, bool testMode = false);

    // The protocol lines after the header ("Agenda", "Rok", "Datum", the
    // empty line and, in test mode, the test-mode note and an empty line),
    // without the line naming the snapshot that ends a real run's protocol.
    QStringList body();
    int protocolsShown() const { return m_shown; }
    // The removed-numbers table of the last module: "number" or "number!" for
    // a duplicate.
    QStringList lastNumbers() const { return m_lastNumbers; }

    // Every record of a table with its record number, as CSV.
    QString dump(const QString &table) const;
    // One field of every record in record-number order.
    QStringList column(const QString &table, const QString &field) const;
    QString dataRoot() const { return m_tree.dataRoot(); }
    QString protocolFile() const { return RemovalRun::protocolFileName(m_context.settingsDir); }

private:
    QTemporaryDir m_dir;
    HostTreeBuilder m_tree;
    YearBuilder &m_year;
    RunContext m_context;
    InterruptingProgress m_progress;
    OperationSession m_session{m_context, m_progress};
    QStringList m_lastNumbers;
    QStringList m_shownLines;
    int m_shown = 0;
    bool m_testMode = false;
};
