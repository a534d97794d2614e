#include "ops/RegisterOperations.h"

#include "app/Main.h"
#include "ops/balances/Balances.h"
#include "ops/renumber/Renumbering.h"

void registerOperations(TfrmMain &main)
{
    main.setOperationEntry(Operation::Renumber, runRenumbering);
    main.setOperationEntry(Operation::Balances, runBalances);
}
