#include "addressbook/address_database.h"

#include "document/binary_io.h"
#include "imaging/safe_file_write.h"

#include <QFile>
#include <algorithm>
#include <cstring>
#include <optional>

namespace vellamo::addressbook {

using document::appendInt32;
using document::ByteReader;

namespace {

void appendString(QByteArray& bytes, const std::string& text)
{
    appendInt32(bytes, std::int32_t(text.size()));
    bytes.append(text.data(), qsizetype(text.size()));
    bytes.append('\0');
}

// Length, bytes and the zero byte; the text ends at its first zero byte. Nothing for a
// negative length or one beyond the data.
std::optional<std::string> readString(ByteReader& in)
{
    const auto length = in.int32();
    if (!length || *length < 0 || in.remaining() < qsizetype(*length) + 1)
        return std::nullopt;
    const QByteArray raw = *in.bytes(qsizetype(*length) + 1);
    const auto end = std::find(raw.constBegin(), raw.constBegin() + *length, '\0');
    return std::string(raw.constBegin(), end);
}

bool validRow(int row, int rows) { return row >= 1 && row <= rows; }

}  // namespace

std::string PlainWorkingCopy::value(int row) const
{
    return validRow(row, AddressFieldCount) ? values[std::size_t(row - 1)] : std::string();
}

void PlainWorkingCopy::setValue(int row, const std::string& value)
{
    if (validRow(row, AddressFieldCount))
        values[std::size_t(row - 1)] = value;
}

std::string PlainWorkingCopy::label(int row) const
{
    return validRow(row, LabelCount) ? labels[std::size_t(row - 1)] : std::string();
}

void PlainWorkingCopy::setLabel(int row, const std::string& label)
{
    if (validRow(row, LabelCount))
        labels[std::size_t(row - 1)] = label;
}

QByteArray addressBookToBytes(const std::vector<AddressRecord>& records,
                              const std::array<std::string, LabelCount>& labels, std::int32_t standardIndex)
{
    QByteArray bytes;
    appendInt32(bytes, std::int32_t(records.size()));
    for (const AddressRecord& record : records) {
        for (const std::string& s : record.strings)
            appendString(bytes, s);
    }
    for (const std::string& label : labels)
        appendString(bytes, label);
    appendInt32(bytes, standardIndex);
    return bytes;
}

AddressBookFile addressBookFromBytes(const QByteArray& bytes)
{
    AddressBookFile book;
    ByteReader in(bytes);
    const auto count = in.int32();
    if (!count || *count < 0)
        return book;
    // An empty record takes 150 bytes, so the data bounds what may be reserved.
    book.records.reserve(std::size_t(std::min<qsizetype>(*count, in.remaining() / 150)));
    for (std::int32_t i = 0; i < *count; ++i) {
        AddressRecord record;
        for (std::string& s : record.strings) {
            auto read = readString(in);
            if (!read)
                return book;
            s = std::move(*read);
        }
        book.records.push_back(std::move(record));
    }
    for (std::string& label : book.labels) {
        auto read = readString(in);
        if (!read)
            return book;
        label = std::move(*read);
        ++book.labelsRead;
    }
    const auto standard = in.int32();
    if (!standard)
        return book;
    book.standardIndex = *standard;
    book.complete = true;
    return book;
}

bool AddressDatabase::LoadAllNames(const QString& path, AddressWorkingCopy& workingCopy)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    AddressBookFile book = addressBookFromBytes(file.readAll());
    records = std::move(book.records);
    for (int k = 1; k <= book.labelsRead; ++k)
        workingCopy.setLabel(k, book.labels[std::size_t(k - 1)]);
    standardIndex = book.standardIndex;
    return true;
}

bool AddressDatabase::SaveAllNames(const QString& path, const AddressWorkingCopy& workingCopy)
{
    SaveToDB(currentIndex, workingCopy);
    std::array<std::string, LabelCount> labels;
    for (int k = 1; k <= LabelCount; ++k)
        labels[std::size_t(k - 1)] = workingCopy.label(k);
    return imaging::writeFileSafely(path, addressBookToBytes(records, labels, standardIndex)).written();
}

void AddressDatabase::LoadFromDB(int index, AddressWorkingCopy& workingCopy) const
{
    if (index < 0 || index >= int(records.size()))
        return;
    const AddressRecord& record = records[std::size_t(index)];
    for (int row = 1; row <= AddressFieldCount; ++row)
        workingCopy.setValue(row, record.strings[std::size_t(row - 1)]);
    workingCopy.setLogoFileName(record.strings[LogoStringIndex]);
}

void AddressDatabase::SaveToDB(int index, const AddressWorkingCopy& workingCopy)
{
    if (index < 0 || index >= int(records.size()))
        return;
    AddressRecord& record = records[std::size_t(index)];
    for (int row = 1; row <= AddressFieldCount; ++row)
        record.strings[std::size_t(row - 1)] = workingCopy.value(row);
    record.strings[LogoStringIndex] = workingCopy.logoFileName();
}

render::PlaceholderFields placeholderFields(const AddressWorkingCopy& workingCopy)
{
    render::PlaceholderFields fields;
    fields.reserve(AddressFieldCount);
    for (int row = 1; row <= AddressFieldCount; ++row)
        fields.push_back(
            {AddressFieldNames[std::size_t(row - 1)], workingCopy.value(row), workingCopy.label(row)});
    return fields;
}

}  // namespace vellamo::addressbook
