#pragma once

// The address book: records of 30 strings, 30 shared field labels and the standard address,
// kept in "AdrDB.dat" in the program folder and read once at start, written once at shutdown.

#include "addressbook/address_fields.h"
#include "render/placeholders.h"

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

// The controls that hold the current address while it is edited (the Edit grid, the logo
// file-name edit) and the labels (the Description grid). Rows count from 1.
class AddressWorkingCopy {
public:
    virtual ~AddressWorkingCopy() = default;
    virtual std::string value(int row) const = 0;
    virtual void setValue(int row, const std::string& value) = 0;
    virtual std::string logoFileName() const = 0;
    virtual void setLogoFileName(const std::string& name) = 0;
    // Rows 1..30; the 30th has no row on screen but is kept.
    virtual std::string label(int row) const = 0;
    virtual void setLabel(int row, const std::string& label) = 0;
};

// A working copy without widgets, for the command line and tests.
class PlainWorkingCopy : public AddressWorkingCopy {
public:
    std::array<std::string, AddressFieldCount> values;
    std::string logo;
    std::array<std::string, LabelCount> labels;

    std::string value(int row) const override;
    void setValue(int row, const std::string& value) override;
    std::string logoFileName() const override { return logo; }
    void setLogoFileName(const std::string& name) override { logo = name; }
    std::string label(int row) const override;
    void setLabel(int row, const std::string& label) override;
};

struct AddressBookFile {
    std::vector<AddressRecord> records;
    std::array<std::string, LabelCount> labels;
    // How many labels the data held whole.
    int labelsRead = 0;
    std::int32_t standardIndex = 0;
    // False when the data ended early or held an impossible length; what came before is kept.
    bool complete = false;
};

QByteArray addressBookToBytes(const std::vector<AddressRecord>& records,
                              const std::array<std::string, LabelCount>& labels, std::int32_t standardIndex);
AddressBookFile addressBookFromBytes(const QByteArray& bytes);

class AddressDatabase {
public:
    std::vector<AddressRecord> records;
    std::int32_t standardIndex = 0;
    // The address shown in the working copy, -1 for none.
    int currentIndex = -1;

    // Replaces records, labels and standard index with the file's; a file that cannot be
    // opened changes nothing. The current index stays.
    bool LoadAllNames(const QString& path, AddressWorkingCopy& workingCopy);
    // Stores the working copy into the current record first. Failures are silent.
    bool SaveAllNames(const QString& path, const AddressWorkingCopy& workingCopy);
    void FreeAllNames() { records.clear(); }

    // Indexes outside the list do nothing.
    void LoadFromDB(int index, AddressWorkingCopy& workingCopy) const;
    void SaveToDB(int index, const AddressWorkingCopy& workingCopy);

    // Cards show placeholders filled only while this holds.
    bool hasCurrentAddress() const { return currentIndex >= 0 && !records.empty(); }
};

// The 29 fields of the working copy as GetRepStr takes them.
render::PlaceholderFields placeholderFields(const AddressWorkingCopy& workingCopy);

}  // namespace vellamo::addressbook
