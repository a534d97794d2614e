#include "ops/renumber/RenumberWriteBack.h"

#include "app/core/HostIniFiles.h"
#include "app/core/OperationSession.h"
#include "app/core/ProgressGuards.h"
#include "app/core/RunSnapshot.h"
#include "common/TextFile.h"
#include "common/UiSeam.h"
#include "hostdb/HostTable.h"
#include "hostdb/HostTableDef.h"
#include "ops/renumber/RenumberBlockingChecks.h"

#include <QSet>

#include <array>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

const QString kJournalIndex = u"Zdroj+ZRadek+Cislo"_s;
const QString kPaymentIndex = u"TypeUDokl+CisloUDokl+URok+Poradi"_s;
const QString kLogIndex = u"Agenda+Rok+KodSezn+DoklZkrat+Cislo"_s;

// The wait warning after the record's lead text ("Doklad PD0001").
const QString kRecordInUse =
    u" je právě editován jiným uživatelem. Počkejte na uvolnění a pokračujte tlačítkem [OK].\r\r"
    u"Poznámka: jestliže jsou Ledra spuštěné pouze na vašem počítači a přesto se zobrazuje toto hlášení, "
    u"pravděpodobně po editaci dokladu nedošlo ke korektnímu uvolnění zámku v databázi.\r\rŘešení: kombinací "
    u"Alt+Tab se přepněte zpět do programu Ledra a aktivujte jiný seznam, než je právě přečíslovávaný modul "
    u"(můžete místo seznamu dokladů aktivovat libovolný modul, do kterého máte přístupová práva, např. Adresář "
    u"firem, apod.). Poté se opět kombinací Alt+Tab vraťte do tohoto doplňku a pokračujte tlačítkem [OK]."_s;

// The kinds of paid documents a payment record names, in the order the run
// visits them within a year, with their table and the field that holds the
// number of the document that paid them.
struct PaidKind
{
    const char16_t *kind;
    const char16_t *table;
    const char16_t *linkField;
};
constexpr std::array<PaidKind, 4> kPaidKinds{{{u"FP", u"PFAKTURY", u"UDoklad"},
                                              {u"FV", u"VFAKTURY", u"UDoklad"},
                                              {u"KP", u"KNIHPOHL", u"UhDokl"},
                                              {u"KZ", u"KNIHZAV", u"UhDokl"}}};

QString openMessage(const QString &path)
{
    return u"Nastala chyba při otevírání databáze "_s + path + u".DAT"_s;
}

QString saveMessage(const QString &what)
{
    return u"Nastala chyba při ukládání záznamu v databázi "_s + what;
}

// A field of the address-book actions or the action log; a field whose
// reading raises the engine's exception reads as empty there.
// The journal the module's documents are posted to in the open year; empty
// when they have none there.
QString journalTable(const RunContext &context, const WriteBackModule &module)
{
    return isDoubleEntry(context.yearDir) ? u"UCDENIK"_s : module.singleEntryJournal;
}

QString readOrEmpty(TBFTable &table, const QString &field)
{
    try {
        return table.Value(field).toString();
    } catch (const HostEngineError &) {
        return QString();
    }
}

} // namespace

const WriteBackModule &WriteBackModule::of(RenumberModule module)
{
    static const WriteBackModule cash{RenumberModule::Cash, u"POKLKNIH"_s, u"PK"_s,       u"P"_s, u"UP"_s,
                                      u"UCPENDEN"_s,        true,          {u"Doklad"_s}, {},     u"  "_s};
    static const WriteBackModule internal{RenumberModule::Internal,
                                          u"INTDOKL"_s,
                                          u"ID"_s,
                                          u"I"_s,
                                          u"UI"_s,
                                          QString(),
                                          false,
                                          {u"Doklad"_s, u"ZauctDokla"_s},
                                          {u"REZTVORB"_s, u"REZCERP"_s, u"OPPTVORB"_s, u"OPPCERP"_s},
                                          u" "_s};
    return module == RenumberModule::Cash ? cash : internal;
}

RenumberWriteBack::RenumberWriteBack(OperationSession &session, MemTable &list, RenumberState &state)
    : m_session(session), m_list(list), m_state(state), m_tempDocuments(std::make_unique<MemTable>(u"mtTempDoklady"_s)),
      m_tempPayments(std::make_unique<MemTable>(u"mtTempUhrady"_s))
{
    m_tempDocuments->addField(u"PuvDoklad"_s, FieldType::String, 10);
    m_tempDocuments->addField(u"NovyDoklad"_s, FieldType::String, 10);
    m_tempPayments->addField(u"PuvDoklad"_s, FieldType::String, 10);
    m_tempPayments->addField(u"NovyDoklad"_s, FieldType::String, 10);
    m_tempPayments->addField(u"TypeHDokl"_s, FieldType::String, 2);
    m_tempPayments->addField(u"CisloHDokl"_s, FieldType::Integer);
    // A whole year code (up to ten characters, as in the year list): a
    // shorter field would cut "2017" and no paid document of that year would
    // ever be found.
    m_tempPayments->addField(u"HRok"_s, FieldType::String, 10);
}

RenumberWriteBack::~RenumberWriteBack() = default;

QString RenumberWriteBack::protocolFileName(const QString &settingsDir)
{
    return settingsDir + u"~precisl.txt"_s;
}

int RenumberWriteBack::renumber(RenumberListView &view, const QString &caption)
{
    if (RenumberBlockingChecks::refuseWriteBack(m_state) != 0)
        return -1;
    if (!ui().askBeforeIrreversible(u"Opravdu chcete přečíslovat doklady v Ledra podle návrhu?\r\r"
                                    u"VAROVÁNÍ: tato operace je nevratná!"_s))
        return -1;
    view.updateListButtons(true);
    const MemTable::Bookmark current = m_list.bookmark();
    int result = -1;
    {
        RepaintPause pause(view);
        result = m_state.module == RenumberModule::Cash ? writeBackCashDocuments(caption)
                                                        : writeBackInternalDocuments(caption);
        m_list.gotoBookmark(current);
    }
    view.updateListButtons(false);
    // Without its snapshot the run never started: the error said so and why,
    // and the last run's protocol file stays as it was.
    if (!m_snapshotRefused)
        finishProtocol(result);
    return result;
}

void RenumberWriteBack::finishProtocol(int result)
{
    OperationProtocol &protocol = m_session.protocol();
    protocol.addLine(QString());
    protocol.addLine(u"Celkem přečíslováno dokladů: "_s + QString::number(m_state.renumberedCount));
    if (result != 0)
        protocol.addLine(u"OPERACE VŠAK SKONČILA CHYBOVÝM STAVEM (je možné, že přečíslování neproběhlo ve všech "
                         u"databázích)"_s);
    if (m_snapshot) {
        m_snapshot->finish(result);
        protocol.addLine(m_snapshot->protocolLine());
        m_snapshot.reset();
    }
    ui().information(u"Přečíslování bylo dokončeno - protokol v následujícím okně doporučujeme vytisknout."_s);
    // A copy that cannot be saved (no directory, file in use) is not missed:
    // the protocol is shown all the same.
    TextFile::writeLines(protocolFileName(m_session.runContext().settingsDir), protocol.lines());
    m_session.showProtocol();
}

int RenumberWriteBack::writeBackCashDocuments(const QString &caption)
{
    return writeBack(WriteBackModule::of(RenumberModule::Cash), caption);
}

int RenumberWriteBack::writeBackInternalDocuments(const QString &caption)
{
    return writeBack(WriteBackModule::of(RenumberModule::Internal), caption);
}

// Nothing has been written to the host's tables before this point, and the
// run writes from here on: a snapshot of every table it may write is taken
// first, and without one the run does not start.
int RenumberWriteBack::beforeFirstWrite(const WriteBackModule &module)
{
    m_snapshot = std::make_unique<RunSnapshot>(m_session.runContext(), u"precislovani"_s);
    if (m_snapshot->take(writtenTables(module)) != 0) {
        m_snapshot.reset();
        m_snapshotRefused = true;
        return -1;
    }
    return 0;
}

// The documents and their journal, the paid documents of every year, the
// stock documents (cash), the asset movements, the reserves (internal), the
// address-book actions and the action log.
QStringList RenumberWriteBack::writtenTables(const WriteBackModule &module) const
{
    const RunContext &context = m_session.runContext();
    QStringList tables{context.yearDir + module.documentTable};
    const QString journal = journalTable(context, module);
    if (!journal.isEmpty())
        tables.append(context.yearDir + journal);
    const MemTable &years = m_session.mtYear;
    const int yearField = years.fieldIndex(u"YearNumber"_s);
    for (int y = 0; y < years.recordCount(); ++y) {
        for (const PaidKind &paid : kPaidKinds)
            tables.append(context.agendaDir + u"ROK."_s + years.value(y, yearField).toString() + u'/' +
                          QString::fromUtf16(paid.table));
    }
    if (module.stockDocuments)
        tables.append(context.yearDir + u"SKSEZDOK"_s);
    tables.append(context.agendaDir + u"MJINVPOH"_s);
    for (const QString &table : module.reserveTables)
        tables.append(context.agendaDir + table);
    tables.append(context.agendaDir + u"ADAKCE"_s);
    tables.append(context.dataRoot + u"GLAKCE"_s);
    return tables;
}

void RenumberWriteBack::writeProtocolHead(const WriteBackModule &module, const QString &caption)
{
    OperationProtocol &protocol = m_session.protocol();
    protocol.clear();
    protocol.addHead(m_session.runContext());
    protocol.addLine(u"PŘEČTĚTE SI PROSÍM POZORNĚ TENTO TEXT:"_s);
    protocol.addLine(u"• pokud právě přečíslované doklady uchováváte v tištěné podobě, budete muset doklady znovu "
                     u"vytisknout v Ledra s novým číslem"_s);
    protocol.addLine(u"• pokud došlo přečíslováním k posunutí posledního čísla, UPRAVTE ČÍSELNOU ŘADU v Ledra: "
                     u"zvolte Ledra/Možnosti a nastavení/Číselné řady,"_s +
                     module.seriesNoticeGap +
                     u"vyberte požadovanou řadu a stiskněte [Opravit]. Pole \"Číslo\" upravte tak, aby "
                     u"odpovídalo skutečnosti (jedná se o číslo, které bude nabídnuto při vystavení následujícího "
                     u"dokladu). Zkontrolujte také pomocí tlačítka [Volná čísla], zda se v seznamu nenachází nějaké "
                     u"již použité číslo."_s);
    protocol.addLine(QString());
    protocol.addLine(caption + u" - seznam přečíslovaných dokladů:"_s);
    protocol.addLine(QString());
    protocol.addLine(u"(původní číslo >> nové číslo)"_s);
}

int RenumberWriteBack::writeBack(const WriteBackModule &module, const QString &caption)
{
    m_failure.clear();
    int result = -1;
    {
        WorkingOverlay working(m_session.progress(), u"Probíhá přečíslování dokladů\rčekejte prosím..."_s);
        result = writeSteps(module, caption);
    }
    if (!m_failure.isEmpty())
        ui().error(m_failure);
    return result;
}

int RenumberWriteBack::writeSteps(const WriteBackModule &module, const QString &caption)
{
    const RunContext &context = m_session.runContext();
    m_state.renumberedCount = 0;
    m_tempDocuments->clear();
    m_tempPayments->setFilter(nullptr);
    m_tempPayments->clear();
    m_newByOld.clear();
    m_firstWriteDone = false;
    m_snapshotRefused = false;
    writeProtocolHead(module, caption);

    if (writeDocumentTables(module) != 0)
        return -1;
    if (m_state.renumberedCount > 0) {
        if (writePaidDocuments() != 0)
            return -1;
        if (module.stockDocuments &&
            renumberReferences(context.yearDir + u"SKSEZDOK"_s, {u"CPoklDok"_s}, u"CisloDokla"_s) != 0)
            return -1;
        if (renumberReferences(context.agendaDir + u"MJINVPOH"_s, module.assetFields, QString()) != 0)
            return -1;
        for (const QString &table : module.reserveTables) {
            if (renumberReferences(context.agendaDir + table, {u"Doklad"_s}, QString()) != 0)
                return -1;
        }
        if (writeAddressActions(module) != 0 || writeActionLog(module) != 0)
            return -1;
    }

    m_state.proposalExists = false;
    return 0;
}

// The documents with their journal lines, noting the payments they made: the
// three tables are open for this step only.
int RenumberWriteBack::writeDocumentTables(const WriteBackModule &module)
{
    const RunContext &context = m_session.runContext();
    const QString journalName = journalTable(context, module);
    TBFTable documents;
    TBFTable journal;
    TBFTable payments;
    if (openTable(documents, context.yearDir + module.documentTable) != 0)
        return -1;
    if (!journalName.isEmpty() && openTable(journal, context.yearDir + journalName, kJournalIndex) != 0)
        return -1;
    if (openTable(payments, context.yearDir + u"UHRADY"_s, kPaymentIndex) != 0)
        return -1;
    return writeDocuments(module, documents, journalName.isEmpty() ? nullptr : &journal, payments);
}

int RenumberWriteBack::stop(const QString &message)
{
    m_failure = message;
    return -1;
}

int RenumberWriteBack::openTable(TBFTable &table, const QString &path, const QString &index)
{
    if (table.Open(path) != HostResult::Ok)
        return stop(openMessage(path));
    if (!index.isEmpty() && table.SetIndex(index) != HostResult::Ok)
        return stop(u"Nastala chyba při nastavení indexu v "_s + path + u".DAT"_s);
    return 0;
}

int RenumberWriteBack::waitAndLock(TBFTable &table, const QString &leadText)
{
    // A record nobody else holds is taken at once (one engine call); only a
    // refused lock asks whether another user holds the record, and the
    // warning comes while they do.
    for (;;) {
        if (table.Lock() == HostResult::Ok)
            return 0;
        if (table.IsLocked() == 0)
            return -1;
        while (table.IsLocked() != 0)
            ui().warning(leadText + kRecordInUse);
    }
}

QString RenumberWriteBack::newNumberFor(const QString &oldNumber) const
{
    if (oldNumber.isEmpty())
        return QString();
    return m_newByOld.value(HostNames::keyText(oldNumber));
}

int RenumberWriteBack::writeDocuments(const WriteBackModule &module, TBFTable &documents, TBFTable *journal,
                                      TBFTable &payments)
{
    const int recNoField = m_list.fieldIndex(u"RecNo"_s);
    const int dokladField = m_list.fieldIndex(u"Doklad"_s);
    const int dokladPuvField = m_list.fieldIndex(u"DokladPuv"_s);
    const int sufixField = m_list.fieldIndex(u"Sufix"_s);
    const int sufixPuvField = m_list.fieldIndex(u"SufixPuv"_s);
    const int noveField = m_list.fieldIndex(u"Nove"_s);

    for (int row = 0; row < m_list.recordCount(); ++row) {
        if (!m_list.value(row, noveField).toBool())
            continue;
        const int recNo = m_list.value(row, recNoField).toInt();
        if (documents.GoTo(recNo) != HostResult::Ok)
            return stop(u"Nastala chyba: nenalezen rekord číslo "_s + QString::number(recNo));
        const QString newNumber = m_list.value(row, dokladField).toString();
        const QString oldNumber = documents.Value(u"Doklad"_s).toString();
        if (oldNumber == newNumber)
            continue; // already the host's number: nothing to write, nothing to count
        const int cislo = documents.Value(u"Cislo"_s).toInt();
        if (!m_firstWriteDone) {
            if (beforeFirstWrite(module) != 0)
                return -1;
            m_firstWriteDone = true;
        }

        m_session.protocol().addLine(oldNumber + u" >> "_s + newNumber);
        m_tempDocuments->append();
        m_tempDocuments->setValue(u"PuvDoklad"_s, oldNumber);
        m_tempDocuments->setValue(u"NovyDoklad"_s, newNumber);
        // Two documents of the same old number: the first decides where the
        // records that repeat the number go (they cannot tell the two apart).
        if (!oldNumber.isEmpty() && !m_newByOld.contains(HostNames::keyText(oldNumber)))
            m_newByOld.insert(HostNames::keyText(oldNumber), newNumber);

        const QString saveError = saveMessage(module.documentTable);
        if (waitAndLock(documents, u"Doklad "_s + oldNumber) != 0)
            return stop(saveError);
        documents.SetValue(u"Doklad"_s, newNumber);
        documents.SetValue(u"DRada"_s, m_state.seriesPrefix);
        documents.SetValue(u"DCislo"_s, m_list.value(row, sufixField));
        if (documents.Post() != HostResult::Ok)
            return stop(saveError);

        ++m_state.renumberedCount;
        m_list.setValue(row, dokladPuvField, newNumber);
        m_list.setValue(row, sufixPuvField, m_list.value(row, sufixField));
        m_list.setValue(row, noveField, false);

        if (journal && writeJournalLines(*journal, module, cislo, newNumber) != 0)
            return -1;
        collectPayments(payments, module, cislo, oldNumber, newNumber);
    }
    return 0;
}

int RenumberWriteBack::writeJournalLines(TBFTable &journal, const WriteBackModule &module, int cislo,
                                         const QString &newNumber)
{
    if (journal.SeekKeys({module.sourceCode, cislo}) != HostResult::Found)
        return 0;
    const QString saveError = saveMessage(u"účetního/peněžního deníku"_s);
    // The walk compares the key as the seek did (case and trailing blanks
    // ignored), so it covers exactly the lines the seek found the first of.
    while (!journal.Eof() && HostNames::sameKeyText(journal.Value(u"Zdroj"_s).toString(), module.sourceCode) &&
           journal.Value(u"ZRadek"_s).toInt() == cislo) {
        if (waitAndLock(journal, u"Řádek v peněžním/účetním deníku "_s + journal.Value(u"Cislo"_s).toString()) != 0)
            return stop(saveError);
        journal.SetValue(u"Doklad"_s, newNumber);
        if (journal.Post() != HostResult::Ok)
            return stop(saveError);
        if (journal.Skip() != HostResult::Ok)
            break;
    }
    return 0;
}

void RenumberWriteBack::collectPayments(TBFTable &payments, const WriteBackModule &module, int cislo,
                                        const QString &oldNumber, const QString &newNumber)
{
    if (payments.SeekKeys({module.paymentKind, cislo}) != HostResult::Found)
        return;
    while (!payments.Eof() && HostNames::sameKeyText(payments.Value(u"TypeUDokl"_s).toString(), module.paymentKind) &&
           payments.Value(u"CisloUDokl"_s).toInt() == cislo) {
        // A payment by a document of another year is that year's affair.
        if (HostNames::withoutTrailingBlanks(payments.Value(u"URok"_s).toString()).isEmpty()) {
            m_tempPayments->append();
            m_tempPayments->setValue(u"PuvDoklad"_s, oldNumber);
            m_tempPayments->setValue(u"NovyDoklad"_s, newNumber);
            m_tempPayments->setValue(u"TypeHDokl"_s, payments.Value(u"TypeHDokl"_s).toString());
            m_tempPayments->setValue(u"CisloHDokl"_s, payments.Value(u"CisloHDokl"_s).toInt());
            m_tempPayments->setValue(u"HRok"_s, payments.Value(u"HRok"_s).toString());
        }
        if (payments.Skip() != HostResult::Ok)
            break;
    }
}

int RenumberWriteBack::writePaidDocuments()
{
    const MemTable &years = m_session.mtYear;
    const int yearField = years.fieldIndex(u"YearNumber"_s);
    const QString openYear = m_session.runContext().yearCode;
    for (int y = 0; y < years.recordCount(); ++y) {
        const QString yearNumber = years.value(y, yearField).toString();
        const QString yearKey =
            HostNames::sameKeyText(yearNumber, openYear) ? QString() : HostNames::keyText(yearNumber);
        for (int kind = 0; kind < int(kPaidKinds.size()); ++kind) {
            if (writePaidDocumentsOf(yearNumber, yearKey, kind) != 0)
                return -1;
        }
    }
    m_tempPayments->setFilter(nullptr);
    return 0;
}

int RenumberWriteBack::writePaidDocumentsOf(const QString &yearNumber, const QString &yearKey, int kind)
{
    const PaidKind &paid = kPaidKinds.at(size_t(kind));
    const QString kindCode = QString::fromUtf16(paid.kind);
    const int yearField = m_tempPayments->fieldIndex(u"HRok"_s);
    const int kindField = m_tempPayments->fieldIndex(u"TypeHDokl"_s);
    // The values are compared directly, so no code can break the filter.
    m_tempPayments->setFilter([=](const MemTable &table, int storageRow) {
        return HostNames::keyText(table.storageValue(storageRow, yearField).toString()) == yearKey &&
               HostNames::sameKeyText(table.storageValue(storageRow, kindField).toString(), kindCode);
    });
    if (m_tempPayments->isEmpty())
        return 0;

    const QString path =
        m_session.runContext().agendaDir + u"ROK."_s + yearNumber + u'/' + QString::fromUtf16(paid.table);
    TBFTable table;
    if (openTable(table, path, u"Cislo"_s) != 0)
        return -1;
    const QString linkField = QString::fromUtf16(paid.linkField);

    // Every change of the table is found before the first is written: when
    // two renumbered documents exchange numbers and both paid the same
    // document, its link is renamed once, by the payment found first, and
    // not back again by the other's.
    std::vector<RecordChange> changes;
    QSet<int> claimed;
    const int oldField = m_tempPayments->fieldIndex(u"PuvDoklad"_s);
    const int newField = m_tempPayments->fieldIndex(u"NovyDoklad"_s);
    const int cisloField = m_tempPayments->fieldIndex(u"CisloHDokl"_s);
    for (int row = 0; row < m_tempPayments->recordCount(); ++row) {
        const QString oldNumber = m_tempPayments->value(row, oldField).toString();
        if (table.Seek(m_tempPayments->value(row, cisloField).toInt()) != HostResult::Found)
            continue;
        // Only the first document of that line number; its link must hold the
        // old number exactly (one that differs in case names another).
        const int recNo = table.RecNo();
        if (table.Value(linkField).toString() != oldNumber || claimed.contains(recNo))
            continue;
        claimed.insert(recNo);
        changes.push_back({recNo, oldNumber, m_tempPayments->value(row, newField).toString()});
    }

    const QString saveError = saveMessage(path);
    for (const RecordChange &change : changes) {
        if (table.GoTo(change.recNo) != HostResult::Ok)
            return stop(saveError);
        if (waitAndLock(table, u"Doklad "_s + table.Value(u"Doklad"_s).toString()) != 0)
            return stop(saveError);
        // Locking reads the record again: a link its editor changed while
        // the run waited is theirs.
        if (table.Value(linkField).toString() != change.oldNumber)
            continue;
        table.SetValue(linkField, change.newNumber);
        if (table.Post() != HostResult::Ok)
            return stop(saveError);
    }
    return 0;
}

int RenumberWriteBack::renumberReferences(const QString &path, const QStringList &fields, const QString &lockLeadField)
{
    TBFTable table;
    if (openTable(table, path) != 0)
        return -1;
    const QString saveError = saveMessage(table.fileName()); // the file as it is on disk
    const auto changesOfRecord = [&] {
        std::vector<std::pair<QString, QString>> changes; // field, new number
        for (const QString &field : fields) {
            const QString newNumber = newNumberFor(table.Value(field).toString());
            if (!newNumber.isNull())
                changes.emplace_back(field, newNumber);
        }
        return changes;
    };
    // One pass in the table's natural order; each record is looked up by the
    // numbers it held before the run, so none is renamed twice.
    for (table.GoTop(); !table.Eof();) {
        auto changes = changesOfRecord();
        if (!changes.empty()) {
            // A record another user holds is waited for as the documents
            // are: a table that repeats a number must not keep the old one.
            const QString lead = lockLeadField.isEmpty() ? table.Value(changes.front().first).toString()
                                                         : table.Value(lockLeadField).toString();
            if (waitAndLock(table, u"Doklad "_s + lead) != 0)
                return stop(saveError);
            changes = changesOfRecord(); // as the record stands now
            for (const auto &[field, newNumber] : changes)
                table.SetValue(field, newNumber);
            // Both fields of a record that names two renumbered documents
            // are written with one post.
            if (!changes.empty() && table.Post() != HostResult::Ok)
                return stop(saveError);
        }
        if (table.Skip() != HostResult::Ok)
            break;
    }
    return 0;
}

std::vector<RenumberWriteBack::RecordChange>
RenumberWriteBack::findByOldNumbers(TBFTable &table, const std::function<int(const QString &)> &seek,
                                    const std::function<bool(const QString &)> &onKey,
                                    const std::function<bool()> &wanted) const
{
    std::vector<RecordChange> changes;
    QSet<int> claimed;
    for (int row = 0; row < m_tempDocuments->recordCount(); ++row) {
        const QString oldNumber = m_tempDocuments->value(row, 0).toString();
        const QString newNumber = m_tempDocuments->value(row, 1).toString();
        try {
            if (seek(oldNumber) != HostResult::Found)
                continue;
            while (!table.Eof() && onKey(oldNumber)) {
                const int recNo = table.RecNo();
                if (wanted() && !claimed.contains(recNo)) {
                    claimed.insert(recNo);
                    changes.push_back({recNo, oldNumber, newNumber});
                }
                if (table.Skip() != HostResult::Ok)
                    break;
            }
        } catch (const HostEngineError &) {
            // A seek or a record that cannot be read finds nothing more.
        }
    }
    return changes;
}

// The address-book actions are found by the old numbers and rewritten only
// when every document's actions have been found: a document that takes over
// the old number of another renumbered document (two exchange numbers) must
// not pull that document's actions along, nor have its own renamed back.
int RenumberWriteBack::writeAddressActions(const WriteBackModule &module)
{
    const QString path = m_session.runContext().agendaDir + u"ADAKCE"_s;
    TBFTable table;
    if (openTable(table, path, u"Doklad"_s) != 0)
        return -1;
    const QString yearCode = m_session.runContext().yearCode;
    // The walk follows the seek's key (case and trailing blanks ignored) and
    // takes the records of this year's documents of the module among them:
    // the index holds every kind of document, so an action of another kind
    // with the same number may stand between two of this document's.
    const std::vector<RecordChange> changes = findByOldNumbers(
        table, [&](const QString &oldNumber) { return table.Seek(oldNumber); },
        [&](const QString &oldNumber) { return HostNames::sameKeyText(readOrEmpty(table, u"Doklad"_s), oldNumber); },
        [&] {
            return readOrEmpty(table, u"TypDokl"_s) == module.sourceCode && readOrEmpty(table, u"Rok"_s) == yearCode;
        });
    // Errors here are the host's minor records' own: each action is tried
    // and the run goes on.
    for (const RecordChange &change : changes) {
        try {
            if (table.GoTo(change.recNo) != HostResult::Ok || waitAndLock(table, u"Doklad "_s + change.oldNumber) != 0)
                continue;
        } catch (const HostEngineError &) {
            continue;
        }
        try {
            table.SetValue(u"Doklad"_s, change.newNumber);
        } catch (const HostEngineError &) {
        }
        try {
            QString description = table.Value(u"Popis"_s).toString();
            table.SetValue(u"Popis"_s, description.replace(change.oldNumber, change.newNumber, Qt::CaseInsensitive));
        } catch (const HostEngineError &) {
        }
        try {
            (void)table.Post();
        } catch (const HostEngineError &) {
        }
    }
    return 0;
}

// The action log is searched by the old numbers first and rewritten after,
// for the reason the address-book actions are.
int RenumberWriteBack::writeActionLog(const WriteBackModule &module)
{
    const RunContext &context = m_session.runContext();
    const QString path = context.dataRoot + u"GLAKCE"_s;
    TBFTable table;
    if (openTable(table, path, kLogIndex) != 0)
        return -1;
    // The key parts compared as the seek compared them.
    const std::vector<RecordChange> changes = findByOldNumbers(
        table,
        [&](const QString &oldNumber) {
            return table.SeekKeys({context.agendaCode, context.yearCode, module.logListCode, oldNumber});
        },
        [&](const QString &oldNumber) {
            return HostNames::sameKeyText(readOrEmpty(table, u"Agenda"_s), context.agendaCode) &&
                   HostNames::sameKeyText(readOrEmpty(table, u"Rok"_s), context.yearCode) &&
                   HostNames::sameKeyText(readOrEmpty(table, u"KodSezn"_s), module.logListCode) &&
                   HostNames::sameKeyText(readOrEmpty(table, u"DoklZkrat"_s), oldNumber);
        },
        [] { return true; });
    for (const RecordChange &change : changes) {
        try {
            if (table.GoTo(change.recNo) != HostResult::Ok || waitAndLock(table, u"Doklad "_s + change.oldNumber) != 0)
                continue;
            table.SetValue(u"DoklZkrat"_s, change.newNumber);
            (void)table.Post();
        } catch (const HostEngineError &) {
            // A log record that cannot be written keeps its number.
        }
    }
    return 0;
}
