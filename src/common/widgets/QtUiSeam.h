#pragma once

#include "common/UiSeam.h"

#include <QFileDialog>
#include <QHash>

// The seam as the program shows it: Qt message boxes, Qt's own (not native)
// file dialogs, QDialog::exec, the desktop services and the clipboard.
//
// A file dialog that is given no folder opens in the folder it was last left
// in (each dialog, told by its title, remembers its own), the first time in
// the working directory: never in whatever folder another dialog visited.
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

private:
    QString fileDialog(const FileDialogRequest &request, QFileDialog::AcceptMode mode);

    QHash<QString, QString> m_lastFolders; // dialog title → folder
};

class QTranslator;

// Loads Qt's own Czech translations (file and print dialogs, standard buttons
// of Qt's windows) into the application: the program speaks Czech whatever
// the system's language. The translator must outlive its use. False when the
// translations are not installed (Debian's qt6-translations-l10n); Qt's texts
// then stay English. The few texts Qt's translation leaves in English are
// translated by the program itself either way.
bool installQtCzechTranslations(QTranslator &translator);

// Before the application object exists: a system that names no language (no
// locale, C or POSIX, as Debian's default C.UTF-8) is taken as Czech, so that
// Qt's dialogs show Czech dates, decimal commas and file types. True when
// the system named none.
bool preferCzechLocale();
