#pragma once

#include "common/DayNumber.h"

#include <QHash>
#include <QString>

#include <utility>
#include <vector>

// Tells whether a date lies in a VAT period for which the company filed a
// return: the host's list of filed returns `SZDPH` of the agenda directory,
// read once, with every answer cached per date. Created for one proposal.
class TSeznamPodaniChecker
{
public:
    explicit TSeznamPodaniChecker(const QString &agendaDir);

    // Reads every record of SZDPH (deleted ones included) into memory. False
    // with ErrorText() set when the table does not open.
    bool LoadFilings();
    // An empty date (0) is never in a filed period and is not cached. Both
    // ends of a period count.
    bool IsInFiledPeriod(DayNumber date);

    const QString &ErrorText() const { return m_errorText; }
    // How many periods were read and how many dates were answered (tests).
    int periodCount() const { return int(m_periods.size()); }
    int cachedCount() const { return int(m_cache.size()); }

private:
    QString m_agendaDir;
    std::vector<std::pair<DayNumber, DayNumber>> m_periods; // DatumOd, DatumDo, in the table's order
    // The answer per date asked; a map rather than a table, the answers are
    // the same.
    QHash<double, bool> m_cache;
    QString m_errorText;
};
