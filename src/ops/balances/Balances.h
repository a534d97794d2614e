#pragma once

class OperationSession;

// The entry of "zobrazit stav bankovních účtů a pokladen po dnech": the
// rights test for cash and bank documents, the filter window (its choice
// saved per company), the computation with the session's progress and
// interrupt flag, and the result window. 0 when the result was shown; -1
// when the rights test refused, the user closed the filter, a table failed
// or the user interrupted.
[[nodiscard]] int runBalances(OperationSession &session);
