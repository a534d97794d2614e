#pragma once

#include <QString>

// The template reader: `TSestavaTyp::setPredloha` reads a template's lines
// into the report model (`parseTemplate` and the record readers, defined in
// TemplateReader.cpp). Here: the record tags the reader and the writer share
// and the character grid of the character mode.
namespace TemplateReader {

// The first field of a record line: "I" settings, "F" user function, "D<n>"
// a detail template's line; the section tags come from
// `TSestavaTyp::sectionTag`.
inline const QString kHeaderTag = QStringLiteral("I");
inline const QString kFunctionTag = QStringLiteral("F");
inline const QString kDetailTag = QStringLiteral("D");

// The character grid, in units: the cell width of a pitch (0 10 cpi, 1 12 cpi,
// 2 17 cpi) and the row height of a line spacing (0 6 lpi, 1 4 lpi, 2 3 lpi);
// an unknown value counts as the default (12 cpi, 6 lpi).
int columnWidthOfPitch(int pitch);
int rowHeightOfSpacing(int lineSpacing);

} // namespace TemplateReader
