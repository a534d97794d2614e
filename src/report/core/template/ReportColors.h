#pragma once

#include <QColor>
#include <QString>

// The 16 basic colours that templates refer to by index 0-15.
namespace ReportColors {

constexpr int Count = 16;

// The colour of a template index; an index outside 0-15 gives black.
QColor fromIndex(int index);
// The index written for a colour: the last table entry equal to it, 0
// (black) for a colour outside the table.
int toIndex(const QColor &colour);
// The designer's name of colour index 0-15 ("černá" …); empty outside.
QString name(int index);

} // namespace ReportColors
