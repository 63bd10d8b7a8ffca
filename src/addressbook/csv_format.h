#pragma once

// CSV files with a header row to address records, and the book as CSV.
//
// The delimiter is the one of ',', ';' and tab that the header row uses most; quoted cells
// may hold delimiters, doubled quotes and line breaks. Text is UTF-8 when it is valid UTF-8
// (a byte-order mark is dropped), Windows-1252 otherwise.

#include "addressbook/address_exchange.h"

#include <QByteArray>

namespace vellamo::addressbook {

CsvTable readCsvTable(const QByteArray& bytes);

// For each column the address string its header names, from common English and German
// headings and the book's own field names ("Logo" for the logo file name); each string is
// given to the first column that names it, -1 for the others.
CsvMapping guessCsvMapping(const QStringList& header);

// One record per row that fills a field. Cells of unmapped columns, and of a column whose
// string an earlier column already filled, are counted as unplaced under their heading.
ImportedAddresses csvRecords(const CsvTable& table, const CsvMapping& mapping);

// The 29 field names and "Logo" as the header row, then one row per record; UTF-8 with a
// byte-order mark, comma separated, CRLF.
QByteArray writeCsv(const std::vector<AddressRecord>& records);

// "(not imported)", then the 29 field names and "Logo": what the mapping dialog offers, in
// the order of the strings (-1 first).
QString csvTargetName(int target);

}  // namespace vellamo::addressbook
