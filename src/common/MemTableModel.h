#pragma once

#include <QAbstractTableModel>
#include <QPointer>

#include <functional>
#include <vector>

class MemTable;

// A Qt table model over an in-memory table for grids: one column per visible
// field, display texts as the table formats them, numbers right-aligned.
// The raw value is under Qt::UserRole.
//
// For screen readers: a boolean field shown as a picture (no display texts)
// reads "zaškrtnuto"/"nezaškrtnuto"; a row's state the grid draws beside it
// (a mark) is the row title's accessible text and every cell's description.
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

    // The state of a row as words ("označený"); empty: nothing to say.
    using RowStateFunction = std::function<QString(int row)>;
    void setRowState(RowStateFunction function) { m_rowState = std::move(function); }

private:
    QPointer<MemTable> m_table;
    std::vector<int> m_columns; // visible field indexes
    RowStateFunction m_rowState;
};
