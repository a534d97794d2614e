#include "app/core/RightsCheck.h"

#include "app/core/HostIniFiles.h"
#include "app/core/OperationSession.h"
#include "app/core/ProgressGuards.h"
#include "common/UiSeam.h"
#include "hostdb/AccessRights.h"

using namespace Qt::StringLiterals;

int verifyUserRights(OperationSession &session)
{
    WorkingOverlay working(session.progress(), u"Ověření přístupových práv\rčekejte prosím..."_s);
    RunContext &context = session.runContext();
    TLedraAccessRights reader(context.dataRoot);
    if (!reader.checkUser(context.hostPassword)) {
        ui().error(reader.errorText());
        return -1;
    }
    context.rights = reader.rights();
    return 0;
}

int testRights(const RunContext &context, int code)
{
    return testRights(code, context.rights, isDoubleEntry(context.yearDir));
}
