#pragma once

#include <QByteArray>
#include <QString>

struct TSestVystup;

// RTF output: the whole report as one document of positioned frames.
namespace SestRtf {

// The web address written into the document comment.
inline constexpr char GeneratorAddress[] = "tarnek.invalid/report";

// The document for the pages from the output's first to last page.
QByteArray exportRtf(const TSestVystup &output);
// A text for RTF: backslash and braces escaped with a backslash; Windows-1250
// characters as bytes, others as Unicode escapes.
QByteArray escapeRtf(const QString &text);

} // namespace SestRtf
