#pragma once

#include <QString>

#include <array>

// The wizard's operations, in the order of their rows on the operation page
// (the order in which the dispatch looks at the radio buttons): the five of
// the host's add-on and the restore of the snapshots the data-changing ones
// take.
enum class Operation { SequenceCheck, Renumber, Purge, EditedDocuments, Balances, Restore };

struct OperationRow
{
    Operation operation;
    const char16_t *radioName; // the radio button's object name
    const char16_t *caption;
    bool safe; // green marker: never changes the host's data
    const char16_t *description;
};

inline constexpr std::array<OperationRow, 6> kOperationRows = {{
    {Operation::SequenceCheck, u"rbKontrPosloupnosti", u"zkontrolovat posloupnost číselných řad", true,
     u"Informativní kontrola, která vám pomůže odhalit např. chybějící číslo dokladu"},
    {Operation::Renumber, u"rbPrecislovani", u"přečíslovat pokladní nebo interní doklady", false,
     u"Přečísluje vybrané záznamy tak, aby číslování pokladních nebo interních dokladů odpovídalo datumové "
     u"skutečnosti. Funkci používejte pouze výjimečně!"},
    {Operation::Purge, u"rbOdstrSmaz", u"odstranit smazané doklady", false,
     u"Trvale odstraní smazané účetní doklady (modře přeškrtnuté). Volitelně také odstraňuje tzv. volné řádky v "
     u"penežním, resp. účetním deníku."},
    {Operation::EditedDocuments, u"rbBarOdlisOpr", u"barevně odlišit opravované doklady", true,
     u"Zobrazí náhled seznamu dokladů a barevně zvýrazní záznamy, které byly po uložení otevřeny a přeuloženy, "
     u"případně u kterých se změnila celková cena. Tato kontrola tedy může odhalit např. doklady, které změnily "
     u"zůstatky v účetnictví až po účetní nebo DPH uzávěrce."},
    {Operation::Balances, u"rbStavUctuPokladen", u"zobrazit stav bankovních účtů a pokladen po dnech", true,
     u"Funkce slouží k získání rychlého přehledu o okamžitém stavu finančních prostředků na všech bankovních účtech "
     u"a pokladnách po dnech."},
    {Operation::Restore, u"rbObnovaZalohy", u"obnovit tabulky ze zálohy", false,
     u"Vrátí tabulky do stavu ze zálohy, kterou doplněk pořizuje před každým přečíslováním a odstraněním "
     u"smazaných dokladů. Před obnovou uloží současný stav, takže i obnovu lze vrátit."},
}};
