#include "ops/RegisterOperations.h"

#include "app/Main.h"
#include "ops/purge/OdstraneniSmaz.h"

void registerOperations(TfrmMain &main)
{
    main.setOperationEntry(Operation::Purge, openRemoval);
}
