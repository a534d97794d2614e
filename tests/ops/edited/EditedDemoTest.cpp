// The demo company has something to show in the highlight list: documents of
// every class in the cash book of 2018, and classified stock documents and
// orders.

#include "EditedTestSupport.h"
#include "common/MemTable.h"
#include "demo/DemoCompany.h"
#include "ops/edited/EditedDocumentsLoader.h"
#include "ops/edited/EditedModules.h"
#include "support/TestSupport.h"

using namespace Qt::StringLiterals;

namespace {

TEST(EditedDemo, EveryClassOccursInTheDemoCompany)
{
    QTemporaryDir dir;
    const QString root = dir.filePath(u"demo"_s);
    ASSERT_TRUE(DemoCompany::build(root).ok);
    RunContext context;
    context.dataRoot = root + u"/"_s;
    context.yearDir = root + u"/AGENDA.001/ROK.2018/"_s;
    context.agendaCode = u"001"_s;
    context.yearCode = u"2018"_s;
    context.userName = u"Demo"_s;
    RecordingProgress progress;
    OperationSession session(context, progress);

    for (const int module : {1, 2, 6, 8, 15}) {
        SCOPED_TRACE(module);
        MemTable rows;
        EditedModules::defineDocumentRows(rows);
        EditedSettings settings;
        settings.module = module;
        EditedCounts counts;
        ASSERT_EQ(loadEditedDocuments(session, settings, rows, counts), 0);
        EXPECT_GT(counts.notEdited, 0);
        EXPECT_GT(counts.edited + counts.totalChanged, 0);
        if (module == 1) {
            EXPECT_GT(counts.edited, 0);
            EXPECT_GT(counts.totalChanged, 0);
        }
    }
}

} // namespace
