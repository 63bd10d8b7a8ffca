#pragma once

// CSV files with a header row to address records, and the book as CSV.
//
// The delimiter is the one of ',', ';' and tab that the header row uses most; quoted cells
// may hold delimiters, doubled quotes and line breaks. Text is UTF-8 when it is valid UTF-8
// (a byte-order mark is dropped), Windows-1252 otherwise.

#include "addressbook/address_exchange.h"

#include <QByteArray>

namespace vellamo::addressbook {

// A row of more cells than this is taken for damage.
inline constexpr int MaxCsvColumns = 1000000;

// Cuts CSV bytes into rows one at a time, without decoding the whole file first. `bytes` must
// outlive the reader.
class CsvReader {
public:
    explicit CsvReader(const QByteArray& bytes);
    char delimiter() const { return m_delimiter; }
    // The next row that is not blank and the line it starts in; false at the end and where the
    // file is damaged (an unclosed quote, a row of more than MaxCsvColumns cells).
    bool next(QStringList& row, int& line);
    // 0 while nothing was damaged.
    int damagedLine() const { return m_damagedLine; }
    const QString& damage() const { return m_damage; }

private:
    QString decoded(const QByteArray& cell) const;

    const QByteArray& m_bytes;
    qsizetype m_at = 0;
    bool m_utf8 = true;
    char m_delimiter = ',';
    int m_line = 1;
    int m_damagedLine = 0;
    QString m_damage;
};

// The header and at most `rowLimit` rows.
CsvTable readCsvTable(const QByteArray& bytes, std::size_t rowLimit = std::size_t(-1));

// For each column the address string its header names, from common English and German
// headings and the book's own field names ("Logo" for the logo file name); each string is
// given to the first column that names it, -1 for the others.
CsvMapping guessCsvMapping(const QStringList& header);

// One record per row that fills a field. Cells of unmapped columns, and of a column whose
// string an earlier column already filled, are counted as unplaced under their heading.
ImportedAddresses csvRecords(const CsvTable& table, const CsvMapping& mapping);
// The same for every row of a whole file, read a row at a time.
ImportedAddresses readCsvAddresses(const QByteArray& bytes, const CsvMapping& mapping);

// The 29 field names and "Logo" as the header row, then one row per record; UTF-8 with a
// byte-order mark, comma separated, CRLF.
QByteArray writeCsv(const AddressList& records);

// "(not imported)", then the 29 field names and "Logo": what the mapping dialog offers, in
// the order of the strings (-1 first).
QString csvTargetName(int target);

}  // namespace vellamo::addressbook
