#include "common/MemTable.h"

#include "common/DayNumber.h"
#include "common/LocaleFormats.h"
#include "common/TextUtils.h"

#include <QCollator>
#include <QDateTime>

#include <algorithm>

struct MemTable::Row
{
    Bookmark id = 0;
    QVariantList values;
};

namespace {

const QCollator &czechCollator()
{
    static const QCollator collator = [] {
        QCollator c{QLocale(QLocale::Czech, QLocale::CzechRepublic)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}

double asDayNumber(const QVariant &v)
{
    if (v.typeId() == QMetaType::QDateTime)
        return DayNumber::fromDateTime(v.toDateTime()).value();
    if (v.typeId() == QMetaType::QDate)
        return DayNumber::fromDate(v.toDate()).value();
    return v.toDouble();
}

int compareValues(FieldType type, const QVariant &a, const QVariant &b)
{
    const bool nullA = !a.isValid(), nullB = !b.isValid();
    if (nullA || nullB)
        return nullA == nullB ? 0 : (nullA ? -1 : 1);
    switch (type) {
    case FieldType::String:
    case FieldType::Memo:
        return czechCollator().compare(a.toString(), b.toString());
    case FieldType::Integer: {
        const qlonglong x = a.toLongLong(), y = b.toLongLong();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case FieldType::Float: {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case FieldType::Boolean:
        return int(a.toBool()) - int(b.toBool());
    case FieldType::DateTime: {
        const double x = asDayNumber(a), y = asDayNumber(b);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    }
    return 0;
}

} // namespace

MemTable::MemTable(const QString &name, QObject *parent) : QObject(parent), m_name(name) {}

MemTable::~MemTable() = default;

int MemTable::addField(const FieldDef &field)
{
    Q_ASSERT(m_rows.empty());
    m_fields.push_back(field);
    return int(m_fields.size()) - 1;
}

int MemTable::addField(const QString &name, FieldType type, int size, const QString &label)
{
    FieldDef def;
    def.name = name;
    def.type = type;
    def.size = size;
    def.displayLabel = label;
    return addField(def);
}

int MemTable::fieldIndex(const QString &name) const
{
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

void MemTable::clear()
{
    m_rows.clear();
    m_view.clear();
    m_current = -1;
    m_eof = true;
    announceReset();
    Q_EMIT currentChanged(m_current);
}

int MemTable::recordCount() const
{
    return int(m_view.size());
}

int MemTable::append()
{
    auto row = std::make_unique<Row>();
    row->id = m_nextId++;
    row->values.resize(qsizetype(m_fields.size()));
    m_view.push_back(row.get());
    m_rows.push_back(std::move(row));
    m_current = int(m_view.size()) - 1;
    m_eof = false;
    announceReset();
    Q_EMIT currentChanged(m_current);
    return m_current;
}

void MemTable::deleteCurrent()
{
    if (m_current < 0)
        return;
    Row *row = m_view[size_t(m_current)];
    m_view.erase(m_view.begin() + m_current);
    const auto it = std::find_if(m_rows.begin(), m_rows.end(), [row](const auto &r) { return r.get() == row; });
    m_rows.erase(it);
    if (m_current >= int(m_view.size()))
        m_current = int(m_view.size()) - 1;
    m_eof = m_view.empty();
    announceReset();
    Q_EMIT currentChanged(m_current);
}

QVariant MemTable::coerce(int field, const QVariant &value) const
{
    if (!value.isValid() || value.isNull())
        return QVariant();
    const FieldDef &def = m_fields[size_t(field)];
    switch (def.type) {
    case FieldType::String: {
        QString s = value.toString();
        if (def.size > 0 && s.size() > def.size)
            s.truncate(def.size);
        return s;
    }
    case FieldType::Memo:
        return value.toString();
    case FieldType::Integer:
        return value.toLongLong();
    case FieldType::Float:
        return value.toDouble();
    case FieldType::Boolean:
        return value.toBool();
    case FieldType::DateTime:
        if (value.typeId() == QMetaType::QDateTime)
            return value.toDateTime();
        if (value.typeId() == QMetaType::QDate)
            return QDateTime(value.toDate(), QTime(0, 0));
        {
            const DayNumber day(value.toDouble());
            return day.isEmpty() ? QVariant() : QVariant(day.toDateTime());
        }
    }
    return value;
}

QVariant MemTable::value(int row, int field) const
{
    if (row < 0 || row >= int(m_view.size()) || field < 0 || field >= int(m_fields.size()))
        return QVariant();
    return m_view[size_t(row)]->values.at(field);
}

void MemTable::setValue(int row, int field, const QVariant &value)
{
    if (row < 0 || row >= int(m_view.size()) || field < 0 || field >= int(m_fields.size()))
        return;
    m_view[size_t(row)]->values[field] = coerce(field, value);
    Q_EMIT rowChanged(row);
}

QVariant MemTable::value(const QString &fieldName) const
{
    const int f = fieldIndex(fieldName);
    Q_ASSERT_X(f >= 0, "MemTable::value", qPrintable(fieldName));
    return value(m_current, f);
}

void MemTable::setValue(const QString &fieldName, const QVariant &v)
{
    const int f = fieldIndex(fieldName);
    Q_ASSERT_X(f >= 0, "MemTable::setValue", qPrintable(fieldName));
    setValue(m_current, f, v);
}

QVariant MemTable::storageValue(int storageRow, int field) const
{
    return m_rows.at(size_t(storageRow))->values.at(field);
}

void MemTable::setCurrentInternal(int row)
{
    if (row == m_current)
        return;
    m_current = row;
    Q_EMIT currentChanged(m_current);
}

bool MemTable::setCurrentRow(int row)
{
    if (row < 0 || row >= int(m_view.size()))
        return false;
    m_eof = false;
    setCurrentInternal(row);
    return true;
}

void MemTable::first()
{
    m_eof = m_view.empty();
    setCurrentInternal(m_view.empty() ? -1 : 0);
}

void MemTable::last()
{
    m_eof = m_view.empty();
    setCurrentInternal(int(m_view.size()) - 1);
}

bool MemTable::next()
{
    if (m_current + 1 >= int(m_view.size())) {
        m_eof = true;
        return false;
    }
    setCurrentInternal(m_current + 1);
    return true;
}

bool MemTable::prior()
{
    if (m_current <= 0)
        return false;
    m_eof = false;
    setCurrentInternal(m_current - 1);
    return true;
}

bool MemTable::setSortFields(const QString &fields)
{
    std::vector<int> keys;
    for (const QString &name : fields.split(u';', Qt::SkipEmptyParts)) {
        const int f = fieldIndex(name.trimmed());
        if (f < 0)
            return false;
        keys.push_back(f);
    }
    m_sortKeys = std::move(keys);
    m_sortFields = fields;
    resort();
    return true;
}

void MemTable::resort()
{
    rebuildView();
}

void MemTable::setFilter(RowFilter filter)
{
    m_filter = std::move(filter);
    rebuildView();
}

int MemTable::viewIndexOf(const Row *row) const
{
    const auto it = std::find(m_view.begin(), m_view.end(), row);
    return it == m_view.end() ? -1 : int(it - m_view.begin());
}

void MemTable::rebuildView()
{
    const Row *current = m_current >= 0 ? m_view[size_t(m_current)] : nullptr;
    m_view.clear();
    m_view.reserve(m_rows.size());
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (!m_filter || m_filter(*this, int(i)))
            m_view.push_back(m_rows[i].get());
    }
    if (!m_sortKeys.empty()) {
        std::stable_sort(m_view.begin(), m_view.end(), [this](const Row *a, const Row *b) {
            for (const int key : m_sortKeys) {
                const int c = compareValues(m_fields[size_t(key)].type, a->values.at(key), b->values.at(key));
                if (c != 0)
                    return c < 0;
            }
            return false;
        });
    }
    int newCurrent = current ? viewIndexOf(current) : -1;
    if (newCurrent < 0 && !m_view.empty())
        newCurrent = 0;
    m_current = newCurrent;
    m_eof = m_view.empty();
    announceReset();
    Q_EMIT currentChanged(m_current);
}

bool MemTable::locate(const QString &fieldName, const QString &text, bool partial)
{
    const int f = fieldIndex(fieldName);
    if (f < 0)
        return false;
    const FieldDef &def = m_fields[size_t(f)];
    for (size_t i = 0; i < m_view.size(); ++i) {
        const QVariant v = m_view[i]->values.at(f);
        // Amounts as the user writes them: the locale's decimal separator, no
        // grouping.
        const QString shown = def.type == FieldType::Boolean || def.type == FieldType::DateTime ? displayText(def, v)
                              : def.type == FieldType::Float && v.isValid()
                                  ? LocaleFormats::current().formatGeneral(v.toDouble())
                                  : v.toString();
        const bool match =
            partial ? shown.startsWith(text, Qt::CaseInsensitive) : shown.compare(text, Qt::CaseInsensitive) == 0;
        if (match) {
            setCurrentRow(int(i));
            return true;
        }
    }
    return false;
}

MemTable::Bookmark MemTable::bookmark() const
{
    return m_current >= 0 ? m_view[size_t(m_current)]->id : 0;
}

MemTable::Bookmark MemTable::bookmarkAt(int row) const
{
    return row >= 0 && row < int(m_view.size()) ? m_view[size_t(row)]->id : 0;
}

bool MemTable::gotoBookmark(Bookmark mark)
{
    for (size_t i = 0; i < m_view.size(); ++i) {
        if (m_view[i]->id == mark)
            return setCurrentRow(int(i));
    }
    return false;
}

QString MemTable::displayText(const FieldDef &def, const QVariant &v)
{
    if (!v.isValid())
        return QString();
    const LocaleFormats &locale = LocaleFormats::current();
    switch (def.type) {
    case FieldType::String:
    case FieldType::Memo:
        return v.toString();
    case FieldType::Integer:
        return def.displayFormat.isEmpty()
                   ? QString::number(v.toLongLong())
                   : TextUtils::formatFloat(def.displayFormat, v.toDouble(), locale.decimalSeparator);
    case FieldType::Float:
        return def.displayFormat.isEmpty()
                   ? locale.formatGeneral(v.toDouble())
                   : TextUtils::formatFloat(def.displayFormat, v.toDouble(), locale.decimalSeparator);
    case FieldType::Boolean:
        return v.toBool() ? def.trueText : def.falseText;
    case FieldType::DateTime:
        return def.displayFormat.isEmpty() ? locale.formatDateTime(v.toDateTime())
                                           : v.toDateTime().toString(def.displayFormat);
    }
    return v.toString();
}

QString MemTable::displayText(int row, int field) const
{
    if (field < 0 || field >= int(m_fields.size()))
        return QString();
    return displayText(m_fields[size_t(field)], value(row, field));
}

void MemTable::beginUpdate()
{
    ++m_updateDepth;
}

void MemTable::endUpdate()
{
    if (m_updateDepth > 0 && --m_updateDepth == 0 && m_resetPending) {
        m_resetPending = false;
        Q_EMIT reset();
    }
}

void MemTable::announceReset()
{
    if (m_updateDepth > 0) {
        m_resetPending = true;
        return;
    }
    Q_EMIT reset();
}
