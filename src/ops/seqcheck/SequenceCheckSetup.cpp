#include "ops/seqcheck/SequenceCheckSetup.h"

#include "app/core/OperationSession.h"
#include "app/core/RunContext.h"
#include "common/IniFile.h"
#include "common/TextUtils.h"
#include "common/UiSeam.h"
#include "ops/seqcheck/SequenceRules.h"

#include <QSet>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

const QString kPrefixUncheck = u"PrefixUncheck"_s;

} // namespace

SequenceCheckSetup::SequenceCheckSetup() : m_mtCisRady(u"mtCisRady"_s), m_mtVolneCis(u"mtVolneCis"_s)
{
    // Only the series list's columns are visible: K, Řada, Začátek, Konec,
    // Název (the list window puts them in that order).
    const auto add = [this](const QString &name, FieldType type, int size, const QString &label, int width) {
        FieldDef field;
        field.name = name;
        field.type = type;
        field.size = size;
        field.displayLabel = label;
        field.displayWidth = width;
        field.visible = !label.isEmpty();
        return m_mtCisRady.addField(field);
    };
    add(u"Rada"_s, FieldType::String, 5, u"Řada"_s, 77);
    add(u"Cislo"_s, FieldType::Integer, 0, QString(), 0);
    add(u"Nuly"_s, FieldType::Boolean, 0, QString(), 0);
    add(u"PocetMist"_s, FieldType::Integer, 0, QString(), 0);
    add(u"Nazev"_s, FieldType::String, 50, u"Název"_s, 339);
    for (const QString &flag : seriesUsageFlags())
        add(flag, FieldType::Boolean, 0, QString(), 0);
    add(u"Start"_s, FieldType::Integer, 0, u"Začátek"_s, 0);
    add(u"End"_s, FieldType::Integer, 0, u"Konec"_s, 0);
    // The list draws the check mark picture instead of a text.
    FieldDef &checked = m_mtCisRady.field(add(u"Checked"_s, FieldType::Boolean, 0, u"K"_s, 17));
    checked.trueText = QString();
    checked.falseText = QString();

    m_mtVolneCis.addField(u"Rada"_s, FieldType::String, 5);
    m_mtVolneCis.addField(u"Nenab"_s, FieldType::Boolean);
    m_mtVolneCis.addField(u"Cislo"_s, FieldType::Integer);
}

SequenceCheckSetup::~SequenceCheckSetup() = default;

QString SequenceCheckSetup::settingsSection(const RunContext &context)
{
    return u"KONTRPOSL"_s + context.agendaCode + context.yearCode;
}

void SequenceCheckSetup::readSettings(const RunContext &context)
{
    const IniFile ini(context.configIniPath);
    const QString section = settingsSection(context);
    for (int i = 0; i < kSequenceModuleCount; ++i)
        modules[size_t(i)] = ini.ReadBool(section, QString::fromUtf16(sequenceModules()[size_t(i)].settingsKey), false);
    exclusions = TextUtils::unquoteText(ini.ReadString(section, kPrefixUncheck, QString())).toUpper();
}

bool SequenceCheckSetup::writeSettings(const RunContext &context)
{
    exclusions = exclusionList();
    IniFile ini(context.configIniPath);
    const QString section = settingsSection(context);
    bool written = true;
    for (int i = 0; i < kSequenceModuleCount; ++i)
        written =
            ini.WriteBool(section, QString::fromUtf16(sequenceModules()[size_t(i)].settingsKey), modules[size_t(i)]) &&
            written;
    return ini.WriteString(section, kPrefixUncheck, TextUtils::quoteText(exclusions)) && written;
}

// The list is kept upper-cased; the code is compared upper-cased too, so a
// series whose code holds small letters (the year placeholders "rr") keeps
// its exclusion from one opening to the next.
bool SequenceCheckSetup::isExcluded(const QString &code) const
{
    return exclusions.contains(QString(u';' + code.toUpper() + u';'));
}

QString SequenceCheckSetup::exclusionList()
{
    m_mtCisRady.setFilter(nullptr);
    const int rada = m_mtCisRady.fieldIndex(u"Rada"_s);
    const int checked = m_mtCisRady.fieldIndex(u"Checked"_s);
    QString list = u";"_s;
    for (int row = 0; row < m_mtCisRady.recordCount(); ++row) {
        if (!m_mtCisRady.value(row, checked).toBool())
            list += m_mtCisRady.value(row, rada).toString() + u';';
    }
    return list;
}

int SequenceCheckSetup::load(OperationSession &session)
{
    m_mtCisRady.setFilter(nullptr);
    m_mtCisRady.clear();
    m_mtVolneCis.setFilter(nullptr);
    m_mtVolneCis.clear();
    const QString yearDir = session.runContext().yearDir;
    const int loaded = loadSeries(session, yearDir + u"CISRADY"_s);
    if (loaded < 0)
        return -1;
    if (loaded > 0) {
        if (loadFreeNumbers(session, yearDir + u"VOLNECIS"_s) < 0)
            return -1;
        if (!m_mtVolneCis.isEmpty())
            trimSeriesEnds();
    }
    m_mtCisRady.first();
    return 0;
}

namespace {

// Appends one row to `target` per record of the table, in natural order,
// filled by `copyRow`; the table is open only meanwhile. The number of rows,
// or -1 when the table cannot be opened: the error is shown, with the
// working overlay hidden first so that it does not cover the message.
int copyHostTable(OperationProgress &progress, const QString &path, MemTable &target,
                  const std::function<void(TBFTable &)> &copyRow)
{
    TBFTable table;
    if (table.Open(path) != 0) {
        progress.showWorking(false);
        ui().error(u"Nastala chyba při otevírání databáze "_s + path + u".DAT"_s);
        return -1;
    }
    if (table.RecordCount() <= 0)
        return 0;
    target.beginUpdate();
    int count = 0;
    for (table.GoTop(); !table.Eof(); table.Skip()) {
        target.append();
        copyRow(table);
        ++count;
    }
    target.endUpdate();
    return count;
}

} // namespace

int SequenceCheckSetup::loadSeries(OperationSession &session, const QString &path)
{
    return copyHostTable(session.progress(), path, m_mtCisRady, [this](TBFTable &table) {
        for (const QString &name : {u"Rada"_s, u"Cislo"_s, u"Nuly"_s, u"PocetMist"_s, u"Nazev"_s})
            m_mtCisRady.setValue(name, table.Value(name));
        for (const QString &flag : seriesUsageFlags())
            m_mtCisRady.setValue(flag, table.Value(flag).toBool());
        m_mtCisRady.setValue(u"Start"_s, 1);
        m_mtCisRady.setValue(u"End"_s, table.Value(u"Cislo"_s).toInt() - 1);
        m_mtCisRady.setValue(u"Checked"_s, !isExcluded(table.Value(u"Rada"_s).toString()));
    });
}

int SequenceCheckSetup::loadFreeNumbers(OperationSession &session, const QString &path)
{
    return copyHostTable(session.progress(), path, m_mtVolneCis, [this](TBFTable &table) {
        m_mtVolneCis.setValue(u"Rada"_s, table.Value(u"Rada"_s));
        m_mtVolneCis.setValue(u"Nenab"_s, table.Value(u"Nenab"_s).toBool());
        m_mtVolneCis.setValue(u"Cislo"_s, table.Value(u"Cislo"_s).toInt());
    });
}

void SequenceCheckSetup::trimSeriesEnds()
{
    // The free numbers offered for re-use, by series code as stored (the host
    // writes a free number with its series' code).
    QHash<QString, QSet<qint64>> offered;
    const int freeRada = m_mtVolneCis.fieldIndex(u"Rada"_s);
    const int freeNenab = m_mtVolneCis.fieldIndex(u"Nenab"_s);
    const int freeCislo = m_mtVolneCis.fieldIndex(u"Cislo"_s);
    m_mtVolneCis.setFilter(nullptr);
    for (int row = 0; row < m_mtVolneCis.recordCount(); ++row) {
        if (!m_mtVolneCis.value(row, freeNenab).toBool())
            offered[m_mtVolneCis.value(row, freeRada).toString()].insert(
                m_mtVolneCis.value(row, freeCislo).toLongLong());
    }

    m_mtCisRady.setFilter(nullptr);
    const int rada = m_mtCisRady.fieldIndex(u"Rada"_s);
    const int start = m_mtCisRady.fieldIndex(u"Start"_s);
    const int end = m_mtCisRady.fieldIndex(u"End"_s);
    m_mtCisRady.beginUpdate();
    for (int row = 0; row < m_mtCisRady.recordCount(); ++row) {
        const SeriesBounds bounds{m_mtCisRady.value(row, start).toLongLong(), m_mtCisRady.value(row, end).toLongLong()};
        const SeriesBounds trimmed = trimSeriesEnd(bounds, offered.value(m_mtCisRady.value(row, rada).toString()));
        // A start the user set stays unless nothing is left to check.
        if (trimmed.start != bounds.start)
            m_mtCisRady.setValue(row, start, int(trimmed.start));
        m_mtCisRady.setValue(row, end, int(trimmed.end));
    }
    m_mtCisRady.endUpdate();
    m_mtCisRady.first();
}
