#include "addressbook/address_database.h"

#include "document/binary_io.h"
#include "imaging/regular_file.h"
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

}  // namespace

QByteArray addressBookToBytes(const AddressList& records, const std::array<std::string, LabelCount>& labels,
                              std::int32_t standardIndex)
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
    book.statedCount = *count;
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

bool readAddressBookFile(const QString& path, AddressBookFile& book)
{
    const auto bytes = imaging::readRegularFile(path, imaging::MaxProgramFolderFileBytes);
    if (!bytes)
        return false;
    book = addressBookFromBytes(*bytes);
    return true;
}

bool writeAddressBookFile(const QString& path, const AddressList& records,
                          const std::array<std::string, LabelCount>& labels, std::int32_t standardIndex)
{
    return imaging::writeFileSafely(path, addressBookToBytes(records, labels, standardIndex)).written();
}

}  // namespace vellamo::addressbook
