#include "ops/edited/ActionHistory.h"

#include "common/MemTable.h"
#include "hostdb/HostTable.h"
#include "ops/edited/DocumentClassification.h"
#include "ops/edited/EditedListRules.h"

using namespace Qt::StringLiterals;

namespace ActionHistory {

namespace {
FieldDef column(const QString &name, FieldType type, int size, const QString &label, const QString &format, int width)
{
    FieldDef field;
    field.name = name;
    field.type = type;
    field.size = size;
    field.displayLabel = label;
    field.displayFormat = format;
    field.displayWidth = width;
    return field;
}
} // namespace

// Columns without a width take the grid's default width.
void defineActionRows(MemTable &rows)
{
    rows.addField(column(u"Datum"_s, FieldType::DateTime, 0, QString(), QString(), 69));
    rows.addField(column(u"Cas"_s, FieldType::DateTime, 0, u"Čas"_s, u"hh:mm"_s, 39));
    rows.addField(column(u"Akce"_s, FieldType::String, 50, QString(), QString(), 99));
    rows.addField(column(u"Cena"_s, FieldType::Float, 0, QString(), u"# ### ### ##0.00"_s, 93));
    rows.addField(column(u"Uzivatel"_s, FieldType::String, 50, u"Uživatel"_s, QString(), 154));
    rows.addField(column(u"Popis"_s, FieldType::String, 50, QString(), QString(), 0));
    rows.addField(column(u"Stanice"_s, FieldType::Integer, 0, QString(), QString(), 0));
}

namespace {
// A date-time as the row keeps it: 0 (no date) when empty or unreadable.
QVariant dateOrZero(const QVariant &value)
{
    const QDateTime dateTime = value.toDateTime();
    return dateTime.isValid() ? QVariant(dateTime) : QVariant(0.0);
}
} // namespace

void load(TBFTable &log, const QString &agendaCode, const QString &yearCode, const QString &listCode,
          const QString &documentNumber, MemTable &rows)
{
    rows.clear();
    bool found = false;
    try {
        found = log.SeekKeys({agendaCode, yearCode, listCode, documentNumber}) == HostResult::Found;
    } catch (const HostEngineError &) {
        found = false;
    }
    if (!found)
        return;
    while (logRecordMatches(log, agendaCode, yearCode, listCode, documentNumber)) {
        const int row = rows.append();
        rows.setValue(row, 0, dateOrZero(readLogField(log, u"Datum"_s)));
        rows.setValue(row, 1, dateOrZero(readLogField(log, u"Cas"_s)));
        rows.setValue(row, 2, EditedListRules::actionText(readLogField(log, u"KodAkce"_s).toString()));
        rows.setValue(row, 3, readLogField(log, u"Cena"_s).toDouble());
        rows.setValue(row, 4, readLogField(log, u"Uzivatel"_s).toString());
        rows.setValue(row, 5, readLogField(log, u"Popis"_s).toString());
        rows.setValue(row, 6, readLogField(log, u"Stanice"_s).toInt());
        if (log.Skip() == HostResult::PastEnd)
            break;
    }
}

} // namespace ActionHistory
