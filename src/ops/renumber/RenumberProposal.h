#pragma once

#include "ops/renumber/RenumberList.h"

#include <QString>

class MemTable;
class OperationSession;
class TBFTable;
struct RenumberPlanInput;

// The two bounds the start-number window shows: the numbers the first and
// the last counted row would get. A bound that cannot be composed reads
// "NELZE SESTAVIT" and makes `ok` false.
struct ProposalBounds
{
    QString lower;
    QString upper;
    bool ok = false;
};
ProposalBounds proposalBounds(const RenumberState &state, qint64 start, int count);

// The proposal of new numbers ("Navrhnout"): the presenter of the renumbering
// plan (planRenumbering). It reads the plan's input from the list, its marks
// and the host's document table, runs the blocking checks over the processed
// rows, shows the plan's refusal or writes its numbers into the list, and
// keeps the working overlay, the repaint pause and the buttons. Only the list
// changes; the host's tables are read.
class RenumberProposal
{
public:
    RenumberProposal(OperationSession &session, MemTable &list, RenumberState &state, RenumberListView &view);
    ~RenumberProposal();

    // From the working overlay to the report, with the start number the user
    // gave. 0 when the proposal stands, -1 when it was refused or failed (the
    // message shown, every row back to its host number).
    int propose(qint64 start);

    // `mtNeoznacene`: the RecNo of every unmarked row, empty when no row is
    // marked; rebuilt by each proposal.
    MemTable &unmarkedRows() { return *m_unmarked; }

private:
    RenumberPlanInput planInput(TBFTable &documents, qint64 start);
    int refuse(MemTable::Bookmark current);

    OperationSession &m_session;
    MemTable &m_list;
    RenumberState &m_state;
    RenumberListView &m_view;
    std::unique_ptr<MemTable> m_unmarked;
};

// "Původní" after its confirmation, and the proposal when it refuses: every
// row gets its host number back, under the working overlay "Pracuji", with
// the buttons busy, the current row kept and repainting suspended meanwhile.
// 0.
int revertProposal(MemTable &list, RenumberState &state, RenumberListView &view, OperationProgress &progress);

// "Kontrola" once the start number is known: compares each examined row's
// number (the marked rows when `checkAll` is false, otherwise every row) with
// the number the series would give it from `start` on, and lists the
// differences in the session's protocol after its head (company, year, the
// list window's `caption` and the `sortDescription` "dle sloupce [...]"). The
// list is not changed. 0 when the check ran to the end, -1 when a number
// could not be composed (the warning shown).
int checkSequenceInList(OperationSession &session, MemTable &list, const RenumberState &state, RenumberListView &view,
                        bool checkAll, qint64 start, const QString &caption, const QString &sortDescription);
