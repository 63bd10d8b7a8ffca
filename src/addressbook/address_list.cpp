#include "addressbook/address_list.h"

#include <algorithm>

namespace vellamo::addressbook {

namespace {

void appendVarint(std::string& out, std::size_t value)
{
    while (value >= 0x80) {
        out.push_back(char(0x80 | (value & 0x7F)));
        value >>= 7;
    }
    out.push_back(char(value));
}

std::size_t readVarint(const std::string& bytes, std::size_t& at)
{
    std::size_t value = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(bytes[at++]);
        value |= std::size_t(byte & 0x7F) << shift;
        if (!(byte & 0x80))
            return value;
    }
}

void pack(std::string& out, const AddressRecord& record)
{
    const auto filled = std::count_if(record.strings.begin(), record.strings.end(),
                                      [](const std::string& s) { return !s.empty(); });
    out.push_back(char(filled));
    for (int k = 0; k < AddressStringCount; ++k) {
        const std::string& s = record.strings[std::size_t(k)];
        if (s.empty())
            continue;
        out.push_back(char(k));
        appendVarint(out, s.size());
        out.append(s);
    }
}

// Walks the strings of the record at `at`; `visit(which, offset, length)` for each.
template <typename Visit> std::size_t walk(const std::string& bytes, std::size_t at, Visit visit)
{
    const std::size_t start = at;
    const int filled = static_cast<unsigned char>(bytes[at++]);
    for (int i = 0; i < filled; ++i) {
        const int which = static_cast<unsigned char>(bytes[at++]);
        const std::size_t length = readVarint(bytes, at);
        visit(which, at, length);
        at += length;
    }
    return at - start;
}

}  // namespace

AddressList::AddressList(std::initializer_list<AddressRecord> records)
{
    reserve(records.size());
    for (const AddressRecord& r : records)
        push_back(r);
}

AddressList::AddressList(const std::vector<AddressRecord>& records)
{
    reserve(records.size());
    for (const AddressRecord& r : records)
        push_back(r);
}

AddressRecord AddressList::operator[](std::size_t index) const
{
    AddressRecord record;
    walk(m_bytes, std::size_t(m_starts[index]), [&](int which, std::size_t at, std::size_t length) {
        record.strings[std::size_t(which)].assign(m_bytes, at, length);
    });
    return record;
}

std::string AddressList::string(std::size_t index, int which) const
{
    std::string value;
    walk(m_bytes, std::size_t(m_starts[index]), [&](int k, std::size_t at, std::size_t length) {
        if (k == which)
            value.assign(m_bytes, at, length);
    });
    return value;
}

void AddressList::push_back(const AddressRecord& record)
{
    m_starts.push_back(m_bytes.size());
    pack(m_bytes, record);
}

std::size_t AddressList::packedSize(std::size_t index) const
{
    return walk(m_bytes, std::size_t(m_starts[index]), [](int, std::size_t, std::size_t) {});
}

void AddressList::forgetPacked(std::size_t index) { m_unused += packedSize(index); }

void AddressList::set(std::size_t index, const AddressRecord& record)
{
    if ((*this)[index] == record)
        return;
    forgetPacked(index);
    m_starts[index] = m_bytes.size();
    pack(m_bytes, record);
    compactWhenMostlyUnused();
}

void AddressList::erase(std::size_t index)
{
    forgetPacked(index);
    m_starts.erase(m_starts.begin() + std::ptrdiff_t(index));
    compactWhenMostlyUnused();
}

void AddressList::append(const AddressList& other)
{
    reserve(size() + other.size());
    for (std::size_t i = 0; i < other.size(); ++i) {
        const std::size_t length = other.packedSize(i);
        m_starts.push_back(m_bytes.size());
        m_bytes.append(other.m_bytes, std::size_t(other.m_starts[i]), length);
    }
}

void AddressList::clear()
{
    m_bytes = std::string();
    m_starts = std::vector<std::uint64_t>();
    m_unused = 0;
}

bool AddressList::operator==(const AddressList& other) const
{
    if (size() != other.size())
        return false;
    for (std::size_t i = 0; i < size(); ++i)
        if ((*this)[i] != other[i])
            return false;
    return true;
}

void AddressList::compactWhenMostlyUnused()
{
    if (m_unused < 4096 || m_unused < m_bytes.size() / 2)
        return;
    std::string packed;
    packed.reserve(m_bytes.size() - m_unused);
    for (std::uint64_t& start : m_starts) {
        const std::size_t length = walk(m_bytes, std::size_t(start), [](int, std::size_t, std::size_t) {});
        const std::size_t moved = packed.size();
        packed.append(m_bytes, std::size_t(start), length);
        start = moved;
    }
    m_bytes = std::move(packed);
    m_unused = 0;
}

}  // namespace vellamo::addressbook
