#pragma once

// The address list, packed: each record's non-empty strings lie one after another in one
// block of bytes, so a million short addresses take a few bytes each instead of thirty
// strings each. Records go in and come out whole, as AddressRecord values.

#include "addressbook/address_fields.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

namespace vellamo::addressbook {

struct AddressRecord {
    // 0..28 the field values in table order, 29 the logo file name.
    std::array<std::string, AddressStringCount> strings;
    bool operator==(const AddressRecord&) const = default;
};

class AddressList {
public:
    AddressList() = default;
    AddressList(std::initializer_list<AddressRecord> records);
    AddressList(const std::vector<AddressRecord>& records);

    std::size_t size() const { return m_starts.size(); }
    bool empty() const { return m_starts.empty(); }
    // A copy of record `index`, which must lie in the list.
    AddressRecord operator[](std::size_t index) const;
    // One string (0..29) of record `index` without unpacking the others.
    std::string string(std::size_t index, int which) const;

    void push_back(const AddressRecord& record);
    void set(std::size_t index, const AddressRecord& record);
    void erase(std::size_t index);
    void append(const AddressList& other);
    void clear();
    void reserve(std::size_t records) { m_starts.reserve(records); }

    bool operator==(const AddressList& other) const;

    class const_iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = AddressRecord;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = AddressRecord;

        const_iterator(const AddressList* list, std::size_t index) : m_list(list), m_index(index) {}
        AddressRecord operator*() const { return (*m_list)[m_index]; }
        const_iterator& operator++()
        {
            ++m_index;
            return *this;
        }
        bool operator==(const const_iterator& other) const { return m_index == other.m_index; }

    private:
        const AddressList* m_list;
        std::size_t m_index;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

private:
    // The packed bytes of record `index`: how long they are.
    std::size_t packedSize(std::size_t index) const;
    void forgetPacked(std::size_t index);
    void compactWhenMostlyUnused();

    // A record: the number of its non-empty strings, then for each its number (0..29), its
    // length as a base-128 varint and its bytes.
    std::string m_bytes;
    std::vector<std::uint64_t> m_starts;
    // Bytes of records replaced or removed, given back by the next compaction.
    std::size_t m_unused = 0;
};

}  // namespace vellamo::addressbook
