#pragma once

class OperationSession;

// The update check, run when the user leaves the welcome page: after the
// host's version changed since the last run (or on the first run) it offers
// to download the maker's version manifest and, when another version of the
// add-on is published, sends the user to the product page and ends the
// program through the session. 0 lets the wizard go on; -1 keeps it on the welcome page.
[[nodiscard]] int checkForUpdate(OperationSession &session);
