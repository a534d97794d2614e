#include "report/core/data/MemTableDataSet.h"

#include "common/MemTable.h"

MemTableDataSet::MemTableDataSet(MemTable *table) : m_table(table) {}

int MemTableDataSet::dataTypeOf(FieldType type)
{
    switch (type) {
    case FieldType::String:
        return ftString;
    case FieldType::Integer:
        return ftInteger;
    case FieldType::Float:
        return ftFloat;
    case FieldType::Boolean:
        return ftBoolean;
    case FieldType::DateTime:
        return ftDateTime;
    case FieldType::Memo:
        return ftMemo;
    }
    return ftUnknown;
}

bool MemTableDataSet::isActive() const
{
    return m_active && m_table;
}

bool MemTableDataSet::open()
{
    if (!m_table || m_table->fieldCount() == 0)
        return false;
    if (!m_active) {
        m_active = true;
        first(); // an opened dataset stands on its first record
    }
    return true;
}

void MemTableDataSet::close()
{
    m_active = false;
}

bool MemTableDataSet::hasField(int index) const
{
    return m_table && index >= 0 && index < m_table->fieldCount();
}

int MemTableDataSet::fieldCount() const
{
    return m_table ? m_table->fieldCount() : 0;
}

QString MemTableDataSet::fieldName(int index) const
{
    return hasField(index) ? m_table->field(index).name : QString();
}

QString MemTableDataSet::fieldLabel(int index) const
{
    return hasField(index) ? m_table->field(index).label() : QString();
}

int MemTableDataSet::fieldDataType(int index) const
{
    return hasField(index) ? dataTypeOf(m_table->field(index).type) : ftUnknown;
}

int MemTableDataSet::fieldAlignment(int index) const
{
    if (!hasField(index))
        return 0;
    const FieldType type = m_table->field(index).type;
    return type == FieldType::Integer || type == FieldType::Float ? 1 : 0; // numbers to the right
}

int MemTableDataSet::fieldDisplayWidth(int index) const
{
    if (!hasField(index))
        return 10;
    const FieldDef &field = m_table->field(index);
    return field.type == FieldType::String && field.size > 0 ? field.size : 10;
}

QVariant MemTableDataSet::fieldValue(int index) const
{
    if (!isActive() || !hasField(index))
        return QVariant();
    return m_table->value(m_table->currentRow(), index);
}

QString MemTableDataSet::fieldDisplayText(int index) const
{
    if (!isActive() || !hasField(index))
        return QString();
    return m_table->displayText(m_table->currentRow(), index);
}

void MemTableDataSet::first()
{
    if (!isActive())
        return;
    m_table->first();
    m_bof = true;
}

void MemTableDataSet::prior()
{
    if (!isActive())
        return;
    m_bof = !m_table->prior();
}

void MemTableDataSet::next()
{
    if (!isActive())
        return;
    m_table->next();
    m_bof = false;
}

void MemTableDataSet::last()
{
    if (!isActive())
        return;
    m_table->last();
    m_bof = m_table->isEmpty();
}

bool MemTableDataSet::isBof() const
{
    return !isActive() || m_bof || m_table->isEmpty();
}

bool MemTableDataSet::isEof() const
{
    return !isActive() || m_table->eof();
}

std::optional<ReportDataSet::Bookmark> MemTableDataSet::bookmark() const
{
    if (!isActive())
        return std::nullopt;
    const MemTable::Bookmark mark = m_table->bookmark();
    return mark == 0 ? std::nullopt : std::optional<Bookmark>(mark);
}

bool MemTableDataSet::gotoBookmark(Bookmark mark)
{
    return isActive() && m_table->gotoBookmark(mark);
}

void MemTableDataSet::disableControls()
{
    if (m_disabled++ == 0 && m_table)
        m_wasBlocked = m_table->blockSignals(true);
}

void MemTableDataSet::enableControls()
{
    if (m_disabled == 0 || --m_disabled > 0 || !m_table)
        return;
    m_table->blockSignals(m_wasBlocked);
    if (!m_wasBlocked)
        Q_EMIT m_table->currentChanged(m_table->currentRow());
}
