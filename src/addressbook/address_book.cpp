#include "addressbook/address_book.h"

#include <algorithm>

namespace vellamo::addressbook {

namespace {

const std::string NoText;

bool validRow(int row, int rows) { return row >= 1 && row <= rows; }

// Index of "First Name" and "Last Name" in a record.
constexpr std::size_t FirstNameIndex = 1;
constexpr std::size_t LastNameIndex = 2;
constexpr std::size_t EntryLastNameLength = 255;

}  // namespace

AddressBook::AddressBook(QObject* parent) : QObject(parent) {}

void AddressBook::setStandardIndex(std::int32_t index)
{
    if (index == m_standard)
        return;
    m_standard = index;
    emit standardChanged(index);
    emit changed();
}

const std::string& AddressBook::value(int row) const
{
    return validRow(row, AddressFieldCount) ? m_values[std::size_t(row - 1)] : NoText;
}

void AddressBook::setValue(int row, const std::string& value)
{
    if (!validRow(row, AddressFieldCount) || m_values[std::size_t(row - 1)] == value)
        return;
    m_values[std::size_t(row - 1)] = value;
    emit valueChanged(row);
    emit changed();
}

void AddressBook::setLogoFileName(const std::string& name)
{
    if (m_logo == name)
        return;
    m_logo = name;
    emit logoFileNameChanged();
    emit changed();
}

const std::string& AddressBook::label(int row) const
{
    return validRow(row, LabelCount) ? m_labels[std::size_t(row - 1)] : NoText;
}

void AddressBook::setLabel(int row, const std::string& label)
{
    if (!validRow(row, LabelCount) || m_labels[std::size_t(row - 1)] == label)
        return;
    m_labels[std::size_t(row - 1)] = label;
    emit labelChanged(row);
    emit changed();
}

bool AddressBook::LoadAllNames(const QString& path)
{
    AddressBookFile book;
    if (!readAddressBookFile(path, book))
        return false;
    LoadAllNames(book);
    return true;
}

void AddressBook::LoadAllNames(const AddressBookFile& book)
{
    m_records = book.records;
    for (int k = 1; k <= book.labelsRead; ++k)
        m_labels[std::size_t(k - 1)] = book.labels[std::size_t(k - 1)];
    m_standard = book.standardIndex;
    emit listChanged();
    emit labelChanged(0);
    emit standardChanged(m_standard);
    emit changed();
}

bool AddressBook::SaveAllNames(const QString& path)
{
    SaveToDB(m_current);
    return writeAddressBookFile(path, m_records, m_labels, m_standard);
}

void AddressBook::FreeAllNames()
{
    m_records.clear();
    emit listChanged();
    emit changed();
}

void AddressBook::LoadFromDB(int index)
{
    if (!inList(index))
        return;
    const AddressRecord record = m_records[std::size_t(index)];
    std::copy_n(record.strings.begin(), AddressFieldCount, m_values.begin());
    const bool logoChanged = m_logo != record.strings[LogoStringIndex];
    m_logo = record.strings[LogoStringIndex];
    emit valueChanged(0);
    if (logoChanged)
        emit logoFileNameChanged();
    emit changed();
}

void AddressBook::SaveToDB(int index)
{
    if (!inList(index))
        return;
    AddressRecord record;
    std::copy(m_values.begin(), m_values.end(), record.strings.begin());
    record.strings[LogoStringIndex] = m_logo;
    m_records.set(std::size_t(index), record);
}

void AddressBook::ChangeAktName(int index)
{
    if (index == m_current)
        return;
    SaveToDB(m_current);
    m_current = index;
    emit currentChanged(index);
    // Outside the list the working copy keeps what it holds.
    LoadFromDB(index);
    emit changed();
}

int AddressBook::NewAddress(const std::string& firstName, const std::string& lastName, bool takeOverValues)
{
    AddressRecord record;
    if (takeOverValues) {
        std::copy(m_values.begin(), m_values.end(), record.strings.begin());
        record.strings[LogoStringIndex] = m_logo;
    }
    record.strings[FirstNameIndex] = firstName;
    record.strings[LastNameIndex] = lastName;
    m_records.push_back(record);
    const int index = count() - 1;
    emit listChanged();
    ChangeAktName(index);
    return index;
}

bool AddressBook::DeleteCurrentAddress()
{
    if (!inList(m_current))
        return false;
    const int removed = m_current;
    m_records.erase(std::size_t(removed));
    if (m_standard == removed) {
        m_standard = 0;
        emit standardChanged(0);
    }
    m_current = -1;
    emit listChanged();
    emit currentChanged(-1);
    if (m_records.empty()) {
        // No address is left to show: the grid and the gallery show the empty state, not
        // values that belong nowhere.
        m_values.fill(std::string());
        const bool logoChanged = !m_logo.empty();
        m_logo.clear();
        emit valueChanged(0);
        if (logoChanged)
            emit logoFileNameChanged();
    } else {
        ChangeAktName(0);
    }
    emit changed();
    return true;
}

void AddressBook::appendRecords(AddressList records)
{
    if (records.empty())
        return;
    if (m_records.empty())
        m_records = std::move(records);
    else
        m_records.append(records);
    emit listChanged();
    emit changed();
}

AddressBookFile AddressBook::storedContent()
{
    SaveToDB(m_current);
    AddressBookFile content;
    content.records = m_records;
    content.labels = m_labels;
    content.labelsRead = LabelCount;
    content.standardIndex = m_standard;
    content.complete = true;
    content.statedCount = count();
    return content;
}

void AddressBook::takeMerged(const AddressBookFile& merged, const std::vector<int>& oursToMerged)
{
    SaveToDB(m_current);
    const int current = inList(m_current) && std::size_t(m_current) < oursToMerged.size()
                            ? oursToMerged[std::size_t(m_current)]
                            : m_current;
    m_records = merged.records;
    m_labels = merged.labels;
    m_standard = merged.standardIndex;
    m_current = current;
    emit listChanged();
    emit currentChanged(m_current);
    emit labelChanged(0);
    emit standardChanged(m_standard);
    emit changed();
}

std::string AddressBook::entryText(int index) const
{
    if (!inList(index))
        return {};
    return m_records.string(std::size_t(index), LastNameIndex).substr(0, EntryLastNameLength) + " " +
           m_records.string(std::size_t(index), FirstNameIndex);
}

render::PlaceholderFields AddressBook::placeholderFields() const
{
    render::PlaceholderFields fields;
    fields.reserve(AddressFieldCount);
    for (int row = 1; row <= AddressFieldCount; ++row)
        fields.push_back({AddressFieldNames[std::size_t(row - 1)], value(row), label(row)});
    return fields;
}

render::PlaceholderFields AddressBook::placeholderFields(int index) const
{
    render::PlaceholderFields fields;
    if (!inList(index))
        return fields;
    const AddressRecord record = m_records[std::size_t(index)];
    fields.reserve(AddressFieldCount);
    for (int row = 1; row <= AddressFieldCount; ++row)
        fields.push_back(
            {AddressFieldNames[std::size_t(row - 1)], record.strings[std::size_t(row - 1)], label(row)});
    return fields;
}

}  // namespace vellamo::addressbook
