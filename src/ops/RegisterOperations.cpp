#include "ops/RegisterOperations.h"

#include "app/Main.h"

void registerOperations(TfrmMain &main)
{
    (void)main;
}
