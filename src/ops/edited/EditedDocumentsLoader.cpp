#include "ops/edited/EditedDocumentsLoader.h"

#include "app/core/OperationSession.h"
#include "app/core/ProgressGuards.h"
#include "common/DayNumber.h"
#include "common/MemTable.h"
#include "common/UiSeam.h"
#include "ops/edited/EditedModules.h"

using namespace Qt::StringLiterals;

namespace {

QString name(QStringView field)
{
    return field.toString();
}

// A host date-time as the row keeps it: null for an empty date.
QVariant dateValue(const QVariant &value)
{
    const QDateTime dateTime = value.toDateTime();
    return dateTime.isValid() ? QVariant(dateTime) : QVariant();
}

// The row table's field indexes, looked up once per load.
struct RowFields
{
    explicit RowFields(const MemTable &rows)
        : recNo(rows.fieldIndex(u"RecNo"_s)), doklad(rows.fieldIndex(u"Doklad"_s)), cislo(rows.fieldIndex(u"Cislo"_s)),
          datVyst(rows.fieldIndex(u"DatVyst"_s)), datUcPr(rows.fieldIndex(u"DatUcPr"_s)),
          datPlat(rows.fieldIndex(u"DatPlat"_s)), datPln(rows.fieldIndex(u"DatPln"_s)),
          ucetPokl(rows.fieldIndex(u"UcetPokl"_s)), adNazev(rows.fieldIndex(u"AdNazev"_s)),
          celkem(rows.fieldIndex(u"Celkem"_s)), popis(rows.fieldIndex(u"Popis"_s)), vydej(rows.fieldIndex(u"Vydej"_s)),
          str30Free(rows.fieldIndex(u"Str30Free"_s)), typBarvy(rows.fieldIndex(u"TypBarvy"_s)),
          vystavil(rows.fieldIndex(u"Vystavil"_s))
    {}
    int recNo, doklad, cislo, datVyst, datUcPr, datPlat, datPln, ucetPokl, adNazev, celkem, popis, vydej, str30Free,
        typBarvy, vystavil;
};

void fillRow(MemTable &rows, const RowFields &f, int row, const EditedRowSources &sources, TBFTable &table)
{
    auto text = [&](int field, QStringView source) {
        if (!source.isEmpty())
            rows.setValue(row, field, table.Value(name(source)));
    };
    auto date = [&](int field, QStringView source) {
        if (!source.isEmpty())
            rows.setValue(row, field, dateValue(table.Value(name(source))));
    };
    rows.setValue(row, f.recNo, table.RecNo());
    text(f.doklad, sources.doklad);
    text(f.cislo, sources.cislo);
    date(f.datVyst, sources.datVyst);
    date(f.datUcPr, sources.datUcPr);
    date(f.datPlat, sources.datPlat);
    date(f.datPln, sources.datPln);
    text(f.ucetPokl, sources.ucetPokl);
    text(f.adNazev, sources.adNazev);
    text(f.celkem, sources.celkem);
    text(f.popis, sources.popis);
    if (!sources.vydej.isEmpty()) {
        const bool vydej = table.Value(name(sources.vydej)).toBool();
        rows.setValue(row, f.vydej, vydej);
        rows.setValue(row, f.str30Free, vydej ? u"Výdej"_s : u"Příjem"_s);
    }
    text(f.vystavil, sources.vystavil);
}

} // namespace

void EditedCounts::add(int typBarvy)
{
    if (typBarvy == 2)
        ++totalChanged;
    else if (typBarvy == 1)
        ++edited;
    else
        ++notEdited;
}

bool isDocumentSelected(const EditedModule &module, TBFTable &table, const EditedSettings &settings)
{
    if (table.Value(name(module.keyField)).toString().trimmed().isEmpty())
        return false;
    if (!module.deletionField.isEmpty() && table.Value(name(module.deletionField)).toBool())
        return false;
    if (!module.typeField.isEmpty() && table.Value(name(module.typeField)).toString() != module.typeCode)
        return false;
    if (settings.dateFilter) {
        const DayNumber date = DayNumber::fromDateTime(table.Value(name(module.dateField)).toDateTime());
        if (date.isEmpty())
            return false;
        const int day = date.day();
        if (day < DayNumber::fromDate(settings.dateFrom).day() || day > DayNumber::fromDate(settings.dateTo).day())
            return false;
    }
    return true;
}

int loadEditedDocuments(OperationSession &session, const EditedSettings &settings, MemTable &rows, EditedCounts &counts)
{
    const EditedModule *module = EditedModules::find(settings.module);
    if (!module)
        return -1;
    const RunContext &context = session.runContext();
    rows.setFilter(nullptr);
    rows.setSortFields(QString());
    rows.clear();
    counts = EditedCounts();

    TBFTable table;
    const QString tablePath = context.yearDir + name(module->table);
    if (table.Open(tablePath) != 0) {
        ui().error(u"Nastala chyba při otevírání databáze "_s + tablePath + u".DAT"_s);
        return -1;
    }
    TBFTable log;
    const QString logPath = context.dataRoot + u"GLAKCE"_s;
    if (log.Open(logPath) != 0) {
        table.Close();
        ui().error(u"Nastala chyba při otevírání databáze "_s + logPath + u".DAT"_s);
        return -1;
    }
    if (log.SetIndex(actionLogIndex()) != 0) {
        table.Close();
        log.Close();
        ui().error(u"Nastala chyba při nastavení indexu v "_s + logPath + u".DAT"_s);
        return -1;
    }

    const QString title = name(module->title);
    const QString keyField = name(module->keyField);
    const QString totalField = name(module->totalField);
    const int recordCount = table.RecordCount();
    if (recordCount > 0) {
        ProgressBarScope progress(session.progress(), recordCount);
        progress.setProgress(0, u"Načítám "_s + title + u"..."_s);
        ui().processEvents();

        // The log's records of this module, company and year, read once,
        // with only the fields these settings classify by.
        ActionLog actionLog;
        actionLog.load(log, context.agendaCode, context.yearCode, name(module->listCode),
                       ActionLogFields{settings.useChangeFrom, settings.ignoreOwn});

        const RowFields fields(rows);
        // One reset for the whole load, also when the engine raises.
        struct UpdateScope
        {
            explicit UpdateScope(MemTable &table) : m_table(table) { m_table.beginUpdate(); }
            ~UpdateScope() { m_table.endUpdate(); }
            MemTable &m_table;
        } updateScope(rows);
        int appended = 0;
        table.GoTop();
        while (!table.Eof()) {
            if (isDocumentSelected(*module, table, settings)) {
                const int row = rows.append();
                fillRow(rows, fields, row, module->sources, table);
                const int typBarvy = classifyDocument(actionLog, table.Value(keyField).toString(), settings.changeFrom,
                                                      settings.useChangeFrom, context.userName, settings.ignoreOwn,
                                                      table.Value(totalField).toDouble());
                rows.setValue(row, fields.typBarvy, typBarvy);
                counts.add(typBarvy);
                ++appended;
                if (appended % 10 == 0) {
                    ui().processEvents();
                    progress.setProgress(appended);
                }
                if (session.interruptRequested)
                    break;
            }
            if (table.Skip() == HostResult::PastEnd)
                break;
        }
    }
    return 0;
}
