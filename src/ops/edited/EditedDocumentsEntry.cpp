#include "ops/edited/EditedDocumentsEntry.h"

#include "app/core/OperationSession.h"
#include "app/core/ProgressGuards.h"
#include "app/core/RightsCheck.h"
#include "common/Clock.h"
#include "common/IniFile.h"
#include "common/MemTable.h"
#include "common/UiSeam.h"
#include "ops/edited/EditedListWindow.h"
#include "ops/edited/EditedModuleDialog.h"
#include "ops/edited/EditedModules.h"

using namespace Qt::StringLiterals;

int openEditedDocuments(OperationSession &session)
{
    const RunContext &context = session.runContext();
    IniFile ini(context.configIniPath);

    EditedSettings settings;
    {
        WorkingOverlay working(session.progress(), u"Načtení seznamu\rčekejte prosím..."_s);
        auto choice = std::make_unique<TfrmVyberModulu>();
        choice->setUserName(context.userName);
        choice->setSettings(EditedSettings::read(ini, context.agendaCode, Clock::current().today()));
        working.hide();
        if (ui().execModal(*choice) != QDialog::Accepted)
            return -1;
        settings = choice->settings();
    }
    const EditedModule *module = EditedModules::find(settings.module);
    if (testRights(context, module->rightsCode) != 0)
        return -1;
    // A settings file that cannot be written costs only the remembered
    // choices; the list is still shown.
    settings.write(ini, context.agendaCode);

    auto list = std::make_unique<TfrmSeznamOdlisDokl>(session, settings.module);
    list->setWindowTitle(u"Seznam - "_s + module->title.toString());
    EditedCounts counts;
    if (loadEditedDocuments(session, settings, list->mtDoklady(), counts) != 0)
        return -1;
    if (session.interruptRequested)
        return -1;
    list->prepareRows();
    list->setCounts(counts);
    ui().execModal(*list);
    return 0;
}
