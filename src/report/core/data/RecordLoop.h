#pragma once

class TSestavaD;

// The record loop of a report's layout: which records are laid out, and when
// the loop ends. The layout asks start() before the first record and next()
// after each record's body.
class RecordLoop
{
public:
    explicit RecordLoop(TSestavaD &report) : m_report(report) {}

    // Takes the first record. With TiskJedenZaznam the report does not step:
    // it raises OnGetData and takes the current record. Over no records a
    // main report is still laid out once, with empty values (isEmpty());
    // a detail report lays out nothing (false).
    bool start();
    // The dataset had no records.
    bool isEmpty() const { return m_empty; }
    // Records laid out so far (counted by next()).
    int recordCount() const { return m_count; }

    // After a record's body: counts the record and steps to the next. False
    // ends the loop: with TiskJedenZaznam, when MaxRecords (above 0) records
    // have been laid out, when `stop` is set (the last page passed, the user
    // interrupted) or when the step does not return 0 — the dataset then
    // stays where the step left it.
    bool next(bool stop = false);

private:
    TSestavaD &m_report;
    int m_count = 0;
    bool m_empty = false;
};
