#include "ops/RegisterOperations.h"

#include "app/Main.h"
#include "ops/edited/EditedDocumentsEntry.h"

void registerOperations(TfrmMain &main)
{
    main.setOperationEntry(Operation::EditedDocuments, openEditedDocuments);
}
