#include "app/core/RightsCheck.h"

#include "app/core/HostIniFiles.h"
#include "app/core/OperationSession.h"
#include "common/UiSeam.h"
#include "hostdb/AccessRights.h"

using namespace Qt::StringLiterals;

int verifyUserRights(OperationSession &session)
{
    OperationProgress &progress = session.progress();
    progress.showWorking(true, u"Ověření přístupových práv\rčekejte prosím..."_s);
    session.closeHostTables();
    RunContext &context = session.runContext();
    TLedraAccessRights reader(context.dataRoot);
    if (!reader.checkUser(context.hostPassword)) {
        ui().error(reader.errorText());
        progress.showWorking(false);
        return -1;
    }
    context.rights = reader.rights();
    progress.showWorking(false);
    return 0;
}

int testRights(const RunContext &context, int code)
{
    return testRights(code, context.rights, isDoubleEntry(context.yearDir));
}
