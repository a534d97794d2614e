#pragma once

#include "hostdb/AccessRights.h"

#include <QString>

// The record filled once at start-up from the host's command line and its ini
// files, and read by every operation. Directories are texts in the host's
// style and each ends with a delimiter; `agendaDir` and `dataRoot` are
// upper-cased as the host derives them, so every file access resolves them
// without regard to case (FileNames::resolve).
//
// Access: the main window owns the one instance (TfrmMain::runContext()) and
// lives as long as the program; operation entries receive the main window,
// and the rules classes below them take a `const RunContext &`.
struct RunContext
{
    QString programDir;     // directory of the executable: the help page, the set-up sources
    QString addOnVersion;   // "2.14"
    QString hostMainDir;    // MAIN
    QString yearDir;        // AKTROK: the open accounting year
    QString yearName;       // ROK.INI [Global] "Účetní rok"
    QString agendaDir;      // one level above yearDir, upper-cased
    QString companyName;    // AGENDA.INI [Údaje o firmě] "Název-obchodní"
    QString dataRoot;       // two levels above yearDir, upper-cased
    QString hostVersion;    // MVERZE, raw
    QString hostPassword;   // AKTHESLO
    QString userName;       // AKTJMENO
    QString configName;     // AKTCFGNAME, made file-name safe
    QString agendaCode;     // "001" of …/AGENDA.001/
    QString yearCode;       // "2018" of …/ROK.2018/
    QString addOnRoot;      // dataRoot + "Velmar/Tarnek/"
    QString settingsDir;    // addOnRoot + "Setting/"
    QString printFormsDir;  // addOnRoot + "PrintFrm/"
    QString configIniPath;  // settingsDir + configName + ".ini", set by the host-version check
    QString currencySymbol; // set by the host-version check
    UserRights rights;      // refilled by the rights check each time the welcome page is left
};

// The add-on's own settings file (the host version last seen, the number of
// snapshots kept).
inline QString mainIniPath(const RunContext &context)
{
    return context.settingsDir + QStringLiteral("main.ini");
}

// The add-on's own version, shown on the welcome page and compared by the
// update check.
inline QString addOnVersionText()
{
    return QStringLiteral("2.14");
}
