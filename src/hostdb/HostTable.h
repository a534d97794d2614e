#pragma once

#include "hostdb/HostTableBackend.h"

#include <QString>
#include <QVariant>
#include <QVariantList>

#include <memory>

// One host table opened through the host's table engine (the host's component
// `TBFTable`): a current record and a current index. The object connects to
// the engine on first use; `Tag` is its open flag (1 after a successful Open;
// whoever closes the table resets it, and Close resets it too).
//
// Values: text as QString, integers as int, floats as double, booleans as
// bool, date-times as QDateTime (an empty host date reads as an invalid
// QDateTime), memos as QString. Writes accept the same, and QDate or a
// day number (double) for date-times.
class TBFTable
{
public:
    TBFTable();
    ~TBFTable();
    TBFTable(const TBFTable &) = delete;
    TBFTable &operator=(const TBFTable &) = delete;

    // Directory + table name without ".DAT" ("…/ROK.2018/POKLKNIH"), or the
    // full file name with ".DAT" (the host ini reader's form). 0 = open.
    [[nodiscard]] int Open(const QString &pathAndName);
    void Close();
    bool isOpen() const;
    QString fileName() const { return m_fileName; }
    // The file Open opens for that argument: ".DAT" added when missing, the
    // path resolved without regard to case.
    static QString fileNameFor(const QString &pathAndName);

    int RecordCount();
    void GoTop();
    void GoBottom();
    int Skip();                        // 0, or 1 when it ran past the last record
    [[nodiscard]] int GoTo(int recNo); // 0 = positioned
    int RecNo();
    bool Eof(); // past the last record (or the table is empty)
    QVariant Value(const QString &field);
    void SetValue(const QString &field, const QVariant &value);
    int Seek(const QVariant &key);                         // 7 = found, on the first match
    int SeekKeys(const QVariantList &keys);                // 7 = found
    int Seek2(const QVariant &key1, const QVariant &key2); // 7 = found
    int AddNew();
    int IsLocked();                                        // non-zero while another holder has the current record
    [[nodiscard]] int Lock();                              // 0 = taken
    [[nodiscard]] int Post();                              // 0 = written
    [[nodiscard]] int Delete();                            // 0, 1 when no record follows, < 0 on failure
    [[nodiscard]] int SetIndex(const QString &expression); // "Zdroj+ZRadek+Cislo"; 0 = set

    // The table's fields and indexes as the engine describes them (tools).
    HostTableDef definition();
    // Why the last Open, Lock, Post or Delete failed, when the engine says.
    QString errorText();

    int Tag = 0;

private:
    HostTableBackend &backend();
    HostTableBackend &openBackend(); // raises the engine's exception when not open

    std::unique_ptr<HostTableBackend> m_backend;
    QString m_fileName;
    bool m_open = false;
};

// Which engine new table objects connect to.
namespace HostEngine {
using Factory = std::unique_ptr<HostTableBackend> (*)();
void setFactory(Factory factory); // nullptr restores the SQLite-backed engine
std::unique_ptr<HostTableBackend> createBackend();
} // namespace HostEngine
