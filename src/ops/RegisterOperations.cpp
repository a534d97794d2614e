#include "ops/RegisterOperations.h"

#include "app/ui/MainWindow.h"
#include "ops/balances/Balances.h"
#include "ops/edited/EditedDocumentsEntry.h"
#include "ops/purge/RemovalWindow.h"
#include "ops/renumber/Renumbering.h"
#include "ops/restore/SnapshotWindow.h"
#include "ops/seqcheck/SequenceCheckWindow.h"

void registerOperations(TfrmMain &main)
{
    main.setOperationEntry(Operation::SequenceCheck, openSequenceCheck);
    main.setOperationEntry(Operation::Renumber, runRenumbering);
    main.setOperationEntry(Operation::Purge, openRemoval);
    main.setOperationEntry(Operation::EditedDocuments, openEditedDocuments);
    main.setOperationEntry(Operation::Balances, runBalances);
    main.setOperationEntry(Operation::Restore, openSnapshotRestore);
}
