#pragma once

#include "common/MemTable.h"
#include "ops/seqcheck/SequenceModules.h"

#include <QString>

#include <array>

struct RunContext;
class OperationSession;

// What the sequence check works from, built when the operation opens: the
// series table `mtCisRady` (one row per `CISRADY` record with the range to
// check and whether the series takes part) and the free-number table
// `mtVolneCis` (the `VOLNECIS` records), with the user's choices kept per
// company and year in the per-configuration settings file.
class SequenceCheckSetup
{
public:
    SequenceCheckSetup();
    ~SequenceCheckSetup();
    SequenceCheckSetup(const SequenceCheckSetup &) = delete;
    SequenceCheckSetup &operator=(const SequenceCheckSetup &) = delete;

    MemTable &mtCisRady() { return m_mtCisRady; }
    const MemTable &mtCisRady() const { return m_mtCisRady; }
    MemTable &mtVolneCis() { return m_mtVolneCis; }

    // The module check boxes, module 1 … 9 at 0 … 8.
    std::array<bool, kSequenceModuleCount> modules{};
    // The codes of the excluded series, ";" + code + ";" + code + ";" …, as
    // read (upper-cased) or as last rebuilt from the series rows.
    QString exclusions;

    // "KONTRPOSL" + agenda code + year code.
    static QString settingsSection(const RunContext &context);

    // The module keys and "PrefixUncheck" (one pair of enclosing quotes
    // removed, upper-cased).
    void readSettings(const RunContext &context);
    // Rebuilds the exclusion list from the series rows and writes it quoted
    // with the module keys; false when the file could not be written.
    bool writeSettings(const RunContext &context);

    // Fills both tables from `CISRADY` and `VOLNECIS` of the open year and
    // works out each series' range; each host table is open only while it is
    // read. -1 (the error shown, the working overlay hidden) when a table
    // cannot be opened.
    int load(OperationSession &session);

    // Lowers each series' `End` past the free numbers offered for re-use that
    // sit at its end; a series left with nothing to check gets 0 … 0.
    void trimSeriesEnds();

    // ";" followed by the code and ";" of every series row not checked, in
    // table order, over all rows whatever the filter.
    QString exclusionList();

    // Whether a series code is in the exclusion list.
    bool isExcluded(const QString &code) const;

private:
    // Each -1 when the table cannot be opened, otherwise the rows read.
    int loadSeries(OperationSession &session, const QString &path);
    int loadFreeNumbers(OperationSession &session, const QString &path);

    MemTable m_mtCisRady;
    MemTable m_mtVolneCis;
};
