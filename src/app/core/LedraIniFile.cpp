#include "app/core/LedraIniFile.h"

#include "common/DayNumber.h"
#include "common/FileNames.h"
#include "common/LocaleFormats.h"
#include "hostdb/HostTable.h"

#include <QIODevice>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

bool isIntegerType(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

bool isFloatType(const QVariant &value)
{
    return value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float;
}

bool isText(const QVariant &value)
{
    return value.typeId() == QMetaType::QString;
}

std::optional<int> fromDouble(double value)
{
    // The host's variants round to the nearest integer, halves to even.
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value);
    if (rounded < double(std::numeric_limits<int>::min()) || rounded > double(std::numeric_limits<int>::max()))
        return std::nullopt;
    return int(rounded);
}

std::optional<int> parseInteger(const QString &text)
{
    const QString t = text.trimmed();
    bool ok = false;
    const int value = t.startsWith(u'$') ? t.mid(1).toInt(&ok, 16) : t.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

namespace HostVariant {

std::optional<QString> toText(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    const LocaleFormats &locale = LocaleFormats::current();
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? u"True"_s : u"False"_s;
    if (isFloatType(value))
        return locale.formatGeneral(value.toDouble());
    if (value.typeId() == QMetaType::QDateTime)
        return locale.formatDateTime(value.toDateTime());
    if (value.typeId() == QMetaType::QDate)
        return locale.formatDate(value.toDate());
    if (isIntegerType(value) || isText(value))
        return value.toString();
    return std::nullopt;
}

std::optional<int> toInteger(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return std::nullopt;
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? -1 : 0; // the host's variant "true" is -1
    if (isIntegerType(value))
        return fromDouble(value.toDouble());
    if (isFloatType(value))
        return fromDouble(value.toDouble());
    if (value.typeId() == QMetaType::QDateTime)
        return fromDouble(DayNumber::fromDateTime(value.toDateTime()).value());
    if (isText(value))
        return parseInteger(value.toString());
    return std::nullopt;
}

std::optional<bool> toBoolean(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return std::nullopt;
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (isIntegerType(value) || isFloatType(value))
        return value.toDouble() != 0.0;
    if (isText(value)) {
        const QString t = value.toString().trimmed();
        if (t.compare(u"True"_s, Qt::CaseInsensitive) == 0)
            return true;
        if (t.compare(u"False"_s, Qt::CaseInsensitive) == 0)
            return false;
        if (const auto number = LocaleFormats::current().parseFloat(t))
            return *number != 0.0;
    }
    return std::nullopt;
}

std::optional<double> toFloat(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return std::nullopt;
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? -1.0 : 0.0;
    if (isIntegerType(value) || isFloatType(value))
        return value.toDouble();
    if (value.typeId() == QMetaType::QDateTime)
        return DayNumber::fromDateTime(value.toDateTime()).value();
    if (isText(value))
        return LocaleFormats::current().parseFloat(value.toString());
    return std::nullopt;
}

std::optional<QDateTime> toDateTime(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return std::nullopt;
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime();
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().startOfDay();
    if (isIntegerType(value) || isFloatType(value))
        return DayNumber(value.toDouble()).toDateTime();
    if (isText(value))
        return LocaleFormats::current().parseDateTime(value.toString().trimmed());
    return std::nullopt;
}

} // namespace HostVariant

TLedraIniFile::TLedraIniFile(const QString &path, const QString &version) : IniFile(path), m_version(version)
{
    const QString tablePath = FileNames::changeExtension(path, u".DAT"_s);
    if (version == u"00.000"_s) {
        m_tableMode = FileNames::isFile(tablePath);
    } else {
        m_versionNumber = LocaleFormats::current().parseFloat(version).value_or(12.1);
        m_tableMode = m_versionNumber >= 12.1;
    }
    m_path = m_tableMode ? tablePath : path;
    if (!m_tableMode)
        return;
    // Neither result is looked at: a table that did not open makes every
    // later read return its default.
    m_table = std::make_unique<TBFTable>();
    try {
        (void)m_table->Open(tablePath);
        if (m_table->isOpen())
            (void)m_table->SetIndex(u"Section1+Variable"_s);
    } catch (const std::exception &) {
    }
}

TLedraIniFile::~TLedraIniFile()
{
    if (!m_table)
        return;
    try {
        m_table->Close();
    } catch (const std::exception &) {
    }
}

std::optional<QVariant> TLedraIniFile::tableValue(const QString &section, const QString &key) const
{
    if (!m_table || !m_table->isOpen())
        return std::nullopt;
    try {
        m_table->GoTop();
        if (m_table->Seek2(section, key) != HostResult::Found)
            return std::nullopt;
        return m_table->Value(u"Value"_s);
    } catch (const std::exception &) {
        return std::nullopt;
    }
}

bool TLedraIniFile::writeTableValue(const QString &section, const QString &key, const QVariant &value)
{
    if (!m_table || !m_table->isOpen())
        return false;
    try {
        m_table->GoTop();
        if (m_table->Seek2(section, key) == HostResult::Found) {
            m_table->SetValue(u"Value"_s, value);
            return m_table->Post() == HostResult::Ok;
        }
        m_table->AddNew();
        m_table->SetValue(u"Section1"_s, section);
        m_table->SetValue(u"Variable"_s, key);
        m_table->SetValue(u"TypeVar"_s, QString());
        m_table->SetValue(u"Value"_s, value);
        return m_table->Post() == HostResult::Ok;
    } catch (const std::exception &) {
        return false;
    }
}

QString TLedraIniFile::ReadString(const QString &section, const QString &key, const QString &defaultValue) const
{
    if (!m_tableMode)
        return IniFile::ReadString(section, key, defaultValue);
    const auto value = tableValue(section, key);
    return value ? HostVariant::toText(*value).value_or(defaultValue) : defaultValue;
}

int TLedraIniFile::ReadInteger(const QString &section, const QString &key, int defaultValue) const
{
    if (!m_tableMode)
        return IniFile::ReadInteger(section, key, defaultValue);
    const auto value = tableValue(section, key);
    return value ? HostVariant::toInteger(*value).value_or(defaultValue) : defaultValue;
}

bool TLedraIniFile::ReadBool(const QString &section, const QString &key, bool defaultValue) const
{
    if (!m_tableMode)
        return IniFile::ReadBool(section, key, defaultValue);
    const auto value = tableValue(section, key);
    return value ? HostVariant::toBoolean(*value).value_or(defaultValue) : defaultValue;
}

double TLedraIniFile::ReadFloat(const QString &section, const QString &key, double defaultValue) const
{
    if (!m_tableMode)
        return IniFile::ReadFloat(section, key, defaultValue);
    const auto value = tableValue(section, key);
    return value ? HostVariant::toFloat(*value).value_or(defaultValue) : defaultValue;
}

QDate TLedraIniFile::ReadDate(const QString &section, const QString &key, const QDate &defaultValue) const
{
    if (!m_tableMode)
        return IniFile::ReadDate(section, key, defaultValue);
    const auto value = tableValue(section, key);
    const auto dateTime = value ? HostVariant::toDateTime(*value) : std::nullopt;
    return dateTime ? dateTime->date() : defaultValue;
}

QDateTime TLedraIniFile::ReadDateTime(const QString &section, const QString &key, const QDateTime &defaultValue) const
{
    if (!m_tableMode)
        return IniFile::ReadDateTime(section, key, defaultValue);
    const auto value = tableValue(section, key);
    const auto dateTime = value ? HostVariant::toDateTime(*value) : std::nullopt;
    return dateTime.value_or(defaultValue);
}

QTime TLedraIniFile::ReadTime(const QString &section, const QString &key, const QTime &defaultValue) const
{
    if (!m_tableMode)
        return IniFile::ReadTime(section, key, defaultValue);
    const auto value = tableValue(section, key);
    const auto number = value ? HostVariant::toFloat(*value) : std::nullopt;
    return number ? DayNumber(*number).toTime() : defaultValue;
}

bool TLedraIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    return m_tableMode ? writeTableValue(section, key, value) : IniFile::WriteString(section, key, value);
}

bool TLedraIniFile::WriteInteger(const QString &section, const QString &key, int value)
{
    return m_tableMode ? writeTableValue(section, key, value) : IniFile::WriteInteger(section, key, value);
}

bool TLedraIniFile::WriteBool(const QString &section, const QString &key, bool value)
{
    return m_tableMode ? writeTableValue(section, key, value) : IniFile::WriteBool(section, key, value);
}

bool TLedraIniFile::WriteFloat(const QString &section, const QString &key, double value)
{
    return m_tableMode ? writeTableValue(section, key, value) : IniFile::WriteFloat(section, key, value);
}

bool TLedraIniFile::WriteDate(const QString &section, const QString &key, const QDate &value)
{
    return m_tableMode ? writeTableValue(section, key, DayNumber::fromDate(value).value())
                       : IniFile::WriteDate(section, key, value);
}

bool TLedraIniFile::WriteDateTime(const QString &section, const QString &key, const QDateTime &value)
{
    return m_tableMode ? writeTableValue(section, key, DayNumber::fromDateTime(value).value())
                       : IniFile::WriteDateTime(section, key, value);
}

bool TLedraIniFile::WriteTime(const QString &section, const QString &key, const QTime &value)
{
    return m_tableMode ? writeTableValue(section, key, DayNumber::fromTime(value).value())
                       : IniFile::WriteTime(section, key, value);
}

bool TLedraIniFile::DeleteKey(const QString &section, const QString &key)
{
    if (!m_tableMode)
        return IniFile::DeleteKey(section, key);
    if (!m_table || !m_table->isOpen())
        return false;
    try {
        m_table->GoTop();
        if (m_table->Seek2(section, key) == HostResult::Found)
            return m_table->Delete() >= 0;
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

bool TLedraIniFile::EraseSection(const QString &section)
{
    return m_tableMode || IniFile::EraseSection(section);
}

QStringList TLedraIniFile::ReadSection(const QString &section) const
{
    return m_tableMode ? QStringList() : IniFile::ReadSection(section);
}

QStringList TLedraIniFile::ReadSections() const
{
    return m_tableMode ? QStringList() : IniFile::ReadSections();
}

QStringList TLedraIniFile::ReadSectionValues(const QString &section) const
{
    return m_tableMode ? QStringList() : IniFile::ReadSectionValues(section);
}

bool TLedraIniFile::SectionExists(const QString &section) const
{
    // The platform answers these through ReadSection(s), which the table form
    // leaves empty.
    return !m_tableMode && IniFile::SectionExists(section);
}

bool TLedraIniFile::ValueExists(const QString &section, const QString &key) const
{
    return !m_tableMode && IniFile::ValueExists(section, key);
}

bool TLedraIniFile::UpdateFile()
{
    return m_tableMode || IniFile::UpdateFile();
}

int TLedraIniFile::ReadBinaryStream(const QString &section, const QString &key, QIODevice &stream) const
{
    if (m_tableMode)
        return 0;
    const QByteArray hex = IniFile::ReadString(section, key, QString()).toLatin1();
    // Anything but pairs of hexadecimal digits is no binary value: nothing is
    // read rather than a part of it.
    if (hex.isEmpty() || hex.size() % 2 != 0 ||
        !std::all_of(hex.cbegin(), hex.cend(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }))
        return 0;
    const QByteArray bytes = QByteArray::fromHex(hex);
    return int(stream.write(bytes));
}

bool TLedraIniFile::WriteBinaryStream(const QString &section, const QString &key, QIODevice &stream)
{
    if (m_tableMode)
        return true;
    const qint64 position = stream.pos();
    const QByteArray bytes = stream.readAll();
    stream.seek(position);
    return IniFile::WriteString(section, key, QString::fromLatin1(bytes.toHex().toUpper()));
}
