#include "hostdb/HostTable.h"

#include "common/FileNames.h"
#include "hostdb/SqliteTableBackend.h"

using namespace Qt::StringLiterals;

HostEngineError::HostEngineError(const QString &message) : std::runtime_error(message.toStdString()), m_text(message) {}

namespace HostEngine {

namespace {
Factory g_factory = nullptr;
}

void setFactory(Factory factory)
{
    g_factory = factory;
}

std::unique_ptr<HostTableBackend> createBackend()
{
    if (g_factory)
        return g_factory();
    return std::make_unique<SqliteTableBackend>();
}

} // namespace HostEngine

TBFTable::TBFTable() = default;

TBFTable::~TBFTable()
{
    if (m_backend && m_open)
        m_backend->Close();
}

HostTableBackend &TBFTable::backend()
{
    if (!m_backend)
        m_backend = HostEngine::createBackend();
    return *m_backend;
}

HostTableBackend &TBFTable::openBackend()
{
    if (!m_open)
        throw HostEngineError(u"Tabulka není otevřena."_s);
    return *m_backend;
}

QString TBFTable::fileNameFor(const QString &pathAndName)
{
    QString path = pathAndName;
    if (!path.endsWith(u".DAT"_s, Qt::CaseInsensitive))
        path += u".DAT"_s;
    return FileNames::resolve(path);
}

int TBFTable::Open(const QString &pathAndName)
{
    Close();
    m_fileName = fileNameFor(pathAndName);
    const int result = backend().Open(m_fileName);
    m_open = result == HostResult::Ok;
    Tag = m_open ? 1 : 0;
    if (m_open)
        return HostResult::Ok;
    return result < 0 ? result : HostResult::Failed;
}

void TBFTable::Close()
{
    if (m_open)
        m_backend->Close();
    m_open = false;
    Tag = 0;
}

bool TBFTable::isOpen() const
{
    return m_open;
}

int TBFTable::RecordCount()
{
    return openBackend().RecordCount();
}

void TBFTable::GoTop()
{
    openBackend().GoTop();
}

void TBFTable::GoBottom()
{
    openBackend().GoBottom();
}

int TBFTable::Skip()
{
    return openBackend().Skip();
}

int TBFTable::GoTo(int recNo)
{
    return openBackend().GoTo(recNo);
}

int TBFTable::RecNo()
{
    return openBackend().RecNo();
}

bool TBFTable::Eof()
{
    return openBackend().Eof();
}

QVariant TBFTable::Value(const QString &field)
{
    return openBackend().Value(field);
}

void TBFTable::SetValue(const QString &field, const QVariant &value)
{
    openBackend().SetValue(field, value);
}

int TBFTable::Seek(const QVariant &key)
{
    return openBackend().Seek(key);
}

int TBFTable::SeekKeys(const QVariantList &keys)
{
    return openBackend().SeekKeys(keys);
}

int TBFTable::Seek2(const QVariant &key1, const QVariant &key2)
{
    return openBackend().Seek2(key1, key2);
}

int TBFTable::AddNew()
{
    return openBackend().AddNew();
}

int TBFTable::IsLocked()
{
    return openBackend().IsLocked();
}

int TBFTable::Lock()
{
    return openBackend().Lock();
}

int TBFTable::Post()
{
    return openBackend().Post();
}

int TBFTable::Delete()
{
    return openBackend().Delete();
}

int TBFTable::SetIndex(const QString &expression)
{
    return openBackend().SetIndex(expression);
}

HostTableDef TBFTable::definition()
{
    return openBackend().Definition();
}

QString TBFTable::errorText()
{
    return m_backend ? m_backend->ErrorText() : QString();
}
