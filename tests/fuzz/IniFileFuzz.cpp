// libFuzzer target: an ini file's bytes (Windows-1250) read with the
// private-profile rules, then one key written. Every read of what is there
// must work, the written key must read back trimmed, and every other key of
// the file must keep its value.

#include "common/IniFile.h"
#include "common/TextFile.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace {

void require(bool condition, const char *what)
{
    if (!condition)
        throw std::logic_error(what);
}

// A section or key name that the file's structure can hold.
bool isPlainName(const QString &name)
{
    return !name.isEmpty() && name == name.trimmed() && !name.contains(u'=') && !name.contains(u']') &&
           !name.contains(u'[') && !name.contains(u'\r') && !name.contains(u'\n') && !name.startsWith(u';');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fuzz.ini"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }

    IniFile ini(path);
    const QStringList sections = ini.ReadSections();
    struct Entry
    {
        QString section, key, value;
    };
    QList<Entry> before;
    for (const QString &section : sections) {
        require(ini.SectionExists(section), "a listed section does not exist");
        for (const QString &key : ini.ReadSection(section)) {
            require(ini.ValueExists(section, key), "a listed key does not exist");
            const QString value = ini.ReadString(section, key, QStringLiteral("\x01"));
            require(value == value.trimmed(), "a value is not trimmed");
            (void)ini.ReadInteger(section, key, 0);
            (void)ini.ReadBool(section, key, false);
            (void)ini.ReadFloat(section, key, 0.0);
            (void)ini.ReadDate(section, key, QDate());
            (void)ini.ReadDateTime(section, key, QDateTime());
            (void)ini.ReadTime(section, key, QTime());
            before.append({section, key, value});
        }
        (void)ini.ReadSectionValues(section);
    }

    const QString section = sections.value(0, QStringLiteral("Global"));
    const QString key = QStringLiteral("Fuzz");
    if (!isPlainName(section))
        return 0;
    const QString written = QStringLiteral("  hodnota s mezerami  ");
    require(ini.WriteString(section, key, written), "a write failed");
    require(IniFile(path).ReadString(section, key, QString()) == written.trimmed(), "the written key reads back wrong");
    for (const Entry &entry : before) {
        if (entry.section.compare(section, Qt::CaseInsensitive) == 0 &&
            entry.key.compare(key, Qt::CaseInsensitive) == 0)
            continue;
        require(IniFile(path).ReadString(entry.section, entry.key, QStringLiteral("\x01")) == entry.value,
                "a write changed another key");
    }
    return 0;
}
