#pragma once

#include <QString>
#include <QVariant>

#include <optional>

// Record step directions and results (bit set).
enum TStepDir : int { sdFirst = 0, sdPrior = 1, sdNext = 2, sdLast = 3 };
enum TStepResult : int { srMiddle = 0, srBof = 1, srEof = 2 };

// Field data types, numbered as the platform's field types.
enum TFieldTypeS : int {
    ftUnknown = 0,
    ftString = 1,
    ftSmallint = 2,
    ftInteger = 3,
    ftWord = 4,
    ftBoolean = 5,
    ftFloat = 6,
    ftCurrency = 7,
    ftBCD = 8,
    ftDate = 9,
    ftTime = 10,
    ftDateTime = 11,
    ftAutoInc = 14,
    ftBlob = 15,
    ftMemo = 16,
    ftGraphic = 17,
    ftFmtMemo = 18,
    ftTypedBinary = 21,
    ftWideString = 24,
    ftLargeint = 25,
    ftTimeStamp = 36,
    ftFMTBcd = 37,
};

// What a report reads its records from: a dataset with named, typed fields,
// a current record, the beginning and end flags, bookmarks and the controls
// that show it. Field indexes count from 0 in the dataset's field order.
//
// Reading a field may throw where the dataset's engine raises an error; the
// bridge turns that into the values the report uses instead.
class ReportDataSet
{
public:
    using Bookmark = quint64;

    virtual ~ReportDataSet() = default;

    // Open state.
    virtual bool isActive() const = 0;
    // True when the dataset is open afterwards.
    virtual bool open() = 0;
    virtual void close() = 0;

    // Structure.
    virtual int fieldCount() const = 0;
    virtual QString fieldName(int index) const = 0;
    virtual QString fieldLabel(int index) const = 0;    // the display label
    virtual int fieldDataType(int index) const = 0;     // a TFieldTypeS number
    virtual int fieldAlignment(int index) const = 0;    // 0 left, 1 right, 2 centre
    virtual int fieldDisplayWidth(int index) const = 0; // in characters

    // The current record. An invalid QVariant is an empty (null) field;
    // blobs and pictures come as QByteArray (or QImage), memos as QString
    // or QByteArray, dates as QDateTime or QDate.
    virtual QVariant fieldValue(int index) const = 0;
    virtual QString fieldDisplayText(int index) const = 0;

    // Navigation; the flags say whether the last move hit the beginning or
    // ran past the end.
    virtual void first() = 0;
    virtual void prior() = 0;
    virtual void next() = 0;
    virtual void last() = 0;
    virtual bool isBof() const = 0;
    virtual bool isEof() const = 0;

    // The current record's bookmark; none when there is no current record.
    virtual std::optional<Bookmark> bookmark() const = 0;
    virtual bool gotoBookmark(Bookmark mark) = 0;

    // Data-aware controls stop following the dataset while a report walks it
    // and catch up when reattached.
    virtual void disableControls() = 0;
    virtual void enableControls() = 0;
};

// A report's data source: the link to the dataset it reads (none until one
// is attached).
class ReportDataSource
{
public:
    ReportDataSource() = default;
    explicit ReportDataSource(ReportDataSet *dataSet) : m_dataSet(dataSet) {}

    ReportDataSet *dataSet() const { return m_dataSet; }
    void setDataSet(ReportDataSet *dataSet) { m_dataSet = dataSet; }

private:
    ReportDataSet *m_dataSet = nullptr;
};
