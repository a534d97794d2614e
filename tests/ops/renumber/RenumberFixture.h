#pragma once

#include "app/OperationSession.h"
#include "app/RunContext.h"
#include "common/MemTable.h"
#include "fixture/HostTreeBuilder.h"
#include "ops/renumber/RenumberList.h"

#include <QList>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The progress sink of the tests: records what the operation showed.
class RecordingProgress : public OperationProgress
{
public:
    void showWorking(bool visible, const QString &text) override
    {
        if (visible)
            workingTexts.append(text);
        workingVisible = visible;
    }
    void startProgress(int maximum) override { maximums.append(maximum); }
    void setProgress(int position, const QString &status) override
    {
        positions.append(position);
        if (!status.isNull())
            statuses.append(status);
    }
    void hideProgress() override { ++hidden; }

    QStringList workingTexts;
    bool workingVisible = false;
    QList<int> maximums;
    QList<int> positions;
    QStringList statuses;
    int hidden = 0;
};

// The list window as the rules see it: marks on rows of the list's order.
class FakeListView : public RenumberListView
{
public:
    int markCount() const override { return int(marked.size()); }
    bool isMarked(int row) const override { return marked.contains(row); }
    void suspendRepaint(bool suspended) override { repaintSuspended = suspended; }
    void updateListButtons(bool busy) override { lastBusy = busy; }

    QSet<int> marked;
    bool repaintSuspended = false;
    bool lastBusy = true;
};

// A company "001" with the year 2018 in a temporary directory, the session
// over it, and an empty document list with its window state.
class RenumberTest : public testing::Test
{
protected:
    RenumberTest();

    // POKLKNIH (or INTDOKL) rows in the builder's pipe form.
    void documents(const char *rows, RenumberModule module = RenumberModule::Cash);
    // Loads the series into `list` and sorts it by date and RecNo, as the
    // window does. The load's result.
    int load(const QString &prefix = QStringLiteral("PD"), RenumberModule module = RenumberModule::Cash);
    // A field's values in the list's current order.
    QStringList column(const QString &field) const;
    // Marks rows of the list's current order (1-based, as a user counts).
    void mark(std::initializer_list<int> rows);

    QTemporaryDir m_dir;
    HostTreeBuilder m_tree;
    AgendaBuilder &m_agenda;
    YearBuilder &m_year;
    RunContext m_context;
    RecordingProgress m_progress;
    OperationSession m_session;
    MemTable m_list{QStringLiteral("mtDoklady")};
    RenumberState m_state;
    FakeListView m_view;
    QList<QStringList> m_shownProtocols; // what the information window showed
};
