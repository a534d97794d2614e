#include "app/RightsCheck.h"

#include "app/HostIniFiles.h"
#include "app/Main.h"
#include "common/UiSeam.h"
#include "hostdb/LedraAccessRights.h"

using namespace Qt::StringLiterals;

int verifyUserRights(TfrmMain &main)
{
    main.showWorking(true, u"Ověření přístupových práv\rčekejte prosím..."_s);
    main.session().closeHostTables();
    RunContext &context = main.runContext();
    TLedraAccessRights reader(context.dataRoot);
    if (!reader.checkUser(context.hostPassword)) {
        ui().error(reader.errorText());
        main.showWorking(false);
        return -1;
    }
    context.rights = reader.rights();
    main.showWorking(false);
    return 0;
}

int testRights(const RunContext &context, int code)
{
    return testRights(code, context.rights, isDoubleEntry(context.yearDir));
}
