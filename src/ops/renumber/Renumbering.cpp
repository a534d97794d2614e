#include "ops/renumber/Renumbering.h"

#include "app/core/HostIniFiles.h"
#include "app/core/OperationSession.h"
#include "app/core/RightsCheck.h"
#include "common/UiSeam.h"
#include "ops/renumber/NumberSeriesWindow.h"
#include "ops/renumber/RenumberListWindow.h"
#include "ops/renumber/RenumberModuleDialog.h"
#include "ops/renumber/RenumberWarningDialog.h"

using namespace Qt::StringLiterals;

int runRenumbering(OperationSession &session)
{
    const RunContext &context = session.runContext();
    if (isBranchExchange(context.agendaDir)) {
        ui().warning(u"Aktuální agenda je centrála nebo pobočka. Tuto funkci nelze použít při pobočkovém zpracování "
                     u"dat."_s);
        return -1;
    }
    if (!confirmRenumberWarning())
        return -1;
    const auto module = chooseRenumberModule();
    if (!module)
        return -1;
    if (testRights(context, 100 + int(*module)) != 0)
        return -1;
    NumberSeries series;
    if (chooseNumberSeries(session, *module, series) != 0)
        return -1;
    return loadRenumberList(session, *module, series.rada, series.pocetMist, series.nuly);
}
