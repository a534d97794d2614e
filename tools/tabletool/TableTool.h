#pragma once

#include <QStringList>
#include <QTextStream>

// The host table tool for support staff and tests (executable tarnek-table):
//
//   tarnek-table catalogue                       the catalogue's tables and where they live
//   tarnek-table create DIR TABLE...             create empty tables from the catalogue
//   tarnek-table fields FILE                     the fields of a table: name, kind, size
//   tarnek-table indexes FILE                    the declared key expressions
//   tarnek-table dump FILE [--index EXPR] [--recno] [--delimiter C]
//                                                the records as CSV on standard output
//   tarnek-table import FILE CSV [--delimiter C] [--encoding utf-8|windows-1250]
//                                                append the records of a CSV file
//   tarnek-table lock FILE RECNO                 lock a record and hold it until standard
//                                                input closes (tests, lock diagnosis)
//   tarnek-table snapshots DIR                   the complete snapshots taken before data-
//                                                changing runs (DIR: a data root, or its
//                                                snapshots folder), oldest first
//   tarnek-table restore SNAPSHOT [--force]      put a snapshot's tables back; refused while
//                                                another process uses them, and (unless
//                                                --force) when they changed after the run
//
// FILE is a table's path with or without ".DAT", found without regard to case.
// CSV is UTF-8 (or Windows-1250 with --encoding) with a header row naming the
// fields (Csv.h); values are in the engine's exact text form (HostValues.h).
// An import is one transaction: every row is written or none, and a refused
// row is named by its line and field. The file is read a record at a time.
// Every usage error prints the usage and exits 2.
namespace TableTool {

// Runs one command (arguments without the program name); returns the exit code.
int run(const QStringList &arguments, QTextStream &out, QTextStream &err);

} // namespace TableTool
