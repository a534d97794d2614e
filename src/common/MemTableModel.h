#pragma once

#include <QAbstractTableModel>
#include <QPointer>

#include <vector>

class MemTable;

// A Qt table model over an in-memory table for grids: one column per visible
// field, display texts as the table formats them, numbers right-aligned.
// The raw value is under Qt::UserRole.
class MemTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit MemTableModel(MemTable *table, QObject *parent = nullptr);

    MemTable *table() const { return m_table; }
    int fieldOfColumn(int column) const; // table field index, -1
    int columnOfField(int field) const;  // model column, -1 when hidden

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Re-reads the table's structure (visible fields, labels).
    void refresh();

private:
    QPointer<MemTable> m_table;
    std::vector<int> m_columns; // visible field indexes
};
