#include "ops/renumber/RenumberList.h"

#include "app/core/OperationSession.h"
#include "app/core/ProgressGuards.h"
#include "common/UiSeam.h"
#include "hostdb/HostTable.h"

using namespace Qt::StringLiterals;

namespace RenumberModules {

QString tableName(RenumberModule module)
{
    return module == RenumberModule::Cash ? u"POKLKNIH"_s : u"INTDOKL"_s;
}

QString moduleText(RenumberModule module)
{
    return module == RenumberModule::Cash ? u"pokladní doklady"_s : u"interní doklady"_s;
}

QString journalSource(RenumberModule module)
{
    return module == RenumberModule::Cash ? u"PK"_s : u"ID"_s;
}

} // namespace RenumberModules

namespace {

struct ColumnPlan
{
    const char16_t *field;
    FieldType type;
    int size;
    const char16_t *cashCaption; // nullptr: not shown for cash documents
    int cashWidth;
    const char16_t *internalCaption; // nullptr: not shown for internal documents
    int internalWidth;
};

// The shown fields in column order (internal documents show a subsequence of
// the cash columns, so one field order serves both), then the hidden ones.
constexpr ColumnPlan kColumns[] = {
    {u"Doklad", FieldType::String, 10, u"Doklad", 108, u"Doklad", 108},
    {u"DatVyst", FieldType::DateTime, 0, u"Dat. vystavení", 105, nullptr, 0},
    {u"DatUcPr", FieldType::DateTime, 0, u"Dat. úč. případu", 116, u"Dat. úč. případu", 116},
    {u"DatPlat", FieldType::DateTime, 0, u"Dat. platby", 85, nullptr, 0},
    {u"DatPln", FieldType::DateTime, 0, u"Dat. plnění DPH", 116, u"Dat. plnění DPH", 116},
    {u"Cislo", FieldType::Integer, 0, u"Řádek", 60, u"Řádek", 60},
    {u"UcetPokl", FieldType::String, 10, u"Pokladna", 80, nullptr, 0},
    {u"AdNazev", FieldType::String, 50, u"Adresa - název", 180, u"Adresa - název", 180},
    {u"Celkem", FieldType::Float, 0, u"Celkem s DPH", 110, u"Celkem s DPH", 110},
    {u"Popis", FieldType::String, 50, u"Popis", 210, u"Popis", 210},
    {u"Str30Free", FieldType::String, 30, u"Druh dokladu", 100, nullptr, 0},
    {u"XDoklad", FieldType::Integer, 0, u"# Dokl.", 50, u"# Dokl.", 50},
    {u"RecNo", FieldType::Integer, 0, nullptr, 0, nullptr, 0},
    {u"DokladPuv", FieldType::String, 10, nullptr, 0, nullptr, 0},
    {u"Vydej", FieldType::Boolean, 0, nullptr, 0, nullptr, 0},
    {u"Uzamceni", FieldType::Boolean, 0, nullptr, 0, nullptr, 0},
    {u"Sufix", FieldType::Integer, 0, nullptr, 0, nullptr, 0},
    {u"SufixPuv", FieldType::Integer, 0, nullptr, 0, nullptr, 0},
    {u"Nove", FieldType::Boolean, 0, nullptr, 0, nullptr, 0},
};

} // namespace

void defineRenumberList(MemTable &list, RenumberModule module, bool doubleEntry)
{
    const bool cash = module == RenumberModule::Cash;
    for (const ColumnPlan &plan : kColumns) {
        FieldDef field;
        field.name = QString::fromUtf16(plan.field);
        field.type = plan.type;
        field.size = plan.size;
        const char16_t *caption = cash ? plan.cashCaption : plan.internalCaption;
        field.visible = caption != nullptr;
        if (caption)
            field.displayLabel = QString::fromUtf16(caption);
        field.displayWidth = cash ? plan.cashWidth : plan.internalWidth;
        list.addField(field);
    }
    list.field(list.fieldIndex(u"Celkem"_s)).displayFormat = u"# ### ### ##0.00"_s;
    if (!cash && !doubleEntry)
        list.field(list.fieldIndex(u"DatUcPr"_s)).displayLabel = u"Dat. vystavení"_s;
}

RenumberListLoader::RenumberListLoader(OperationSession &session, RenumberModule module, const QString &seriesPrefix)
    : m_session(session), m_module(module), m_seriesPrefix(seriesPrefix)
{}

int RenumberListLoader::load(MemTable &list)
{
    m_interrupted = false;
    TBFTable table;
    const QString path = m_session.runContext().yearDir + RenumberModules::tableName(m_module);
    if (table.Open(path) != 0) {
        ui().error(u"Nastala chyba při otevírání databáze "_s + path + u".DAT"_s);
        return -1;
    }

    const bool cash = m_module == RenumberModule::Cash;
    struct Target
    {
        const char16_t *listField;
        const char16_t *hostField;
        int index = -1;
    };
    // The fields every listed record fills, with the host field each comes
    // from; cash documents fill more.
    std::vector<Target> targets = {{u"RecNo", nullptr},        {u"Doklad", u"Doklad"},   {u"DokladPuv", u"Doklad"},
                                   {u"Cislo", u"Cislo"},       {u"DatUcPr", u"DatUcPr"}, {u"DatPln", u"DatPln"},
                                   {u"AdNazev", u"AdNazev"},   {u"Celkem", u"Celkem"},   {u"Popis", u"Popis"},
                                   {u"Uzamceni", u"Uzamceni"}, {u"Sufix", u"DCislo"},    {u"SufixPuv", u"DCislo"}};
    if (cash) {
        targets.push_back({u"DatVyst", u"DatVyst"});
        targets.push_back({u"DatPlat", u"DatPlat"});
        targets.push_back({u"UcetPokl", u"Pokl"});
        targets.push_back({u"Vydej", u"Vydej"});
    }
    for (Target &target : targets)
        target.index = list.fieldIndex(QString::fromUtf16(target.listField));
    const int nove = list.fieldIndex(u"Nove"_s);
    const int kind = list.fieldIndex(u"Str30Free"_s);
    const int vydej = list.fieldIndex(u"Vydej"_s);

    const int count = table.RecordCount();
    list.beginUpdate();
    if (count > 0) {
        ProgressBarScope progress(m_session.progress(), count);
        progress.setProgress(0, u"Načítám "_s + RenumberModules::moduleText(m_module) + u"..."_s);
        ui().processEvents();
        const int prefixLength = int(m_seriesPrefix.size());
        int listed = 0;
        table.GoTop();
        while (!table.Eof()) {
            const QString number = table.Value(u"Doklad"_s).toString();
            if (!number.isEmpty() && !table.Value(u"Del"_s).toBool() &&
                number.left(prefixLength).toUpper() == m_seriesPrefix) {
                if (listed % 10 == 0) {
                    ui().processEvents();
                    progress.setProgress(listed);
                }
                const int row = list.append();
                for (const Target &target : targets) {
                    const QVariant value =
                        target.hostField ? table.Value(QString::fromUtf16(target.hostField)) : QVariant(table.RecNo());
                    list.setValue(row, target.index, value);
                }
                list.setValue(row, nove, false);
                if (cash)
                    list.setValue(row, kind, list.value(row, vydej).toBool() ? u"Výdej"_s : u"Příjem"_s);
                ++listed;
                if (m_session.interruptRequested) {
                    m_interrupted = true;
                    break;
                }
            }
            if (table.Skip() != 0)
                break;
        }
    }
    list.endUpdate();
    list.first();
    return m_interrupted ? -1 : 0;
}

void numberAuxiliaryOrder(MemTable &list, OperationProgress &progress)
{
    if (list.isEmpty())
        return;
    WorkingOverlay working(progress, u"Změna třídění\rčekejte prosím..."_s);
    const int field = list.fieldIndex(u"XDoklad"_s);
    list.beginUpdate();
    for (int row = 0; row < list.recordCount(); ++row)
        list.setValue(row, field, row + 1);
    list.endUpdate();
}

void revertProposalRows(MemTable &list, RenumberState &state)
{
    const int doklad = list.fieldIndex(u"Doklad"_s);
    const int dokladPuv = list.fieldIndex(u"DokladPuv"_s);
    const int sufix = list.fieldIndex(u"Sufix"_s);
    const int sufixPuv = list.fieldIndex(u"SufixPuv"_s);
    const int nove = list.fieldIndex(u"Nove"_s);
    list.beginUpdate();
    for (int row = 0; row < list.recordCount(); ++row) {
        list.setValue(row, doklad, list.value(row, dokladPuv));
        list.setValue(row, sufix, list.value(row, sufixPuv));
        list.setValue(row, nove, false);
    }
    list.endUpdate();
    state.proposalExists = false;
}

QString sortFieldOf(const MemTable &list)
{
    return QString(list.sortFields()).remove(u";RecNo"_s, Qt::CaseInsensitive);
}
