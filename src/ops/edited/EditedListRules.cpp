#include "ops/edited/EditedListRules.h"

using namespace Qt::StringLiterals;

namespace EditedListRules {

std::optional<RowColours> highlightColour(int typBarvy)
{
    if (typBarvy == 1)
        return RowColours{QColor(159, 159, 0), QColor(121, 121, 0), QColor(Qt::white)};
    if (typBarvy == 2)
        return RowColours{QColor(255, 0, 0), QColor(128, 0, 0), QColor(Qt::white)};
    return std::nullopt;
}

QStringList choiceTexts()
{
    return {u"všechny opravené doklady"_s, u"pouze doklady s opravenou cenou"_s, u"doklady bez opravy"_s};
}

bool choiceShows(Choice choice, int typBarvy)
{
    switch (choice) {
    case Choice::AllEdited:
        return typBarvy > 0;
    case Choice::TotalChanged:
        return typBarvy == 2;
    case Choice::NotEdited:
        return typBarvy == 0;
    }
    return true;
}

MemTable::RowFilter rowFilter(Choice choice)
{
    return [choice](const MemTable &table, int storageRow) {
        return choiceShows(choice, table.storageValue(storageRow, table.fieldIndex(u"TypBarvy"_s)).toInt());
    };
}

ActionStates actionStates(int visibleRows, bool printAvailable)
{
    const bool any = visibleRows > 0;
    return {any, any && printAvailable, any};
}

QString actionText(const QString &kodAkce)
{
    if (kodAkce == u"P"_s)
        return u"Přidání"_s;
    if (kodAkce == u"Z"_s)
        return u"Změna"_s;
    if (kodAkce == u"R"_s)
        return u"Zrušení"_s;
    if (kodAkce == u"O"_s)
        return u"Odstorno"_s;
    if (kodAkce == u"S"_s)
        return u"Storno"_s;
    if (kodAkce == u"X"_s)
        return u"Ostatní"_s;
    return QString();
}

} // namespace EditedListRules
