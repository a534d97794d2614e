#pragma once

#include <QString>
#include <QStringList>

class MemTable;
class TfrmMain;
struct RunContext;

// Start-up of the add-on: the host's command line becomes the run context,
// the settings directory is made sure of, the set-up files are copied and the
// host version checked, all under the working overlay "Spouštění zásuvného
// modulu"; then the welcome page is shown. 0 on success; -1
// after the failure was reported (the program then ends without its main
// window ever appearing).
int runStartUp(TfrmMain &main, const QStringList &arguments, const QString &programDir);

// Fills the run context from the scanned parameters and the host's ini files
// (program directory and version already set). The first missing parameter
// (MAIN, AKTROK, MVERZE, AKTHESLO, AKTJMENO, AKTCFGNAME) is reported and gives -1.
int resolveRunContext(const MemTable &mtParametry, RunContext &context);

// The error box about a missing parameter; Yes opens the help page.
void showMissingParameter(const QString &programDir, const QString &hint);

// Creates `settingsDir` with its missing parents; -1 after reporting
// "Nelze vytvořit adresář " + path.
int ensureSettingsDir(const RunContext &context);
