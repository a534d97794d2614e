#pragma once

#include "hostdb/HostTable.h"
#include "ops/renumber/FiledReturnsChecker.h"
#include "ops/renumber/RenumberList.h"

#include <QString>

#include <memory>

class MemTable;
class OperationSession;
class WorkingOverlay;

// Opens a host table on an index for a step that works under the overlay
// `working`; a failure hides the overlay, shows the error and leaves the
// table closed. 0, or -1.
int openIndexedTable(TBFTable &table, const QString &path, const QString &index, WorkingOverlay &working);

// The conditions under which the host keeps a document from being
// renumbered: it is locked, its accounting-case date is not later than the
// last closing, its VAT supply date lies in a filed VAT period, or it is
// registered for electronic sales records (EET). A proposal tests every row
// it renumbers; the tests only set the flags of the list window, the report
// at the end of the proposal tells the user, and "Přečíslovat" refuses while
// a flag is set.
class RenumberBlockingChecks
{
public:
    RenumberBlockingChecks(OperationSession &session, RenumberState &state);
    ~RenumberBlockingChecks();

    // Resets the flags, starts the list of locked documents in the session's
    // protocol, reads the closing date, opens EETDOKL when the file exists
    // (closed with the checks) and loads the VAT filings.
    // 0, or -1 after the error was shown (the proposal's overlay `working`
    // hidden first).
    int setUp(WorkingOverlay &working);

    // The four tests for one processed row of the list, each on its own.
    void checkRow(const MemTable &list, int row);

    // Frees the VAT checker (the proposal's end).
    void finish();

    // The end-of-proposal report: the first set flag's warning. False when no
    // flag is set (the proposal then shows its own message).
    bool report();

    // "Přečíslovat" before anything else: the first set flag's refusal. 0
    // when nothing blocks, -1 after the warning.
    static int refuseWriteBack(const RenumberState &state);

private:
    OperationSession &m_session;
    RenumberState &m_state;
    QString m_closingText;
    int m_closingDay = 0; // 30 December 1899 until a closing date parses
    TBFTable m_eet;       // open while EETDOKL exists
    QString m_eetKind;
    std::unique_ptr<TSeznamPodaniChecker> m_vatChecker;
    int m_fieldUzamceni = -1;
    int m_fieldDoklad = -1;
    int m_fieldDatUcPr = -1;
    int m_fieldDatPln = -1;
    int m_fieldCislo = -1;
};
