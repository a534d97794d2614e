#include "ops/RegisterOperations.h"

#include "app/Main.h"
#include "ops/balances/Balances.h"
#include "ops/edited/EditedDocumentsEntry.h"

void registerOperations(TfrmMain &main)
{
    main.setOperationEntry(Operation::Balances, runBalances);
    main.setOperationEntry(Operation::EditedDocuments, openEditedDocuments);
}
