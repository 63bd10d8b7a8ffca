#pragma once

// The address book model: the list of addresses, the current address and its working copy,
// the shared field labels and the standard address. The Addresses page shows and edits it;
// placeholders, the command line and the template assistant read it. No widget holds any of
// these values.

#include "addressbook/address_database.h"
#include "render/placeholders.h"

#include <QObject>
#include <QString>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vellamo::addressbook {

class AddressBook : public QObject {
    Q_OBJECT
public:
    explicit AddressBook(QObject* parent = nullptr);

    const AddressList& records() const { return m_records; }
    int count() const { return int(m_records.size()); }
    bool inList(int index) const { return index >= 0 && index < count(); }

    // The address shown in the working copy, -1 for none.
    int currentIndex() const { return m_current; }
    std::int32_t standardIndex() const { return m_standard; }
    void setStandardIndex(std::int32_t index);
    // Cards show placeholders filled only while this holds.
    bool hasCurrentAddress() const { return m_current >= 0 && !m_records.empty(); }

    // The working copy of the current address: rows 1..29 and the logo file name. Rows outside
    // read as empty and are not stored.
    const std::string& value(int row) const;
    void setValue(int row, const std::string& value);
    const std::string& logoFileName() const { return m_logo; }
    void setLogoFileName(const std::string& name);
    // Rows 1..30; the 30th has no row on screen but is kept as the file had it.
    const std::string& label(int row) const;
    void setLabel(int row, const std::string& label);

    // Replaces list, labels and standard index with the file's; a file that cannot be opened
    // changes nothing. The current index stays.
    bool LoadAllNames(const QString& path);
    // The same for a file already read.
    void LoadAllNames(const AddressBookFile& book);
    // Stores the working copy into the current record first. Failures are silent.
    bool SaveAllNames(const QString& path);
    void FreeAllNames();
    // Between the working copy and a record; indexes outside the list do nothing.
    void LoadFromDB(int index);
    void SaveToDB(int index);

    // Switches the current address: the old working copy goes into its record, the new
    // record (when it lies in the list) into the working copy.
    void ChangeAktName(int index);
    // Appends an address named so, optionally with the working copy's values, and makes it
    // current. Returns its index.
    int NewAddress(const std::string& firstName, const std::string& lastName, bool takeOverValues);
    // Removes the current address; the standard becomes 0 when it was the one removed, and
    // address 0 (if any is left) becomes current. When none is left the working copy is
    // emptied. Nothing happens without a current address in the list.
    bool DeleteCurrentAddress();
    // Appends records (an import) without changing the current address.
    void appendRecords(AddressList records);

    // What the file is to hold: the working copy goes into the current record first.
    AddressBookFile storedContent();
    // Takes a book merged with what another program wrote; `oursToMerged` maps each old index
    // to its new one (-1 when the address is gone), so the current address stays current.
    void takeMerged(const AddressBookFile& merged, const std::vector<int>& oursToMerged);

    // "Last Name", a space, "First Name" of a stored record, the last name cut to 255 bytes.
    std::string entryText(int index) const;
    // The 29 fields of the working copy as GetRepStr takes them.
    render::PlaceholderFields placeholderFields() const;
    // The same for a stored record (empty outside the list): what a merge fills each card with.
    render::PlaceholderFields placeholderFields(int index) const;

signals:
    // The list was rebuilt: reloaded, an address added or removed.
    void listChanged();
    void currentChanged(int index);
    void standardChanged(int index);
    // Row 0 stands for the whole working copy (an address was loaded into it).
    void valueChanged(int row);
    void logoFileNameChanged();
    void labelChanged(int row);
    // After any of the above: what draws placeholders repaints.
    void changed();

private:
    AddressList m_records;
    std::array<std::string, AddressFieldCount> m_values;
    std::string m_logo;
    std::array<std::string, LabelCount> m_labels;
    std::int32_t m_standard = 0;
    int m_current = -1;
};

}  // namespace vellamo::addressbook
