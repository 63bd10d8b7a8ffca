#pragma once

// The address book file: records of 30 strings, 30 shared field labels and the standard address,
// kept in "AdrDB.dat" in the program folder.

#include "addressbook/address_fields.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vellamo::addressbook {

inline const QString AddressDatabaseFileName = QStringLiteral("AdrDB.dat");

struct AddressRecord {
    // 0..28 the field values in table order, 29 the logo file name.
    std::array<std::string, AddressStringCount> strings;
    bool operator==(const AddressRecord&) const = default;
};

struct AddressBookFile {
    std::vector<AddressRecord> records;
    std::array<std::string, LabelCount> labels;
    // How many labels the data held whole.
    int labelsRead = 0;
    std::int32_t standardIndex = 0;
    // False when the data ended early or held an impossible length; what came before is kept.
    bool complete = false;
    // The number of addresses the data says it holds; -1 when not even that could be read.
    std::int32_t statedCount = -1;
};

QByteArray addressBookToBytes(const std::vector<AddressRecord>& records,
                              const std::array<std::string, LabelCount>& labels, std::int32_t standardIndex);
AddressBookFile addressBookFromBytes(const QByteArray& bytes);

// The whole file; false when it cannot be opened (then `book` is untouched).
bool readAddressBookFile(const QString& path, AddressBookFile& book);
// Written through a save file, so a failed write keeps the previous file.
bool writeAddressBookFile(const QString& path, const std::vector<AddressRecord>& records,
                          const std::array<std::string, LabelCount>& labels, std::int32_t standardIndex);

}  // namespace vellamo::addressbook
