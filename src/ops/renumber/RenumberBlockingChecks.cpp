#include "ops/renumber/RenumberBlockingChecks.h"

#include "app/core/HostIniFiles.h"
#include "app/core/OperationSession.h"
#include "app/core/ProgressGuards.h"
#include "common/FileNames.h"
#include "common/LocaleFormats.h"
#include "common/MemTable.h"
#include "common/UiSeam.h"

using namespace Qt::StringLiterals;

RenumberBlockingChecks::RenumberBlockingChecks(OperationSession &session, RenumberState &state)
    : m_session(session), m_state(state)
{}

RenumberBlockingChecks::~RenumberBlockingChecks() = default;

int RenumberBlockingChecks::setUp(WorkingOverlay &working)
{
    const RunContext &context = m_session.runContext();
    OperationProtocol &lockedList = m_session.protocol();

    m_state.hasLockedDocument = false;
    lockedList.clear();
    lockedList.addLine(u"Uzamknuté doklady:"_s);
    lockedList.addLine(u"================"_s);
    m_state.beforeClosingDate = false;
    m_closingText = lastClosingDate(context.agendaDir);
    m_closingDay = 0;
    // A closing date that is not a date is ignored: the date stays at the
    // last one parsed in this proposal, 30 December 1899 at first.
    if (!m_closingText.isEmpty()) {
        if (const auto date = LocaleFormats::current().parseDate(m_closingText))
            m_closingDay = DayNumber::fromDate(*date).day();
    }

    m_state.hasEetDocument = false;
    m_eetKind = RenumberModules::journalSource(m_state.module);
    const QString eetPath = context.yearDir + u"EETDOKL"_s;
    if (FileNames::isFile(eetPath + u".DAT"_s) && openIndexedTable(m_eet, eetPath, u"Druh+CisDokl"_s, working) != 0)
        return -1;

    m_state.inFiledVatPeriod = false;
    m_vatChecker = std::make_unique<TSeznamPodaniChecker>(context.agendaDir);
    if (!m_vatChecker->LoadFilings()) {
        const QString reason = m_vatChecker->ErrorText();
        m_vatChecker.reset();
        working.hide();
        m_eet.Close();
        ui().error(u"Nastala chyba při načítání podání DPH. "_s + reason);
        return -1;
    }
    return 0;
}

int openIndexedTable(TBFTable &table, const QString &path, const QString &index, WorkingOverlay &working)
{
    if (table.Open(path) != 0) {
        working.hide();
        ui().error(u"Nastala chyba při otevírání databáze "_s + path + u".DAT"_s);
        return -1;
    }
    if (table.SetIndex(index) != 0) {
        working.hide();
        table.Close();
        ui().error(u"Nastala chyba při nastavení indexu v "_s + path + u".DAT"_s);
        return -1;
    }
    return 0;
}

void RenumberBlockingChecks::checkRow(const MemTable &list, int row)
{
    if (m_fieldDoklad < 0) {
        m_fieldUzamceni = list.fieldIndex(u"Uzamceni"_s);
        m_fieldDoklad = list.fieldIndex(u"Doklad"_s);
        m_fieldDatUcPr = list.fieldIndex(u"DatUcPr"_s);
        m_fieldDatPln = list.fieldIndex(u"DatPln"_s);
        m_fieldCislo = list.fieldIndex(u"Cislo"_s);
    }
    if (list.value(row, m_fieldUzamceni).toBool()) {
        m_state.hasLockedDocument = true;
        m_session.protocol().addLine(list.value(row, m_fieldDoklad).toString());
    }
    // The host compares whole days: a document of the closing day is not
    // later than the closing.
    if (!m_closingText.isEmpty() &&
        DayNumber::fromDateTime(list.value(row, m_fieldDatUcPr).toDateTime()).day() <= m_closingDay)
        m_state.beforeClosingDate = true;
    if (m_vatChecker &&
        m_vatChecker->IsInFiledPeriod(DayNumber::fromDateTime(list.value(row, m_fieldDatPln).toDateTime())))
        m_state.inFiledVatPeriod = true;
    if (m_eet.isOpen() && m_eet.Seek2(m_eetKind, list.value(row, m_fieldCislo)) == HostResult::Found)
        m_state.hasEetDocument = true;
}

void RenumberBlockingChecks::finish()
{
    m_vatChecker.reset();
}

bool RenumberBlockingChecks::report()
{
    if (m_state.hasLockedDocument) {
        if (ui().askYesNo(MessageKind::Warning,
                          u"Operace byla dokončena - některé doklady jsou však uzamknuté, \"ostré\" přečíslování v "
                          u"Ledra proto nebude možné. Chcete zobrazit seznam uzamknutých dokladů?"_s))
            m_session.showProtocol();
        return true;
    }
    if (m_state.beforeClosingDate) {
        ui().warning(u"Operace byla dokončena - datum účetního případu uvedené na některém dokladě je však nižší než "
                     u"datum poslední závěrky v Ledra ("_s +
                     m_closingText +
                     u"). Chcete-li provést přečíslování, ukončete tento doplněk a dočasně upravte či vymažte datum "
                     u"poslední závěrky (Ledra/Možnosti a nastavení/Nastavení agendy)."_s);
        return true;
    }
    if (m_state.inFiledVatPeriod) {
        ui().warning(u"Operace byla dokončena - datum plnění DPH uvedené na některém dokladě však spadá do "
                     u"uzamčeného období DPH. Chcete-li provést přečíslování, ukončete tento doplněk a vymažte "
                     u"příslušné podání přiznání k DPH."_s);
        return true;
    }
    if (m_state.hasEetDocument) {
        ui().warning(u"Operace byla dokončena - některý doklad však spadá do režimu EET, přečíslování nebude možné."_s);
        return true;
    }
    return false;
}

int RenumberBlockingChecks::refuseWriteBack(const RenumberState &state)
{
    if (state.hasLockedDocument) {
        ui().warning(u"Některé doklady jsou uzamknuté, \"ostré\" přečíslování v Ledra proto není možné - klepněte na "
                     u"tlačítko [Zavřít], v Ledra odemkněte požadované doklady a znovu spusťte tento doplněk."_s);
        return -1;
    }
    if (state.beforeClosingDate) {
        ui().warning(u"Datum účetního případu uvedené na některém dokladě je nižší než datum poslední závěrky - "
                     u"\"ostré\" přečíslování v Ledra proto není možné\r\rUkončete tento doplněk a dočasně upravte "
                     u"či vymažte datum poslední závěrky (Ledra/Možnosti a nastavení/Nastavení agendy)."_s);
        return -1;
    }
    if (state.inFiledVatPeriod) {
        ui().warning(u"Datum plnění DPH uvedené na některém dokladě spadá do uzamčeného období DPH - \"ostré\" "
                     u"přečíslování v Ledra proto není možné\r\rUkončete tento doplněk a vymažte příslušné podání "
                     u"přiznání k DPH."_s);
        return -1;
    }
    if (state.hasEetDocument) {
        ui().warning(u"Některý doklad spadá do režimu EET - \"ostré\" přečíslování v Ledra proto není možné."_s);
        return -1;
    }
    return 0;
}
