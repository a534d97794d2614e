#pragma once

#include "report/core/template/TemplateLines.h"

#include <QList>
#include <QString>

class ReportModel;
struct PageSetup;
class TRastelReportElement;

// The template writer: a report model becomes the template's lines
// (settings "I", user functions "F", the sections' elements, detail
// templates "D<n>"), in the order the reader expects them; reading the lines
// back gives the same model.
namespace TemplateWriter {

// A yes/no field of a record: "1" or "0" (the reader takes any non-zero number as yes).
QString flag(bool value);

// One element record with the given section tag.
QString elementRecord(const TRastelReportElement &element, const QString &sectionTag);

// The lines of the model. The I,2 record carries `page` (a report writes the
// process-wide page setup, which every report prints with); the templates of
// the details follow as "D<n>" records.
TPredloha write(const ReportModel &model, const PageSetup &page, const QList<TPredloha> &detailTemplates = {});

} // namespace TemplateWriter
