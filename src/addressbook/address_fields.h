#pragma once

// The 29 address fields. Their names are shown in the address grids and are, character for
// character, the names used in placeholders.

#include <array>
#include <string_view>

namespace vellamo::addressbook {

inline constexpr int AddressFieldCount = 29;
// The 29 values and the logo file name.
inline constexpr int AddressStringCount = 30;
inline constexpr int LogoStringIndex = 29;
inline constexpr int LabelCount = 30;

inline constexpr std::array<std::string_view, AddressFieldCount> AddressFieldNames = {
    "Title",
    "First Name",
    "Last Name",
    "Street",
    "Post-office box",
    "Zip",
    "City",
    "Phone private 1",
    "Phone private 2",
    "Mobile phone private",
    "FAX private",
    "Email private",
    "Homepage private",
    "Title partner",
    "First Name partner",
    "Last Name partner",
    "Profession",
    "Company",
    "Street company",
    "Post-office box company",
    "Zip company",
    "City company",
    "Phone company 1",
    "Phone company 2",
    "Mobile phone company",
    "FAX company",
    "Email company",
    "Homepage company",
    "Company slogan",
};

}  // namespace vellamo::addressbook
