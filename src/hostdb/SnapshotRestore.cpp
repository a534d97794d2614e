#include "hostdb/SnapshotRestore.h"

#include "common/Clock.h"
#include "hostdb/FileClaim.h"
#include "hostdb/SnapshotStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// How many record numbers a refusal names before it only counts the rest.
constexpr qsizetype kRecordsNamed = 10;
// A journal names a few tables; anything larger is not one.
constexpr qint64 kMaxJournalBytes = qint64(1024) * 1024;

SnapshotRestore::FaultHook &faultHook()
{
    static SnapshotRestore::FaultHook hook;
    return hook;
}

QString fault(SnapshotRestore::Step step, const QString &relativePath)
{
    return faultHook() ? faultHook()(step, relativePath) : QString();
}

QString recordList(const QList<qint64> &recNos)
{
    QStringList named;
    for (qsizetype i = 0; i < std::min(recNos.size(), kRecordsNamed); ++i)
        named.append(QString::number(recNos.at(i)));
    QString text = named.join(u", "_s);
    if (recNos.size() > kRecordsNamed)
        text += u" a %1 dalších"_s.arg(recNos.size() - kRecordsNamed);
    return text;
}

QString claimPath(const QString &root)
{
    return root + u"/obnova.lck"_s;
}

// The journal of a restore under way: the snapshot being put back, the
// snapshot of the tables before it (a folder name beside it) and the tables
// the restore creates. Written whole under a temporary name and renamed.
struct Journal
{
    QString restoring;
    QString undoName;
    QStringList created;
};

bool writeJournal(const QString &path, const Journal &journal, QString *error)
{
    QJsonObject object{{u"obnovuje"_s, journal.restoring},
                       {u"zpet"_s, journal.undoName},
                       {u"nove"_s, QJsonArray::fromStringList(journal.created)}};
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(object).toJson()) < 0 || !file.commit()) {
        *error = u"deník obnovy %1 nelze zapsat: %2"_s.arg(path, file.errorString());
        return false;
    }
    return true;
}

std::optional<Journal> readJournal(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray text = file.read(kMaxJournalBytes + 1);
    const QJsonObject object = QJsonDocument::fromJson(text).object();
    Journal journal;
    journal.restoring = object.value(u"obnovuje"_s).toString();
    journal.undoName = object.value(u"zpet"_s).toString();
    for (const auto &value : object.value(u"nove"_s).toArray())
        journal.created.append(value.toString());
    // An unreadable journal still means a restore was under way: it is
    // handed back empty, and the roll-back reports that it cannot proceed.
    if (text.size() > kMaxJournalBytes || journal.restoring.isEmpty())
        return Journal{};
    return journal;
}

bool removeTableFile(const QString &path)
{
    for (const QString &suffix : {u"-wal"_s, u"-shm"_s})
        QFile::remove(path + suffix);
    return QFile::remove(path) || !QFileInfo::exists(path);
}

// Whether a snapshot's copies are still what its manifest says.
QStringList damagedCopies(const QString &folder, const SnapshotManifest &manifest)
{
    QStringList damaged;
    for (const SnapshotTable &table : manifest.tables) {
        const auto copy = TableSnapshot::summarize(folder + u'/' + table.relativePath);
        if (!copy || *copy != table.summary)
            damaged.append(table.relativePath);
    }
    return damaged;
}

} // namespace

SnapshotRestore::SnapshotRestore(const QString &folder, const QString &dataRoot)
    : m_folder(QDir::cleanPath(folder)), m_dataRoot(QDir::cleanPath(dataRoot) + u'/'),
      m_root(QFileInfo(m_folder).absolutePath())
{}

void SnapshotRestore::setFaultHook(FaultHook hook)
{
    faultHook() = std::move(hook);
}

QString SnapshotRestore::journalPath(const QString &snapshotsRoot)
{
    return QDir::cleanPath(snapshotsRoot) + u"/obnova.json"_s;
}

QString SnapshotRestore::live(const QString &relativePath) const
{
    return m_dataRoot + relativePath;
}

bool SnapshotRestore::loadManifest()
{
    QString why;
    m_manifest = SnapshotStore::readManifest(m_folder, &why);
    if (!m_manifest) {
        m_problems.append({RestoreProblem::Kind::NotASnapshot, {}, why});
        return false;
    }
    if (const QString outside = SnapshotStore::pathProblems(m_folder, m_dataRoot, *m_manifest); !outside.isEmpty()) {
        m_problems.append({RestoreProblem::Kind::OutsideCompany, {}, outside});
        return false;
    }
    return true;
}

QList<RestoreProblem> SnapshotRestore::check()
{
    m_problems.clear();
    if (!loadManifest())
        return m_problems;
    for (const QString &table : damagedCopies(m_folder, *m_manifest)) {
        m_problems.append({RestoreProblem::Kind::CopyDamaged, table,
                           u"kopie tabulky %1 v záloze neodpovídá manifestu (je poškozená)"_s.arg(table)});
    }
    for (const SnapshotTable &table : m_manifest->tables) {
        const QString path = live(table.relativePath);
        if (const QString used = TableSnapshot::usedByOthers(path); !used.isEmpty())
            m_problems.append({RestoreProblem::Kind::InUse, table.relativePath, used});
        else if (QFileInfo::exists(path)) {
            if (const QString unwritable = TableSnapshot::writeProblem(path); !unwritable.isEmpty())
                m_problems.append({RestoreProblem::Kind::Unwritable, table.relativePath, unwritable});
        }
    }
    checkChanges();
    return m_problems;
}

// What putting the snapshot back would take away: changes made after the
// run ended, and records the run did not write that differ from the copy
// (another user's work while the run went on, or later).
void SnapshotRestore::checkChanges()
{
    const auto finish = SnapshotStore::readFinish(m_folder);
    if (!finish) {
        m_problems.append({RestoreProblem::Kind::NeverEnded,
                           {},
                           u"běh, před kterým byla záloha pořízena, nezaznamenal svůj konec (byl ukončen nebo ještě "
                           u"běží), takže nelze ověřit, zda tabulky od té doby nikdo nezměnil"_s});
        return;
    }
    const auto written = SnapshotStore::readWritten(m_folder, *m_manifest);
    for (const SnapshotTable &table : m_manifest->tables) {
        // A damaged copy is refused anyway: what differs from it means nothing.
        const bool damaged = std::any_of(m_problems.begin(), m_problems.end(), [&](const RestoreProblem &problem) {
            return problem.kind == RestoreProblem::Kind::CopyDamaged && problem.table == table.relativePath;
        });
        if (damaged)
            continue;
        const QString path = live(table.relativePath);
        const auto atEnd = std::find_if(finish->tables.begin(), finish->tables.end(),
                                        [&](const SnapshotTable &t) { return t.relativePath == table.relativePath; });
        const auto now = TableSnapshot::summarize(path);
        if (atEnd == finish->tables.end() || !now || *now != atEnd->summary) {
            m_problems.append({RestoreProblem::Kind::ChangedSinceRun, table.relativePath,
                               u"tabulka %1 byla po skončení běhu změněna"_s.arg(table.relativePath)});
        }
        if (!now)
            continue;
        if (!written) {
            m_problems.append({RestoreProblem::Kind::ChangedByOthers, table.relativePath,
                               u"u tabulky %1 běh nezaznamenal, které záznamy zapsal, takže nelze ověřit, zda ji "
                               u"během běhu nezměnil jiný uživatel"_s.arg(table.relativePath)});
            continue;
        }
        QString why;
        const auto differing = TableSnapshot::differingRecords(m_folder + u'/' + table.relativePath, path, &why);
        if (!differing) {
            m_problems.append({RestoreProblem::Kind::ChangedByOthers, table.relativePath, why});
            continue;
        }
        const QList<qint64> &own = written->value(table.relativePath);
        QList<qint64> others;
        std::set_difference(differing->begin(), differing->end(), own.begin(), own.end(), std::back_inserter(others));
        if (!others.isEmpty()) {
            m_problems.append({RestoreProblem::Kind::ChangedByOthers, table.relativePath,
                               u"v tabulce %1 se od zálohy změnily záznamy, které běh nezapsal (práce jiného "
                               u"uživatele): %2"_s.arg(table.relativePath, recordList(others))});
        }
    }
}

bool SnapshotRestore::restore(bool force)
{
    return restoreAccepting([force](const RestoreProblem &problem) { return force && problem.canBeForced(); });
}

bool SnapshotRestore::restore(const QStringList &acceptedLosses)
{
    return restoreAccepting(
        [&](const RestoreProblem &problem) { return problem.canBeForced() && acceptedLosses.contains(problem.text); });
}

bool SnapshotRestore::restoreAccepting(const std::function<bool(const RestoreProblem &)> &accepted)
{
    m_error.clear();
    m_recovered.clear();
    m_restored.clear();
    m_undoFolder.clear();
    m_created.clear();
    FileClaim claim;
    const FileClaim::Outcome claimed = claim.take(claimPath(m_root));
    if (claimed == FileClaim::Outcome::Held) {
        m_problems = {
            {RestoreProblem::Kind::RestoreRunning, {}, u"v týchž datech právě probíhá jiná obnova ze zálohy"_s}};
        m_error = m_problems.first().text;
        return false;
    }
    if (claimed == FileClaim::Outcome::Failed) {
        // Most likely no snapshot folder at all: the checks say what is wrong.
        check();
        m_problems.append({RestoreProblem::Kind::Unwritable,
                           {},
                           u"do složky záloh %1 nelze zapisovat: %2"_s.arg(m_root, claim.error())});
        m_error = m_problems.first().text;
        return false;
    }
    if (!recoverPending())
        return false;
    check();
    const bool refused = std::any_of(m_problems.begin(), m_problems.end(),
                                     [&](const RestoreProblem &problem) { return !accepted(problem); });
    if (refused) {
        QStringList texts;
        for (const RestoreProblem &problem : std::as_const(m_problems))
            texts.append(problem.text);
        m_error = texts.join(u'\n');
        return false;
    }
    if (!takeUndoSnapshot())
        return false;
    return switchTables();
}

bool SnapshotRestore::takeUndoSnapshot()
{
    QStringList existing;
    for (const SnapshotTable &table : m_manifest->tables) {
        if (QFileInfo::exists(live(table.relativePath)))
            existing.append(live(table.relativePath));
        else
            m_created.append(table.relativePath);
    }
    m_undoManifest = SnapshotManifest();
    m_undoManifest.operation = u"obnoveni"_s;
    m_undoManifest.company = m_manifest->company;
    const QString companyPath =
        QDir::cleanPath(m_manifest->agendaDir).mid(QDir::cleanPath(m_manifest->dataRoot).size());
    m_undoManifest.agendaDir = QDir::cleanPath(m_dataRoot + companyPath) + u'/';
    m_undoManifest.year = m_manifest->year;
    m_undoManifest.user = m_user.isEmpty() ? m_manifest->user : m_user;
    m_undoManifest.dataRoot = m_dataRoot;
    m_undoManifest.created = Clock::current().now();
    QString why;
    if (!existing.isEmpty()) {
        m_undoFolder = SnapshotStore::take(m_root, m_undoManifest, existing, &why);
        if (m_undoFolder.isEmpty()) {
            m_error = u"zálohu současného stavu tabulek nelze pořídit, obnova proto nezačala: "_s + why;
            return false;
        }
    }
    const Journal journal{m_folder, QFileInfo(m_undoFolder).fileName(), m_created};
    if (!writeJournal(journalPath(m_root), journal, &why)) {
        if (!m_undoFolder.isEmpty())
            QDir(m_undoFolder).removeRecursively();
        m_undoFolder.clear();
        m_error = why + u"; obnova proto nezačala"_s;
        return false;
    }
    return true;
}

bool SnapshotRestore::switchTables()
{
    const QList<SnapshotTable> &tables = m_manifest->tables;
    for (qsizetype i = 0; i < tables.size(); ++i) {
        const QString &relativePath = tables.at(i).relativePath;
        if (m_progress && !m_progress(int(i), int(tables.size()), relativePath))
            return rollBack(i, u"obnova byla přerušena"_s);
        QString why = fault(Step::Switch, relativePath);
        if (why.isEmpty())
            TableSnapshot::restoreTable(m_folder + u'/' + relativePath, live(relativePath), &why);
        if (!why.isEmpty())
            return rollBack(i, why);
    }
    if (m_progress)
        m_progress(int(tables.size()), int(tables.size()), QString());

    // The restore is a run of its own: its end record names the records it
    // wrote (those that differ from the snapshot taken before it), so that
    // it can itself be undone without taking away later work unnoticed.
    QHash<QString, QList<qint64>> written;
    for (const SnapshotTable &table : tables) {
        const auto before = std::find_if(m_undoManifest.tables.begin(), m_undoManifest.tables.end(),
                                         [&](const SnapshotTable &t) { return t.relativePath == table.relativePath; });
        const bool existed = before != m_undoManifest.tables.end();
        m_restored.append({table.relativePath, existed ? std::optional<qint64>(before->summary.records) : std::nullopt,
                           table.summary.records});
        if (existed) {
            const auto differing =
                TableSnapshot::differingRecords(m_undoFolder + u'/' + table.relativePath, live(table.relativePath));
            if (differing)
                written.insert(table.relativePath, *differing);
        }
    }
    if (!m_undoFolder.isEmpty())
        SnapshotStore::writeFinish(m_undoFolder, m_undoManifest, 0, written);
    QFile::remove(journalPath(m_root));
    return true;
}

// Puts back the tables switched so far (those before `switched`) from the
// snapshot taken before, removes the tables the restore created, and ends
// the journal. When that fails too, the journal stays for the next restore.
bool SnapshotRestore::rollBack(qsizetype switched, const QString &reason)
{
    QStringList failures;
    for (qsizetype i = 0; i < switched; ++i) {
        const QString &relativePath = m_manifest->tables.at(i).relativePath;
        QString why = fault(Step::Undo, relativePath);
        if (m_created.contains(relativePath)) {
            if (why.isEmpty() && !removeTableFile(live(relativePath)))
                why = u"tabulku %1 nelze odstranit"_s.arg(live(relativePath));
        } else if (why.isEmpty()) {
            TableSnapshot::restoreTable(m_undoFolder + u'/' + relativePath, live(relativePath), &why);
        }
        if (!why.isEmpty())
            failures.append(why);
    }
    if (!failures.isEmpty()) {
        m_error = u"%1; tabulky již obnovené se nepodařilo vrátit (%2), vrátí je příští obnova ze zálohy"_s.arg(
            reason, failures.join(u"; "_s));
        return false;
    }
    QFile::remove(journalPath(m_root));
    if (!m_undoFolder.isEmpty())
        QDir(m_undoFolder).removeRecursively();
    m_undoFolder.clear();
    m_error = reason + u"; žádná tabulka nebyla změněna"_s;
    return false;
}

// A restore killed half-way left its journal: every table goes back from
// the snapshot taken before it (a table not yet switched gets what it holds
// anyway), the tables it created are removed.
bool SnapshotRestore::recoverPending()
{
    const QString path = journalPath(m_root);
    if (!QFileInfo::exists(path))
        return true;
    const auto journal = readJournal(path);
    const auto fail = [&](const QString &why) {
        m_error =
            u"předchozí obnova ze zálohy nebyla dokončena a tabulky se nepodařilo vrátit do stavu před ní: "_s + why;
        return false;
    };
    if (!journal || journal->restoring.isEmpty() || journal->undoName.contains(u'/'))
        return fail(u"deník obnovy %1 je nečitelný"_s.arg(path));
    QList<SnapshotTable> tables;
    const QString undo = journal->undoName.isEmpty() ? QString() : m_root + u'/' + journal->undoName;
    if (!undo.isEmpty()) {
        QString why;
        const auto manifest = SnapshotStore::readManifest(undo, &why);
        if (!manifest)
            return fail(why);
        if (const QString outside = SnapshotStore::pathProblems(undo, m_dataRoot, *manifest); !outside.isEmpty())
            return fail(outside);
        if (const QStringList damaged = damagedCopies(undo, *manifest); !damaged.isEmpty())
            return fail(u"kopie tabulky %1 v záloze neodpovídá manifestu (je poškozená)"_s.arg(damaged.first()));
        tables = manifest->tables;
    }
    for (const SnapshotTable &table : tables) {
        if (const QString used = TableSnapshot::usedByOthers(live(table.relativePath)); !used.isEmpty())
            return fail(used);
    }
    for (const SnapshotTable &table : tables) {
        QString why = fault(Step::Undo, table.relativePath);
        if (why.isEmpty())
            TableSnapshot::restoreTable(undo + u'/' + table.relativePath, live(table.relativePath), &why);
        if (!why.isEmpty())
            return fail(why);
    }
    for (const QString &created : journal->created) {
        // Only a plain path below the data root (the journal lies in a
        // shared directory too).
        if (created.isEmpty() || QDir::isAbsolutePath(created) || created.split(u'/').contains(u".."_s))
            return fail(u"deník obnovy %1 je nečitelný"_s.arg(path));
        if (!removeTableFile(live(created)))
            return fail(u"tabulku %1 nelze odstranit"_s.arg(live(created)));
    }
    QFile::remove(path);
    if (!undo.isEmpty())
        QDir(undo).removeRecursively();
    m_recovered = u"předchozí obnova zálohy %1 byla přerušena; tabulky byly vráceny do stavu před ní"_s.arg(
        QDir::toNativeSeparators(journal->restoring));
    return true;
}
