#pragma once

#include "ops/edited/DocumentClassification.h"
#include "ops/edited/EditedSettings.h"

class MemTable;
class OperationSession;
class TBFTable;
struct EditedModule;

// How many loaded documents fell into each class.
struct EditedCounts
{
    int notEdited = 0;    // class 0
    int edited = 0;       // class 1
    int totalChanged = 0; // class 2
    void add(int typBarvy);
};

// Whether the current record of a module's table belongs to the list: a
// non-empty key (blanks only count as empty, as the host pads its texts), not
// deleted, of the module's type, and with the date filter on dated within
// the bounds (inclusive, whole days).
bool isDocumentSelected(const EditedModule &module, TBFTable &table, const EditedSettings &settings);

// Loads the documents of `settings.module` from the open year into `rows`
// (defined by EditedModules::defineDocumentRows, emptied first), classifying
// each against the action log of the data root, which is read once. Shows
// the progress on the session's bar every ten rows and stops when the
// interrupt flag is set (the session's flag then says so). The module's table
// and the log are the load's own, closed again at its end.
// 0, or -1 when the module's table or the action log could not be opened or
// indexed (the message was shown, the tables are closed).
int loadEditedDocuments(OperationSession &session, const EditedSettings &settings, MemTable &rows,
                        EditedCounts &counts);
