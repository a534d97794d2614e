#pragma once

#include "tabletool/Csv.h"

#include <QString>

class MemTable;

// Report data for the command-line tool: a CSV file or a host table read
// into an in-memory table.
namespace CsvTable {

// CSV as tarnek-table writes it (Csv.h), with typed columns: a header names
// each column as "Name:kind" with the kinds tarnek-table fields prints
// (text, text(n), integer, float, boolean, datetime, memo); a column
// without a kind is text. Values are in the table tool's text form. On a
// bad header or value returns false with the message in `error` (file,
// record, value, kind and column); the table then holds nothing. The file is
// UTF-8 or, when asked for, Windows-1250: bytes that are not text in the
// encoding are refused with their line.
bool loadCsv(const QString &path, MemTable &table, QString &error, Csv::Encoding encoding = Csv::Encoding::Utf8);

// Every record of a host table ("DIR/NAME", with or without ".DAT"), the
// fields with their kinds and the host's spelling.
bool loadHostTable(const QString &path, MemTable &table, QString &error);

} // namespace CsvTable
