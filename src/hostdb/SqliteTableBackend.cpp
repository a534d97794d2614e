#include "hostdb/SqliteTableBackend.h"

#include "common/FileNames.h"
#include "hostdb/HostValues.h"
#include "hostdb/SqliteTableFile.h"
#include "hostdb/TableWriteLog.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
constexpr int kBusyTimeoutMs = 5000;
constexpr int kMaxBatch = 1024;
} // namespace

SqliteTableBackend::SqliteTableBackend() = default;

SqliteTableBackend::~SqliteTableBackend()
{
    Close();
}

void SqliteTableBackend::fail(const QString &what) const
{
    throw HostEngineError(u"%1 (%2)"_s.arg(what, m_fileName));
}

void SqliteTableBackend::requireOpen() const
{
    if (!m_db.isOpen())
        throw HostEngineError(u"Tabulka není otevřena."_s);
}

int SqliteTableBackend::Open(const QString &fileName)
{
    Close();
    m_lastError.clear();
    m_fileName = fileName;
    if (!QFileInfo(fileName).isFile()) {
        m_lastError = u"soubor neexistuje"_s;
        return HostResult::Failed;
    }
    if (!openDatabase(fileName)) {
        m_lastError = m_db.error();
        m_db.close();
        return HostResult::Failed;
    }
    sqlite3_busy_timeout(m_db.handle(), kBusyTimeoutMs);
    // WAL keeps readers and the one writer apart; NORMAL syncs at checkpoints,
    // which keeps the file consistent after a crash of the machine.
    m_db.exec(u"PRAGMA synchronous=NORMAL"_s);
    // A key-order walk visits the table's pages out of order; reading them
    // through a mapping instead of one read call per page, with a larger page
    // cache, keeps such walks at the speed of the index.
    m_db.exec(u"PRAGMA mmap_size=268435456"_s);
    m_db.exec(u"PRAGMA cache_size=-16384"_s);

    auto definition = SqliteTableFile::readDefinition(m_db, &m_lastError);
    if (!definition) {
        m_db.close();
        return HostResult::Failed;
    }
    m_def = std::move(*definition);
    m_keyed = SqliteTableFile::keyedFields(m_def);

    // Reading every record's key once finds a damaged or truncated file now
    // rather than in the middle of an operation.
    SqlStatement probe;
    if (!probe.prepare(m_db, u"SELECT count(*) FROM tbf_data"_s) || !probe.step()) {
        m_lastError = m_db.error();
        probe.finalize();
        Close();
        return HostResult::Failed;
    }
    probe.finalize();

    m_orders.clear();
    m_orders.resize(m_def.indexes.size() + 1);
    m_names.clear();
    m_dirty = QList<bool>(m_def.fields.size(), false);
    m_locks = std::make_unique<RecordLockFile>(FileNames::resolve(FileNames::changeExtension(fileName, u".LCK"_s)));
    try {
        m_order = &order(-1);
        GoTop();
    } catch (const HostEngineError &error) {
        m_lastError = error.text();
        Close();
        return HostResult::Failed;
    }
    return HostResult::Ok;
}

bool SqliteTableBackend::openDatabase(const QString &fileName)
{
    // Company data on a read-only share or in another user's directory: every
    // read works, writes fail with a clear message (readOnlyError). SQLite
    // needs to write the directory for the WAL files of a connection that
    // writes.
    const QByteArray name = QFile::encodeName(fileName);
    const QByteArray dir = QFile::encodeName(QFileInfo(fileName).absolutePath());
    m_readOnly = ::faccessat(AT_FDCWD, name.constData(), W_OK, AT_EACCESS) != 0 ||
                 ::faccessat(AT_FDCWD, dir.constData(), W_OK, AT_EACCESS) != 0;
    if (!m_readOnly)
        return m_db.open(fileName, SqlDatabase::Mode::ReadWrite);
    // The WAL index is shared memory beside the file; a reader creates it when
    // no connection has it open. Where it cannot, and no WAL holds changes not
    // yet in the file, the file alone is the table.
    if (m_db.open(fileName, SqlDatabase::Mode::ReadOnly) && m_db.exec(u"SELECT count(*) FROM sqlite_schema"_s))
        return true;
    if (QFileInfo::exists(fileName + u"-wal"_s))
        return false;
    return m_db.open(fileName, SqlDatabase::Mode::Immutable);
}

QString SqliteTableBackend::readOnlyError() const
{
    return u"tabulku %1 lze jen číst (soubor nebo jeho adresář je chráněn proti zápisu)"_s.arg(m_fileName);
}

QString SqliteTableBackend::lockRefused(qint64 recNo) const
{
    const QString unusable = m_locks->error();
    return unusable.isEmpty() ? u"záznam %1 drží jiný uživatel"_s.arg(recNo) : unusable;
}

void SqliteTableBackend::Close()
{
    if (m_lockedRecNo && m_locks)
        m_locks->unlock(m_lockedRecNo);
    m_lockedRecNo = 0;
    m_locks.reset();
    m_ahead.clear();
    m_moved.clear();
    m_updates.clear();
    m_count.reset();
    m_version.reset();
    m_insert.reset();
    m_delete.reset();
    m_orders.clear();
    m_order = nullptr;
    m_state = State::NoRecord;
    m_current = Row();
    m_anyDirty = false;
    m_db.close();
}

SqlStatement &SqliteTableBackend::prepared(std::unique_ptr<SqlStatement> &slot, const QString &sql)
{
    if (!slot) {
        auto statement = std::make_unique<SqlStatement>();
        if (!statement->prepare(m_db, sql))
            fail(u"Chyba databáze: "_s + m_db.error());
        slot = std::move(statement);
    }
    return *slot;
}

QString SqliteTableBackend::selectList(const Order &order) const
{
    QStringList columns{u"recno"_s};
    for (qsizetype i = 0; i < m_def.fields.size(); ++i)
        columns.append(SqliteTableFile::fieldColumn(int(i)));
    columns.append(order.columns);
    return columns.join(u", "_s);
}

SqliteTableBackend::Order &SqliteTableBackend::order(int index)
{
    std::unique_ptr<Order> &slot = m_orders.at(size_t(index + 1));
    if (!slot) {
        slot = std::make_unique<Order>();
        slot->index = index;
        if (index >= 0) {
            slot->parts = *m_def.expressionFields(m_def.indexes.at(index));
            slot->columns = SqliteTableFile::indexColumns(m_def, slot->parts);
        }
        slot->seek.resize(size_t(slot->parts.size()) + 1);
    }
    return *slot;
}

int SqliteTableBackend::fieldPosition(const QString &name)
{
    const auto found = m_names.constFind(name);
    if (found != m_names.constEnd())
        return found.value();
    const int position = m_def.fieldIndex(name);
    if (position < 0)
        fail(u"Pole \"%1\" v tabulce %2 neexistuje."_s.arg(name, m_def.name));
    m_names.insert(name, position);
    return position;
}

SqliteTableBackend::Row SqliteTableBackend::readRow(const SqlStatement &statement, const Order &order) const
{
    Row row;
    row.recNo = statement.columnInt(0);
    row.packed = statement.packColumns(1, int(m_def.fields.size() + order.columns.size()));
    return row;
}

void SqliteTableBackend::unpack(Row &row) const
{
    if (row.unpacked)
        return;
    const int fieldCount = int(m_def.fields.size());
    row.values.clear();
    row.values.reserve(fieldCount);
    for (int i = 0; i < fieldCount; ++i)
        row.values.append(PackedRow::column(row.packed, i));
    row.unpacked = true;
}

const QVariantList &SqliteTableBackend::keyOfRow(Row &row) const
{
    if (!row.keyKnown) {
        const int fieldCount = int(m_def.fields.size());
        row.key.clear();
        for (qsizetype i = 0; i < m_order->columns.size(); ++i)
            row.key.append(PackedRow::column(row.packed, fieldCount + int(i)));
        row.keyKnown = true;
    }
    return row.key;
}

QVariant SqliteTableBackend::storedValue(const Row &row, int position) const
{
    return row.unpacked ? row.values.at(position) : PackedRow::column(row.packed, position);
}

std::vector<SqliteTableBackend::Row> SqliteTableBackend::fetch(SqlStatement &statement, int limit)
{
    std::vector<Row> rows;
    while (int(rows.size()) < limit && statement.step())
        rows.push_back(readRow(statement, *m_order));
    const bool failed = statement.failed();
    statement.reset();
    if (failed)
        fail(u"Chyba při čtení tabulky: "_s + m_db.error());
    return rows;
}

QVariantList SqliteTableBackend::keyOf(const QVariantList &values, const Order &order) const
{
    QVariantList key;
    key.reserve(order.parts.size());
    for (const int part : order.parts)
        key.append(HostValues::keyPart(m_def.fields.at(part).type, values.at(part)));
    return key;
}

qint64 SqliteTableBackend::dataVersion()
{
    // The engine's writers raise the counter in the lock file after each
    // commit; without that file, ask the database (a read transaction).
    if (const auto count = m_locks->changeCount())
        return qint64(*count);
    SqlStatement &statement = prepared(m_version, u"PRAGMA data_version"_s);
    qint64 version = -1;
    if (statement.step())
        version = statement.columnInt(0);
    statement.reset();
    return version;
}

void SqliteTableBackend::dropAhead()
{
    m_ahead.clear();
    m_aheadVersion = -1;
    // Read ahead little again: a walk that writes as it goes (or deletes)
    // would otherwise read records it drops at the next write.
    m_batch = 1;
}

bool SqliteTableBackend::aheadIsValid()
{
    if (m_ahead.empty())
        return false;
    if (dataVersion() != m_aheadVersion) {
        dropAhead();
        return false;
    }
    return true;
}

void SqliteTableBackend::leaveRecord()
{
    if (m_lockedRecNo) {
        m_locks->unlock(m_lockedRecNo);
        m_lockedRecNo = 0;
    }
    if (m_anyDirty) {
        m_dirty.fill(false);
        m_anyDirty = false;
    }
}

void SqliteTableBackend::positionOn(Row row)
{
    m_current = std::move(row);
    m_state = State::OnRecord;
}

void SqliteTableBackend::positionPastEnd()
{
    m_state = State::NoRecord;
    if (!m_current.packed.isEmpty())
        keyOfRow(m_current); // the position stays when the record's data goes
    m_current.values.clear();
    m_current.packed.clear();
    m_current.unpacked = true;
    // The position (key, recNo) stays: Skip from past the end stays there.
}

void SqliteTableBackend::startWalk()
{
    leaveRecord();
    dropAhead();
    m_moved.clear();
}

int SqliteTableBackend::RecordCount()
{
    requireOpen();
    SqlStatement &statement = prepared(m_count, u"SELECT count(*) FROM tbf_data"_s);
    const auto rows = statement.step() ? statement.columnInt(0) : -1;
    const bool failed = statement.failed();
    statement.reset();
    if (failed)
        fail(u"Chyba při čtení tabulky: "_s + m_db.error());
    return int(rows);
}

void SqliteTableBackend::GoTop()
{
    requireOpen();
    startWalk();
    Order &o = *m_order;
    QStringList orderBy = o.columns;
    orderBy.append(u"recno"_s);
    SqlStatement &statement =
        prepared(o.first, u"SELECT %1 FROM tbf_data ORDER BY %2 LIMIT ?1"_s.arg(selectList(o), orderBy.join(u", "_s)));
    statement.bindInt(1, 1);
    positionOnFirstOf(statement);
}

void SqliteTableBackend::positionOnFirstOf(SqlStatement &statement)
{
    auto rows = fetch(statement, 1);
    if (rows.empty()) {
        m_current = Row();
        positionPastEnd();
    } else {
        positionOn(std::move(rows.front()));
    }
}

void SqliteTableBackend::GoBottom()
{
    requireOpen();
    startWalk();
    Order &o = *m_order;
    QStringList orderBy;
    for (const QString &column : o.columns)
        orderBy.append(column + u" DESC"_s);
    orderBy.append(u"recno DESC"_s);
    SqlStatement &statement =
        prepared(o.last, u"SELECT %1 FROM tbf_data ORDER BY %2 LIMIT 1"_s.arg(selectList(o), orderBy.join(u", "_s)));
    positionOnFirstOf(statement);
}

int SqliteTableBackend::moveAfter(Row &start)
{
    // The position's key is decoded only when the next records must be
    // fetched: a walk served from the records read ahead never needs it.
    Row passed; // the last record passed over as already visited
    Row *from = &start;
    for (;;) {
        if (!aheadIsValid()) {
            const QVariantList &key = keyOfRow(*from);
            const qint64 recNo = from->recNo;
            Order &o = *m_order;
            const int parts = int(o.columns.size());
            QString sql;
            QStringList orderBy = o.columns;
            orderBy.append(u"recno"_s);
            if (parts == 0) {
                sql = u"SELECT %1 FROM tbf_data WHERE recno > ?1 ORDER BY recno LIMIT ?2"_s.arg(selectList(o));
            } else {
                QStringList params;
                for (int i = 1; i <= parts + 1; ++i)
                    params.append(u'?' + QString::number(i));
                sql = u"SELECT %1 FROM tbf_data WHERE (%2, recno) > (%3) ORDER BY %4 LIMIT ?%5"_s
                          .arg(selectList(o), o.columns.join(u", "_s), params.join(u", "_s), orderBy.join(u", "_s))
                          .arg(parts + 2);
            }
            SqlStatement &statement = prepared(o.after, sql);
            for (int i = 0; i < parts; ++i)
                statement.bind(i + 1, key.at(i));
            statement.bindInt(parts + 1, recNo);
            statement.bindInt(parts + 2, m_batch);
            const qint64 version = dataVersion();
            auto rows = fetch(statement, m_batch);
            m_batch = std::min(m_batch * 2, kMaxBatch);
            if (rows.empty()) {
                positionPastEnd();
                return HostResult::PastEnd;
            }
            for (Row &row : rows)
                m_ahead.push_back(std::move(row));
            m_aheadVersion = version;
        }
        Row row = std::move(m_ahead.front());
        m_ahead.pop_front();
        if (m_moved.contains(row.recNo)) {
            // Its key was rewritten during this walk: already visited.
            passed = std::move(row);
            from = &passed;
            continue;
        }
        positionOn(std::move(row));
        return HostResult::Ok;
    }
}

int SqliteTableBackend::Skip()
{
    requireOpen();
    leaveRecord();
    if (m_state == State::NewRecord) {
        // An unposted new record has no place in the order; it is dropped.
        positionPastEnd();
        return HostResult::PastEnd;
    }
    if (m_state == State::NoRecord)
        return HostResult::PastEnd;
    return moveAfter(m_current);
}

int SqliteTableBackend::GoTo(int recNo)
{
    requireOpen();
    Order &o = *m_order;
    SqlStatement &statement = prepared(o.byRecNo, u"SELECT %1 FROM tbf_data WHERE recno = ?1"_s.arg(selectList(o)));
    statement.bindInt(1, recNo);
    auto rows = fetch(statement, 1);
    if (rows.empty())
        return HostResult::Failed;
    startWalk();
    positionOn(std::move(rows.front()));
    return HostResult::Ok;
}

int SqliteTableBackend::RecNo()
{
    requireOpen();
    return m_state == State::OnRecord ? int(m_current.recNo) : 0;
}

bool SqliteTableBackend::Eof()
{
    requireOpen();
    return m_state == State::NoRecord;
}

QVariant SqliteTableBackend::Value(const QString &field)
{
    requireOpen();
    const int position = fieldPosition(field);
    const HostFieldType type = m_def.fields.at(position).type;
    if (m_state == State::NoRecord)
        return HostValues::fromStored(type, HostValues::emptyStored(type));
    return HostValues::fromStored(type, storedValue(m_current, position));
}

void SqliteTableBackend::SetValue(const QString &field, const QVariant &value)
{
    requireOpen();
    const int position = fieldPosition(field);
    if (m_state == State::NoRecord)
        fail(u"Není aktuální záznam, do pole \"%1\" nelze zapsat."_s.arg(field));
    const HostField &definition = m_def.fields.at(position);
    const auto stored = HostValues::toStored(definition, value);
    if (!stored)
        fail(u"Hodnotu \"%1\" nelze zapsat do pole \"%2\" typu %3."_s.arg(value.toString(), definition.name,
                                                                          HostNames::typeName(definition.type)));
    unpack(m_current);
    m_current.values[position] = *stored;
    m_dirty[position] = true;
    m_anyDirty = true;
}

int SqliteTableBackend::Seek(const QVariant &key)
{
    return SeekKeys(QVariantList{key});
}

int SqliteTableBackend::Seek2(const QVariant &key1, const QVariant &key2)
{
    return SeekKeys(QVariantList{key1, key2});
}

int SqliteTableBackend::SeekKeys(const QVariantList &keys)
{
    requireOpen();
    Order &o = *m_order;
    const int count = int(keys.size());
    if (o.index < 0 || count == 0 || count > o.parts.size())
        return HostResult::Failed;

    QVariantList values;
    for (int i = 0; i < count; ++i) {
        const HostField &field = m_def.fields.at(o.parts.at(i));
        const auto stored = HostValues::toSeekValue(field, keys.at(i));
        if (!stored)
            fail(u"Hodnota \"%1\" neodpovídá poli \"%2\" klíče %3."_s.arg(keys.at(i).toString(), field.name,
                                                                          m_def.indexes.at(o.index)));
        values.append(HostValues::keyPart(field.type, *stored));
    }

    std::unique_ptr<SqlStatement> &slot = o.seek.at(size_t(count));
    if (!slot) {
        QStringList params;
        for (int i = 1; i <= count; ++i)
            params.append(u'?' + QString::number(i));
        QStringList orderBy = o.columns;
        orderBy.append(u"recno"_s);
        prepared(slot, u"SELECT %1 FROM tbf_data WHERE (%2) >= (%3) ORDER BY %4 LIMIT ?%5"_s
                           .arg(selectList(o), o.columns.mid(0, count).join(u", "_s), params.join(u", "_s),
                                orderBy.join(u", "_s))
                           .arg(count + 1));
    }
    SqlStatement &statement = *slot;
    for (int i = 0; i < count; ++i)
        statement.bind(i + 1, values.at(i));
    statement.bindInt(count + 1, 1);
    startWalk();
    auto rows = fetch(statement, 1);
    if (rows.empty()) {
        // Past the last record; Skip from here stays past the end.
        m_current = Row();
        positionPastEnd();
        return HostResult::NotFound;
    }
    Row row = std::move(rows.front());
    bool found = true;
    for (int i = 0; i < count && found; ++i)
        found = keyOfRow(row).at(i) == values.at(i);
    positionOn(std::move(row));
    return found ? HostResult::Found : HostResult::NotFound;
}

int SqliteTableBackend::AddNew()
{
    requireOpen();
    startWalk();
    Row row;
    row.values.reserve(m_def.fields.size());
    for (const HostField &field : m_def.fields)
        row.values.append(HostValues::emptyStored(field.type));
    row.unpacked = true;
    m_current = std::move(row);
    m_state = State::NewRecord;
    // Every field of a new record is written by Post.
    m_dirty.fill(true);
    m_anyDirty = true;
    return HostResult::Ok;
}

int SqliteTableBackend::IsLocked()
{
    requireOpen();
    if (m_state != State::OnRecord)
        return 0;
    return m_locks->isLockedByOther(m_current.recNo) ? 1 : 0;
}

bool SqliteTableBackend::refreshCurrent()
{
    Order &o = *m_order;
    SqlStatement &statement = prepared(o.byRecNo, u"SELECT %1 FROM tbf_data WHERE recno = ?1"_s.arg(selectList(o)));
    statement.bindInt(1, m_current.recNo);
    auto rows = fetch(statement, 1);
    if (rows.empty())
        return false;
    // Fields written but not yet posted keep the written values; the cursor
    // keeps its position.
    Row &fresh = rows.front();
    unpack(fresh);
    unpack(m_current);
    for (qsizetype i = 0; i < m_current.values.size(); ++i) {
        if (!m_dirty.at(i))
            m_current.values[i] = fresh.values.at(i);
    }
    return true;
}

int SqliteTableBackend::Lock()
{
    requireOpen();
    m_lastError.clear();
    if (m_state == State::NewRecord)
        return HostResult::Ok;
    if (m_state == State::NoRecord) {
        m_lastError = u"není aktuální záznam"_s;
        return HostResult::Failed;
    }
    if (m_lockedRecNo == m_current.recNo)
        return HostResult::Ok;
    if (m_readOnly) {
        // A lock is taken to change the record, which this user cannot.
        m_lastError = readOnlyError();
        return HostResult::Failed;
    }
    if (!m_locks->lock(m_current.recNo)) {
        m_lastError = lockRefused(m_current.recNo);
        return HostResult::Failed;
    }
    m_lockedRecNo = m_current.recNo;
    // The record may have changed since the cursor read it.
    if (!refreshCurrent()) {
        m_locks->unlock(m_lockedRecNo);
        m_lockedRecNo = 0;
        m_lastError = u"záznam %1 již neexistuje"_s.arg(m_current.recNo);
        return HostResult::Failed;
    }
    return HostResult::Ok;
}

SqlStatement &SqliteTableBackend::updateStatement(const QList<int> &fields)
{
    QStringList names;
    for (const int field : fields)
        names.append(QString::number(field));
    const QString signature = names.join(u',');
    auto found = m_updates.find(signature);
    if (found == m_updates.end()) {
        QStringList assignments;
        int parameter = 1;
        for (const int field : fields) {
            assignments.append(u"%1 = ?%2"_s.arg(SqliteTableFile::fieldColumn(field)).arg(parameter++));
            if (m_keyed.at(field))
                assignments.append(u"%1 = ?%2"_s.arg(SqliteTableFile::keyColumn(field)).arg(parameter++));
        }
        auto statement = std::make_shared<SqlStatement>();
        if (!statement->prepare(
                m_db, u"UPDATE tbf_data SET %1 WHERE recno = ?%2"_s.arg(assignments.join(u", "_s)).arg(parameter)))
            fail(u"Chyba databáze: "_s + m_db.error());
        found = m_updates.insert(signature, statement);
    }
    return *found.value();
}

int SqliteTableBackend::insertCurrent()
{
    if (!m_insert) {
        QStringList columns, params;
        int parameter = 1;
        for (qsizetype i = 0; i < m_def.fields.size(); ++i) {
            columns.append(SqliteTableFile::fieldColumn(int(i)));
            params.append(u'?' + QString::number(parameter++));
            if (m_keyed.at(i)) {
                columns.append(SqliteTableFile::keyColumn(int(i)));
                params.append(u'?' + QString::number(parameter++));
            }
        }
        prepared(m_insert, u"INSERT INTO tbf_data(%1) VALUES(%2)"_s.arg(columns.join(u", "_s), params.join(u", "_s)));
    }
    SqlStatement &statement = *m_insert;
    int parameter = 1;
    for (qsizetype i = 0; i < m_def.fields.size(); ++i) {
        statement.bind(parameter++, m_current.values.at(i));
        if (m_keyed.at(i))
            statement.bind(parameter++, HostValues::keyPart(HostFieldType::Text, m_current.values.at(i)));
    }
    statement.step();
    const bool failed = statement.failed();
    statement.reset();
    if (failed) {
        m_lastError = m_db.error();
        return HostResult::Failed;
    }
    m_locks->noteChange();
    m_current.recNo = sqlite3_last_insert_rowid(m_db.handle());
    TableWriteLog::note(m_fileName, m_current.recNo);
    m_current.key = keyOf(m_current.values, *m_order);
    m_current.keyKnown = true;
    m_state = State::OnRecord;
    m_dirty.fill(false);
    m_anyDirty = false;
    dropAhead();
    return HostResult::Ok;
}

int SqliteTableBackend::updateCurrent()
{
    const qint64 recNo = m_current.recNo;
    const bool ownLock = m_lockedRecNo == recNo;
    if (!ownLock && !m_locks->lock(recNo)) {
        m_lastError = lockRefused(recNo);
        return HostResult::Failed;
    }
    QList<int> fields;
    for (qsizetype i = 0; i < m_dirty.size(); ++i) {
        if (m_dirty.at(i))
            fields.append(int(i));
    }
    SqlStatement &statement = updateStatement(fields);
    int parameter = 1;
    for (const int field : fields) {
        statement.bind(parameter++, m_current.values.at(field));
        if (m_keyed.at(field))
            statement.bind(parameter++, HostValues::keyPart(HostFieldType::Text, m_current.values.at(field)));
    }
    statement.bindInt(parameter, recNo);
    statement.step();
    const bool failed = statement.failed();
    statement.reset();
    const int changed = failed ? 0 : sqlite3_changes(m_db.handle());
    if (!ownLock)
        m_locks->unlock(recNo);
    if (failed || changed == 0) {
        m_lastError = failed ? m_db.error() : u"záznam %1 již neexistuje"_s.arg(recNo);
        return HostResult::Failed;
    }
    m_locks->noteChange();
    TableWriteLog::note(m_fileName, recNo);
    // The cursor keeps the position it had; a record whose key moved is not
    // met again in this walk.
    if (keyOf(m_current.values, *m_order) != keyOfRow(m_current))
        m_moved.insert(recNo);
    m_dirty.fill(false);
    m_anyDirty = false;
    dropAhead();
    leaveRecord();
    return HostResult::Ok;
}

int SqliteTableBackend::Post()
{
    requireOpen();
    m_lastError.clear();
    if (m_readOnly && m_state != State::NoRecord) {
        m_lastError = readOnlyError();
        return HostResult::Failed;
    }
    switch (m_state) {
    case State::NoRecord:
        m_lastError = u"není aktuální záznam"_s;
        return HostResult::Failed;
    case State::NewRecord:
        return insertCurrent();
    case State::OnRecord:
        if (!m_anyDirty) {
            leaveRecord();
            return HostResult::Ok;
        }
        return updateCurrent();
    }
    return HostResult::Failed;
}

int SqliteTableBackend::Delete()
{
    requireOpen();
    m_lastError.clear();
    if (m_state != State::OnRecord) {
        m_lastError = u"není aktuální záznam"_s;
        return HostResult::Failed;
    }
    if (m_readOnly) {
        m_lastError = readOnlyError();
        return HostResult::Failed;
    }
    const qint64 recNo = m_current.recNo;
    const bool ownLock = m_lockedRecNo == recNo;
    if (!ownLock && !m_locks->lock(recNo)) {
        m_lastError = lockRefused(recNo);
        return HostResult::Failed;
    }
    SqlStatement &statement = prepared(m_delete, u"DELETE FROM tbf_data WHERE recno = ?1"_s);
    statement.bindInt(1, recNo);
    statement.step();
    const bool failed = statement.failed();
    statement.reset();
    const int changed = failed ? 0 : sqlite3_changes(m_db.handle());
    if (failed || changed == 0) {
        if (!ownLock)
            m_locks->unlock(recNo);
        m_lastError = failed ? m_db.error() : u"záznam %1 již neexistuje"_s.arg(recNo);
        return HostResult::Failed;
    }
    m_locks->noteChange();
    TableWriteLog::note(m_fileName, recNo);
    m_locks->unlock(recNo);
    m_lockedRecNo = 0;
    leaveRecord();
    dropAhead();
    return moveAfter(m_current);
}

int SqliteTableBackend::SetIndex(const QString &expression)
{
    requireOpen();
    int index = -1;
    if (!expression.trimmed().isEmpty()) {
        index = m_def.indexOf(expression);
        if (index < 0)
            return HostResult::Failed;
    }
    m_order = &order(index);
    dropAhead();
    m_moved.clear();
    // The current record stays current; its position is now its key in the
    // new order.
    if (m_state == State::OnRecord) {
        unpack(m_current);
        m_current.key = keyOf(m_current.values, *m_order);
        m_current.keyKnown = true;
    }
    return HostResult::Ok;
}

int SqliteTableBackend::beginTransaction()
{
    requireOpen();
    m_lastError.clear();
    if (m_readOnly) {
        m_lastError = readOnlyError();
        return HostResult::Failed;
    }
    // IMMEDIATE takes the write lock now: a writer that holds the file longer
    // than the busy timeout stops the transaction before anything is written.
    if (!m_db.exec(u"BEGIN IMMEDIATE"_s)) {
        m_lastError = m_db.error();
        return HostResult::Failed;
    }
    return HostResult::Ok;
}

int SqliteTableBackend::commitTransaction()
{
    requireOpen();
    m_lastError.clear();
    if (!m_db.exec(u"COMMIT"_s)) {
        m_lastError = m_db.error();
        rollbackTransaction();
        return HostResult::Failed;
    }
    m_locks->noteChange();
    return HostResult::Ok;
}

void SqliteTableBackend::rollbackTransaction()
{
    requireOpen();
    if (!sqlite3_get_autocommit(m_db.handle()))
        m_db.exec(u"ROLLBACK"_s);
    dropAhead();
}
