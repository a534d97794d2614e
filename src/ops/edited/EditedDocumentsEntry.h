#pragma once

class OperationSession;

// The wizard's entry of the highlight list ("barevně odlišit opravované
// doklady"): the module choice, the rights test, the saved choices, the load
// and the list. 0 after the list was shown, -1 when the user cancelled, the
// rights test refused or a table could not be opened (reported), or the load
// was interrupted.
[[nodiscard]] int openEditedDocuments(OperationSession &session);
