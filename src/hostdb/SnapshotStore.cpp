#include "hostdb/SnapshotStore.h"

#include "hostdb/FileClaim.h"
#include "hostdb/HostCatalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

#include <QRegularExpression>

#include "hostdb/TableWriteLog.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace SnapshotStore {

namespace {

// The manifest and the end record are small UTF-8 files of sections and
// "key=value" lines (the paths in them must survive any character the file
// system allows, which the host's Windows-1250 ini files would not).
struct Section
{
    QString name;
    QHash<QString, QString> values;
};

const QString kHead = u"Zaloha"_s;
const QString kFinish = u"Dokonceno"_s;
const QString kTable = u"Tabulka"_s;
const QString kEnd = u"Konec"_s;

// A manifest names a run's few tables in some hundred bytes each; anything
// larger is not one of ours, and reading it would stall every listing (one
// runs after each run).
constexpr qint64 kMaxManifestBytes = qint64(1024) * 1024;
// The records a run wrote, as ranges: a removal of every other record of a
// table of ten million records stays below this.
constexpr qint64 kMaxWrittenBytes = qint64(128) * 1024 * 1024;

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

QString escaped(const QString &value)
{
    QString text = value;
    text.replace(u'\\', u"\\\\"_s).replace(u'\n', u"\\n"_s).replace(u'\r', u"\\r"_s);
    return text;
}

QString unescaped(const QString &text)
{
    QString value;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'\\' && i + 1 < text.size()) {
            const QChar next = text.at(++i);
            value += next == u'n' ? u'\n' : next == u'r' ? u'\r' : next;
        } else {
            value += text.at(i);
        }
    }
    return value;
}

void addTables(QStringList &lines, const QList<SnapshotTable> &tables)
{
    for (const SnapshotTable &table : tables) {
        lines << u"["_s + kTable + u']' << u"Soubor="_s + escaped(table.relativePath)
              << u"Zaznamu="_s + QString::number(table.summary.records) << u"Kontrola="_s + table.summary.checksum;
    }
}

bool writeSections(const QString &path, const QStringList &lines, QString *error)
{
    // Written under a temporary name and renamed: the file is whole or absent.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(lines.join(u'\n').toUtf8() + '\n') < 0 || !file.commit()) {
        setError(error, u"soubor %1 nelze zapsat: %2"_s.arg(path, file.errorString()));
        return false;
    }
    return true;
}

std::optional<QList<Section>> readSections(const QString &path, QString *why = nullptr)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(why, u"manifest chybí"_s);
        return std::nullopt;
    }
    const QByteArray text = file.read(kMaxManifestBytes + 1);
    if (text.size() > kMaxManifestBytes) {
        setError(why, u"soubor %1 je větší než %2 bajtů"_s.arg(path).arg(kMaxManifestBytes));
        return std::nullopt;
    }
    QList<Section> sections;
    for (const QString &line : QString::fromUtf8(text).split(u'\n')) {
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            sections.append({line.mid(1, line.size() - 2), {}});
        } else if (const qsizetype equals = line.indexOf(u'='); equals > 0 && !sections.isEmpty()) {
            sections.last().values.insert(line.left(equals), unescaped(line.mid(equals + 1)));
        }
    }
    return sections;
}

// The tables of sections [first, end): nullopt when one is incomplete.
std::optional<QList<SnapshotTable>> readTables(const QList<Section> &sections, qsizetype first, qsizetype end)
{
    QList<SnapshotTable> tables;
    for (qsizetype i = first; i < end; ++i) {
        const Section &section = sections.at(i);
        bool counted = false;
        SnapshotTable table{section.values.value(u"Soubor"_s), {}};
        table.summary.records = section.values.value(u"Zaznamu"_s).toLongLong(&counted);
        table.summary.checksum = section.values.value(u"Kontrola"_s);
        if (section.name != kTable || table.relativePath.isEmpty() || !counted || table.summary.checksum.size() != 64)
            return std::nullopt;
        tables.append(table);
    }
    return tables;
}

QDateTime readTime(const QString &text)
{
    return QDateTime::fromString(text, Qt::ISODate);
}

// A path relative to a directory that stays inside it by its text: not empty,
// not absolute, no empty, "." or ".." component.
bool isPlainRelative(const QString &path)
{
    if (path.isEmpty() || QDir::isAbsolutePath(path))
        return false;
    const QStringList parts = path.split(u'/');
    return std::none_of(parts.begin(), parts.end(),
                        [](const QString &part) { return part.isEmpty() || part == u"."_s || part == u".."_s; });
}

// Whether `path` lies inside `dir` on disk, symbolic links followed: the
// deepest part of it that exists resolves below the directory, and a link at
// the end (even a dangling one, which a restore would follow when creating
// the table) is refused.
bool staysInside(const QString &path, const QString &dir)
{
    const QString inside = QFileInfo(dir).canonicalFilePath();
    if (inside.isEmpty() || QFileInfo(path).isSymLink())
        return false;
    QString existing = path;
    while (!QFileInfo::exists(existing) && existing.size() > dir.size())
        existing = QFileInfo(existing).path();
    const QString resolved = QFileInfo(existing).canonicalFilePath();
    return resolved == inside || resolved.startsWith(inside + u'/');
}

// "GLAKCE.DAT": a file right in the data root that the catalogue places
// there.
bool isHostWideTable(const QString &path)
{
    if (path.contains(u'/') || !path.endsWith(u".DAT"_s, Qt::CaseInsensitive))
        return false;
    const HostTableDef *table = HostCatalogue::find(QStringView(path).chopped(4));
    return table && table->location == HostLocation::DataRoot;
}

// The claim on a snapshot folder while it is being taken is a FileClaim on
// "<folder>.lck" beside it, taken before the folder is created and given up
// once the manifest is written. A folder without a manifest whose claim can
// be taken is a leftover that nobody will finish.
QString claimPath(const QString &folder)
{
    return folder + u".lck"_s;
}

// Folders named as snapshots are: nothing else in the folder is ever removed.
bool isSnapshotName(const QString &name)
{
    static const QRegularExpression pattern(u"^\\d{4}-\\d{2}-\\d{2}_\\d{6}_.+$"_s);
    return pattern.match(name).hasMatch();
}

// Removes the snapshot folders without a manifest that no process is taking
// (the run that took them was killed, the disk filled up), and lock files
// left without their folder. The folders removed.
QStringList pruneLeftovers(const QString &root)
{
    QStringList removed;
    const QDir dir(root);
    for (const QString &name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString folder = dir.absoluteFilePath(name);
        if (!isSnapshotName(name) || QFileInfo::exists(manifestPath(folder)))
            continue;
        FileClaim claim;
        // Taken while the manifest was being written: then it is complete.
        if (claim.take(claimPath(folder)) != FileClaim::Outcome::Taken || QFileInfo::exists(manifestPath(folder)))
            continue;
        QDir(folder).removeRecursively();
        removed.append(folder);
    }
    for (const QString &name : dir.entryList({u"*.lck"_s}, QDir::Files)) {
        const QString folder = dir.absoluteFilePath(name.chopped(4));
        if (isSnapshotName(name.chopped(4)) && !QFileInfo::exists(folder))
            FileClaim().take(claimPath(folder)); // released (and unlinked) at once
    }
    return removed;
}

} // namespace

QString folderName(const QDateTime &when, const QString &operation)
{
    return when.toString(u"yyyy-MM-dd_HHmmss"_s) + u'_' + operation;
}

QString manifestPath(const QString &folder)
{
    return folder + u"/manifest.ini"_s;
}

QString finishPath(const QString &folder)
{
    return folder + u"/dokonceno.ini"_s;
}

QString writtenPath(const QString &folder)
{
    return folder + u"/zapsano.txt"_s;
}

QString take(const QString &root, SnapshotManifest &manifest, const QStringList &tables, QString *error)
{
    const QString base = QDir::cleanPath(root) + u'/' + folderName(manifest.created, manifest.operation);
    QDir().mkpath(QDir::cleanPath(root)); // when it cannot be, the claim says so
    // Two runs within one second get folders of their own; the claim on a
    // folder is taken before the folder exists, so that a prune never takes
    // it for a leftover.
    FileClaim claim;
    QString folder = base;
    for (int n = 2;; ++n) {
        if (!QFileInfo::exists(folder)) {
            const FileClaim::Outcome outcome = claim.take(claimPath(folder));
            if (outcome == FileClaim::Outcome::Taken)
                break;
            if (outcome == FileClaim::Outcome::Failed) {
                setError(error, u"složku zálohy %1 nelze založit: %2"_s.arg(folder, claim.error()));
                return QString();
            }
        }
        folder = base + u'_' + QString::number(n);
    }
    if (!TableSnapshot::copyTables(folder, manifest.dataRoot, tables, &manifest.tables, error))
        return QString();
    if (!writeManifest(folder, manifest, error)) {
        QDir(folder).removeRecursively();
        return QString();
    }
    return folder;
}

bool writeManifest(const QString &folder, const SnapshotManifest &manifest, QString *error)
{
    QStringList lines{u"["_s + kHead + u']',
                      u"Operace="_s + escaped(manifest.operation),
                      u"Agenda="_s + escaped(manifest.company),
                      u"AdresarAgendy="_s + escaped(manifest.agendaDir),
                      u"Rok="_s + escaped(manifest.year),
                      u"Uzivatel="_s + escaped(manifest.user),
                      u"AdresarDat="_s + escaped(manifest.dataRoot),
                      u"Porizeno="_s + manifest.created.toString(Qt::ISODate),
                      u"Tabulek="_s + QString::number(manifest.tables.size())};
    addTables(lines, manifest.tables);
    lines << u"["_s + kEnd + u']';
    return writeSections(manifestPath(folder), lines, error);
}

std::optional<SnapshotManifest> readManifest(const QString &folder, QString *error)
{
    const auto incomplete = [&](const QString &why) {
        setError(error, u"složka %1 nemá úplný manifest zálohy (%2)"_s.arg(folder, why));
        return std::nullopt;
    };
    QString unread;
    const auto sections = readSections(manifestPath(folder), &unread);
    if (!sections)
        return incomplete(unread);
    if (sections->size() < 2 || sections->first().name != kHead || sections->last().name != kEnd)
        return incomplete(u"manifest je neúplný"_s);
    const QHash<QString, QString> &head = sections->first().values;
    SnapshotManifest manifest;
    manifest.operation = head.value(u"Operace"_s);
    manifest.company = head.value(u"Agenda"_s);
    manifest.agendaDir = head.value(u"AdresarAgendy"_s);
    manifest.year = head.value(u"Rok"_s);
    manifest.user = head.value(u"Uzivatel"_s);
    manifest.dataRoot = head.value(u"AdresarDat"_s);
    manifest.created = readTime(head.value(u"Porizeno"_s));
    const auto tables = readTables(*sections, 1, sections->size() - 1);
    bool counted = false;
    const qsizetype count = head.value(u"Tabulek"_s).toLongLong(&counted);
    if (!tables || !counted || count != tables->size() || count == 0 || manifest.dataRoot.isEmpty() ||
        !manifest.created.isValid())
        return incomplete(u"manifest je neúplný"_s);
    for (const SnapshotTable &table : *tables) {
        if (!QFileInfo(folder + u'/' + table.relativePath).isFile())
            return incomplete(u"chybí kopie tabulky "_s + table.relativePath);
    }
    manifest.tables = *tables;
    return manifest;
}

bool writeFinish(const QString &folder, const SnapshotManifest &manifest, int result,
                 const QHash<QString, QList<qint64>> &written, QString *error)
{
    QList<SnapshotTable> now;
    QStringList writtenLines;
    for (const SnapshotTable &table : manifest.tables) {
        const auto summary = TableSnapshot::summarize(manifest.dataRoot + table.relativePath, error);
        if (!summary)
            return false;
        now.append({table.relativePath, *summary});
        writtenLines << escaped(table.relativePath) + u'\t' +
                            TableWriteLog::rangesText(written.value(table.relativePath));
    }
    // The records written go first: an end record always has them.
    if (!writeSections(writtenPath(folder), writtenLines, error))
        return false;
    QStringList lines{u"["_s + kFinish + u']', u"Dokonceno="_s + QDateTime::currentDateTime().toString(Qt::ISODate),
                      u"Vysledek="_s + QString::number(result)};
    addTables(lines, now);
    lines << u"["_s + kEnd + u']';
    return writeSections(finishPath(folder), lines, error);
}

std::optional<SnapshotFinish> readFinish(const QString &folder)
{
    const auto sections = readSections(finishPath(folder));
    if (!sections || sections->size() < 2 || sections->first().name != kFinish || sections->last().name != kEnd)
        return std::nullopt;
    const auto tables = readTables(*sections, 1, sections->size() - 1);
    if (!tables)
        return std::nullopt;
    SnapshotFinish finish;
    finish.finished = readTime(sections->first().values.value(u"Dokonceno"_s));
    finish.result = sections->first().values.value(u"Vysledek"_s).toInt();
    finish.tables = *tables;
    return finish;
}

std::optional<QHash<QString, QList<qint64>>> readWritten(const QString &folder, const SnapshotManifest &manifest)
{
    QFile file(writtenPath(folder));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray text = file.read(kMaxWrittenBytes + 1);
    if (text.size() > kMaxWrittenBytes)
        return std::nullopt;
    QHash<QString, QList<qint64>> written;
    for (const QString &line : QString::fromUtf8(text).split(u'\n', Qt::SkipEmptyParts)) {
        const qsizetype tab = line.indexOf(u'\t');
        bool ok = tab > 0;
        const QList<qint64> recNos = ok ? TableWriteLog::parseRanges(line.mid(tab + 1), &ok) : QList<qint64>();
        if (!ok)
            return std::nullopt;
        written.insert(unescaped(line.left(tab)), recNos);
    }
    // Every table of the snapshot must be accounted for.
    for (const SnapshotTable &table : manifest.tables) {
        if (!written.contains(table.relativePath))
            return std::nullopt;
    }
    return written;
}

QList<Snapshot> list(const QString &root)
{
    QList<Snapshot> snapshots;
    const QDir dir(root);
    for (const QString &name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString folder = dir.absoluteFilePath(name);
        if (auto manifest = readManifest(folder))
            snapshots.append({folder, std::move(*manifest)});
    }
    // Oldest first; runs within one second in the order of their folders
    // ("…_odstraneni", "…_odstraneni_2", …, "…_odstraneni_10").
    std::stable_sort(snapshots.begin(), snapshots.end(), [](const Snapshot &a, const Snapshot &b) {
        if (a.manifest.created != b.manifest.created)
            return a.manifest.created < b.manifest.created;
        if (a.folder.size() != b.folder.size())
            return a.folder.size() < b.folder.size();
        return a.folder < b.folder;
    });
    return snapshots;
}

QStringList prune(const QString &root, const QString &agendaDir, int keep)
{
    QStringList removed = pruneLeftovers(root);
    QList<Snapshot> ofCompany;
    for (const Snapshot &snapshot : list(root)) {
        if (QDir::cleanPath(snapshot.manifest.agendaDir) == QDir::cleanPath(agendaDir))
            ofCompany.append(snapshot);
    }
    const qsizetype excess = ofCompany.size() - std::max(keep, 1);
    for (qsizetype i = 0; i < excess; ++i) {
        const QString folder = ofCompany.at(i).folder;
        // The manifest goes first: a removal cut short leaves a folder that
        // is no longer offered.
        QFile::remove(manifestPath(folder));
        QDir(folder).removeRecursively();
        removed.append(folder);
    }
    return removed;
}

// Why the manifest's tables cannot be put back into `dataRoot`: each must lie
// in the snapshot's own company directory, in the live tree as well as in the
// snapshot's folder. The manifest's own data root only tells which part of
// its company directory is relative to the data root; the tables always go
// into the data root the restore is run for.
QString pathProblems(const QString &folder, const QString &dataRoot, const SnapshotManifest &manifest)
{
    const QString manifestRoot = QDir::cleanPath(manifest.dataRoot) + u'/';
    const QString company = QDir::cleanPath(manifest.agendaDir);
    const QString companyPath = company.startsWith(manifestRoot) ? company.mid(manifestRoot.size()) : QString();
    if (!isPlainRelative(companyPath))
        return u"adresář agendy %1 v manifestu neleží v adresáři dat %2"_s.arg(manifest.agendaDir, manifest.dataRoot);
    const QString companyDir = QDir::cleanPath(dataRoot) + u'/' + companyPath;
    if (!staysInside(companyDir, dataRoot))
        return u"adresář agendy %1 vede mimo adresář dat %2"_s.arg(companyDir, dataRoot);
    QStringList problems;
    const QString root = QDir::cleanPath(dataRoot);
    for (const SnapshotTable &table : manifest.tables) {
        const QString &path = table.relativePath;
        const bool inCompany = isPlainRelative(path) && path.startsWith(companyPath + u'/') &&
                               staysInside(companyDir + path.mid(companyPath.size()), companyDir);
        // The host-wide tables (the action log a renumbering writes) lie in
        // the data root itself, by the name the catalogue gives them.
        const bool hostWide = isHostWideTable(path) && staysInside(root + u'/' + path, root);
        if (!(inCompany || hostWide) || !staysInside(folder + u'/' + path, folder))
            problems.append(u"tabulka %1 z manifestu neleží v adresáři agendy %2"_s.arg(path, companyDir));
    }
    return problems.join(u'\n');
}

} // namespace SnapshotStore
