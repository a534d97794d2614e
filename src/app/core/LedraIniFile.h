#pragma once

#include "common/IniFile.h"

#include <QVariant>

#include <memory>
#include <optional>

class QIODevice;
class TBFTable;

// The host keeps company and year settings either as ini text files
// (AGENDA.INI, ROK.INI) or, in newer versions, as a host table of the same name
// with the extension ".DAT": one record per key, fields "Section1",
// "Variable", "TypeVar" and "Value", index "Section1+Variable". This reader
// offers the ini interface over whichever form the host has.
//
// Version "00.000": the table form when the ".DAT" file exists, else the text
// file. Any other version: below 12.1 the text file, from 12.1 up the table
// (a version that is no number counts as 12.1).
//
// In table mode nothing is reported: reads fall back to their defaults,
// writes and deletions that fail are dropped, the section-wide operations do
// nothing.
class TLedraIniFile : public IniFile
{
public:
    explicit TLedraIniFile(const QString &path, const QString &version = QStringLiteral("00.000"));
    ~TLedraIniFile() override;

    // The ini path it was given, or that path with ".DAT" in table mode.
    QString path() const { return m_path; }
    QString version() const { return m_version; }
    double versionNumber() const { return m_versionNumber; }
    bool isTableMode() const { return m_tableMode; }

    QString ReadString(const QString &section, const QString &key, const QString &defaultValue) const override;
    int ReadInteger(const QString &section, const QString &key, int defaultValue) const override;
    bool ReadBool(const QString &section, const QString &key, bool defaultValue) const override;
    double ReadFloat(const QString &section, const QString &key, double defaultValue) const override;
    QDate ReadDate(const QString &section, const QString &key, const QDate &defaultValue) const override;
    QDateTime ReadDateTime(const QString &section, const QString &key, const QDateTime &defaultValue) const override;
    QTime ReadTime(const QString &section, const QString &key, const QTime &defaultValue) const override;

    bool WriteString(const QString &section, const QString &key, const QString &value) override;
    bool WriteInteger(const QString &section, const QString &key, int value) override;
    bool WriteBool(const QString &section, const QString &key, bool value) override;
    bool WriteFloat(const QString &section, const QString &key, double value) override;
    bool WriteDate(const QString &section, const QString &key, const QDate &value) override;
    bool WriteDateTime(const QString &section, const QString &key, const QDateTime &value) override;
    bool WriteTime(const QString &section, const QString &key, const QTime &value) override;

    bool DeleteKey(const QString &section, const QString &key) override;
    bool EraseSection(const QString &section) override;
    QStringList ReadSection(const QString &section) const override;
    QStringList ReadSections() const override;
    QStringList ReadSectionValues(const QString &section) const override;
    bool SectionExists(const QString &section) const override;
    bool ValueExists(const QString &section, const QString &key) const override;
    bool UpdateFile() override;

    // Binary values kept as hexadecimal text (two upper-case digits a byte).
    // Reading writes the bytes at the stream's position and returns their
    // number; a value that is absent or no hexadecimal text gives 0 bytes
    // and leaves the stream alone. Writing takes the stream from its position
    // to its end and leaves the position where it was. Table mode: reading
    // gives 0 bytes, writing does nothing.
    int ReadBinaryStream(const QString &section, const QString &key, QIODevice &stream) const;
    bool WriteBinaryStream(const QString &section, const QString &key, QIODevice &stream);

private:
    // Table mode: the key's "Value", nullopt when absent or on any failure.
    std::optional<QVariant> tableValue(const QString &section, const QString &key) const;
    bool writeTableValue(const QString &section, const QString &key, const QVariant &value);

    QString m_path;
    QString m_version;
    double m_versionNumber = 0.0;
    bool m_tableMode = false;
    std::unique_ptr<TBFTable> m_table;
};

// How a host table's variant value reads as each ini type (the conversions
// the host's variants make); nullopt when it does not convert.
namespace HostVariant {
std::optional<QString> toText(const QVariant &value);
std::optional<int> toInteger(const QVariant &value);
std::optional<bool> toBoolean(const QVariant &value);
std::optional<double> toFloat(const QVariant &value);
std::optional<QDateTime> toDateTime(const QVariant &value);
} // namespace HostVariant
