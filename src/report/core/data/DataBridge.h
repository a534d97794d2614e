#pragma once

#include "report/core/data/ReportDataSet.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The link between a report and the dataset of its data source: field
// access by the dataset's field index, record steps, the data check, the
// saved position and the controls detached while a report reads.
//
// Errors of the dataset: a field's number reads as 0, its null flag as not
// null, its data type, alignment, size, labels and picture as the defaults;
// its display text and memo text pass the error on (the report decides what
// an unreadable value shows).
class TBridge
{
public:
    ReportDataSource *dataSource() const { return m_dataSource; }
    void setDataSource(ReportDataSource *source) { m_dataSource = source; }
    // The data source's dataset, nullptr when there is none.
    ReportDataSet *dataSet() const { return m_dataSource ? m_dataSource->dataSet() : nullptr; }

    // ---- Fields (index in the dataset's field list)
    // The index names a field of an open dataset.
    bool hasField(int index) const;
    QStringList fieldNames() const;
    QStringList fieldLabels() const;
    int fieldDataType(int index) const;
    int fieldAlignment(int index) const;
    int fieldSize(int index) const; // the display width, 10 when unknown
    QString fieldDisplayText(int index) const;
    // By data type: numbers (auto-increment ones included), dates and times
    // as floats (dates as day numbers), Booleans 1 or 0, strings read as
    // STRTONUM reads them, anything else 0.
    double fieldNumber(int index) const;
    // Blob and memo fields: their content as text up to the first zero
    // (bytes are Windows-1250); other fields: their display text.
    QString fieldMemoText(int index) const;
    // Blob, graphic and typed-binary fields: their content as a picture.
    QImage fieldPicture(int index) const;
    bool fieldIsNull(int index) const;

    // Moves the dataset; a TStepResult bit set (3 without a dataset).
    int step(TStepDir dir);

    // ---- The data check (messages through the UI seam)
    // Passes for an open dataset; asks to open a closed one. Fails, after its
    // message, without a data source or a dataset, or when the dataset does
    // not open; answering No fails without a further message.
    bool check();
    bool openedByCheck() const { return m_opened != nullptr; }
    // Closes the dataset again when the check opened it.
    void release();

    // ---- Reading. A run may start while another holds the data (the
    // designer's preview inside the designer): each opening is matched by its
    // own restore, the controls stay detached and the dataset the outer check
    // opened stays open until the outermost run ends.
    // Remembers the current record; detaches the dataset's controls when asked.
    void openForReading(bool detachControls);
    // Goes back to the record remembered last and forgets it; the outermost
    // restore reattaches the controls.
    void restore();
    bool hasSavedPosition() const { return !m_saved.empty() && m_saved.back().has_value(); }

private:
    // One text per field of the dataset; none when it cannot be read.
    QStringList eachField(QString (ReportDataSet::*read)(int) const) const;

    ReportDataSource *m_dataSource = nullptr;
    std::vector<std::optional<ReportDataSet::Bookmark>> m_saved; // one per opening, innermost last
    ReportDataSet *m_detachedFrom = nullptr;                     // whose controls are detached
    size_t m_detachedAt = 0;                                     // the number of openings when they were detached
    ReportDataSet *m_opened = nullptr;                           // the dataset the check opened
};
