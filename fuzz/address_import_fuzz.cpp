// vCard and CSV files to import: any bytes are read without a crash, and what was read, written
// out again, reads back as the same records.

#include "addressbook/csv_format.h"
#include "addressbook/vcard_format.h"
#include "fuzz_support.h"

using namespace vellamo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = fuzzing::inputBytes(data, size);

    const addressbook::ImportedAddresses cards = addressbook::readVcards(bytes);
    const addressbook::ImportedAddresses cardsAgain =
        addressbook::readVcards(addressbook::writeVcards(cards.records));
    // A file without any card is damage to the reader; the book written from it is such a file.
    fuzzing::check(cards.records.empty() || cardsAgain.damagedLine == 0, "written vCards read back whole");
    fuzzing::check(cardsAgain.records == cards.records, "written vCards read back as they were");

    const addressbook::CsvTable table = addressbook::readCsvTable(bytes);
    const addressbook::ImportedAddresses rows =
        addressbook::csvRecords(table, addressbook::guessCsvMapping(table.header));
    const addressbook::CsvTable written = addressbook::readCsvTable(addressbook::writeCsv(rows.records));
    fuzzing::check(rows.records.empty() || written.damagedLine == 0, "a written CSV file reads back whole");
    const addressbook::ImportedAddresses rowsAgain =
        addressbook::csvRecords(written, addressbook::guessCsvMapping(written.header));
    fuzzing::check(rowsAgain.records == rows.records, "a written CSV file reads back as it was");

    // The import reads a row at a time; it must give what the whole table gives.
    const addressbook::ImportedAddresses streamed =
        addressbook::readCsvAddresses(bytes, addressbook::guessCsvMapping(table.header));
    fuzzing::check(streamed.records == rows.records && streamed.unplaced == rows.unplaced &&
                       streamed.damagedLine == rows.damagedLine,
                   "the streamed import reads what the whole table gives");
    return 0;
}
