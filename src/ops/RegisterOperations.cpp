#include "ops/RegisterOperations.h"

#include "app/Main.h"
#include "ops/balances/Balances.h"

void registerOperations(TfrmMain &main)
{
    main.setOperationEntry(Operation::Balances, runBalances);
}
