#pragma once

#include "fixture/HostTreeBuilder.h"
#include "support/FakeSession.h"

#include <QTemporaryDir>

// The run context of the year 2018 of company 001 "Demo s.r.o." in `tree`,
// with its settings directory made and the per-configuration file named.
void fillDemoContext(RunContext &context, HostTreeBuilder &tree, YearBuilder &year);

// A company "Demo s.r.o." with the year 2018 in a temporary directory and an
// operation session over that year (its protocols recorded, not shown).
class SeqCheckTree
{
public:
    SeqCheckTree();

    YearBuilder &year() { return m_year; }
    RunContext &context() { return m_fake.context; }
    OperationSession &session() { return m_fake.session; }
    RecordingProgress &progress() { return m_fake.progress; }
    // The protocols shown, one list of lines each.
    const QList<QStringList> &shownProtocols() const { return m_fake.shownProtocols; }

    // Rows of CISRADY or VOLNECIS as a pipe table.
    void series(const char *rows);
    void freeNumbers(const char *rows);

private:
    QTemporaryDir m_dir;
    HostTreeBuilder m_tree;
    YearBuilder &m_year;
    FakeSession m_fake;
};
