#include "app/core/UpdateCheck.h"

#include "app/core/HostVersion.h"
#include "app/core/HttpGet.h"
#include "app/core/OperationSession.h"
#include "app/core/ProgressGuards.h"
#include "app/core/UpdateServer.h"
#include "common/FileNames.h"
#include "common/IniFile.h"
#include "common/UiSeam.h"

#include <QFile>
#include <QScopedValueRollback>

using namespace Qt::StringLiterals;

namespace {

QString question(bool firstRun)
{
    const QString opening =
        firstRun ? u"Zásuvný modul spouštíte poprvé. Program může nyní zkontrolovat, zda je k dispozici novější verze "
                   "doplňku."_s
                 : u"Od posledního spuštění tohoto doplňku se změnila verze ekonomického systému Ledra. Program může "
                   "nyní zkontrolovat, zda je k dispozici také novější verze tohoto doplňku."_s;
    return opening + u"\r\r"_s +
           u"UPOZORNĚNÍ: je nutné, aby tento externí doplněk byl kompatibilní s právě používanou verzí Ledra, "
           "jinak nelze zaručit korektní chování programu a mohlo by dojít k nesprávnému vyhodnocení některých "
           "funkcí."_s +
           u" Doporučujeme proto kontrolu na existenci novější verze provést."_s + u"\r\r"_s +
           u"Chcete nyní zkontrolovat, zda je k dispozici novější verze tohoto doplňku (vyžaduje připojení "
           "k internetu)?"_s;
}

const QString kDownloadFailed = u"Při ověřování existence novější verze došlo k chybě. Zkontrolujte vaše připojení k "
                                "internetu (resp. povolení internetového připojení pro tento doplněk)."_s;

// Sends the user to the product page and ends the program through the wizard.
void openProductPageAndEnd(OperationSession &session)
{
    ui().openDocument(UpdateServer::productPageAddress());
    session.endProgram();
}

} // namespace

int checkForUpdate(OperationSession &session)
{
    // The download's wait keeps the message loop running: "Další >" pressed
    // again must not start a second check (and download into the same
    // file); "Zavřít" sets the interrupt flag, which ends the wait.
    static bool checking = false;
    if (checking)
        return -1;
    const QScopedValueRollback guard(checking, true);
    const RunContext &context = session.runContext();
    const QString lastVersion = lastRecordedHostVersion(context);
    if (lastVersion == context.hostVersion)
        return 0;
    const bool firstRun = lastVersion.isEmpty();
    if (!ui().askYesNo(MessageKind::Confirmation, question(firstRun)))
        return 0;

    const QString localCopy = context.settingsDir + u"velmarver.dat"_s;
    session.interruptRequested = false;
    const HTTPGet::Result download = [&] {
        WorkingOverlay working(session.progress(), u"Ověření novější verze doplňku\rčekejte prosím..."_s);
        return HTTPGet::downloadFile(UpdateServer::manifestAddress(), localCopy,
                                     [&] { return session.interruptRequested; });
    }();
    if (download.cancelled)
        return -1;

    if (!download.ok) {
        if (firstRun) {
            ui().error(kDownloadFailed);
            return 0;
        }
        const QString text = kDownloadFailed + u"\r\r"_s + u"Nyní používáte verzi: "_s + context.addOnVersion +
                             u"- zkontrolovat existenci novější verze můžete také manuálně na adrese: "_s +
                             UpdateServer::productPageAddress() + u"\r\r"_s +
                             u"Chcete nyní uvedenou adresu otevřít v okně vašeho internetového prohlížeče?"_s;
        if (!ui().askYesNo(MessageKind::Error, text))
            return 0;
        openProductPageAndEnd(session);
        return -1;
    }

    const QString published = IniFile(localCopy).ReadString(u"TARNEK"_s, u"VER"_s, QString());
    QFile::remove(FileNames::resolve(localCopy));
    if (published.isEmpty()) {
        ui().information(u"Údaje o verzi nejsou k dispozici."_s);
        return 0;
    }
    if (published.compare(context.addOnVersion, Qt::CaseInsensitive) == 0) {
        ui().information(u"Právě používaná verze doplňku je aktuální."_s);
        return 0;
    }
    // Any other version, lower ones included: the add-on must match the host.
    ui().information(u"Na internetu je dostupná novější verze tohoto zásuvného modulu - důrazně vám doporučujeme "
                     "provést aktualizaci.\r\rNyní bude v okně vašeho internetového prohlížeče otevřena domácí "
                     "stránka doplňku, ze které je možné stáhnout aktuální verzi."_s);
    openProductPageAndEnd(session);
    return 0;
}
