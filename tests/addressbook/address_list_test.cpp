#include "addressbook/address_list.h"

#include <gtest/gtest.h>

using namespace vellamo::addressbook;

namespace {

AddressRecord filled(const std::string& prefix)
{
    AddressRecord r;
    for (int k = 0; k < AddressStringCount; ++k)
        r.strings[std::size_t(k)] = prefix + std::to_string(k);
    return r;
}

}  // namespace

TEST(AddressList, RecordsComeBackAsTheyWentInThroughEditsAndCompaction)
{
    AddressRecord sparse;
    sparse.strings[2] = "Berg";
    sparse.strings[29] = "logo.jpg";
    AddressRecord odd;
    odd.strings[0] = std::string(127, 'a');    // the longest one-byte length
    odd.strings[1] = std::string(128, 'b');    // the shortest two-byte length
    odd.strings[5] = std::string(20000, 'c');  // three bytes of length
    odd.strings[6] = std::string("\x00\xFF\x80", 3);

    AddressList list{AddressRecord(), sparse, odd, filled("v")};
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0], AddressRecord());
    EXPECT_EQ(list[1], sparse);
    EXPECT_EQ(list[2], odd);
    EXPECT_EQ(list[3], filled("v"));
    EXPECT_EQ(list.string(1, 2), "Berg");
    EXPECT_EQ(list.string(1, 3), "");
    EXPECT_EQ(list.string(2, 5).size(), 20000u);

    // Many replacements leave unused bytes behind until a compaction gives them back.
    for (int round = 0; round < 200; ++round)
        list.set(2, round % 2 ? odd : filled("r" + std::to_string(round)));
    list.set(0, sparse);
    EXPECT_EQ(list[0], sparse);
    EXPECT_EQ(list[1], sparse);
    EXPECT_EQ(list[2], odd);
    EXPECT_EQ(list[3], filled("v"));

    list.erase(1);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1], odd);
    EXPECT_EQ(list[2], filled("v"));

    AddressList more{filled("m")};
    more.append(list);
    ASSERT_EQ(more.size(), 4u);
    EXPECT_EQ(more[0], filled("m"));
    EXPECT_EQ(more[2], odd);
    std::size_t seen = 0;
    for (const AddressRecord& r : more)
        seen += r == odd;
    EXPECT_EQ(seen, 1u);
    EXPECT_EQ(more, AddressList({filled("m"), sparse, odd, filled("v")}));
    more.clear();
    EXPECT_TRUE(more.empty());
}
