// AdrDB.dat: any bytes are read without a crash; a whole book is written and read back unchanged.

#include "addressbook/address_database.h"
#include "fuzz_support.h"

using namespace vellamo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const addressbook::AddressBookFile book =
        addressbook::addressBookFromBytes(fuzzing::inputBytes(data, size));
    if (!book.complete)
        return 0;
    const QByteArray written = addressbook::addressBookToBytes(book.records, book.labels, book.standardIndex);
    const addressbook::AddressBookFile again = addressbook::addressBookFromBytes(written);
    fuzzing::check(again.complete, "a written address book reads back whole");
    fuzzing::check(addressbook::addressBookToBytes(again.records, again.labels, again.standardIndex) ==
                       written,
                   "an address book reads back as it was written");
    return 0;
}
