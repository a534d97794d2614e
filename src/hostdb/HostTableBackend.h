#pragma once

#include "hostdb/HostTableDef.h"

#include <QString>
#include <QVariant>
#include <QVariantList>

#include <stdexcept>

// The engine's exception: an unknown field, a table that is not open, a
// corrupt file met after opening. Callers let it propagate, except the host
// ini reader, which falls back to its defaults.
class HostEngineError : public std::runtime_error
{
public:
    explicit HostEngineError(const QString &message);
    QString text() const { return m_text; }

private:
    QString m_text;
};

// Results the callers rely on.
namespace HostResult {
constexpr int Ok = 0;       // Open, GoTo, Post, SetIndex, Lock succeeded
constexpr int PastEnd = 1;  // Skip ran past the last record; Delete: none follows
constexpr int Found = 7;    // a seek found its key
constexpr int NotFound = 6; // a seek did not find its key
constexpr int Failed = -1;  // any failure
} // namespace HostResult

// What an engine provides for one open table. The SQLite-backed engine of
// this program implements it; a Windows build would wrap the host's own
// automation component here.
class HostTableBackend
{
public:
    virtual ~HostTableBackend() = default;

    // The full "….DAT" name, resolved without regard to case.
    [[nodiscard]] virtual int Open(const QString &fileName) = 0;
    virtual void Close() = 0;
    virtual int RecordCount() = 0;
    virtual void GoTop() = 0;
    virtual void GoBottom() = 0;
    virtual int Skip() = 0;
    [[nodiscard]] virtual int GoTo(int recNo) = 0;
    virtual int RecNo() = 0;
    virtual bool Eof() = 0;
    virtual QVariant Value(const QString &field) = 0;
    virtual void SetValue(const QString &field, const QVariant &value) = 0;
    virtual int Seek(const QVariant &key) = 0;
    virtual int SeekKeys(const QVariantList &keys) = 0;
    virtual int Seek2(const QVariant &key1, const QVariant &key2) = 0;
    virtual int AddNew() = 0;
    virtual int IsLocked() = 0;
    [[nodiscard]] virtual int Lock() = 0;
    [[nodiscard]] virtual int Post() = 0;
    [[nodiscard]] virtual int Delete() = 0;
    [[nodiscard]] virtual int SetIndex(const QString &expression) = 0;

    // The open table's fields and declared indexes, for tools that list or
    // dump any table; an engine that cannot describe them returns an empty
    // description.
    virtual HostTableDef Definition() { return HostTableDef(); }
    // Why the last Open, Lock, Post or Delete failed, when the engine knows.
    virtual QString ErrorText() { return QString(); }
};
