#include "ops/renumber/RenumberProposal.h"

#include "app/core/DocumentNumbers.h"
#include "app/core/OperationSession.h"
#include "app/core/ProgressGuards.h"
#include "common/MemTable.h"
#include "common/UiSeam.h"
#include "hostdb/HostTable.h"
#include "hostdb/HostTableDef.h"
#include "ops/renumber/RenumberBlockingChecks.h"
#include "ops/renumber/RenumberPlan.h"

using namespace Qt::StringLiterals;

namespace {

const QString kCannotCompose = u"NELZE SESTAVIT"_s;

// The RecNo of the first not deleted document that bears the number, in the
// order of the index "Doklad". The engine's seek ignores case and trailing
// blanks, so the walk compares the stored numbers the same way.
std::optional<int> firstLiveHolder(TBFTable &documents, const QString &number)
{
    if (documents.Seek(number) != HostResult::Found)
        return std::nullopt;
    const QString key = HostNames::keyText(number);
    for (;;) {
        if (HostNames::keyText(documents.Value(u"Doklad"_s).toString()) != key)
            return std::nullopt;
        if (!documents.Value(u"Del"_s).toBool())
            return documents.RecNo();
        if (documents.Skip() != 0)
            return std::nullopt;
    }
}

void showRefusal(const RenumberRefusal &refusal)
{
    switch (refusal.kind) {
    case RenumberRefusalKind::CannotCompose:
        ui().error(u"Nelze sestavit nové číslo pro původní doklad "_s + refusal.number);
        return;
    case RenumberRefusalKind::Duplicate:
        ui().warning(u"Přečíslování nelze provést - vámi zadané číslování by vytvořilo duplicitu dokladu "_s +
                     refusal.number +
                     u". Musíte označit více záznamů nebo změnit počáteční číslo tak, aby nedošlo k duplicitě."_s);
        return;
    }
}

ComposedNumber composeFor(const RenumberState &state, qint64 counter)
{
    return composeDocumentNumber(state.seriesPrefix, state.digitCount, state.leadingZeros, counter);
}

} // namespace

ProposalBounds proposalBounds(const RenumberState &state, qint64 start, int count)
{
    const ComposedNumber lower = composeFor(state, start);
    const ComposedNumber upper = composeFor(state, start + count - 1);
    return {lower.ok ? lower.number : kCannotCompose, upper.ok ? upper.number : kCannotCompose, lower.ok && upper.ok};
}

RenumberProposal::RenumberProposal(OperationSession &session, MemTable &list, RenumberState &state,
                                   RenumberListView &view)
    : m_session(session), m_list(list), m_state(state), m_view(view),
      m_unmarked(std::make_unique<MemTable>(u"mtNeoznacene"_s))
{
    m_unmarked->addField(u"RecNo"_s, FieldType::Integer);
}

RenumberProposal::~RenumberProposal() = default;

int RenumberProposal::propose(qint64 start)
{
    OperationProgress &progress = m_session.progress();
    WorkingOverlay working(progress, u"Probíhá přečíslování dokladů\rčekejte prosím..."_s);

    // The duplicate rule seeks the new numbers among the module's documents.
    TBFTable documents;
    const QString documentsPath = m_session.runContext().yearDir + RenumberModules::tableName(m_state.module);
    if (openIndexedTable(documents, documentsPath, u"Doklad"_s, working) != 0)
        return -1;
    RenumberBlockingChecks checks(m_session, m_state);
    if (checks.setUp(working) != 0)
        return -1;

    const MemTable::Bookmark current = m_list.bookmark();
    RepaintPause pause(m_view);
    const RenumberPlanInput input = planInput(documents, start);
    const RenumberPlan plan = planRenumbering(m_state, input);
    // The checks see every processed row up to the one that refuses.
    for (const PlanRow &row : input.rows) {
        checks.checkRow(m_list, row.row);
        if (plan.refusal && plan.refusal->row == row.row)
            break;
    }
    if (plan.refusal) {
        working.hide();
        showRefusal(*plan.refusal);
        return refuse(current);
    }
    const int dokladField = m_list.fieldIndex(u"Doklad"_s);
    const int sufixField = m_list.fieldIndex(u"Sufix"_s);
    const int noveField = m_list.fieldIndex(u"Nove"_s);
    for (const PlannedNumber &planned : plan.numbers) {
        m_list.setValue(planned.row, dokladField, planned.number);
        m_list.setValue(planned.row, sufixField, planned.suffix);
        m_list.setValue(planned.row, noveField, true);
    }
    checks.finish();

    // Sorted by the auxiliary order: it now follows the new numbers.
    if (m_list.sortFields().compare(u"XDOKLAD"_s, Qt::CaseInsensitive) == 0) {
        m_list.setSortFields(u"Doklad;RecNo"_s);
        numberAuxiliaryOrder(m_list, progress);
        m_list.setSortFields(u"XDoklad"_s);
    }

    m_list.gotoBookmark(current);
    pause.resume();
    m_state.proposalExists = true;
    m_view.updateListButtons(false);
    working.hide();

    if (!checks.report())
        ui().information(u"Operace byla dokončena - pokud je navrhnuté přečíslování podle vašich představ, stiskněte "
                         u"[Přečíslovat] - teprve potom se změny promítnou i do Ledra.\r\rJestliže tomu tak není, "
                         u"zrušte návrh tlačítkem [Původní]"_s);
    return 0;
}

// The proposal is refused: every row gets its host number back (the caller's
// repaint pause then ends, its tables close).
int RenumberProposal::refuse(MemTable::Bookmark current)
{
    revertProposal(m_list, m_state, m_view, m_session.progress());
    m_list.gotoBookmark(current);
    return -1;
}

// The processed rows (the marked ones, or all when none is marked), the
// documents that keep their numbers (also into `mtNeoznacene`) and the
// bearers of every number the plan may give.
RenumberPlanInput RenumberProposal::planInput(TBFTable &documents, qint64 start)
{
    RenumberPlanInput input;
    input.start = start;
    const int recNoField = m_list.fieldIndex(u"RecNo"_s);
    const int dokladField = m_list.fieldIndex(u"Doklad"_s);
    m_unmarked->clear();
    const bool anyMarked = m_view.markCount() > 0;
    for (int row = 0; row < m_list.recordCount(); ++row) {
        if (anyMarked && !m_view.isMarked(row)) {
            const int recNo = m_list.value(row, recNoField).toInt();
            m_unmarked->append();
            m_unmarked->setValue(u"RecNo"_s, recNo);
            input.keptRecNos.insert(recNo);
            continue;
        }
        input.rows.push_back({row, m_list.value(row, dokladField).toString()});
    }
    for (const QString &number : candidateNumbers(m_state, start, int(input.rows.size()))) {
        if (const std::optional<int> holder = firstLiveHolder(documents, number))
            input.holders.insert(HostNames::keyText(number), *holder);
    }
    return input;
}

int revertProposal(MemTable &list, RenumberState &state, RenumberListView &view, OperationProgress &progress)
{
    view.updateListButtons(true);
    const MemTable::Bookmark current = list.bookmark();
    {
        RepaintPause pause(view);
        {
            WorkingOverlay working(progress, u"Pracuji\rčekejte prosím..."_s);
            revertProposalRows(list, state);
        }
        list.gotoBookmark(current);
    }
    view.updateListButtons(false);
    return 0;
}

int checkSequenceInList(OperationSession &session, MemTable &list, const RenumberState &state, RenumberListView &view,
                        bool checkAll, qint64 start, const QString &caption, const QString &sortDescription)
{
    const RunContext &context = session.runContext();
    OperationProtocol &protocol = session.protocol();
    protocol.clear();
    protocol.addLine(u"Kontrola posloupnosti dokladů:"_s);
    protocol.addLine(u"Agenda: "_s + context.companyName);
    protocol.addLine(u"Rok: "_s + context.yearName);
    protocol.addLine(QString());
    protocol.addLine(caption);
    protocol.addLine(u"Aktuální seřazení dat: "_s + sortDescription);
    protocol.addLine(QString());
    protocol.addLine(u"(současné číslo >> mělo by být)"_s);
    const int headLines = int(protocol.lines().size());

    WorkingOverlay working(session.progress(), u"Probíhá kontrola dokladů\rčekejte prosím..."_s);
    const MemTable::Bookmark current = list.bookmark();
    RepaintPause pause(view);
    const int dokladField = list.fieldIndex(u"Doklad"_s);
    const bool onlyMarked = !checkAll && view.markCount() > 0;
    qint64 counter = start;
    for (int row = 0; row < list.recordCount(); ++row) {
        if (onlyMarked && !view.isMarked(row))
            continue;
        const QString doklad = list.value(row, dokladField).toString();
        const ComposedNumber expected = composeFor(state, counter);
        if (!expected.ok) {
            working.hide();
            ui().warning(u"Nelze sestavit nové číslo pro kontrolovaný doklad "_s + doklad);
            list.gotoBookmark(current);
            return -1;
        }
        if (doklad.toUpper() != expected.number.toUpper())
            protocol.addLine(doklad + u" >> "_s + expected.number);
        ++counter;
    }
    list.gotoBookmark(current);
    pause.resume();
    view.updateListButtons(false);
    working.hide();
    if (protocol.lines().size() > headLines)
        session.showProtocol();
    else
        ui().information(u"Posloupnost kontrolovaných dokladů je v pořádku."_s);
    return 0;
}
