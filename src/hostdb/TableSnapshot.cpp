#include "hostdb/TableSnapshot.h"

#include "common/FileNames.h"
#include "hostdb/RecordLockFile.h"
#include "hostdb/SqliteSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cstring>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace TableSnapshot {

namespace {

constexpr int kBusyTimeoutMs = 5000;
// The byte of a WAL database's "-shm" file every open connection holds a
// read lock on (SQLite's WAL-index format: the "DMS" lock).
constexpr off_t kShmOpenLockByte = 128;

TableHook &afterTableHook()
{
    static TableHook hook;
    return hook;
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// Feeds every column of every row of the query into the hash, each with its
// type, so that 1, 1.0, "1" and an empty value all differ.
bool hashRows(sqlite3 *db, const char *sql, QCryptographicHash &hash, qint64 *rows)
{
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK)
        return false;
    int rc;
    qint64 count = 0;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        ++count;
        const int columns = sqlite3_column_count(statement);
        for (int i = 0; i < columns; ++i) {
            const int type = sqlite3_column_type(statement, i);
            const char tag = char('0' + type);
            hash.addData(QByteArrayView(&tag, 1));
            if (type == SQLITE_INTEGER) {
                const qint64 value = sqlite3_column_int64(statement, i);
                hash.addData(QByteArrayView(reinterpret_cast<const char *>(&value), sizeof value));
            } else if (type == SQLITE_FLOAT) {
                const double value = sqlite3_column_double(statement, i);
                hash.addData(QByteArrayView(reinterpret_cast<const char *>(&value), sizeof value));
            } else if (type != SQLITE_NULL) {
                const void *bytes = type == SQLITE_BLOB ? sqlite3_column_blob(statement, i)
                                                        : static_cast<const void *>(sqlite3_column_text(statement, i));
                const qint32 size = sqlite3_column_bytes(statement, i);
                hash.addData(QByteArrayView(reinterpret_cast<const char *>(&size), sizeof size));
                hash.addData(QByteArrayView(static_cast<const char *>(bytes), size));
            }
        }
    }
    sqlite3_finalize(statement);
    if (rows)
        *rows = count;
    return rc == SQLITE_DONE;
}

std::optional<TableSummary> summarizeOpen(SqlDatabase &db, QString *error)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    TableSummary summary;
    // One read transaction: the three reads see the same state of the table.
    const bool ok = db.exec(u"BEGIN"_s) &&
                    hashRows(db.handle(), "SELECT * FROM tbf_fields ORDER BY rowid", hash, nullptr) &&
                    hashRows(db.handle(), "SELECT seq FROM sqlite_sequence WHERE name = 'tbf_data'", hash, nullptr) &&
                    hashRows(db.handle(), "SELECT * FROM tbf_data ORDER BY recno", hash, &summary.records);
    const QString reason = db.error();
    db.exec(u"COMMIT"_s);
    if (!ok) {
        setError(error, reason);
        return std::nullopt;
    }
    summary.checksum = QString::fromLatin1(hash.result().toHex());
    return summary;
}

// A source table held in one read transaction until every table is copied.
struct Source
{
    SqlDatabase db;
    QString path;
    QString relativePath;
};

// Copies the whole database in one step of the online backup, as one write
// transaction of the target. Empty, or why it failed.
QString backUp(SqlDatabase &source, SqlDatabase &target)
{
    sqlite3_backup *backup = sqlite3_backup_init(target.handle(), "main", source.handle(), "main");
    if (!backup)
        return target.error();
    const int rc = sqlite3_backup_step(backup, -1);
    sqlite3_backup_finish(backup);
    return rc == SQLITE_DONE ? QString() : QString::fromUtf8(sqlite3_errstr(rc));
}

bool copyOne(Source &source, const QString &target, QString *error)
{
    const auto fail = [&](const QString &reason) {
        setError(error, u"kopii tabulky %1 nelze zapsat do %2: %3"_s.arg(source.path, target, reason));
        return false;
    };
    if (!QDir().mkpath(QFileInfo(target).absolutePath()))
        return fail(u"adresář nelze vytvořit"_s);
    {
        SqlDatabase copy;
        if (!copy.open(target, SqlDatabase::Mode::Create))
            return fail(copy.error());
        // The source's read transaction is already open, so the copy is the
        // table as it stood when it began.
        const QString reason = backUp(source.db, copy);
        if (!reason.isEmpty())
            return fail(reason);
    }
    // The copy carries the source's WAL mark; a snapshot is one plain file.
    SqlDatabase copy;
    if (!copy.open(target, SqlDatabase::Mode::ReadWrite) || !copy.exec(u"PRAGMA journal_mode=DELETE"_s))
        return fail(copy.error());
    return true;
}

} // namespace

void setAfterTableHook(TableHook hook)
{
    afterTableHook() = std::move(hook);
}

std::optional<TableSummary> summarize(const QString &path, QString *error)
{
    if (!QFileInfo(path).isFile()) {
        setError(error, u"soubor %1 neexistuje"_s.arg(path));
        return std::nullopt;
    }
    SqlDatabase db;
    if (!db.open(path, SqlDatabase::Mode::ReadOnly)) {
        setError(error, db.error());
        return std::nullopt;
    }
    sqlite3_busy_timeout(db.handle(), kBusyTimeoutMs);
    return summarizeOpen(db, error);
}

bool copyTables(const QString &folder, const QString &dataRoot, const QStringList &tables, QList<SnapshotTable> *copied,
                QString *error)
{
    const QDir root(dataRoot);
    std::vector<std::unique_ptr<Source>> sources;
    for (const QString &path : tables) {
        auto source = std::make_unique<Source>();
        source->path = path;
        source->relativePath = root.relativeFilePath(path);
        if (source->relativePath.startsWith(u"../"_s) || QDir::isAbsolutePath(source->relativePath)) {
            setError(error, u"tabulka %1 neleží v adresáři dat %2"_s.arg(path, dataRoot));
            return false;
        }
        // Reading the record count opens the read transaction the copy uses.
        SqlStatement probe;
        const bool readable = source->db.open(path, SqlDatabase::Mode::ReadOnly) &&
                              (sqlite3_busy_timeout(source->db.handle(), kBusyTimeoutMs), true) &&
                              source->db.exec(u"BEGIN"_s) &&
                              probe.prepare(source->db, u"SELECT count(*) FROM tbf_data"_s) && probe.step();
        if (!readable) {
            setError(error, u"tabulku %1 nelze přečíst: %2"_s.arg(path, source->db.error()));
            return false;
        }
        probe.finalize();
        sources.push_back(std::move(source));
    }

    if (QFileInfo::exists(folder) || !QDir().mkpath(folder)) {
        setError(error, u"složku zálohy %1 nelze vytvořit"_s.arg(folder));
        return false;
    }
    QList<SnapshotTable> result;
    for (const auto &source : sources) {
        const QString target = folder + u'/' + source->relativePath;
        QString reason;
        std::optional<TableSummary> summary;
        if (copyOne(*source, target, &reason)) {
            summary = summarize(target, &reason);
            if (!summary)
                reason = u"kopii tabulky %1 nelze přečíst: %2"_s.arg(source->path, reason);
        }
        if (!summary) {
            sources.clear();
            QDir(folder).removeRecursively();
            setError(error, reason);
            return false;
        }
        result.append({source->relativePath, *summary});
        if (afterTableHook())
            afterTableHook()(source->relativePath);
    }
    for (const auto &source : sources)
        source->db.exec(u"COMMIT"_s);
    if (copied)
        *copied = result;
    return true;
}

QString usedByOthers(const QString &path)
{
    QStringList reasons;
    const QByteArray shm = QFile::encodeName(path + u"-shm"_s);
    int fd = ::open(shm.constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        fd = ::open(shm.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd >= 0) {
        struct flock lock = {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        lock.l_start = kShmOpenLockByte;
        lock.l_len = 1;
        const bool open = ::fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
        ::close(fd);
        if (open)
            reasons.append(u"tabulku %1 má otevřenou jiný proces"_s.arg(path));
    }
    const QString lockPath = FileNames::resolve(FileNames::changeExtension(path, u".LCK"_s));
    if (QFileInfo(lockPath).isFile()) {
        RecordLockFile locks(lockPath);
        if (const qint64 recNo = locks.firstLockedByOther())
            reasons.append(u"záznam %1 tabulky %2 je zamčen jiným procesem"_s.arg(recNo).arg(path));
    }
    return reasons.join(u'\n');
}

std::optional<QList<qint64>> differingRecords(const QString &path, const QString &otherPath, QString *error)
{
    SqlDatabase a;
    SqlDatabase b;
    for (auto [db, file] : {std::pair{&a, &path}, std::pair{&b, &otherPath}}) {
        if (!db->open(*file, SqlDatabase::Mode::ReadOnly)) {
            setError(error, u"tabulku %1 nelze přečíst: %2"_s.arg(*file, db->error()));
            return std::nullopt;
        }
        sqlite3_busy_timeout(db->handle(), kBusyTimeoutMs);
    }
    const auto fields = [](SqlDatabase &db) {
        QByteArray packed;
        SqlStatement statement;
        if (statement.prepare(db, u"SELECT * FROM tbf_fields ORDER BY rowid"_s)) {
            while (statement.step())
                packed += statement.packColumns(0, statement.columnCount());
        }
        return packed;
    };
    if (fields(a) != fields(b)) {
        setError(error, u"tabulky %1 a %2 nemají stejná pole"_s.arg(path, otherPath));
        return std::nullopt;
    }
    // Both walked in record-number order side by side.
    const QString query = u"SELECT recno, * FROM tbf_data ORDER BY recno"_s;
    SqlStatement left;
    SqlStatement right;
    if (!left.prepare(a, query) || !right.prepare(b, query)) {
        setError(error, a.error().isEmpty() ? b.error() : a.error());
        return std::nullopt;
    }
    QList<qint64> differing;
    bool hasLeft = left.step();
    bool hasRight = right.step();
    while (hasLeft || hasRight) {
        const qint64 l = hasLeft ? left.columnInt(0) : std::numeric_limits<qint64>::max();
        const qint64 r = hasRight ? right.columnInt(0) : std::numeric_limits<qint64>::max();
        if (l == r) {
            if (left.packColumns(1, left.columnCount() - 1) != right.packColumns(1, right.columnCount() - 1))
                differing.append(l);
            hasLeft = left.step();
            hasRight = right.step();
        } else if (l < r) {
            differing.append(l);
            hasLeft = left.step();
        } else {
            differing.append(r);
            hasRight = right.step();
        }
    }
    if (left.failed() || right.failed()) {
        setError(error, u"tabulky %1 a %2 nelze porovnat"_s.arg(path, otherPath));
        return std::nullopt;
    }
    return differing;
}

QString writeProblem(const QString &path)
{
    SqlDatabase db;
    if (!db.open(path, SqlDatabase::Mode::ReadWrite))
        return u"tabulku %1 nelze otevřít pro zápis: %2"_s.arg(path, db.error());
    sqlite3_busy_timeout(db.handle(), kBusyTimeoutMs);
    if (!db.exec(u"BEGIN IMMEDIATE"_s))
        return u"do tabulky %1 nelze zapisovat: %2"_s.arg(path, db.error());
    db.exec(u"ROLLBACK"_s);
    return QString();
}

bool restoreTable(const QString &copy, const QString &live, QString *error)
{
    const auto fail = [&](const QString &reason) {
        setError(error, u"tabulku %1 nelze obnovit: %2"_s.arg(live, reason));
        return false;
    };
    if (!QFileInfo::exists(live)) {
        if (!QFile::copy(copy, live))
            return fail(u"soubor nelze vytvořit"_s);
        SqlDatabase db;
        if (!db.open(live, SqlDatabase::Mode::ReadWrite) || !db.exec(u"PRAGMA journal_mode=WAL"_s))
            return fail(db.error());
        return true;
    }
    SqlDatabase source;
    if (!source.open(copy, SqlDatabase::Mode::ReadOnly))
        return fail(source.error());
    SqlDatabase target;
    if (!target.open(live, SqlDatabase::Mode::ReadWrite))
        return fail(target.error());
    sqlite3_busy_timeout(target.handle(), kBusyTimeoutMs);
    const QString reason = backUp(source, target);
    if (!reason.isEmpty())
        return fail(reason);
    // Readers that read records ahead learn that they are stale.
    const QString lockPath = FileNames::resolve(FileNames::changeExtension(live, u".LCK"_s));
    if (QFileInfo(lockPath).isFile())
        RecordLockFile(lockPath).noteChange();
    return true;
}

} // namespace TableSnapshot
