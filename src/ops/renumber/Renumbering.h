#pragma once

class OperationSession;

// The entry of renumbering, run by the wizard: refuses a company in
// centre/branch data exchange, shows the warning, asks for the module, tests
// the rights (101 cash, 102 internal), lets the user pick a number series and
// shows the list window. 0 when the list window was shown and closed, -1 when
// the operation stopped earlier.
[[nodiscard]] int runRenumbering(OperationSession &session);
