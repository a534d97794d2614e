#include "ops/renumber/RenumberProposal.h"

#include "app/core/DocumentNumbers.h"
#include "app/core/OperationSession.h"
#include "common/MemTable.h"
#include "common/UiSeam.h"
#include "hostdb/HostTableDef.h"
#include "ops/renumber/RenumberBlockingChecks.h"

using namespace Qt::StringLiterals;

namespace {

const QString kCannotCompose = u"NELZE SESTAVIT"_s;

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
    progress.showWorking(true, u"Probíhá přečíslování dokladů\rčekejte prosím..."_s);

    RenumberBlockingChecks checks(m_session, m_state);
    if (checks.setUp() != 0)
        return -1;

    const int recNoField = m_list.fieldIndex(u"RecNo"_s);
    const int dokladField = m_list.fieldIndex(u"Doklad"_s);
    const int sufixField = m_list.fieldIndex(u"Sufix"_s);
    const int noveField = m_list.fieldIndex(u"Nove"_s);

    m_unmarked->clear();
    m_unmarkedRecNos.clear();
    const MemTable::Bookmark current = m_list.bookmark();
    m_view.suspendRepaint(true);
    const bool anyMarked = m_view.markCount() > 0;
    if (anyMarked) {
        for (int row = 0; row < m_list.recordCount(); ++row) {
            if (m_view.isMarked(row))
                continue;
            const int recNo = m_list.value(row, recNoField).toInt();
            m_unmarked->append();
            m_unmarked->setValue(u"RecNo"_s, recNo);
            m_unmarkedRecNos.insert(recNo);
        }
    }

    qint64 counter = start;
    for (int row = 0; row < m_list.recordCount(); ++row) {
        if (anyMarked && !m_view.isMarked(row))
            continue;
        checks.checkRow(m_list, row);
        const ComposedNumber number = composeFor(m_state, counter);
        if (!number.ok) {
            progress.showWorking(false);
            ui().error(u"Nelze sestavit nové číslo pro původní doklad "_s + m_list.value(row, dokladField).toString());
            return refuse(current);
        }
        if (isTakenByKeptDocument(number.number)) {
            progress.showWorking(false);
            ui().warning(u"Přečíslování nelze provést - vámi zadané číslování by vytvořilo duplicitu dokladu "_s +
                         number.number +
                         u". Musíte označit více záznamů nebo změnit počáteční číslo tak, aby nedošlo k duplicitě."_s);
            return refuse(current);
        }
        m_list.setValue(row, dokladField, number.number);
        m_list.setValue(row, sufixField, counter);
        m_list.setValue(row, noveField, true);
        ++counter;
    }
    checks.finish();

    // Sorted by the auxiliary order: it now follows the new numbers.
    if (m_list.sortFields().compare(u"XDOKLAD"_s, Qt::CaseInsensitive) == 0) {
        m_list.setSortFields(u"Doklad;RecNo"_s);
        numberAuxiliaryOrder(m_list, progress);
        m_list.setSortFields(u"XDoklad"_s);
    }

    m_list.gotoBookmark(current);
    m_view.suspendRepaint(false);
    m_state.proposalExists = true;
    m_view.updateListButtons(false);
    progress.showWorking(false);

    if (!checks.report())
        ui().information(u"Operace byla dokončena - pokud je navrhnuté přečíslování podle vašich představ, stiskněte "
                         u"[Přečíslovat] - teprve potom se změny promítnou i do Ledra.\r\rJestliže tomu tak není, "
                         u"zrušte návrh tlačítkem [Původní]"_s);
    return 0;
}

// The proposal is refused: the host tables are closed and every row gets its
// host number back.
int RenumberProposal::refuse(MemTable::Bookmark current)
{
    m_session.closeHostTables();
    revertProposal(m_list, m_state, m_view, m_session.progress());
    m_list.gotoBookmark(current);
    m_view.suspendRepaint(false);
    return -1;
}

// The first not deleted document that bears the number, when it keeps its
// number (an unmarked row). The engine's seek ignores case and trailing
// blanks, so the walk compares the stored numbers the same way.
bool RenumberProposal::isTakenByKeptDocument(const QString &number)
{
    TBFTable &documents = m_session.BFTable1;
    if (documents.Seek(number) != HostResult::Found)
        return false;
    const QString key = HostNames::keyText(number);
    for (;;) {
        if (HostNames::keyText(documents.Value(u"Doklad"_s).toString()) != key)
            return false;
        if (!documents.Value(u"Del"_s).toBool())
            return m_unmarkedRecNos.contains(documents.RecNo());
        if (documents.Skip() != 0)
            return false;
    }
}

int revertProposal(MemTable &list, RenumberState &state, RenumberListView &view, OperationProgress &progress)
{
    view.updateListButtons(true);
    const MemTable::Bookmark current = list.bookmark();
    view.suspendRepaint(true);
    progress.showWorking(true, u"Pracuji\rčekejte prosím..."_s);
    revertProposalRows(list, state);
    progress.showWorking(false);
    list.gotoBookmark(current);
    view.suspendRepaint(false);
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

    OperationProgress &progress = session.progress();
    progress.showWorking(true, u"Probíhá kontrola dokladů\rčekejte prosím..."_s);
    const MemTable::Bookmark current = list.bookmark();
    view.suspendRepaint(true);
    const int dokladField = list.fieldIndex(u"Doklad"_s);
    const bool onlyMarked = !checkAll && view.markCount() > 0;
    qint64 counter = start;
    for (int row = 0; row < list.recordCount(); ++row) {
        if (onlyMarked && !view.isMarked(row))
            continue;
        const QString doklad = list.value(row, dokladField).toString();
        const ComposedNumber expected = composeFor(state, counter);
        if (!expected.ok) {
            progress.showWorking(false);
            ui().warning(u"Nelze sestavit nové číslo pro kontrolovaný doklad "_s + doklad);
            list.gotoBookmark(current);
            view.suspendRepaint(false);
            return -1;
        }
        if (doklad.toUpper() != expected.number.toUpper())
            protocol.addLine(doklad + u" >> "_s + expected.number);
        ++counter;
    }
    list.gotoBookmark(current);
    view.suspendRepaint(false);
    view.updateListButtons(false);
    progress.showWorking(false);
    if (protocol.lines().size() > headLines)
        session.showProtocol();
    else
        ui().information(u"Posloupnost kontrolovaných dokladů je v pořádku."_s);
    return 0;
}
