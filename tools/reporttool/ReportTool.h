#pragma once

#include <QStringList>
#include <QTextStream>

class LayoutProgress;

// The report tool for support staff and template authors (executable
// tarnek-report):
//
//   tarnek-report render TEMPLATE.PTS (--data FILE.csv | --table DIR/NAME)
//                 [--data NAME=FILE.csv]... [--encoding utf-8|windows-1250] [--param N=VALUE]...
//                 [--format dump|txt|rtf|html|pdf|emf|wmf] [-o OUT] [--print PRINTER [-o FILE]]
//
// lays the template out over the data and writes the result: the page dump,
// the character text, RTF, HTML (with -o one file per page, the page number
// before ".html"; on the standard output the pages in turn), PDF (needs
// -o) or metafiles (EMF or WMF, need -o: one file per page, the page number
// before the extension); "-" or no -o: standard output. The main report's data come from a CSV
// file with typed columns (CsvTable.h) or a host table; each NAME=FILE.csv
// feeds the next detail report of the template (the first one given is
// detail 0, and so on; NAME becomes its description). The CSV files are
// UTF-8: bytes that are not are refused with their line, and a file exported
// by a Windows program is read with --encoding windows-1250. --param N=VALUE sets
// parameter N (from 0). --print lays the pages out for that installed
// printer (by name) and prints them there, or with -o into that file as the
// printer's file port would (PDF; character text for a text-only printer).
// The report's own messages go to the error stream.
// A template without elements (an empty or unreadable file) still renders
// its blank pages, with "předloha neobsahuje žádné prvky" on the error stream.
// A failed export leaves no partial file and keeps an earlier one.
// Exit codes: 0 success, 1 bad data or output, 2 usage, else the report's
// result code (4 the template could not be loaded, 8 the data check failed
// or an export of one file per page had no page to write, 3 interrupted,
// 6 the print job could not be sent).
//
//   tarnek-report preview TEMPLATE.PTS (--data FILE.csv | --table DIR/NAME)
//                 [--data NAME=FILE.csv]... [--param N=VALUE]...
//
// lays the template out over the same data and shows it in the report's
// preview window (through the report's Preview: the program installs the
// window and the message boxes); 0 when the window was closed.
namespace ReportTool {

int run(const QStringList &arguments, QTextStream &out, QTextStream &err, LayoutProgress *progress = nullptr);

} // namespace ReportTool
