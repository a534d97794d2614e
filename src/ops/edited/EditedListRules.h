#pragma once

#include "common/MemTable.h"

#include <QColor>
#include <QString>
#include <QStringList>

#include <optional>

// The rules of the highlight list apart from its window.
namespace EditedListRules {

// A coloured row: white text on `background`; `selectedBackground` when the
// cell is drawn selected and nothing else (not focused).
struct RowColours
{
    QColor background;
    QColor selectedBackground;
    QColor text;
};
// nullopt for class 0 (the grid's normal colours).
std::optional<RowColours> highlightColour(int typBarvy);

// The filter's choices, in the order of its list.
enum class Choice { AllEdited = 0, TotalChanged = 1, NotEdited = 2 };
QStringList choiceTexts();
// The rows a choice shows, by `TypBarvy`.
bool choiceShows(Choice choice, int typBarvy);
MemTable::RowFilter rowFilter(Choice choice);

// What the toolbar and the pop-up menu offer for the list as it stands.
struct ActionStates
{
    bool history = false; // "Historie akcí" (and Enter, double click)
    bool print = false;   // "Tisk seznamu"
    bool copy = false;    // "Číslo dokladu do schránky"
};
// Everything needs at least one row; printing also needs the print dialog
// (`printAvailable`).
ActionStates actionStates(int visibleRows, bool printAvailable);

// The history's text of an action code ("P" "Přidání", …); empty for others.
QString actionText(const QString &kodAkce);

} // namespace EditedListRules
