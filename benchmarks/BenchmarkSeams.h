#pragma once

#include "app/core/OperationSession.h"
#include "common/UiSeam.h"

#include <QCoreApplication>

// The UI seam an operation runs under in a benchmark: no window opens, every
// box is answered at once (questions with `toQuestions`, the rest with OK)
// and counted; the event queue is pumped only when the benchmark asks for it.
class BenchmarkUi final : public UiSeam
{
public:
    explicit BenchmarkUi(bool pumpEvents = false, MessageAnswer toQuestions = MessageAnswer::Ok)
        : m_pumpEvents(pumpEvents), m_toQuestions(toQuestions)
    {}

    using UiSeam::message;
    MessageAnswer message(MessageKind, const QString &, MessageButtons buttons, const QString &) override
    {
        ++messages;
        const bool question = buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel;
        return question ? m_toQuestions : MessageAnswer::Ok;
    }
    QString openFileName(const FileDialogRequest &) override { return QString(); }
    QString saveFileName(const FileDialogRequest &) override { return QString(); }
    int execModal(QDialog &) override { return 0; }
    void openDocument(const QString &) override {}
    void processEvents() override
    {
        if (m_pumpEvents)
            QCoreApplication::processEvents();
    }
    void setClipboardText(const QString &) override {}
    QString clipboardText() override { return QString(); }

    int messages = 0;

private:
    bool m_pumpEvents;
    MessageAnswer m_toQuestions;
};

// Progress that shows nothing.
class NoProgress final : public OperationProgress
{
public:
    void showWorking(bool, const QString &) override {}
    void startProgress(int) override {}
    void setProgress(int, const QString &) override {}
    void hideProgress() override {}
};
