#pragma once

// An operation session without a main window: a run context, a progress sink
// that records what an operation shows, and the session over both. Operation
// tests, the rights check and the update check run on it.

#include "app/core/OperationSession.h"
#include "app/core/RunContext.h"

#include <QString>
#include <QStringList>

#include <functional>

// Records every call of the progress interface. `working` is the overlay's
// state now; `workingTexts` every text it showed, in order.
class RecordingProgress final : public OperationProgress
{
public:
    void showWorking(bool visible, const QString &text = QString()) override
    {
        working = visible;
        if (visible)
            workingTexts.append(text);
    }
    void startProgress(int steps) override
    {
        progressVisible = true;
        maximum = steps;
        position = 0;
        ++starts;
    }
    void setProgress(int value, const QString &status = QString()) override
    {
        position = value;
        ++updates;
        if (!status.isNull())
            statuses.append(status);
        if (onProgress)
            onProgress(position);
    }
    void hideProgress() override { progressVisible = false; }

    bool working = false;
    QStringList workingTexts;
    bool progressVisible = false;
    int starts = 0;
    int maximum = 0;
    int position = 0;
    QStringList statuses;
    int updates = 0; // setProgress calls
    // Called with each position (a test sets the interrupt flag from here).
    std::function<void(int)> onProgress;
};

// A session for one test: context first, then the recording sink, then the
// session over them. The program end and the protocol viewer are recorded.
struct FakeSession
{
    FakeSession()
    {
        session.setProgramEnd([this] { ++programEnds; });
        session.setProtocolViewer([this](OperationProtocol &protocol) {
            shownProtocols.append(protocol.lines());
            return 0;
        });
    }
    FakeSession(const FakeSession &) = delete;
    FakeSession &operator=(const FakeSession &) = delete;

    RunContext context;
    RecordingProgress progress;
    OperationSession session{context, progress};
    int programEnds = 0;
    QList<QStringList> shownProtocols;
};
