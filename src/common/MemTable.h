#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

// Field kinds of an in-memory table. The numbering is fixed: reports and
// grids rely on it.
enum class FieldType { String, Integer, Float, Boolean, DateTime, Memo };

struct FieldDef
{
    QString name;
    FieldType type = FieldType::String;
    int size = 0;          // strings: the longest value kept (longer ones are cut)
    QString displayLabel;  // grid title; the name when empty
    QString displayFormat; // numbers: a picture such as "# ### ### ##0.00"; date-times: "hh:mm"
    int displayWidth = 0;  // pixels in a grid, 0 = automatic
    bool visible = true;   // shown in grids
    QString trueText = QStringLiteral("ANO");
    QString falseText = QStringLiteral("NE");

    QString label() const { return displayLabel.isEmpty() ? name : displayLabel; }
};

// An in-memory table (the "mt…" tables of the windows): typed columns, rows,
// a current row, a stable ascending sort over "Field;Field", a filter, a
// locate and bookmarks. Row indexes are positions in the current view (after
// sort and filter). A null value is an invalid QVariant.
class MemTable : public QObject
{
    Q_OBJECT
public:
    using Bookmark = quint64; // stays valid across sorting and filtering
    using RowFilter = std::function<bool(const MemTable &table, int storageRow)>;

    explicit MemTable(const QString &name = QString(), QObject *parent = nullptr);
    ~MemTable() override;

    QString name() const { return m_name; }

    // Structure (only while the table is empty).
    int addField(const FieldDef &field);
    int addField(const QString &name, FieldType type, int size = 0, const QString &label = QString());
    const std::vector<FieldDef> &fields() const { return m_fields; }
    FieldDef &field(int index) { return m_fields.at(index); }
    const FieldDef &field(int index) const { return m_fields.at(index); }
    int fieldCount() const { return int(m_fields.size()); }
    int fieldIndex(const QString &name) const; // without regard to case; -1 when absent
    bool hasField(const QString &name) const { return fieldIndex(name) >= 0; }

    // Content.
    void clear();            // removes every row
    int recordCount() const; // rows in the view
    bool isEmpty() const { return recordCount() == 0; }
    int append();         // a new row of nulls at the end of the view, made current
    void deleteCurrent(); // the next row becomes current (or the previous at the end)

    QVariant value(int row, int field) const;
    void setValue(int row, int field, const QVariant &value);
    // The current row's values; an unknown field name is a program error (asserts, reads null).
    QVariant value(const QString &fieldName) const;
    void setValue(const QString &fieldName, const QVariant &value);
    bool isNull(int row, int field) const { return !value(row, field).isValid(); }

    // Navigation in view order. currentRow() is -1 when the view is empty.
    int currentRow() const { return m_current; }
    bool setCurrentRow(int row);
    void first();
    void last();
    bool next();  // false at the end (stays on the last row)
    bool prior(); // false at the start
    bool eof() const { return m_eof; }

    // Sorting: "Field" or "Field;Field", ascending, stable; texts without
    // regard to case in Czech order, nulls first. Empty removes the sort.
    // Returns false (and keeps the old sort) when a field does not exist.
    bool setSortFields(const QString &fields);
    QString sortFields() const { return m_sortFields; }
    void resort();

    void setFilter(RowFilter filter); // nullptr shows every row
    bool isFiltered() const { return bool(m_filter); }

    // Moves to the first row (view order) whose value starts with `text`
    // (partial) or equals it, without regard to case; booleans and dates match
    // their display texts ("ANO"/"NE", the short date format), amounts their
    // text with the locale's decimal separator.
    bool locate(const QString &fieldName, const QString &text, bool partial = true);

    Bookmark bookmark() const; // of the current row; 0 when none
    bool gotoBookmark(Bookmark mark);
    Bookmark bookmarkAt(int row) const; // of a row of the view; 0 when out of range

    // The value as a grid shows it (display format, locale, "ANO"/"NE").
    QString displayText(int row, int field) const;
    static QString displayText(const FieldDef &field, const QVariant &value);

    // Bulk changes (loading thousands of rows) announce one reset at the end.
    void beginUpdate();
    void endUpdate();

    // Storage-level access for filters.
    QVariant storageValue(int storageRow, int field) const;

Q_SIGNALS:
    void reset();             // rows, order or structure changed
    void rowChanged(int row); // one row's values changed
    void currentChanged(int row);

private:
    struct Row;
    QVariant coerce(int field, const QVariant &value) const;
    void rebuildView();
    void announceReset();
    int viewIndexOf(const Row *row) const;
    void setCurrentInternal(int row);

    QString m_name;
    std::vector<FieldDef> m_fields;
    std::vector<std::unique_ptr<Row>> m_rows; // storage, in insertion order
    std::vector<Row *> m_view;                // sorted and filtered
    std::vector<int> m_sortKeys;
    QString m_sortFields;
    RowFilter m_filter;
    int m_current = -1;
    bool m_eof = true;
    Bookmark m_nextId = 1;
    int m_updateDepth = 0;
    bool m_resetPending = false;
};
