#pragma once

#include "ops/seqcheck/SequenceModules.h"
#include "ops/seqcheck/SequenceRules.h"

#include <QString>

#include <array>

class MemTable;
class OperationProgress;
class OperationSession;
class TBFTable;

// One run of the sequence check: for every checked module and every checked
// series of it with a range, each number from `Start` to `End` is composed
// and looked for among the keys of the module's document table; the numbers without a valid
// document are written to the session's protocol under the module's title.
// The protocol is shown when something is missing, otherwise the end message.
//
// Numbers a series cannot compose (leading zeros and a counter wider than the
// series' digits, possible only after the user raised `End`) are neither
// searched nor listed: the protocol says once per series which numbers were
// left unchecked, so the user is not told that nothing is missing.
class SequenceCheck
{
public:
    // `series` is the set-up's series table (filtered by each module in
    // turn); `progress` is the set-up window's status label and bar.
    SequenceCheck(OperationSession &session, MemTable &series, OperationProgress &progress);

    // 0 when it ran to the end (protocol or end message shown), -1 when it
    // stopped early (a table error, shown, or the interrupt, silent).
    int run(const std::array<bool, kSequenceModuleCount> &modules);

private:
    enum class SeriesResult { Done, Interrupted };
    int checkModule(int module);
    // `table`: the module's document table, open and indexed on its key.
    SeriesResult checkSeries(const SequenceModule &module, int row, TBFTable &table);
    SeriesResult readPresentKeys(const SequenceModule &module, TBFTable &table);
    void writeTitle(const SequenceModule &module);
    void writeHeader();

    OperationSession &m_session;
    MemTable &m_series;
    OperationProgress &m_progress;
    bool m_titleWritten = false;
    bool m_reported = false;
    // The keys of the valid documents of the module's table, folded as the
    // engine's seek folds them; read once per module when a series needs it.
    PresentNumbers m_present;
    bool m_presentRead = false;
};

// The set-up window's [OK]: one run over the checked modules.
int runSequenceCheck(OperationSession &session, MemTable &series, const std::array<bool, kSequenceModuleCount> &modules,
                     OperationProgress &progress);
