#pragma once

#include "common/MemTable.h"
#include "ops/renumber/RenumberList.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class RunSnapshot;

class OperationSession;
class TBFTable;

// What tells the write-back of cash documents from that of internal
// documents: the host's codes for the module, which journal a single-entry
// year keeps for it, and which further tables repeat its numbers. The one
// write-back routine reads everything module-specific from here.
struct WriteBackModule
{
    RenumberModule module;
    QString documentTable; // "POKLKNIH", "INTDOKL"
    QString sourceCode;    // journal "Zdroj" and address-book action "TypDokl": "PK", "ID"
    QString paymentKind;   // payment record "TypeUDokl" of the paying document: "P", "I"
    QString logListCode;   // action log "KodSezn": "UP", "UI"
    // The journal of a single-entry year; empty when the module has none
    // there (internal documents are posted only in double-entry years).
    QString singleEntryJournal;
    bool stockDocuments; // stock documents name their cash document in "CPoklDok"
    // Fields of the asset movements (`MJINVPOH`) that may hold a document number.
    QStringList assetFields;
    // Tables of the company whose "Doklad" may hold a document number
    // (reserves and allowances, internal documents only).
    QStringList reserveTables;
    // The blanks after "Číselné řady," in the protocol's notice (the host's
    // texts differ by one blank between the modules).
    QString seriesNoticeGap;

    static const WriteBackModule &of(RenumberModule module);
};

// "Přečíslovat": carries the standing proposal of the list into the host's
// tables. Every proposed document gets its new number in its table together
// with its journal lines; then the old number is replaced wherever the host
// repeats it: the documents it paid (every year of the company), the stock
// documents, the asset movements, the reserves, the address-book actions and
// the action log. Each record is written and posted on its own, behind the
// host's record lock where the host's own lists edit it; a failure stops the
// run where it stands and what was written stays written.
//
// The run tables (`mtTempDoklady`: old and new number of each document
// written; `mtTempUhrady`: the documents they paid) belong to the list
// window and keep their contents until the next run.
class RenumberWriteBack
{
public:
    RenumberWriteBack(OperationSession &session, MemTable &list, RenumberState &state);
    ~RenumberWriteBack();
    RenumberWriteBack(const RenumberWriteBack &) = delete;
    RenumberWriteBack &operator=(const RenumberWriteBack &) = delete;

    // The button's work, after the blocking checks' refusal and the user's
    // confirmation: the buttons busy, the current row kept and repainting
    // suspended during the write-back, then the protocol finished, saved as
    // "~precisl.txt" and shown. `caption` is the list window's caption. The
    // write-back's result; -1 also when refused or not confirmed.
    int renumber(RenumberListView &view, const QString &caption);

    // The write-back of the list's module, writing the protocol's head and
    // document lines into the session's protocol. 0 when every step ran to
    // its end, -1 when it stopped on a failure (the error shown).
    int writeBackCashDocuments(const QString &caption);
    int writeBackInternalDocuments(const QString &caption);

    MemTable &mtTempDoklady() { return *m_tempDocuments; }
    MemTable &mtTempUhrady() { return *m_tempPayments; }

    // The file that receives a copy of the last write-back's protocol.
    static QString protocolFileName(const QString &settingsDir);

private:
    // A change found for one record before anything of its table is written.
    struct RecordChange
    {
        int recNo;
        QString oldNumber;
        QString newNumber;
    };

    // The run under the working overlay; a failure's message comes once the
    // overlay is down and the tables are closed.
    int writeBack(const WriteBackModule &module, const QString &caption);
    int writeSteps(const WriteBackModule &module, const QString &caption);
    // The one place the run passes before its first write: the snapshot of
    // every table the run may write. 0, or -1 when it could not be taken
    // (the message shown; nothing written).
    int beforeFirstWrite(const WriteBackModule &module);
    QStringList writtenTables(const WriteBackModule &module) const;

    void writeProtocolHead(const WriteBackModule &module, const QString &caption);
    void finishProtocol(int result);
    int openTable(TBFTable &table, const QString &path, const QString &index = QString());
    int writeDocumentTables(const WriteBackModule &module);
    // `journal` is null where the module's documents have no journal.
    int writeDocuments(const WriteBackModule &module, TBFTable &documents, TBFTable *journal, TBFTable &payments);
    int writeJournalLines(TBFTable &journal, const WriteBackModule &module, int cislo, const QString &newNumber);
    void collectPayments(TBFTable &payments, const WriteBackModule &module, int cislo, const QString &oldNumber,
                         const QString &newNumber);
    int writePaidDocuments();
    int writePaidDocumentsOf(const QString &yearNumber, const QString &yearKey, int kind);
    // Every record of a table whose fields hold an old number (compared as the
    // host's indexes compare texts) gets the new one: one pass, each record
    // visited and posted once. `lockLeadField` names the field of the wait
    // warning's lead text; empty for tables written without wait or lock.
    int renumberReferences(const QString &path, const QStringList &fields, const QString &lockLeadField);
    // For every document of the run, in its order: the records a seek for its
    // old number reaches while `onKey` holds, those `wanted` accepts, each
    // record once (for the first document that finds it). Found before any is
    // written, so a record renamed to the old number of a later document is
    // not found again by it.
    std::vector<RecordChange> findByOldNumbers(TBFTable &table, const std::function<int(const QString &)> &seek,
                                               const std::function<bool(const QString &)> &onKey,
                                               const std::function<bool()> &wanted) const;
    int writeAddressActions(const WriteBackModule &module);
    int writeActionLog(const WriteBackModule &module);

    // Locks the table's current record, waiting while another user holds it
    // with the warning repeated after each OK. 0, or -1 when the engine
    // refused the lock although nobody else holds the record.
    static int waitAndLock(TBFTable &table, const QString &leadText);
    // Stops the run on a failure; writeBack() shows `message` at its end.
    int stop(const QString &message);
    QString newNumberFor(const QString &oldNumber) const;

    OperationSession &m_session;
    MemTable &m_list;
    RenumberState &m_state;
    std::unique_ptr<MemTable> m_tempDocuments;
    std::unique_ptr<MemTable> m_tempPayments;
    // The old numbers of this run as the host's indexes compare them (upper
    // case, no trailing blanks) → the new number; the first document of a
    // number decides.
    QHash<QString, QString> m_newByOld;
    bool m_firstWriteDone = false;
    // The snapshot before the first write could not be taken: nothing was
    // written, the reason was shown, and there is no protocol to show.
    bool m_snapshotRefused = false;
    QString m_failure; // the message of the failure that stopped the run
    std::unique_ptr<RunSnapshot> m_snapshot;
};
