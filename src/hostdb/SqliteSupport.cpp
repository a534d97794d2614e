#include "hostdb/SqliteSupport.h"

#include <QFile>

#include <sqlite3.h>

#include <vector>

#include <cstring>

using namespace Qt::StringLiterals;

SqlDatabase::~SqlDatabase()
{
    close();
}

bool SqlDatabase::open(const QString &path, Mode mode)
{
    close();
    int flags = SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_URI;
    switch (mode) {
    case Mode::ReadWrite:
        flags |= SQLITE_OPEN_READWRITE;
        break;
    case Mode::Create:
        flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
        break;
    case Mode::ReadOnly:
    case Mode::Immutable:
        flags |= SQLITE_OPEN_READONLY;
        break;
    }
    // A URI, so that the read-only modes can be named; SQLite passes the
    // decoded bytes to the file system.
    QByteArray name = "file:" + QFile::encodeName(path).toPercentEncoding("/");
    if (mode == Mode::ReadOnly)
        name += "?mode=ro";
    else if (mode == Mode::Immutable)
        name += "?mode=ro&immutable=1";
    const int rc = sqlite3_open_v2(name.constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        m_openError = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        return false;
    }
    sqlite3_extended_result_codes(m_db, 1);
    return true;
}

void SqlDatabase::close()
{
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

bool SqlDatabase::exec(const QString &sql)
{
    if (!m_db)
        return false;
    const QByteArray text = sql.toUtf8();
    return sqlite3_exec(m_db, text.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

QString SqlDatabase::error() const
{
    if (!m_db)
        return m_openError;
    return QString::fromUtf8(sqlite3_errmsg(m_db));
}

int SqlDatabase::errorCode() const
{
    return m_db ? sqlite3_extended_errcode(m_db) : SQLITE_CANTOPEN;
}

SqlStatement::~SqlStatement()
{
    finalize();
}

bool SqlStatement::prepare(SqlDatabase &db, const QString &sql)
{
    finalize();
    const QByteArray text = sql.toUtf8();
    const int result = sqlite3_prepare_v3(db.handle(), text.constData(), static_cast<int>(text.size()),
                                          SQLITE_PREPARE_PERSISTENT, &m_stmt, nullptr);
    m_failed = result != SQLITE_OK;
    if (m_failed) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
    return !m_failed;
}

void SqlStatement::finalize()
{
    if (m_stmt) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
}

void SqlStatement::bind(int parameter, const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::UnknownType:
        sqlite3_bind_null(m_stmt, parameter);
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        sqlite3_bind_double(m_stmt, parameter, value.toDouble());
        break;
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Bool:
    case QMetaType::Long:
    case QMetaType::Short:
        sqlite3_bind_int64(m_stmt, parameter, value.toLongLong());
        break;
    default: {
        const QByteArray text = value.toString().toUtf8();
        sqlite3_bind_text(m_stmt, parameter, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        break;
    }
    }
}

void SqlStatement::bindInt(int parameter, qint64 value)
{
    sqlite3_bind_int64(m_stmt, parameter, value);
}

bool SqlStatement::step()
{
    const int result = sqlite3_step(m_stmt);
    m_failed = result != SQLITE_ROW && result != SQLITE_DONE;
    return result == SQLITE_ROW;
}

void SqlStatement::reset()
{
    if (m_stmt) {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }
}

int SqlStatement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

QVariant SqlStatement::column(int index) const
{
    switch (sqlite3_column_type(m_stmt, index)) {
    case SQLITE_INTEGER:
        return QVariant::fromValue<qint64>(sqlite3_column_int64(m_stmt, index));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, index));
    case SQLITE_NULL:
        return QVariant();
    default:
        return QVariant(columnText(index));
    }
}

qint64 SqlStatement::columnInt(int index) const
{
    return sqlite3_column_int64(m_stmt, index);
}

QString SqlStatement::columnText(int index) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, index));
    const int bytes = sqlite3_column_bytes(m_stmt, index);
    return QString::fromUtf8(text, bytes);
}

// Layout: the column count, one offset per column (4 bytes each, from the
// start of the block), then per column a type byte and its value: 8 bytes of
// integer or double, or a 4-byte length and UTF-8 text; nothing for null.
namespace {
enum PackedType : char { PackedNull, PackedInteger, PackedFloat, PackedText };

template<typename T> void put(char *&out, T value)
{
    std::memcpy(out, &value, sizeof value);
    out += sizeof value;
}

template<typename T> T get(const char *in)
{
    T value;
    std::memcpy(&value, in, sizeof value);
    return value;
}
} // namespace

QByteArray SqlStatement::packColumns(int first, int count) const
{
    // One call per column for its type (and two for a text), in one pass:
    // each call into the library costs more than copying the value, and a
    // walk packs every column of every record it reads.
    struct Cell
    {
        int type;
        const char *text;
        int bytes;
    };
    constexpr int kInline = 64;
    Cell inlineCells[kInline];
    std::vector<Cell> heapCells;
    Cell *cells = inlineCells;
    if (count > kInline) {
        heapCells.resize(size_t(count));
        cells = heapCells.data();
    }
    qsizetype size = qsizetype(sizeof(quint32)) * (count + 1);
    for (int c = 0; c < count; ++c) {
        Cell &cell = cells[c];
        cell.type = sqlite3_column_type(m_stmt, first + c);
        switch (cell.type) {
        case SQLITE_NULL:
            size += 1;
            break;
        case SQLITE_INTEGER:
        case SQLITE_FLOAT:
            size += 1 + 8;
            break;
        default:
            // The text form first, then its length.
            cell.text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, first + c));
            cell.bytes = sqlite3_column_bytes(m_stmt, first + c);
            size += 1 + 4 + cell.bytes;
            break;
        }
    }
    QByteArray packed(size, Qt::Uninitialized);
    char *const start = packed.data();
    char *offsets = start;
    put<quint32>(offsets, quint32(count));
    char *out = start + sizeof(quint32) * (count + 1);
    for (int c = 0; c < count; ++c) {
        const Cell &cell = cells[c];
        put<quint32>(offsets, quint32(out - start));
        switch (cell.type) {
        case SQLITE_NULL:
            *out++ = PackedNull;
            break;
        case SQLITE_INTEGER:
            *out++ = PackedInteger;
            put<qint64>(out, sqlite3_column_int64(m_stmt, first + c));
            break;
        case SQLITE_FLOAT:
            *out++ = PackedFloat;
            put<double>(out, sqlite3_column_double(m_stmt, first + c));
            break;
        default:
            *out++ = PackedText;
            put<quint32>(out, quint32(cell.bytes));
            if (cell.bytes > 0)
                std::memcpy(out, cell.text, size_t(cell.bytes));
            out += cell.bytes;
            break;
        }
    }
    return packed;
}

namespace PackedRow {

QVariant column(const QByteArray &packed, int index)
{
    const char *start = packed.constData();
    if (packed.size() < qsizetype(sizeof(quint32)) || index < 0 || quint32(index) >= get<quint32>(start))
        return QVariant();
    const char *cell = start + get<quint32>(start + sizeof(quint32) * (index + 1));
    switch (*cell) {
    case PackedInteger:
        return QVariant::fromValue<qint64>(get<qint64>(cell + 1));
    case PackedFloat:
        return QVariant(get<double>(cell + 1));
    case PackedText:
        return QVariant(QString::fromUtf8(cell + 1 + 4, qsizetype(get<quint32>(cell + 1))));
    default:
        return QVariant();
    }
}

} // namespace PackedRow
