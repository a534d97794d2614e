#pragma once

#include "app/core/RunContext.h"
#include "common/MemTable.h"
#include "hostdb/HostTable.h"

#include <QString>
#include <QStringList>

#include <functional>

// What an operation shows while it works: the wizard's working overlay, its
// progress bar `pbMain` and status label `lblPBStatus`. The main window
// implements it with its widgets; tests use a recording fake.
class OperationProgress
{
public:
    virtual ~OperationProgress() = default;

    // The working overlay ("…\rčekejte prosím..."); hidden with `false`.
    virtual void showWorking(bool visible, const QString &text = QString()) = 0;
    // Shows the bar with the range 0..maximum and the status label.
    virtual void startProgress(int maximum) = 0;
    // Moves the bar; a non-null status replaces the label's text.
    virtual void setProgress(int position, const QString &status = QString()) = 0;
    // Hides the bar and the label.
    virtual void hideProgress() = 0;
};

// A protocol: the lines an operation writes for the user, shown by the
// information window, saved to a file and printed as one memo.
class OperationProtocol
{
public:
    void clear() { m_lines.clear(); }
    void addLine(const QString &line) { m_lines.append(line); }
    const QStringList &lines() const { return m_lines; }
    bool isEmpty() const { return m_lines.isEmpty(); }
    // The head every protocol begins with: "Agenda: " + company, "Rok: " +
    // year, "Datum: " + today + " " + now + " hod." (the locale's short date
    // and long time, the clock's time) and an empty line.
    void addHead(const RunContext &context);
    // The whole protocol as one text, lines joined with CR LF.
    QString text() const;

private:
    QStringList m_lines;
};

// What the five operations share for the whole run, without any window: the
// run context, the parameter and year tables, the interrupt flag, the
// protocol and the progress sink. No host table is shared: every step opens
// the tables it needs as objects of its own, closed when the step ends, also
// while an engine error unwinds it; the session keeps only what ending an
// operation cleanly after an engine error needs. The main
// window owns the one session; operation entries, the rights check and the
// update check take the session, never the window.
class OperationSession
{
public:
    OperationSession(RunContext &context, OperationProgress &progress);
    ~OperationSession();
    OperationSession(const OperationSession &) = delete;
    OperationSession &operator=(const OperationSession &) = delete;

    RunContext &runContext() { return m_context; }
    const RunContext &runContext() const { return m_context; }
    OperationProgress &progress() { return m_progress; }
    OperationProtocol &protocol() { return m_protocol; }

    // Lets the message queue run (repaints, the "Přerušit" button) and tells
    // whether the user asked to stop.
    bool pollInterrupt();

    // Shows the protocol in the information window (the main window installs
    // the viewer; tests install a recording one). Without a viewer nothing is
    // shown. Returns the viewer's result.
    using ProtocolViewer = std::function<int(OperationProtocol &)>;
    void setProtocolViewer(ProtocolViewer viewer) { m_protocolViewer = std::move(viewer); }
    int showProtocol();

    // Ends the program as the wizard's "Zavřít" does (the update check sends
    // the user to the product page and ends). The main window installs it;
    // without one nothing happens.
    void setProgramEnd(std::function<void()> end) { m_programEnd = std::move(end); }
    void endProgram();

    // Runs an operation step; an engine exception that escapes it is shown as
    // the engine's message box, the progress is hidden, and the step counts
    // as failed (-1); the step's own tables closed while the exception
    // unwound it. The one place that does
    // this for every operation. A step during which reportEngineError() ran
    // (an engine error in one of its windows' event handlers) fails too,
    // whatever it returned.
    int runGuarded(const std::function<int()> &step);

    // An engine error that left an event handler (a slot of an operation's
    // window) and was caught by the application: the progress is hidden and
    // the engine's message is shown; during a guarded step the step is marked
    // failed and interrupted, and later errors of the same step show no
    // further box (they follow from the first).
    void reportEngineError(const HostEngineError &error);
    // Whether the guarded step now running met an engine error.
    bool engineFailed() const { return m_engineFailed; }

    MemTable mtParametry{QStringLiteral("mtParametry")};
    MemTable mtYear{QStringLiteral("mtYear")};
    bool interruptRequested = false;

private:
    RunContext &m_context;
    OperationProgress &m_progress;
    OperationProtocol m_protocol;
    ProtocolViewer m_protocolViewer;
    std::function<void()> m_programEnd;
    // What ending an operation cleanly after an engine error needs: whether a
    // guarded step is running and whether it met an engine error.
    int m_guardDepth = 0;
    bool m_engineFailed = false;
};

// An operation's entry routine: 0 for success, anything else for failure or
// cancel.
using OperationEntry = std::function<int(OperationSession &)>;
