#pragma once

#include "common/MemTable.h"
#include "hostdb/HostTable.h"
#include "ops/purge/RemovalModules.h"
#include "ops/purge/RemovalRules.h"

#include <QSet>
#include <QString>

#include <array>
#include <functional>
#include <memory>

class OperationProgress;
class OperationSession;
class RunSnapshot;

// What the user chose in the removal window.
struct RemovalOptions
{
    std::array<bool, kRemovalModuleCount> modules{}; // in the order of kRemovalModules
    bool stockLines = false;                         // journal lines of deleted stock documents
    bool freeLines = false;                          // all free journal lines
    bool testMode = true;                            // write the protocol only

    bool anyChosen() const;
};

// The removal of deleted records: in the chosen modules every document the
// host only marks as deleted is removed with its items, distribution records
// and journal lines; optionally the free journal lines and the journal lines
// of deleted stock documents go too. In test mode nothing is written and the
// protocol lists exactly what a real run would remove.
//
// A real run first takes a snapshot of exactly the tables it may write
// (RunSnapshot); when that fails it stops before writing anything. Its
// protocol then ends with a line naming the snapshot's folder, and when it
// ends it records how it left the tables.
//
// One run writes its protocol into the session, saves it as "~odstran.txt"
// in the settings directory and shows it. Status texts and the progress go to
// the removal window's own label and bar (the progress sink).
//
// Each document goes as one unit: its record is locked first, then its
// journal lines, items and distribution records are removed, and the
// document record last. The engine commits every deletion on its own, so a
// run that dies part-way (killed, power lost) never leaves items, distribution
// records or journal lines whose document is gone; at most the one document it
// was working on keeps its record, still marked deleted, without some of its
// dependants, and the next run removes it and whatever is left of them.
class RemovalRun
{
public:
    RemovalRun(OperationSession &session, OperationProgress &progress, const RemovalOptions &options);
    ~RemovalRun();
    RemovalRun(const RemovalRun &) = delete;
    RemovalRun &operator=(const RemovalRun &) = delete;

    // 0 when the protocol was shown; -1 when a module's document table could
    // not be opened or indexed (the protocol is then neither saved nor shown).
    int runRemoval();

    // The protocol file of the last run.
    static QString protocolFileName(const QString &settingsDir);

    // The line numbers removed (or, in test mode, to be removed) in the
    // module processed last: `Cislo`, each once, and `Duplicita`, true when a
    // document that is not deleted carries the same number.
    const MemTable &mtFlagDelCisla() const { return m_mtFlagDelCisla; }

private:
    enum class ModuleResult { Done, DeletionFailed, DependantsFailed, TableFailed };
    // The tables of the module the run is working through; each step that
    // needs them receives them, and they close when the module ends.
    struct ModuleTables;

    // The one place a real run passes before its first write: takes the
    // snapshot. 0, or -1 after the message.
    int beforeFirstWrite();
    // The tables a run with these options may write.
    QStringList writtenTables() const;
    // The run has ended: records the tables as it left them.
    void afterLastWrite(int result);

    void writeHeader();
    ModuleResult removeModule(const RemovalModule &module, int &count);
    // The walk through the module's documents in line-number order.
    ModuleResult removeDocuments(const RemovalModule &module, ModuleTables &tables, int &count);
    int removeJournalLines(JournalPass pass);
    // The dependants of one document; opened at the first document that
    // takes them (openDependants).
    int openDependants(const RemovalModule &module, ModuleTables &tables);
    int removeDependants(const RemovalModule &module, ModuleTables &tables, int number);
    int removeDocumentJournalLines(ModuleTables &tables, const QString &sourceCode, int number);
    int removeRecordsOf(ModuleTables &tables, TBFTable &table, const QString &field, int number, const QString &path);
    static bool hasLiveDuplicate(TBFTable &duplicates, int number, const QString &flagField);
    // Waits while another user holds the current record (showing the warning
    // after each wait) and locks it: 0, or -1 when it cannot be taken.
    static int takeRecord(TBFTable &table, const QString &warning);
    // Deletes the current record (a dependant of a document this run holds),
    // waiting while another user holds it: Delete's result.
    static int deleteRecord(TBFTable &table, const std::function<QString()> &warning);

    bool interrupted() const;
    QString tablePath(const QString &table) const;
    QString journalTable() const;
    QString journalWord() const;
    void addNumber(int number, bool duplicate);

    OperationSession &m_session;
    OperationProgress &m_progress;
    RemovalOptions m_options;
    bool m_doubleEntry = false;
    MemTable m_mtFlagDelCisla{QStringLiteral("mtFlagDelCisla")};
    QSet<int> m_removedNumbers;
    std::unique_ptr<RunSnapshot> m_snapshot;
};
