#pragma once

#include "report/core/model/PageSetup.h"
#include "report/core/template/TemplateLines.h"

#include <QString>
#include <QStringList>

#include <functional>

class ReportModel;
class TemplateFields;
class TRastelReportElement;

// The template reader: a template's lines become a report model (settings,
// page setup, user functions, groups, elements). The record tags the reader
// and the writer share and the character grid of the character mode are
// here too.
namespace TemplateReader {

// The first field of a record line: "I" settings, "F" user function, "D<n>"
// a detail template's line; the section tags come from `sectionTag`.
inline const QString kHeaderTag = QStringLiteral("I");
inline const QString kFunctionTag = QStringLiteral("F");
inline const QString kDetailTag = QStringLiteral("D");

// The tag of the section with that id ("Z", "H", "T", "K", "P", "S<n>", "U<n>").
QString sectionTag(int sectionId);

// The character grid, in units: the cell width of a pitch (0 10 cpi, 1 12 cpi,
// 2 17 cpi) and the row height of a line spacing (0 6 lpi, 1 4 lpi, 2 3 lpi);
// an unknown value counts as the default (12 cpi, 6 lpi).
int columnWidthOfPitch(int pitch);
int rowHeightOfSpacing(int lineSpacing);

// What the reader takes from the report it reads for.
struct Context
{
    // A detail's template: its I,2 record carries no page setup, and only
    // the sections Z, T and K hold elements.
    bool detail = false;
    // The report's data fields: groups and elements may follow a field by
    // name (without regard to case); a field element's number must lie
    // within them.
    QStringList fieldNames;
    // The page setup the I,2 record is laid over (a template of major
    // version 0 carries no paper size).
    PageSetup page;
    // The description kept when the template has no I,0 record.
    QString description = QStringLiteral("Tisková úloha RASTEL");
    // Loads the picture named by a picture element's text; unset: none.
    std::function<bool(TRastelReportElement &element)> loadPicture;
};

// The model the lines describe. Every reading starts from the settings of a
// new report, so that the same lines always give the same model. Lines of
// one character or less and unknown records are skipped; the detail lines
// ("D<n>") are left to `detailLines`.
ReportModel read(const TPredloha &lines, const Context &context);

// One element record, after its section tag, as an element of `model`
// (which answers the user functions named and the template version).
TRastelReportElement readElement(TemplateFields &fields, const ReportModel &model, const Context &context);

// The lines of detail template n: the "D<n>" records without their tag.
TPredloha detailLines(const TPredloha &lines, int detail);

} // namespace TemplateReader
