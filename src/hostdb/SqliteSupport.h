#pragma once

#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

// Thin owners of SQLite connections and prepared statements for the
// SQLite-backed host table engine. Values cross as QVariant: qint64, double,
// QString (UTF-8 in the file) or null.
class SqlDatabase
{
public:
    SqlDatabase() = default;
    ~SqlDatabase();
    SqlDatabase(const SqlDatabase &) = delete;
    SqlDatabase &operator=(const SqlDatabase &) = delete;

    enum class Mode {
        ReadWrite, // an existing file, read and written
        Create,    // created when missing
        ReadOnly,  // read only; the WAL index may still be created beside it
        // Read only, without the WAL files: for a file whose directory this
        // user may not write and that has no WAL beside it. Changes that other
        // connections make later are not seen.
        Immutable,
    };
    // Opens the file. False on failure, with the reason in error().
    bool open(const QString &path, Mode mode);
    bool open(const QString &path, bool create) { return open(path, create ? Mode::Create : Mode::ReadWrite); }
    void close();
    bool isOpen() const { return m_db != nullptr; }
    sqlite3 *handle() const { return m_db; }

    // Runs statements without results; false on failure.
    bool exec(const QString &sql);
    QString error() const;
    int errorCode() const;

private:
    sqlite3 *m_db = nullptr;
    QString m_openError;
};

class SqlStatement
{
public:
    SqlStatement() = default;
    ~SqlStatement();
    SqlStatement(const SqlStatement &) = delete;
    SqlStatement &operator=(const SqlStatement &) = delete;

    bool prepare(SqlDatabase &db, const QString &sql);
    void finalize();

    // Binds 1-based parameters.
    void bind(int parameter, const QVariant &value);
    void bindInt(int parameter, qint64 value);
    // Steps once: true when a row is there; false at the end or on an error
    // (then failed() is true).
    bool step();
    bool failed() const { return m_failed; }
    void reset(); // also clears the bindings

    int columnCount() const;
    QVariant column(int index) const;
    // The columns [first, first + count) of the current row copied out in one
    // block (PackedRow reads them back), without converting any of them.
    QByteArray packColumns(int first, int count) const;
    qint64 columnInt(int index) const;
    QString columnText(int index) const;

private:
    sqlite3_stmt *m_stmt = nullptr;
    bool m_failed = false;
};

// Columns copied out of a statement by SqlStatement::packColumns, read back
// one at a time with the types column() gives.
namespace PackedRow {
QVariant column(const QByteArray &packed, int index);
} // namespace PackedRow
