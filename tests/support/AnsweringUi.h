#pragma once

// The UI seam of the child processes that tests start and kill part-way: no
// script, no window; questions are answered Yes, other boxes OK, and every
// text goes to standard error for the test to read.

#include "common/UiSeam.h"

#include <QCoreApplication>
#include <QString>

#include <cstdio>

class AnsweringUi final : public UiSeam
{
public:
    using UiSeam::message;
    MessageAnswer message(MessageKind, const QString &text, MessageButtons buttons, const QString &) override
    {
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
        return isYesNo(buttons) ? MessageAnswer::Yes : MessageAnswer::Ok;
    }
    QString openFileName(const FileDialogRequest &) override { return QString(); }
    QString saveFileName(const FileDialogRequest &) override { return QString(); }
    int execModal(QDialog &) override { return 0; }
    void openDocument(const QString &) override {}
    void processEvents() override { QCoreApplication::processEvents(); }
    void setClipboardText(const QString &) override {}
    QString clipboardText() override { return QString(); }
};
