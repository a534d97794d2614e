#include "app/core/PickLists.h"

#include "app/core/RunContext.h"
#include "common/MemTable.h"
#include "hostdb/HostTable.h"

using namespace Qt::StringLiterals;

namespace {

PickListSource plainSource(const QString &directory, const QString &table, const QString &nameField)
{
    return {directory, table, u"Zkrat"_s, nameField, QString(), {}, QString()};
}

QString withoutTrailingBlanks(QString text)
{
    while (text.endsWith(u' '))
        text.chop(1);
    return text;
}

} // namespace

std::optional<PickListType> pickListType(int type, const RunContext &context)
{
    const QString &year = context.yearDir;
    switch (type) {
    case 1:
        return PickListType{u"Seznam činností"_s, {plainSource(year, u"SZCINN"_s, u"Nazev"_s)}};
    case 2:
        return PickListType{u"Seznam středisek"_s, {plainSource(year, u"SZSTRED"_s, u"Nazev"_s)}};
    case 3:
        return PickListType{u"Seznam zakázek"_s, {plainSource(year, u"ZAKAZKY"_s, u"Nazev"_s)}};
    case 4:
        // The stock and order type tables spell their field names padded to ten.
        return PickListType{u"Seznam typů dokladů"_s,
                            {{year, u"VFAKTTYP"_s, u"Zkratka"_s, u"Nazev"_s, QString(), {}, u"[vystavené faktury]"_s},
                             {year,
                              u"SKDOKTYP"_s,
                              u"Zkratka   "_s,
                              u"Popis     "_s,
                              u"TYP       "_s,
                              {u"P"_s, u"D"_s},
                              u"[skladové doklady]"_s},
                             {context.agendaDir,
                              u"OBJTYPY"_s,
                              u"Zkratka   "_s,
                              u"Popis     "_s,
                              u"TYP       "_s,
                              {u"R"_s, u"J"_s, u"N"_s},
                              u"[objednávky/nabídky/poptávky]"_s}}};
    case 5:
        return PickListType{u"Seznam bankovních účtů a pokladen"_s, {plainSource(year, u"SZUCPOKL"_s, u"Popis"_s)}};
    default:
        return std::nullopt;
    }
}

void definePickListTable(MemTable &list)
{
    if (list.fieldCount() > 0)
        return;
    FieldDef code;
    code.name = u"Zkratka"_s;
    code.size = 255;
    code.displayWidth = 125;
    list.addField(code);
    FieldDef name;
    name.name = u"Nazev"_s;
    name.size = 255;
    name.displayLabel = u"Název"_s;
    name.displayWidth = 346;
    list.addField(name);
}

int loadPickList(const PickListType &type, TBFTable &table, MemTable &list, QString *failedPath)
{
    definePickListTable(list);
    list.beginUpdate();
    for (const PickListSource &source : type.sources) {
        const QString path = source.directory + source.table;
        if (table.Open(path) != HostResult::Ok) {
            list.endUpdate();
            if (failedPath)
                *failedPath = path;
            return -1;
        }
        if (table.RecordCount() > 0) {
            table.GoTop();
            do {
                const bool taken = source.conditionField.isEmpty() ||
                                   source.acceptedValues.contains(
                                       withoutTrailingBlanks(table.Value(source.conditionField).toString()));
                if (taken) {
                    QString name = table.Value(source.nameField).toString();
                    if (!source.suffix.isEmpty())
                        name += u' ' + source.suffix;
                    list.append();
                    list.setValue(u"Zkratka"_s, table.Value(source.codeField).toString());
                    list.setValue(u"Nazev"_s, name);
                }
            } while (table.Skip() != HostResult::PastEnd && !table.Eof());
        }
        table.Close();
    }
    list.endUpdate();
    list.first();
    return 0;
}
