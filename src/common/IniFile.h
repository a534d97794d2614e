#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

// An ini file with the Windows private-profile rules: sections and keys match
// without regard to case, the first occurrence wins, values are trimmed,
// booleans are written "1"/"0". A missing file reads as empty. Every read and
// write starts from the file as it stands on disk; every write goes to disk at
// once and keeps every line it does not touch (comments, unknown sections,
// duplicates), in Windows-1250 with CR LF.
//
// The typed reads and writes are virtual: the host ini reader keeps the same
// interface over the host's table form of an ini file.
class IniFile
{
public:
    explicit IniFile(const QString &path);
    virtual ~IniFile();
    IniFile(const IniFile &) = delete;
    IniFile &operator=(const IniFile &) = delete;

    QString fileName() const { return m_path; }

    virtual QString ReadString(const QString &section, const QString &key, const QString &defaultValue) const;
    virtual int ReadInteger(const QString &section, const QString &key, int defaultValue) const;
    virtual bool ReadBool(const QString &section, const QString &key, bool defaultValue) const;
    virtual double ReadFloat(const QString &section, const QString &key, double defaultValue) const;
    virtual QDate ReadDate(const QString &section, const QString &key, const QDate &defaultValue) const;
    virtual QDateTime ReadDateTime(const QString &section, const QString &key, const QDateTime &defaultValue) const;
    virtual QTime ReadTime(const QString &section, const QString &key, const QTime &defaultValue) const;

    // Each returns false when the file could not be written.
    virtual bool WriteString(const QString &section, const QString &key, const QString &value);
    virtual bool WriteInteger(const QString &section, const QString &key, int value);
    virtual bool WriteBool(const QString &section, const QString &key, bool value);
    virtual bool WriteFloat(const QString &section, const QString &key, double value);
    virtual bool WriteDate(const QString &section, const QString &key, const QDate &value);
    virtual bool WriteDateTime(const QString &section, const QString &key, const QDateTime &value);
    virtual bool WriteTime(const QString &section, const QString &key, const QTime &value);

    virtual bool DeleteKey(const QString &section, const QString &key);
    virtual bool EraseSection(const QString &section);
    virtual QStringList ReadSection(const QString &section) const;       // key names
    virtual QStringList ReadSections() const;                            // section names
    virtual QStringList ReadSectionValues(const QString &section) const; // "key=value"
    virtual bool SectionExists(const QString &section) const;
    virtual bool ValueExists(const QString &section, const QString &key) const;
    // Nothing to write back: every write already went to disk (kept for
    // callers that expect the platform's interface).
    virtual bool UpdateFile();

private:
    void load() const;
    bool save();
    qsizetype findSection(const QString &section) const; // header line index, -1
    qsizetype sectionEnd(qsizetype header) const;        // index of the next header or size
    qsizetype findKey(const QString &section, const QString &key) const;
    std::optional<QString> rawValue(const QString &section, const QString &key) const;

    QString m_givenPath;
    mutable QString m_path; // as resolved on disk at the last read
    mutable QStringList m_lines;
};
