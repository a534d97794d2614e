#pragma once

#include "common/UiSeam.h"

// The seam as the program shows it: Qt message boxes, Qt's own (not native)
// file dialogs, QDialog::exec, the desktop services and the clipboard.
class QtUiSeam final : public UiSeam
{
public:
    using UiSeam::message;
    MessageAnswer message(MessageKind kind, const QString &text, MessageButtons buttons,
                          const QString &caption) override;
    QString openFileName(const FileDialogRequest &request) override;
    QString saveFileName(const FileDialogRequest &request) override;
    int execModal(QDialog &dialog) override;
    void openDocument(const QString &pathOrAddress) override;
    void processEvents() override;
    void setClipboardText(const QString &text) override;
    QString clipboardText() override;
};
