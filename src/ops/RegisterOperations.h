#pragma once

class TfrmMain;

// Registers the entry of every operation that has one with the wizard; the
// rows of the others stay disabled.
void registerOperations(TfrmMain &main);
