#include "ops/RegisterOperations.h"

#include "app/Main.h"
#include "ops/seqcheck/KontrPosloupnosti.h"

void registerOperations(TfrmMain &main)
{
    main.setOperationEntry(Operation::SequenceCheck, openSequenceCheck);
}
