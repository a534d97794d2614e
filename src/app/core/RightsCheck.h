#pragma once

class OperationSession;
struct RunContext;

// The rights check of the wizard, run when the user leaves the welcome page:
// identifies the user in the host's user tables and stores the levels in the
// run context (the session's). 0, or -1 after the error was shown.
[[nodiscard]] int verifyUserRights(OperationSession &session);

// The rights test an operation runs before it starts (codes 2-22, 101, 102,
// 201), for the bookkeeping of the open year. 0, or -1 after the warning.
int testRights(const RunContext &context, int code);
