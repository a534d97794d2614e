#include "ops/seqcheck/SequenceCheck.h"

#include "app/DocumentNumbers.h"
#include "app/HostIniFiles.h"
#include "app/OperationSession.h"
#include "common/Clock.h"
#include "common/LocaleFormats.h"
#include "common/MemTable.h"
#include "common/UiSeam.h"
#include "hostdb/HostTableBackend.h"
#include "hostdb/HostTableDef.h"
#include "hostdb/TBFTable.h"

using namespace Qt::StringLiterals;

SequenceCheck::SequenceCheck(OperationSession &session, MemTable &series, OperationProgress &progress)
    : m_session(session), m_series(series), m_progress(progress)
{}

int SequenceCheck::run(const std::array<bool, kSequenceModuleCount> &modules)
{
    m_session.interruptRequested = false;
    m_reported = false;
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
    const RunContext &context = m_session.runContext();
    const QDateTime now = Clock::current().now();
    const LocaleFormats &formats = LocaleFormats::current();
    OperationProtocol &protocol = m_session.protocol();
    protocol.clear();
    protocol.addLine(u"Agenda: "_s + context.companyName);
    protocol.addLine(u"Rok: "_s + context.yearName);
    protocol.addLine(u"Datum: "_s + formats.formatDate(now.date()) + u' ' + formats.formatTime(now.time()) +
                     u" hod."_s);
    protocol.addLine(QString());
    protocol.addLine(u"Kontrola posloupnosti číselných řad - chybějící čísla"_s);
}

int SequenceCheck::checkModule(int module)
{
    const SequenceModule &definition = sequenceModules()[size_t(module - 1)];
    const QString path = m_session.runContext().yearDir + QString::fromUtf16(definition.table);
    m_session.closeHostTables();
    TBFTable &table = m_session.BFTable1;
    if (table.Open(path) != 0) {
        ui().error(u"Nastala chyba při otevírání databáze "_s + path + u".DAT"_s);
        return -1;
    }
    table.Tag = 1;
    if (table.SetIndex(QString::fromUtf16(definition.keyField)) != 0) {
        m_session.closeHostTables();
        ui().error(u"Nastala chyba při nastavení indexu v "_s + path + u".DAT"_s);
        return -1;
    }

    m_series.setFilter(seriesRowFilter(m_series, module));
    m_titleWritten = false;
    const int checked = m_series.fieldIndex(u"Checked"_s);
    const int start = m_series.fieldIndex(u"Start"_s);
    const int end = m_series.fieldIndex(u"End"_s);
    for (int row = 0; row < m_series.recordCount(); ++row) {
        if (!m_series.value(row, checked).toBool() || m_series.value(row, start).toInt() <= 0 ||
            m_series.value(row, end).toInt() <= 0)
            continue;
        if (checkSeries(definition, row) == SeriesResult::Interrupted)
            return -1;
    }
    return 0;
}

SequenceCheck::SeriesResult SequenceCheck::checkSeries(const SequenceModule &module, int row)
{
    const auto value = [&](const QString &field) { return m_series.value(row, m_series.fieldIndex(field)); };
    const QString prefix = expandSeriesPrefix(value(u"Rada"_s).toString(), m_session.runContext().yearName);
    const int digits = value(u"PocetMist"_s).toInt();
    const bool zeros = value(u"Nuly"_s).toBool();
    const int first = value(u"Start"_s).toInt();
    const int last = value(u"End"_s).toInt();

    m_progress.setProgress(0, u"Prefix "_s + prefix + u"..."_s);
    ui().processEvents();
    m_progress.startProgress(last);

    TBFTable &table = m_session.BFTable1;
    OperationProtocol &protocol = m_session.protocol();
    for (int n = first; n <= last; ++n) {
        const ComposedNumber composed = composeDocumentNumber(prefix, digits, zeros, n);
        if (composed.number.isEmpty()) {
            // The counter outgrew the series' digits; so does every higher
            // one. Said once, and nothing is searched for an empty number.
            writeTitle(module);
            protocol.addLine(u"Řada "_s + prefix + u": čísla "_s + QString::number(n) + u" až "_s +
                             QString::number(last) + u" přesahují počet míst řady ("_s + QString::number(digits) +
                             u") a nebyla zkontrolována."_s);
            ui().processEvents();
            m_progress.setProgress(last);
            return m_session.interruptRequested ? SeriesResult::Interrupted : SeriesResult::Done;
        }
        if (!isPresent(table, module, composed.number)) {
            writeTitle(module);
            protocol.addLine(composed.number);
        }
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

bool SequenceCheck::isPresent(TBFTable &table, const SequenceModule &module, const QString &number)
{
    if (table.Seek(number) != HostResult::Found)
        return false;
    const QString deletionFlag = QString::fromUtf16(module.deletionFlag);
    if (deletionFlag.isEmpty())
        return true;
    // The seek matched without regard to case and trailing blanks; the key
    // read back is as stored, so it is compared the same way.
    const QString key = HostNames::keyText(number);
    const QString keyField = QString::fromUtf16(module.keyField);
    while (!table.Eof()) {
        if (HostNames::keyText(table.Value(keyField).toString()) != key)
            return false;
        if (!table.Value(deletionFlag).toBool())
            return true;
        table.Skip();
    }
    return false;
}

int runSequenceCheck(OperationSession &session, MemTable &series, const std::array<bool, kSequenceModuleCount> &modules,
                     OperationProgress &progress)
{
    return SequenceCheck(session, series, progress).run(modules);
}
