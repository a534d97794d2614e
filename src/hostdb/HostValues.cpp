#include "hostdb/HostValues.h"

#include "common/DayNumber.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTime>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace HostValues {

namespace {

bool isTextual(const QVariant &value)
{
    const int id = value.metaType().id();
    return id == QMetaType::QString || id == QMetaType::QChar || id == QMetaType::QByteArray;
}

bool isNumeric(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

QString textOf(const QVariant &value)
{
    if (value.metaType().id() == QMetaType::QByteArray)
        return QString::fromUtf8(value.toByteArray());
    return value.toString();
}

std::optional<qint64> integerOf(const QVariant &value)
{
    if (isTextual(value)) {
        const QString text = textOf(value).trimmed();
        if (text.isEmpty())
            return 0;
        bool ok = false;
        const qint64 result = text.toLongLong(&ok);
        return ok ? std::optional<qint64>(result) : std::nullopt;
    }
    if (value.metaType().id() == QMetaType::Double || value.metaType().id() == QMetaType::Float) {
        const double d = value.toDouble();
        if (!std::isfinite(d) || std::fabs(d) > 9.0e18)
            return std::nullopt;
        return std::llround(d);
    }
    if (isNumeric(value))
        return value.toLongLong();
    return std::nullopt;
}

std::optional<double> floatOf(const QVariant &value)
{
    if (isTextual(value)) {
        const QString text = textOf(value).trimmed();
        if (text.isEmpty())
            return 0.0;
        bool ok = false;
        const double result = text.toDouble(&ok);
        return ok && std::isfinite(result) ? std::optional<double>(result) : std::nullopt;
    }
    // Infinities and NaN are no numbers the host stores (SQLite would keep
    // NaN as an empty value).
    if (isNumeric(value) && std::isfinite(value.toDouble()))
        return value.toDouble();
    return std::nullopt;
}

std::optional<bool> booleanOf(const QVariant &value)
{
    if (isTextual(value)) {
        const QString text = textOf(value).trimmed().toUpper();
        if (text.isEmpty() || text == u"0"_s || text == u"F"_s || text == u"FALSE"_s || text == u"N"_s ||
            text == u"NE"_s)
            return false;
        if (text == u"1"_s || text == u"T"_s || text == u"TRUE"_s || text == u"Y"_s || text == u"A"_s ||
            text == u"ANO"_s)
            return true;
        return std::nullopt;
    }
    if (isNumeric(value))
        return value.toDouble() != 0.0;
    return std::nullopt;
}

std::optional<double> dayNumberOf(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::QDate:
        return DayNumber::fromDate(value.toDate()).value();
    case QMetaType::QDateTime:
        return DayNumber::fromDateTime(value.toDateTime()).value();
    case QMetaType::QTime:
        return DayNumber::fromTime(value.toTime()).value();
    case QMetaType::Bool:
        return std::nullopt;
    default:
        break;
    }
    if (isNumeric(value) && std::isfinite(value.toDouble()))
        return value.toDouble();
    return std::nullopt;
}

// The shortest text that reads back as the same double, in plain decimal
// notation with a point (200, 0.1, 1234.5; never 2e+02).
QString floatText(double value)
{
    if (!std::isfinite(value))
        return QString::number(value);
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

std::optional<double> parseDateText(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return 0.0;
    const QDate date = QDate::fromString(trimmed, Qt::ISODate);
    if (date.isValid() && trimmed.size() == 10)
        return DayNumber::fromDate(date).value();
    QString withT = trimmed;
    if (withT.size() > 10 && withT.at(10) == u' ')
        withT[10] = u'T';
    const QDateTime dateTime = QDateTime::fromString(withT, Qt::ISODateWithMs);
    // Host dates are local: a time-zone offset ("Z", "+01:00") has no place.
    if (dateTime.isValid() && dateTime.timeSpec() == Qt::LocalTime)
        return DayNumber::fromDateTime(dateTime).value();
    return std::nullopt;
}

} // namespace

std::optional<QVariant> toStored(const HostField &field, const QVariant &value)
{
    if (!value.isValid() || value.isNull()) {
        // A null QString is still a text; everything else null means empty.
        if (!(value.isValid() && isTextual(value)))
            return emptyStored(field.type);
    }
    switch (field.type) {
    case HostFieldType::Text:
    case HostFieldType::Memo: {
        if (!isTextual(value) && !isNumeric(value) && !value.canConvert<QString>())
            return std::nullopt;
        QString text = textOf(value);
        if (field.type == HostFieldType::Text && field.size > 0 && text.size() > field.size)
            text.truncate(field.size);
        return QVariant(text);
    }
    case HostFieldType::Integer: {
        // The host's integer fields hold 32 bits: a value beyond them is
        // refused rather than stored and read back wrapped.
        const auto result = integerOf(value);
        if (!result || *result < std::numeric_limits<qint32>::min() || *result > std::numeric_limits<qint32>::max())
            return std::nullopt;
        return QVariant::fromValue<qint64>(*result);
    }
    case HostFieldType::Float: {
        const auto result = floatOf(value);
        return result ? std::optional<QVariant>(QVariant(*result)) : std::nullopt;
    }
    case HostFieldType::Boolean: {
        const auto result = booleanOf(value);
        return result ? std::optional<QVariant>(QVariant::fromValue<qint64>(*result ? 1 : 0)) : std::nullopt;
    }
    case HostFieldType::DateTime: {
        const auto result = dayNumberOf(value);
        return result ? std::optional<QVariant>(QVariant(*result)) : std::nullopt;
    }
    case HostFieldType::Variant:
        switch (value.metaType().id()) {
        case QMetaType::Bool:
            return QVariant::fromValue<qint64>(value.toBool() ? 1 : 0);
        case QMetaType::QDate:
        case QMetaType::QDateTime:
        case QMetaType::QTime:
            return QVariant(*dayNumberOf(value));
        case QMetaType::Double:
        case QMetaType::Float:
            return QVariant(value.toDouble());
        default:
            if (isNumeric(value))
                return QVariant::fromValue<qint64>(value.toLongLong());
            if (isTextual(value) || value.canConvert<QString>())
                return QVariant(textOf(value));
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<QVariant> toSeekValue(const HostField &field, const QVariant &value)
{
    switch (field.type) {
    case HostFieldType::Text: {
        HostField unlimited = field;
        unlimited.size = 0;
        return toStored(unlimited, value);
    }
    case HostFieldType::Integer: {
        const int id = value.metaType().id();
        if (id == QMetaType::Double || id == QMetaType::Float) {
            const double d = value.toDouble();
            if (std::isfinite(d) && d != std::trunc(d))
                return QVariant(d);
        }
        // A whole number beyond the field's range is sought as it is: it
        // finds no record.
        if (const auto whole = integerOf(value))
            return QVariant::fromValue<qint64>(*whole);
        return toStored(field, value);
    }
    default:
        return toStored(field, value);
    }
}

QVariant emptyStored(HostFieldType type)
{
    switch (type) {
    case HostFieldType::Text:
    case HostFieldType::Memo:
        return QVariant(QString());
    case HostFieldType::Integer:
    case HostFieldType::Boolean:
        return QVariant::fromValue<qint64>(0);
    case HostFieldType::Float:
    case HostFieldType::DateTime:
        return QVariant(0.0);
    case HostFieldType::Variant:
        return QVariant();
    }
    return QVariant();
}

QVariant fromStored(HostFieldType type, const QVariant &stored)
{
    switch (type) {
    case HostFieldType::Text:
    case HostFieldType::Memo:
        return stored.isValid() ? QVariant(stored.toString()) : QVariant(QString());
    case HostFieldType::Integer: {
        // A value beyond 32 bits (written by another program) is read as it
        // is, never wrapped.
        const qint64 v = stored.toLongLong();
        if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
            return QVariant::fromValue<qint64>(v);
        return QVariant(static_cast<int>(v));
    }
    case HostFieldType::Float:
        return QVariant(stored.toDouble());
    case HostFieldType::Boolean:
        return QVariant(stored.toLongLong() != 0);
    case HostFieldType::DateTime: {
        const DayNumber day(stored.toDouble());
        return day.isEmpty() ? QVariant(QDateTime()) : QVariant(day.toDateTime());
    }
    case HostFieldType::Variant:
        if (stored.metaType().id() == QMetaType::LongLong) {
            const qint64 v = stored.toLongLong();
            if (v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max())
                return QVariant(static_cast<int>(v));
        }
        return stored;
    }
    return stored;
}

QVariant keyPart(HostFieldType type, const QVariant &stored)
{
    if (type == HostFieldType::Text)
        return QVariant(HostNames::keyText(stored.toString()));
    return stored;
}

QString toText(HostFieldType type, const QVariant &stored)
{
    switch (type) {
    case HostFieldType::Text:
    case HostFieldType::Memo:
        return stored.toString();
    case HostFieldType::Integer:
        return QString::number(stored.toLongLong());
    case HostFieldType::Float:
        return floatText(stored.toDouble());
    case HostFieldType::Boolean:
        return stored.toLongLong() != 0 ? u"1"_s : u"0"_s;
    case HostFieldType::DateTime: {
        const DayNumber day(stored.toDouble());
        if (day.isEmpty())
            return QString();
        const QDateTime dateTime = day.toDateTime();
        if (dateTime.time() == QTime(0, 0))
            return dateTime.date().toString(Qt::ISODate);
        return dateTime.time().msec() != 0 ? dateTime.toString(Qt::ISODateWithMs) : dateTime.toString(Qt::ISODate);
    }
    case HostFieldType::Variant:
        if (stored.metaType().id() == QMetaType::Double)
            return floatText(stored.toDouble());
        return stored.toString();
    }
    return stored.toString();
}

std::optional<QVariant> fromText(const HostField &field, const QString &text, QString *why)
{
    const auto refuse = [why](const QString &reason) -> std::optional<QVariant> {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    if (text.contains(QChar(0)))
        return refuse(u"contains a NUL character"_s);
    std::optional<QVariant> value;
    switch (field.type) {
    case HostFieldType::Text:
        // The text form is exact: nothing is cut to fit.
        if (field.size > 0 && text.size() > field.size)
            return refuse(u"is longer than the field's %1 characters"_s.arg(field.size));
        value = toStored(field, QVariant(text));
        break;
    case HostFieldType::Memo:
    case HostFieldType::Variant:
    case HostFieldType::Boolean:
        value = toStored(field, QVariant(text));
        break;
    case HostFieldType::Integer: {
        value = toStored(field, QVariant(text));
        bool whole = false;
        text.trimmed().toLongLong(&whole);
        if (!value && whole)
            return refuse(u"is beyond the range of an integer field"_s);
        break;
    }
    case HostFieldType::Float:
        value = toStored(field, QVariant(text));
        if (!value) {
            bool number = false;
            text.trimmed().toDouble(&number);
            if (number)
                return refuse(u"is no finite number"_s);
        }
        break;
    case HostFieldType::DateTime: {
        const auto day = parseDateText(text);
        if (day) {
            value = QVariant(*day);
        } else {
            QString withT = text.trimmed();
            if (withT.size() > 10 && withT.at(10) == u' ')
                withT[10] = u'T';
            if (QDateTime::fromString(withT, Qt::ISODateWithMs).isValid())
                return refuse(u"carries a time-zone offset (host dates are local)"_s);
        }
        break;
    }
    }
    if (!value)
        return refuse(u"is no %1"_s.arg(HostNames::typeName(field.type)));
    return value;
}

} // namespace HostValues
