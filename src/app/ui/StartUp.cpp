#include "app/ui/StartUp.h"

#include "app/core/CommandLine.h"
#include "app/core/HostIniFiles.h"
#include "app/core/HostVersion.h"
#include "app/core/InsLedraCopyWorker.h"
#include "app/core/ProgressGuards.h"
#include "app/core/RunContext.h"
#include "app/ui/MainWindow.h"
#include "common/FileNames.h"
#include "common/MemTable.h"
#include "common/UiSeam.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

// Parameters in the order they are required, with the hint shown when one is missing.
struct Parameter
{
    QString name;
    QString hint;
};

std::optional<QString> required(const MemTable &mtParametry, const Parameter &parameter, const QString &programDir)
{
    auto value = CommandLine::parameterValue(mtParametry, parameter.name);
    if (!value)
        showMissingParameter(programDir, parameter.hint);
    return value;
}

} // namespace

void showMissingParameter(const QString &programDir, const QString &hint)
{
    const QString text = u"Doplněk byl spuštěn s neúplným parametrem - pravděpodobně ho spouštíte jako samostatný "
                         "program, nikoliv jako zásuvný modul Ledra přímo z plochy.\r\rChybějící parametr: "_s +
                         hint + u"\r\rChcete zobrazit nápovědu?"_s;
    if (ui().message(MessageKind::Error, text, MessageButtons::YesNo) == MessageAnswer::Yes)
        ui().openDocument(programDir + u"insledra.html"_s);
}

int resolveRunContext(const MemTable &mtParametry, RunContext &context)
{
    const QString &programDir = context.programDir;

    const auto main = required(mtParametry, {u"MAIN"_s, u"?MAIN=<Main>?MAIN"_s}, programDir);
    if (!main)
        return -1;
    context.hostMainDir = FileNames::withTrailingDelimiter(*main);

    const auto year = required(mtParametry, {u"AKTROK"_s, u"?AKTROK=<AktRok>?AKTROK"_s}, programDir);
    if (!year)
        return -1;
    context.yearDir = FileNames::withTrailingDelimiter(*year);
    context.yearName = readYearName(context.yearDir);
    // A year directory of the wrong shape leaves both at the root, where
    // nothing of the host is found; the operations then report it.
    context.agendaDir = FileNames::withTrailingDelimiter(deriveAgendaPath(context.yearDir, 2));
    context.companyName = readCompanyName(context.agendaDir);
    context.dataRoot = FileNames::withTrailingDelimiter(deriveAgendaPath(context.yearDir, 1));

    const auto version = required(mtParametry, {u"MVERZE"_s, u"?MVERZE=<MVERZE>?MVERZE"_s}, programDir);
    if (!version)
        return -1;
    context.hostVersion = *version;

    const auto password = required(mtParametry, {u"AKTHESLO"_s, u"?AKTHESLO=<AKTHESLO>?AKTHESLO"_s}, programDir);
    if (!password)
        return -1;
    context.hostPassword = *password;

    const auto user = required(mtParametry, {u"AKTJMENO"_s, u"?AKTJMENO=<AKTJMENO>?AKTJMENO"_s}, programDir);
    if (!user)
        return -1;
    context.userName = user->isEmpty() ? u"uživatel bez jména"_s : *user;

    const auto config = required(mtParametry, {u"AKTCFGNAME"_s, u"?AKTCFGNAME=<AKTCFGNAME>?AKTCFGNAME"_s}, programDir);
    if (!config)
        return -1;
    const QString configName = sanitizeFileName(*config, u'_');
    context.configName = configName.trimmed().isEmpty() ? u"Default"_s : configName;

    context.agendaCode = directoryCode(context.agendaDir);
    context.yearCode = directoryCode(context.yearDir);
    context.addOnRoot = context.dataRoot + u"Velmar/Tarnek/"_s;
    context.settingsDir = context.addOnRoot + u"Setting/"_s;
    context.printFormsDir = context.addOnRoot + u"PrintFrm/"_s;
    return 0;
}

int ensureSettingsDir(const RunContext &context)
{
    if (!FileNames::isDirectory(context.settingsDir)) {
        QDir().mkpath(FileNames::resolve(context.settingsDir));
        if (!FileNames::isDirectory(context.settingsDir)) {
            ui().error(u"Nelze vytvořit adresář "_s + context.settingsDir);
            return -1;
        }
    }
    return 0;
}

int runStartUp(TfrmMain &main, const QStringList &arguments, const QString &programDir)
{
    WorkingOverlay starting(main.session().progress(), u"Spouštění zásuvného modulu\rčekejte prosím..."_s);
    RunContext &context = main.runContext();
    context.programDir = FileNames::withTrailingDelimiter(programDir);
    context.addOnVersion = addOnVersionText();
    main.showVersion(context.addOnVersion);
    CommandLine::scanCommandLine(arguments, main.session().mtParametry);

    if (resolveRunContext(main.session().mtParametry, context) != 0)
        return -1;
    if (ensureSettingsDir(context) != 0)
        return -1;
    const SetupCopyResult copy = runSetupCopy(context.programDir, context.addOnRoot, context.dataRoot);
    if (copy.code != 0) {
        ui().error(copy.message);
        return -1;
    }
    if (checkHostVersion(context) != 0)
        return -1;

    starting.hide();
    main.showPage(0);
    main.show();
    return 0;
}
