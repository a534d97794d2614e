#pragma once

#include "hostdb/HostTableBackend.h"
#include "hostdb/HostTableDef.h"
#include "hostdb/RecordLockFile.h"
#include "hostdb/SqliteSupport.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QVariant>

#include <deque>
#include <memory>
#include <vector>

// The host table engine on SQLite (file format: SqliteTableFile.h).
//
// Cursor rules:
// - The current index orders records by its key parts, then by record
//   number; without an index (natural order) by record number alone.
// - The cursor remembers the key and record number it stood on. `Skip` moves
//   to the first record after that position, so a `Post` that changes key
//   fields of the current record does not move the cursor.
// - A walk starts at `GoTop`, `GoBottom`, `GoTo`, a seek or `SetIndex`. A
//   record whose key this object changed during the walk is not visited
//   again by it, also when its new key lies further on: a walk that rewrites
//   key fields visits every record once.
// - A seek positions on the first record whose leading key parts equal the
//   values (7); when there is none, on the first record after where they
//   would stand (6), or past the last.
// - Past the last record (`Eof`) there is no current record: `RecNo` is 0,
//   reads give the fields' empty values, `Skip` returns 1 again.
// - Reads are served from the current record, read when the cursor arrived
//   there (and again by `Lock`); records ahead of a walk are read in
//   batches, dropped as soon as another connection commits a change.
// - Writes are kept on the current record until `Post`; a move, `AddNew` or
//   `Close` drops unposted writes. `Post` writes only the fields written.
// - Each `Post` and `Delete` is one transaction. Both fail (-1) while another
//   holder has the record locked; without a lock of its own the object holds
//   the record just for the write.
// - A file this user may not write, or whose directory it may not write, is
//   opened read only: reads work, `Lock`, `Post` and `Delete` fail (-1) and
//   say why.
// - `Lock` holds the record until `Post`, `Delete`, `Close` or a move.
class SqliteTableBackend final : public HostTableBackend
{
public:
    SqliteTableBackend();
    ~SqliteTableBackend() override;

    [[nodiscard]] int Open(const QString &fileName) override;
    void Close() override;
    int RecordCount() override;
    void GoTop() override;
    void GoBottom() override;
    int Skip() override;
    [[nodiscard]] int GoTo(int recNo) override;
    int RecNo() override;
    bool Eof() override;
    QVariant Value(const QString &field) override;
    void SetValue(const QString &field, const QVariant &value) override;
    int Seek(const QVariant &key) override;
    int SeekKeys(const QVariantList &keys) override;
    int Seek2(const QVariant &key1, const QVariant &key2) override;
    int AddNew() override;
    int IsLocked() override;
    [[nodiscard]] int Lock() override;
    [[nodiscard]] int Post() override;
    [[nodiscard]] int Delete() override;
    [[nodiscard]] int SetIndex(const QString &expression) override;
    HostTableDef Definition() override { return m_def; }
    QString ErrorText() override { return m_lastError; }

    // Several Posts as one transaction, for tools that write all or nothing
    // (the table tool's import); not part of the host's engine. Begin waits
    // the busy timeout for another writer, then fails (-1, with the reason).
    // Records written inside are seen by other connections at the commit.
    [[nodiscard]] int beginTransaction();
    [[nodiscard]] int commitTransaction();
    void rollbackTransaction();

    bool isOpen() const { return m_db.isOpen(); }
    const HostTableDef &definition() const { return m_def; }

private:
    // A record as the cursor holds it. Rows read from the file stay packed
    // as read (the fields, then the order's key columns): a walk converts
    // only the fields it reads. A row is unpacked into `values` when it is
    // written, and its key decoded when the cursor needs it.
    struct Row
    {
        qint64 recNo = 0;
        QByteArray packed;
        QVariantList values; // stored forms, one per field, once unpacked
        QVariantList key;    // the order's key (empty in natural order), once known
        bool unpacked = false;
        bool keyKnown = false;
    };

    // One ordering (an index, or the natural order) and its statements.
    struct Order
    {
        int index = -1; // declared index number, -1 = natural order
        QList<int> parts;
        QStringList columns;
        std::unique_ptr<SqlStatement> first, last, after, byRecNo;
        std::vector<std::unique_ptr<SqlStatement>> seek; // by number of key values
    };

    enum class State { NoRecord, OnRecord, NewRecord };

    bool openDatabase(const QString &fileName);
    QString readOnlyError() const;
    // Why the record lock was refused: another holder, or an unusable lock file.
    QString lockRefused(qint64 recNo) const;
    [[noreturn]] void fail(const QString &what) const;
    void requireOpen() const;
    int fieldPosition(const QString &name);
    Order &order(int index);
    SqlStatement &prepared(std::unique_ptr<SqlStatement> &slot, const QString &sql);
    QString selectList(const Order &order) const;

    Row readRow(const SqlStatement &statement, const Order &order) const;
    // Runs a positioning query; the rows found (at most `limit`).
    std::vector<Row> fetch(SqlStatement &statement, int limit);
    QVariantList keyOf(const QVariantList &values, const Order &order) const;
    void unpack(Row &row) const;
    const QVariantList &keyOfRow(Row &row) const;
    QVariant storedValue(const Row &row, int position) const;

    // Leaves the current record: drops unposted writes and the lock.
    void leaveRecord();
    void positionOn(Row row);
    void positionPastEnd();
    // Stands on the statement's first row, or past the end when it has none.
    void positionOnFirstOf(SqlStatement &statement);
    void startWalk();
    // Moves to the first record after `start` (its key and record number) in
    // the current order.
    int moveAfter(Row &start);
    bool aheadIsValid();
    qint64 dataVersion();
    void dropAhead();
    bool refreshCurrent();

    int insertCurrent();
    int updateCurrent();
    SqlStatement &updateStatement(const QList<int> &fields);

    SqlDatabase m_db;
    HostTableDef m_def;
    QString m_fileName;
    QList<bool> m_keyed;
    std::unique_ptr<RecordLockFile> m_locks;
    QString m_lastError;
    bool m_readOnly = false; // this user may not write the file or its directory

    std::vector<std::unique_ptr<Order>> m_orders; // [0] natural order, [i + 1] index i
    Order *m_order = nullptr;
    QHash<QString, int> m_names; // field names as callers spell them

    State m_state = State::NoRecord;
    Row m_current;
    QList<bool> m_dirty;
    bool m_anyDirty = false;
    qint64 m_lockedRecNo = 0;

    std::deque<Row> m_ahead;
    qint64 m_aheadVersion = -1;
    int m_batch = 8;
    QSet<qint64> m_moved;

    std::unique_ptr<SqlStatement> m_count, m_version, m_insert, m_delete;
    QHash<QString, std::shared_ptr<SqlStatement>> m_updates;
};
