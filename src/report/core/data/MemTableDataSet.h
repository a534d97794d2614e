#pragma once

#include "report/core/data/ReportDataSet.h"

#include <QPointer>

class MemTable;
enum class FieldType;

// An in-memory table as a report's dataset. The table itself has no open
// state: the dataset is open from the start, and a closed one reads as an
// empty dataset until it is opened again. A table without fields cannot be
// opened. Detaching the controls silences the table's signals, so grids over
// it do not follow the report's walk; reattaching tells them where it stands.
class MemTableDataSet final : public ReportDataSet
{
public:
    explicit MemTableDataSet(MemTable *table);

    MemTable *table() const { return m_table; }
    // The report's data-type number of a table field kind.
    static int dataTypeOf(FieldType type);

    bool isActive() const override;
    bool open() override;
    void close() override;

    int fieldCount() const override;
    QString fieldName(int index) const override;
    QString fieldLabel(int index) const override;
    int fieldDataType(int index) const override;
    int fieldAlignment(int index) const override;
    int fieldDisplayWidth(int index) const override;

    QVariant fieldValue(int index) const override;
    QString fieldDisplayText(int index) const override;

    void first() override;
    void prior() override;
    void next() override;
    void last() override;
    bool isBof() const override;
    bool isEof() const override;

    std::optional<Bookmark> bookmark() const override;
    bool gotoBookmark(Bookmark mark) override;

    void disableControls() override;
    void enableControls() override;

private:
    bool hasField(int index) const;

    QPointer<MemTable> m_table;
    bool m_active = true;
    bool m_bof = false;
    int m_disabled = 0;        // nesting of disableControls
    bool m_wasBlocked = false; // the table's signals were blocked before
};
