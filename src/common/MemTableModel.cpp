#include "common/MemTableModel.h"

#include "common/MemTable.h"

using namespace Qt::StringLiterals;

MemTableModel::MemTableModel(MemTable *table, QObject *parent) : QAbstractTableModel(parent), m_table(table)
{
    connect(table, &MemTable::reset, this, &MemTableModel::refresh);
    connect(table, &MemTable::rowChanged, this,
            [this](int row) { Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1)); });
    refresh();
}

void MemTableModel::refresh()
{
    beginResetModel();
    m_columns.clear();
    if (m_table) {
        for (int f = 0; f < m_table->fieldCount(); ++f) {
            if (m_table->field(f).visible)
                m_columns.push_back(f);
        }
    }
    endResetModel();
}

int MemTableModel::fieldOfColumn(int column) const
{
    return column >= 0 && column < int(m_columns.size()) ? m_columns[size_t(column)] : -1;
}

int MemTableModel::columnOfField(int field) const
{
    for (size_t i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i] == field)
            return int(i);
    }
    return -1;
}

int MemTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_table ? 0 : m_table->recordCount();
}

int MemTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant MemTableModel::data(const QModelIndex &index, int role) const
{
    if (!m_table || !index.isValid())
        return QVariant();
    const int field = fieldOfColumn(index.column());
    if (field < 0)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return m_table->displayText(index.row(), field);
    case Qt::UserRole:
        return m_table->value(index.row(), field);
    case Qt::AccessibleTextRole: {
        const FieldDef &def = m_table->field(field);
        const QVariant value = m_table->value(index.row(), field);
        if (def.type == FieldType::Boolean && def.trueText.isEmpty() && value.isValid())
            return value.toBool() ? u"zaškrtnuto"_s : u"nezaškrtnuto"_s;
        return QVariant();
    }
    case Qt::AccessibleDescriptionRole:
        return m_rowState ? QVariant(m_rowState(index.row())) : QVariant();
    case Qt::TextAlignmentRole: {
        const FieldType type = m_table->field(field).type;
        const bool number = type == FieldType::Integer || type == FieldType::Float;
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    default:
        return QVariant();
    }
}

QVariant MemTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical && role == Qt::AccessibleTextRole && m_rowState) {
        const QString state = m_rowState(section);
        const QString number = QString::number(section + 1);
        return state.isEmpty() ? number : number + u", "_s + state;
    }
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || !m_table)
        return QAbstractTableModel::headerData(section, orientation, role);
    const int field = fieldOfColumn(section);
    return field < 0 ? QVariant() : QVariant(m_table->field(field).label());
}
