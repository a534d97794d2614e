#include "ops/purge/RemovalRun.h"

#include "ops/purge/RemovalRules.h"

#include "app/core/HostIniFiles.h"
#include "app/core/OperationSession.h"
#include "app/core/ProgressGuards.h"
#include "app/core/RunSnapshot.h"
#include "common/TextFile.h"
#include "common/UiSeam.h"
#include "hostdb/HostTableDef.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString kWaitForRelease =
    u" je právě editován jiným uživatelem. Počkejte na uvolnění a pokračujte tlačítkem [OK]."_s;
const QString kInterrupted = u"Operace přerušena uživatelem."_s;

// A text field compared the way a seek compares it: without regard to case
// and trailing blanks (a found value comes back as stored).
bool sameKey(const QVariant &stored, const QString &key)
{
    return HostNames::sameKeyText(stored.toString(), key);
}

void openError(const QString &path)
{
    ui().error(u"Nastala chyba při otevírání databáze "_s + path + u".DAT"_s);
}

void deleteError(const QString &path)
{
    ui().error(u"Nastala chyba při mazání záznamu v databázi "_s + path + u".DAT"_s);
}

} // namespace

bool RemovalOptions::anyChosen() const
{
    return stockLines || freeLines || std::find(modules.begin(), modules.end(), true) != modules.end();
}

RemovalRun::RemovalRun(OperationSession &session, OperationProgress &progress, const RemovalOptions &options)
    : m_session(session), m_progress(progress), m_options(options)
{
    m_mtFlagDelCisla.addField(u"Cislo"_s, FieldType::Integer);
    m_mtFlagDelCisla.addField(u"Duplicita"_s, FieldType::Boolean);
}

RemovalRun::~RemovalRun()
{
    // A run ended by an engine error still records how it left the tables,
    // so that its snapshot can be restored without forcing.
    afterLastWrite(-1);
}

QString RemovalRun::protocolFileName(const QString &settingsDir)
{
    return settingsDir + u"~odstran.txt"_s;
}

int RemovalRun::runRemoval()
{
    m_session.interruptRequested = false;
    m_session.protocol().clear();
    m_doubleEntry = isDoubleEntry(m_session.runContext().yearDir);
    writeHeader();
    if (!m_options.testMode && beforeFirstWrite() != 0)
        return -1;

    OperationProtocol &protocol = m_session.protocol();
    bool failed = false;
    bool deletionFailed = false;
    if (m_options.freeLines && removeJournalLines(JournalPass::FreeLines) != 0)
        failed = true;
    if (!failed && !interrupted()) {
        if (m_options.stockLines) {
            protocol.addLine(QString());
            if (removeJournalLines(JournalPass::StockLines) != 0)
                failed = true;
        }
    }
    if (!failed && !interrupted()) {
        for (int i = 0; i < kRemovalModuleCount; ++i) {
            if (!m_options.modules.at(size_t(i)))
                continue;
            int count = 0;
            const ModuleResult result = removeModule(kRemovalModules.at(size_t(i)), count);
            if (result == ModuleResult::TableFailed) {
                afterLastWrite(-1);
                return -1;
            }
            if (result == ModuleResult::DependantsFailed) {
                failed = true;
                break;
            }
            protocol.addLine(u"Celkem odstraněno dokladů: "_s + QString::number(count));
            deletionFailed = result == ModuleResult::DeletionFailed;
            if (deletionFailed || interrupted())
                break;
        }
    }

    if (interrupted()) {
        m_progress.setProgress(0, kInterrupted);
        protocol.addLine(kInterrupted);
    } else {
        m_progress.setProgress(0, u"Dokončeno"_s);
    }
    afterLastWrite(failed || deletionFailed ? -1 : 0);
    if (m_snapshot)
        protocol.addLine(m_snapshot->protocolLine());
    // A protocol that cannot be saved is still shown.
    TextFile::writeLines(protocolFileName(m_session.runContext().settingsDir), protocol.lines());
    m_session.showProtocol();
    return 0;
}

// Nothing has been written to the host's tables before this point.
int RemovalRun::beforeFirstWrite()
{
    m_snapshot = std::make_unique<RunSnapshot>(m_session.runContext(), u"odstraneni"_s);
    if (m_snapshot->take(writtenTables()) != 0) {
        m_snapshot.reset();
        return -1;
    }
    return 0;
}

void RemovalRun::afterLastWrite(int result)
{
    if (m_snapshot)
        m_snapshot->finish(result);
}

// The journal (free lines, stock lines, and the journal lines of every
// removed document), and of each chosen module its documents, items and
// distribution records.
QStringList RemovalRun::writtenTables() const
{
    QStringList tables;
    if (m_options.anyChosen())
        tables.append(tablePath(journalTable()));
    for (int i = 0; i < kRemovalModuleCount; ++i) {
        if (!m_options.modules.at(size_t(i)))
            continue;
        const RemovalModule &module = kRemovalModules.at(size_t(i));
        tables.append(tablePath(QString::fromUtf16(module.table)));
        tables.append(tablePath(QString::fromUtf16(module.itemsTable)));
        const QString distribution = module.invoice ? QString() : module.distributionTable(m_doubleEntry);
        if (!distribution.isEmpty())
            tables.append(tablePath(distribution));
    }
    return tables;
}

void RemovalRun::writeHeader()
{
    OperationProtocol &protocol = m_session.protocol();
    protocol.addHead(m_session.runContext());
    if (m_options.testMode) {
        protocol.addLine(u"TESTOVACÍ REŽIM - následující změny nebyly provedeny!"_s);
        protocol.addLine(QString());
    }
}

struct RemovalRun::ModuleTables
{
    TBFTable documents;
    // A second cursor on the document table for the duplicate test, so that
    // it sees the table whatever happens to the walk's.
    TBFTable duplicates;
    TBFTable journal;
    TBFTable items;
    TBFTable distribution; // open only when the module has distribution records
    QString itemsPath;
    QString distributionPath;
    bool dependantsOpen = false;

    // Before an error message: no table stays held while the user reads it.
    void close()
    {
        for (TBFTable *table : {&documents, &duplicates, &journal, &items, &distribution})
            table->Close();
        dependantsOpen = false;
    }
};

RemovalRun::ModuleResult RemovalRun::removeModule(const RemovalModule &module, int &count)
{
    const QString title = QString::fromUtf16(module.title);
    OperationProtocol &protocol = m_session.protocol();
    m_progress.setProgress(0, title + u"..."_s);
    ui().processEvents();
    protocol.addLine(QString());
    protocol.addLine(title + u':');
    count = 0;
    m_mtFlagDelCisla.clear();
    m_removedNumbers.clear();

    ModuleTables tables;
    const QString path = tablePath(QString::fromUtf16(module.table));
    if (tables.documents.Open(path) != HostResult::Ok) {
        openError(path);
        return ModuleResult::TableFailed;
    }
    const int records = tables.documents.RecordCount();
    if (records <= 0)
        return ModuleResult::Done;
    const QString indexError = u"Nastala chyba při nastavení indexu v "_s + path + u".DAT"_s;
    if (tables.documents.SetIndex(u"Cislo"_s) != HostResult::Ok) {
        tables.close();
        ui().error(indexError);
        return ModuleResult::TableFailed;
    }
    if (tables.duplicates.Open(path) != HostResult::Ok) {
        tables.close();
        openError(path);
        return ModuleResult::TableFailed;
    }
    if (tables.duplicates.SetIndex(u"Cislo"_s) != HostResult::Ok) {
        tables.close();
        ui().error(indexError);
        return ModuleResult::TableFailed;
    }

    const ModuleResult result = removeDocuments(module, tables, count);

    // The duplicates found, after the module's document lines.
    ProgressBarScope bar(m_progress, m_mtFlagDelCisla.recordCount());
    for (int row = 0; row < m_mtFlagDelCisla.recordCount(); ++row) {
        bar.setProgress(row);
        if (m_mtFlagDelCisla.value(row, 1).toBool())
            protocol.addLine(u"! nalezena duplicita řádku "_s + m_mtFlagDelCisla.value(row, 0).toString() +
                             u" - aby nebyl narušen platný (nesmazaný) doklad se stejným číslem řádku, bude "
                             u"odstraněn pouze smazaný (modře přeškrtnutý) doklad, nikoliv jeho případné položky "
                             u"a zaúčtování"_s);
    }
    return result;
}

RemovalRun::ModuleResult RemovalRun::removeDocuments(const RemovalModule &module, ModuleTables &tables, int &count)
{
    const QString title = QString::fromUtf16(module.title);
    const QString flagField = QString::fromUtf16(module.deletionFlag);
    const QString path = tablePath(QString::fromUtf16(module.table));
    OperationProtocol &protocol = m_session.protocol();
    TBFTable &documents = tables.documents;
    ProgressBarScope bar(m_progress, documents.RecordCount());
    bar.setProgress(0);
    documents.GoBottom();
    const int lastNumber = documents.Value(u"Cislo"_s).toInt();
    documents.GoTop();
    int index = 0;
    while (!documents.Eof()) {
        const int number = documents.Value(u"Cislo"_s).toInt();
        const QString documentNumber = documents.Value(u"Doklad"_s).toString();
        bool moved = false;
        const DocumentVerdict verdict = judgeDocument(number, documents.Value(flagField).toBool(), lastNumber);
        if (verdict.refusal) {
            protocol.addLine(u"UPOZORNĚNÍ: doklad číslo "_s + documentNumber + u" (řádek "_s +
                             QString::number(verdict.refusal->number) +
                             u") nyní nelze odstranit, protože se nachází na poslední pozici v databázi. "
                             u"Tento řádek bude možné odstranit ve chvíli, kdy bude existovat libovolný "
                             u"nesmazaný doklad s vyšším číslem řádku."_s);
        } else if (verdict.take) {
            bool take = true;
            if (!m_options.testMode) {
                const QString warning =
                    u"Řádek "_s + QString::number(number) + u" v modulu "_s + title + kWaitForRelease;
                if (takeRecord(documents, warning) != 0) {
                    tables.close();
                    deleteError(path);
                    return ModuleResult::DeletionFailed;
                }
                // Locking reads the record again: a document restored by
                // its editor meanwhile stays.
                take = documents.Value(flagField).toBool();
            }
            if (take) {
                const DocumentRemoval removal = documentRemoval(number, m_removedNumbers, [&](int held) {
                    return hasLiveDuplicate(tables.duplicates, held, flagField);
                });
                if (!m_options.testMode) {
                    if (removal.dependants && removeDependants(module, tables, number) != 0)
                        return ModuleResult::DependantsFailed;
                    if (documents.Delete() < 0) {
                        tables.close();
                        deleteError(path);
                        return ModuleResult::DeletionFailed;
                    }
                    moved = true;
                }
                if (removal.newNumber)
                    addNumber(number, removal.refusal.has_value());
                protocol.addLine(u"Doklad číslo "_s + documentNumber + u" (řádek "_s + QString::number(number) + u')');
                ++count;
            }
        }
        if (index % 10 == 0) {
            ui().processEvents();
            bar.setProgress(index);
        }
        ++index;
        if (!moved && documents.Skip() != HostResult::Ok)
            break;
        // Documents sharing a line number go together: the first of them took
        // the number's dependants along.
        if (interrupted() && (documents.Eof() || documents.Value(u"Cislo"_s).toInt() != number))
            break;
    }
    return ModuleResult::Done;
}

void RemovalRun::addNumber(int number, bool duplicate)
{
    m_removedNumbers.insert(number);
    const int row = m_mtFlagDelCisla.append();
    m_mtFlagDelCisla.setValue(row, 0, number);
    m_mtFlagDelCisla.setValue(row, 1, duplicate);
}

bool RemovalRun::hasLiveDuplicate(TBFTable &duplicates, int number, const QString &flagField)
{
    if (duplicates.Seek(number) != HostResult::Found)
        return false;
    while (!duplicates.Eof() && duplicates.Value(u"Cislo"_s).toInt() == number) {
        if (!duplicates.Value(flagField).toBool())
            return true;
        if (duplicates.Skip() != HostResult::Ok)
            break;
    }
    return false;
}

int RemovalRun::openDependants(const RemovalModule &module, ModuleTables &tables)
{
    struct Opening
    {
        TBFTable &table;
        QString path;
        QString index;
    };
    tables.itemsPath = tablePath(QString::fromUtf16(module.itemsTable));
    const QString distribution = module.invoice ? QString() : module.distributionTable(m_doubleEntry);
    tables.distributionPath = distribution.isEmpty() ? QString() : tablePath(distribution);
    std::vector<Opening> openings{{tables.journal, tablePath(journalTable()), u"Zdroj+ZRadek+Cislo"_s},
                                  {tables.items, tables.itemsPath, QString::fromUtf16(module.itemsIndex)}};
    if (!tables.distributionPath.isEmpty())
        openings.push_back({tables.distribution, tables.distributionPath, u"CisDokladu"_s});
    for (const Opening &opening : openings) {
        if (opening.table.Open(opening.path) != HostResult::Ok) {
            tables.close();
            openError(opening.path);
            return -1;
        }
        if (opening.table.SetIndex(opening.index) != HostResult::Ok) {
            tables.close();
            ui().error(u"Nastala chyba při nastavení indexu v "_s + opening.path + u".DAT"_s);
            return -1;
        }
    }
    tables.dependantsOpen = true;
    return 0;
}

// Journal lines, items, distribution records: in this order, each deletion
// its own commit, before the document record itself.
int RemovalRun::removeDependants(const RemovalModule &module, ModuleTables &tables, int number)
{
    if (!tables.dependantsOpen && openDependants(module, tables) != 0)
        return -1;
    if (removeDocumentJournalLines(tables, QString::fromUtf16(module.sourceCode), number) != 0)
        return -1;
    if (removeRecordsOf(tables, tables.items, QString::fromUtf16(module.itemsField), number, tables.itemsPath) != 0)
        return -1;
    if (tables.distributionPath.isEmpty())
        return 0;
    return removeRecordsOf(tables, tables.distribution, u"CisDokladu"_s, number, tables.distributionPath);
}

int RemovalRun::removeDocumentJournalLines(ModuleTables &tables, const QString &sourceCode, int number)
{
    TBFTable &journal = tables.journal;
    if (journal.SeekKeys({sourceCode, number}) != HostResult::Found)
        return 0;
    while (!journal.Eof() && sameKey(journal.Value(u"Zdroj"_s), sourceCode) &&
           journal.Value(u"ZRadek"_s).toInt() == number) {
        const int deleted = deleteRecord(journal, [&]() -> QString {
            return u"Řádek "_s + journal.Value(u"Cislo"_s).toString() + u" v účetním/peněžním deníku"_s +
                   kWaitForRelease;
        });
        if (deleted < 0) {
            tables.close();
            ui().error(u"Nastala chyba při mazání záznamu v databázi účetního/peněžního deníku."_s);
            return -1;
        }
        if (deleted == HostResult::PastEnd)
            return 0;
    }
    return 0;
}

int RemovalRun::removeRecordsOf(ModuleTables &tables, TBFTable &table, const QString &field, int number,
                                const QString &path)
{
    if (table.Seek(number) != HostResult::Found)
        return 0;
    const auto warning = [&]() -> QString {
        return u"Položka dokladu s číslem řádku "_s + QString::number(number) + u" v databázi "_s + path + u".DAT"_s +
               u" je právě editována jiným uživatelem. Počkejte na uvolnění a pokračujte tlačítkem [OK]."_s;
    };
    while (!table.Eof() && table.Value(field).toInt() == number) {
        const int deleted = deleteRecord(table, warning);
        if (deleted < 0) {
            tables.close();
            deleteError(path);
            return -1;
        }
        if (deleted == HostResult::PastEnd)
            return 0;
    }
    return 0;
}

int RemovalRun::removeJournalLines(JournalPass pass)
{
    const QString word = journalWord();
    const QString what = pass == JournalPass::FreeLines
                             ? u"Odstranění volných řádků v "_s + word + u" deníku"_s
                             : u"Odstranění smazaných řádků sklad. dokladů v "_s + word + u" deníku"_s;
    OperationProtocol &protocol = m_session.protocol();
    m_progress.setProgress(0, what + u"..."_s);
    protocol.addLine(what + u':');

    const QString path = tablePath(journalTable());
    TBFTable journal;
    if (journal.Open(path) != HostResult::Ok) {
        openError(path);
        return -1;
    }
    ProgressBarScope bar(m_progress, journal.RecordCount());
    bar.setProgress(0);

    const auto qualifies = [&] {
        JournalLine line;
        line.free = journal.Value(u"Free"_s).toBool();
        if (pass == JournalPass::StockLines) {
            line.deleted = journal.Value(u"Del"_s).toBool();
            line.source = journal.Value(u"Zdroj"_s).toString();
        }
        return journalLineGoes(pass, line, m_options.freeLines);
    };
    int count = 0;
    int index = 0;
    journal.GoTop();
    while (!journal.Eof()) {
        bool moved = false;
        if (qualifies()) {
            const QString number = journal.Value(u"Cislo"_s).toString();
            bool take = true;
            if (!m_options.testMode) {
                const QString warning = u"Řádek "_s + number + u" v "_s + word + u" deníku"_s + kWaitForRelease;
                int deleted = HostResult::Failed;
                if (takeRecord(journal, warning) == 0) {
                    // Locking reads the line again: one changed meanwhile stays.
                    take = qualifies();
                    deleted = take ? journal.Delete() : HostResult::Ok;
                }
                if (deleted < 0) {
                    journal.Close();
                    deleteError(path);
                    return -1;
                }
                moved = take;
            }
            if (take) {
                protocol.addLine(u"Řádek číslo "_s + number);
                ++count;
            }
        }
        if (index % 10 == 0) {
            ui().processEvents();
            bar.setProgress(index);
        }
        ++index;
        if (interrupted())
            break;
        if (!moved && journal.Skip() != HostResult::Ok)
            break;
    }
    protocol.addLine(u"Celkem odstraněno záznamů: "_s + QString::number(count));
    return 0;
}

int RemovalRun::takeRecord(TBFTable &table, const QString &warning)
{
    for (;;) {
        while (table.IsLocked() != 0)
            ui().warning(warning);
        if (table.Lock() == HostResult::Ok)
            return 0;
        // Taken by another user between the test and the lock: wait again.
        if (table.IsLocked() == 0)
            return -1;
    }
}

int RemovalRun::deleteRecord(TBFTable &table, const std::function<QString()> &warning)
{
    for (;;) {
        // The engine takes the record for the deletion itself and refuses
        // while another user holds it.
        const int deleted = table.Delete();
        if (deleted >= 0 || table.IsLocked() == 0)
            return deleted;
        while (table.IsLocked() != 0)
            ui().warning(warning());
    }
}

bool RemovalRun::interrupted() const
{
    return m_session.interruptRequested;
}

QString RemovalRun::tablePath(const QString &table) const
{
    return m_session.runContext().yearDir + table;
}

QString RemovalRun::journalTable() const
{
    return m_doubleEntry ? u"UCDENIK"_s : u"UCPENDEN"_s;
}

QString RemovalRun::journalWord() const
{
    return m_doubleEntry ? u"účetním"_s : u"peněžním"_s;
}
