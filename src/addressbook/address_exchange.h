#pragma once

// Address import and export: vCard and CSV files to and from address records, without widgets.
// Questions and the summary go through the Prompter; the CSV columns through a chooser.

#include "addressbook/address_book.h"
#include "addressbook/address_database.h"
#include "document/prompter.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

namespace vellamo::addressbook {

// What a file gave: its records, what had no place, and where reading stopped.
struct ImportedAddresses {
    AddressList records;
    // Fields without a place, by name, with how often they occurred, in the order first met.
    std::vector<std::pair<QString, int>> unplaced;
    // Where each name stands in `unplaced`.
    QHash<QString, std::size_t> unplacedIndex;
    // Characters Windows-1252 cannot hold, stored as '?'.
    int replacedCharacters = 0;
    // 0 when the file was read whole; otherwise the line where reading stopped and why.
    int damagedLine = 0;
    QString damage;

    void addUnplaced(const QString& name, int count = 1);
    // The text in Windows-1252, counting the characters that became '?'.
    std::string toAnsi(const QString& text);
};

// "2 addresses were imported." and what had no place (the first UnplacedNamesShown fields by
// name) or became "?".
inline constexpr int UnplacedNamesShown = 1000;
QString importSummary(const ImportedAddresses& imported);

enum class AddressFileType { VCard, Csv };
// ".vcf" and ".vcard" are vCards, ".csv" and ".txt" CSV; otherwise the content decides.
AddressFileType addressFileType(const QString& path, const QByteArray& start = {});

// A CSV file cut into cells; line numbers count from 1.
struct CsvTable {
    QStringList header;
    std::vector<QStringList> rows;
    // The file line each row starts in.
    std::vector<int> rowLines;
    QChar delimiter = u',';
    int damagedLine = 0;
    QString damage;
};

// The rows of a CSV file that the column chooser sees.
inline constexpr std::size_t CsvSampleRows = 100;

// Which address string (0..29, 29 the logo file name) each CSV column fills; -1 for none.
using CsvMapping = std::vector<int>;

class CsvMappingChooser {
public:
    virtual ~CsvMappingChooser() = default;
    // Shows the columns with the guessed fields and the first rows (`table` holds at most
    // CsvSampleRows of them); nothing when cancelled.
    virtual std::optional<CsvMapping> chooseMapping(const CsvTable& table, const CsvMapping& guessed) = 0;
};

inline const QString ImportCaption = QStringLiteral("Import addresses");
inline const QString ExportCaption = QStringLiteral("Export addresses");
inline const QString AddressFileFilter =
    QStringLiteral("vCard (*.vcf;*.vcard)|*.vcf;*.vcard|CSV with a header row (*.csv;*.txt)|*.csv;*.txt");

// Reads `path`: the CSV columns come from `mapping` (or as guessed without one), a damaged file
// keeps what was read before it only when the user says so, and the summary is shown. Nothing
// when the file could not be read or the user cancelled.
// The records are read one at a time into the packed list, so memory stays within a small
// multiple of the file's size.
std::optional<AddressList> importAddressFile(const QString& path, document::Prompter& ask,
                                             CsvMappingChooser* mapping);

// Writes vCard 4.0 or CSV (by the name, vCard for anything but ".csv" and ".txt"); a failed
// write leaves any previous file and is reported.
bool exportAddressFile(const AddressList& records, const QString& path, document::Prompter& ask);

// The Addresses page's buttons: ask for the file, then append to / write the whole book.
// Import returns how many records were appended; into an empty book the first of them becomes
// the current and the standard address.
int importAddresses(AddressBook& book, document::Prompter& ask, CsvMappingChooser& mapping);
bool exportAddresses(AddressBook& book, document::Prompter& ask);

}  // namespace vellamo::addressbook
