#pragma once

#include <QString>

// The template writer: `TSestavaTyp::writeTemplate` writes the report model
// as the template's lines (settings "I", user functions "F", the sections'
// elements, detail templates "D<n>"), defined in TemplateWriter.cpp; reading
// the lines back gives the same model.
namespace TemplateWriter {

// A yes/no field of a record: "1" or "0" (the reader takes any non-zero number as yes).
QString flag(bool value);

} // namespace TemplateWriter
