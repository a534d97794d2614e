#include "common/IniFile.h"

#include "common/FileNames.h"
#include "common/LocaleFormats.h"
#include "common/TextFile.h"

#include <QFileInfo>

namespace {

bool isHeader(const QString &line, QString *name = nullptr)
{
    const QString t = line.trimmed();
    if (!t.startsWith(u'['))
        return false;
    if (name) {
        const qsizetype close = t.indexOf(u']');
        *name = (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
    }
    return true;
}

// A key line: "key = value". Comments (";") and lines without "=" carry no key.
bool splitKeyLine(const QString &line, QString *key, QString *value)
{
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(u';'))
        return false;
    const qsizetype eq = t.indexOf(u'=');
    if (eq < 0)
        return false;
    *key = t.left(eq).trimmed();
    if (value)
        *value = t.mid(eq + 1).trimmed();
    return true;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The platform's integer reading: decimal, or hexadecimal with "$" or "0x".
std::optional<int> parseInteger(const QString &text)
{
    bool ok = false;
    int value = 0;
    if (text.startsWith(u'$'))
        value = text.mid(1).toInt(&ok, 16);
    else if (text.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive))
        value = text.mid(2).toInt(&ok, 16);
    else
        value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

IniFile::IniFile(const QString &path) : m_givenPath(path), m_path(FileNames::resolve(path))
{
    load();
}

IniFile::~IniFile() = default;

// Every read and write starts from the file as it stands, as the platform's
// profile functions do: another reader of the same file (the print dialog
// opened from an operation's window) may have written it meanwhile, and a
// write from stale lines would drop its keys. The path is resolved again, so
// a directory made after this reader was created is found under its spelling
// on disk.
void IniFile::load() const
{
    m_path = FileNames::resolve(m_givenPath);
    m_lines = TextFile::readLines(m_path).value_or(QStringList());
}

bool IniFile::save()
{
    return TextFile::writeLines(m_path, m_lines);
}

qsizetype IniFile::findSection(const QString &section) const
{
    QString name;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (isHeader(m_lines.at(i), &name) && sameName(name, section))
            return i;
    }
    return -1;
}

qsizetype IniFile::sectionEnd(qsizetype header) const
{
    qsizetype i = header + 1;
    while (i < m_lines.size() && !isHeader(m_lines.at(i)))
        ++i;
    return i;
}

qsizetype IniFile::findKey(const QString &section, const QString &key) const
{
    const qsizetype header = findSection(section);
    if (header < 0)
        return -1;
    const qsizetype end = sectionEnd(header);
    QString name;
    for (qsizetype i = header + 1; i < end; ++i) {
        if (splitKeyLine(m_lines.at(i), &name, nullptr) && sameName(name, key))
            return i;
    }
    return -1;
}

std::optional<QString> IniFile::rawValue(const QString &section, const QString &key) const
{
    const qsizetype line = findKey(section, key);
    if (line < 0)
        return std::nullopt;
    QString name, value;
    splitKeyLine(m_lines.at(line), &name, &value);
    return value;
}

QString IniFile::ReadString(const QString &section, const QString &key, const QString &defaultValue) const
{
    load();
    return rawValue(section, key).value_or(defaultValue);
}

int IniFile::ReadInteger(const QString &section, const QString &key, int defaultValue) const
{
    load();
    const auto raw = rawValue(section, key);
    if (!raw)
        return defaultValue;
    return parseInteger(*raw).value_or(defaultValue);
}

bool IniFile::ReadBool(const QString &section, const QString &key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

double IniFile::ReadFloat(const QString &section, const QString &key, double defaultValue) const
{
    load();
    const auto raw = rawValue(section, key);
    if (!raw || raw->isEmpty())
        return defaultValue;
    return LocaleFormats::current().parseFloat(*raw).value_or(defaultValue);
}

QDate IniFile::ReadDate(const QString &section, const QString &key, const QDate &defaultValue) const
{
    load();
    const auto raw = rawValue(section, key);
    if (!raw || raw->isEmpty())
        return defaultValue;
    return LocaleFormats::current().parseDate(*raw).value_or(defaultValue);
}

QDateTime IniFile::ReadDateTime(const QString &section, const QString &key, const QDateTime &defaultValue) const
{
    load();
    const auto raw = rawValue(section, key);
    if (!raw || raw->isEmpty())
        return defaultValue;
    return LocaleFormats::current().parseDateTime(*raw).value_or(defaultValue);
}

QTime IniFile::ReadTime(const QString &section, const QString &key, const QTime &defaultValue) const
{
    load();
    const auto raw = rawValue(section, key);
    if (!raw || raw->isEmpty())
        return defaultValue;
    return LocaleFormats::current().parseTime(*raw).value_or(defaultValue);
}

bool IniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    load();
    const QString entry = key + u'=' + value;
    const qsizetype line = findKey(section, key);
    if (line >= 0) {
        m_lines[line] = entry;
        return save();
    }
    const qsizetype header = findSection(section);
    if (header < 0) {
        m_lines.append(u'[' + section + u']');
        m_lines.append(entry);
        return save();
    }
    // After the section's last non-blank line, so a blank separator stays last.
    qsizetype insertAt = sectionEnd(header);
    while (insertAt > header + 1 && m_lines.at(insertAt - 1).trimmed().isEmpty())
        --insertAt;
    m_lines.insert(insertAt, entry);
    return save();
}

bool IniFile::WriteInteger(const QString &section, const QString &key, int value)
{
    return WriteString(section, key, QString::number(value));
}

bool IniFile::WriteBool(const QString &section, const QString &key, bool value)
{
    return WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::WriteFloat(const QString &section, const QString &key, double value)
{
    return WriteString(section, key, LocaleFormats::current().formatGeneral(value));
}

bool IniFile::WriteDate(const QString &section, const QString &key, const QDate &value)
{
    return WriteString(section, key, LocaleFormats::current().formatDate(value));
}

bool IniFile::WriteDateTime(const QString &section, const QString &key, const QDateTime &value)
{
    return WriteString(section, key, LocaleFormats::current().formatDateTime(value));
}

bool IniFile::WriteTime(const QString &section, const QString &key, const QTime &value)
{
    return WriteString(section, key, LocaleFormats::current().formatTime(value));
}

bool IniFile::DeleteKey(const QString &section, const QString &key)
{
    load();
    const qsizetype line = findKey(section, key);
    if (line < 0)
        return true;
    m_lines.removeAt(line);
    return save();
}

bool IniFile::EraseSection(const QString &section)
{
    load();
    const qsizetype header = findSection(section);
    if (header < 0)
        return true;
    m_lines.remove(header, sectionEnd(header) - header);
    return save();
}

QStringList IniFile::ReadSection(const QString &section) const
{
    load();
    QStringList keys;
    const qsizetype header = findSection(section);
    if (header < 0)
        return keys;
    const qsizetype end = sectionEnd(header);
    QString name;
    for (qsizetype i = header + 1; i < end; ++i) {
        if (splitKeyLine(m_lines.at(i), &name, nullptr))
            keys.append(name);
    }
    return keys;
}

QStringList IniFile::ReadSections() const
{
    load();
    QStringList sections;
    QString name;
    for (const QString &line : m_lines) {
        if (isHeader(line, &name)) {
            const bool seen =
                std::any_of(sections.cbegin(), sections.cend(), [&](const QString &s) { return sameName(s, name); });
            if (!seen)
                sections.append(name);
        }
    }
    return sections;
}

QStringList IniFile::ReadSectionValues(const QString &section) const
{
    load();
    QStringList values;
    const qsizetype header = findSection(section);
    if (header < 0)
        return values;
    const qsizetype end = sectionEnd(header);
    QString name, value;
    for (qsizetype i = header + 1; i < end; ++i) {
        if (splitKeyLine(m_lines.at(i), &name, &value))
            values.append(name + u'=' + value);
    }
    return values;
}

bool IniFile::SectionExists(const QString &section) const
{
    load();
    return findSection(section) >= 0;
}

bool IniFile::ValueExists(const QString &section, const QString &key) const
{
    load();
    return findKey(section, key) >= 0;
}

bool IniFile::UpdateFile()
{
    // Nothing is pending: every write went to disk at once. Writing the lines
    // read earlier would undo what another reader wrote since.
    return true;
}
