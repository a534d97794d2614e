#pragma once

#include "app/core/OperationSession.h"
#include "app/core/RunContext.h"
#include "common/MemTable.h"
#include "fixture/HostTreeBuilder.h"
#include "ops/renumber/RenumberList.h"
#include "support/FakeSession.h"

#include <QList>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
    FakeSession m_fake;
    RunContext &m_context = m_fake.context;
    RecordingProgress &m_progress = m_fake.progress;
    OperationSession &m_session = m_fake.session;
    QList<QStringList> &m_shownProtocols = m_fake.shownProtocols; // what the information window showed
    MemTable m_list{QStringLiteral("mtDoklady")};
    RenumberState m_state;
    FakeListView m_view;
};
