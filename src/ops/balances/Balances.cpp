#include "ops/balances/Balances.h"

#include "app/core/OperationSession.h"
#include "app/core/RightsCheck.h"
#include "app/ui/CodeListEditor.h"
#include "common/UiSeam.h"
#include "ops/balances/BalancesFilterWindow.h"
#include "ops/balances/BalancesReport.h"
#include "ops/balances/BalancesWindow.h"

using namespace Qt::StringLiterals;

namespace {
// Cash documents, then bank documents, each at least readable.
constexpr int kCashAndBankRights = 201;
} // namespace

int runBalances(OperationSession &session)
{
    session.interruptRequested = false;
    const RunContext &context = session.runContext();
    if (testRights(context, kCashAndBankRights) != 0)
        return -1;

    TStavUctuPokladenFilter filter;
    filter.load(context.configIniPath, context.agendaCode);
    {
        TfrmStavUctuPokladenFilter window(
            [&session](const QString &listText, int type) { return editCodeList(session, listText, type); });
        window.setFilter(filter);
        if (ui().execModal(window) != QDialog::Accepted)
            return -1;
        filter = window.filter();
    }
    if (!filter.save(context.configIniPath, context.agendaCode)) {
        // The overview is still worth showing; the user learns that the
        // choice will not be offered next time.
        ui().warning(u"Nastavení filtru nelze uložit do souboru "_s + context.configIniPath + u'.');
    }

    return session.runGuarded([&session, &filter] {
        TStavUctuPokladenReport report(session, filter);
        if (report.run() != 0)
            return -1;
        TfrmStavUctuPokladenReport window(report);
        ui().execModal(window);
        return 0;
    });
}
