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

class QTranslator;

// Loads Qt's own Czech translations (file and print dialogs, standard buttons
// of Qt's windows) into the application: the program speaks Czech whatever
// the system's language. The translator must outlive its use. False when the
// translations are not installed (Debian's qt6-translations-l10n); Qt's texts
// then stay English.
bool installQtCzechTranslations(QTranslator &translator);
