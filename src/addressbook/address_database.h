#pragma once

// The address book file: records of 30 strings, 30 shared field labels and the standard address,
// kept in "AdrDB.dat" in the program folder.

#include "addressbook/address_list.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vellamo::addressbook {

inline const QString AddressDatabaseFileName = QStringLiteral("AdrDB.dat");

struct AddressBookFile {
    AddressList records;
    std::array<std::string, LabelCount> labels;
    // How many labels the data held whole.
    int labelsRead = 0;
    std::int32_t standardIndex = 0;
    // False when the data ended early or held an impossible length; what came before is kept.
    bool complete = false;
    // The number of addresses the data says it holds; -1 when not even that could be read.
    std::int32_t statedCount = -1;
};

QByteArray addressBookToBytes(const AddressList& records, const std::array<std::string, LabelCount>& labels,
                              std::int32_t standardIndex);
AddressBookFile addressBookFromBytes(const QByteArray& bytes);

// The whole file; false when it cannot be opened (then `book` is untouched).
bool readAddressBookFile(const QString& path, AddressBookFile& book);
// Written through a save file, so a failed write keeps the previous file.
bool writeAddressBookFile(const QString& path, const AddressList& records,
                          const std::array<std::string, LabelCount>& labels, std::int32_t standardIndex);

}  // namespace vellamo::addressbook
