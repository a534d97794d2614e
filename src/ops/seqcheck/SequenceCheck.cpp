#include "ops/seqcheck/SequenceCheck.h"

#include "app/core/DocumentNumbers.h"
#include "app/core/HostIniFiles.h"
#include "app/core/OperationSession.h"
#include "common/MemTable.h"
#include "common/UiSeam.h"
#include "hostdb/HostTable.h"

using namespace Qt::StringLiterals;

namespace {
// Reading a module's table lets the message queue run every so many records,
// the check every tenth number (and at a series' last): running it for every
// number would cost more than the check itself, and the bar and "Přerušit"
// answer just as well.
constexpr int kRecordsPerPump = 256;
constexpr int kNumbersPerPump = 10;
} // namespace

SequenceCheck::SequenceCheck(OperationSession &session, MemTable &series, OperationProgress &progress)
    : m_session(session), m_series(series), m_progress(progress)
{}

int SequenceCheck::run(const std::array<bool, kSequenceModuleCount> &modules)
{
    m_session.interruptRequested = false;
    m_reported = false;
    m_present.clear();
    writeHeader();
    for (int module = 1; module <= kSequenceModuleCount; ++module) {
        if (!modules[size_t(module - 1)])
            continue;
        if (checkModule(module) != 0)
            return -1;
    }
    if (m_reported)
        m_session.showProtocol();
    else
        ui().information(u"Kontrola byla dokončena.\r\rVe vybraných číselných řadách nebylo zjištěno žádné "
                         u"chybějící číslo dokladu."_s);
    return 0;
}

void SequenceCheck::writeHeader()
{
    OperationProtocol &protocol = m_session.protocol();
    protocol.clear();
    protocol.addHead(m_session.runContext());
    protocol.addLine(u"Kontrola posloupnosti číselných řad - chybějící čísla"_s);
}

int SequenceCheck::checkModule(int module)
{
    const SequenceModule &definition = sequenceModules()[size_t(module - 1)];
    const QString path = m_session.runContext().yearDir + QString::fromUtf16(definition.table);
    TBFTable table;
    if (table.Open(path) != 0) {
        ui().error(u"Nastala chyba při otevírání databáze "_s + path + u".DAT"_s);
        return -1;
    }
    if (table.SetIndex(QString::fromUtf16(definition.keyField)) != 0) {
        table.Close();
        ui().error(u"Nastala chyba při nastavení indexu v "_s + path + u".DAT"_s);
        return -1;
    }

    m_series.setFilter(seriesRowFilter(m_series, module));
    m_titleWritten = false;
    m_presentRead = false;
    const int checked = m_series.fieldIndex(u"Checked"_s);
    const int start = m_series.fieldIndex(u"Start"_s);
    const int end = m_series.fieldIndex(u"End"_s);
    for (int row = 0; row < m_series.recordCount(); ++row) {
        if (!m_series.value(row, checked).toBool() || m_series.value(row, start).toInt() <= 0 ||
            m_series.value(row, end).toInt() <= 0)
            continue;
        if (checkSeries(definition, row, table) == SeriesResult::Interrupted)
            return -1;
    }
    return 0;
}

SequenceCheck::SeriesResult SequenceCheck::checkSeries(const SequenceModule &module, int row, TBFTable &table)
{
    const auto value = [&](const QString &field) { return m_series.value(row, m_series.fieldIndex(field)); };
    SeriesFormat format;
    format.prefix = expandSeriesPrefix(value(u"Rada"_s).toString(), m_session.runContext().yearName);
    format.digits = value(u"PocetMist"_s).toInt();
    format.zeros = value(u"Nuly"_s).toBool();
    const QString &prefix = format.prefix;
    const int first = value(u"Start"_s).toInt();
    const int last = value(u"End"_s).toInt();

    m_progress.setProgress(0, u"Prefix "_s + prefix + u"..."_s);
    ui().processEvents();
    m_progress.startProgress(last);
    if (!m_presentRead && readPresentKeys(module, table) == SeriesResult::Interrupted)
        return SeriesResult::Interrupted;

    OperationProtocol &protocol = m_session.protocol();
    for (int n = first; n <= last; ++n) {
        const CounterFinding finding = checkCounter(format, n, m_present);
        if (finding.kind == CounterFinding::Kind::BeyondDigits) {
            // Said once for the rest of the series.
            writeTitle(module);
            protocol.addLine(u"Řada "_s + prefix + u": čísla "_s + QString::number(n) + u" až "_s +
                             QString::number(last) + u" přesahují počet míst řady ("_s +
                             QString::number(format.digits) + u") a nebyla zkontrolována."_s);
            ui().processEvents();
            m_progress.setProgress(last);
            return m_session.interruptRequested ? SeriesResult::Interrupted : SeriesResult::Done;
        }
        if (finding.kind == CounterFinding::Kind::Missing) {
            writeTitle(module);
            protocol.addLine(finding.number);
        }
        if ((n - first) % kNumbersPerPump == kNumbersPerPump - 1 || n == last)
            ui().processEvents();
        m_progress.setProgress(n);
        if (m_session.interruptRequested)
            return SeriesResult::Interrupted;
    }
    return SeriesResult::Done;
}

void SequenceCheck::writeTitle(const SequenceModule &module)
{
    m_reported = true;
    if (m_titleWritten)
        return;
    m_titleWritten = true;
    m_session.protocol().addLine(QString());
    m_session.protocol().addLine(QString::fromUtf16(module.protocolTitle) + u':');
}

// The engine's seek ignores case and trailing blanks, and the key it finds
// is read back as stored; the keys are therefore folded the way the seek
// folds them, and a number counts as present when any document with its key
// is valid. The numbers are then looked up in memory: one seek per number
// costs more than reading the table once (about 13 µs a seek against 5 µs a
// record), and a series easily holds many more numbers than its table holds
// documents.
SequenceCheck::SeriesResult SequenceCheck::readPresentKeys(const SequenceModule &module, TBFTable &table)
{
    const QString keyField = QString::fromUtf16(module.keyField);
    const QString deletionFlag = QString::fromUtf16(module.deletionFlag);
    m_present.clear();
    m_present.reserve(qMax(table.RecordCount(), 0));
    int count = 0;
    for (table.GoTop(); !table.Eof(); table.Skip()) {
        m_present.add(table.Value(keyField).toString(), !deletionFlag.isEmpty() && table.Value(deletionFlag).toBool());
        if (++count % kRecordsPerPump == 0) {
            ui().processEvents();
            if (m_session.interruptRequested)
                return SeriesResult::Interrupted;
        }
    }
    m_presentRead = true;
    return SeriesResult::Done;
}

int runSequenceCheck(OperationSession &session, MemTable &series, const std::array<bool, kSequenceModuleCount> &modules,
                     OperationProgress &progress)
{
    return SequenceCheck(session, series, progress).run(modules);
}
