#pragma once

#include "support/ScriptedUi.h"

#include <QString>

#include <functional>

// The scripted seam with a look at every warning before it is answered: a
// test that holds a record from another process releases it from here, after
// the program has shown its wait warning. Install it with
// UiSeam::setCurrent(&hook) and restore scriptedUi() afterwards.
class WarningHookUi final : public UiSeam
{
public:
    std::function<void(const QString &)> onWarning;

    MessageAnswer message(MessageKind kind, const QString &text, MessageButtons buttons,
                          const QString &caption) override
    {
        if (kind == MessageKind::Warning && onWarning)
            onWarning(text);
        return scriptedUi().message(kind, text, buttons, caption);
    }
    QString openFileName(const FileDialogRequest &request) override { return scriptedUi().openFileName(request); }
    QString saveFileName(const FileDialogRequest &request) override { return scriptedUi().saveFileName(request); }
    int execModal(QDialog &dialog) override { return scriptedUi().execModal(dialog); }
    void openDocument(const QString &pathOrAddress) override { scriptedUi().openDocument(pathOrAddress); }
    void processEvents() override { scriptedUi().processEvents(); }
    void setClipboardText(const QString &text) override { scriptedUi().setClipboardText(text); }
    QString clipboardText() override { return scriptedUi().clipboardText(); }
};
