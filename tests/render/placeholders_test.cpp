#include "render/placeholders.h"

#include <gtest/gtest.h>

using namespace vellamo::render;

namespace {

struct Fields {
    PlaceholderFields list{{"Title", "", ""},
                           {"First Name", "Anna", ""},
                           {"Last Name", "Berg", ""},
                           {"Zip", "12345", "Zip:"},
                           {"City", "", "Town"},
                           {"Phone private 1", "123", "Tel.:"},
                           {"Title partner", "Dr.", ""},
                           {"Company", "", ""}};
    PlaceholderField& operator[](std::string_view name)
    {
        for (auto& f : list)
            if (f.name == name)
                return f;
        throw std::out_of_range("no field");
    }
};

}  // namespace

TEST(GetRepStr, ValuesAndTheSpaceAfterEmptyOnes)
{
    Fields f;
    EXPECT_EQ(GetRepStr("[First Name] [Last Name]", f.list), "Anna Berg");
    EXPECT_EQ(GetRepStr("[Title] [First Name]", f.list), "Anna");
    EXPECT_EQ(GetRepStr("[Title]  x", f.list), " x") << "only one space goes";
    EXPECT_EQ(GetRepStr("at the end [Last Name]", f.list), "at the end Berg");
    EXPECT_EQ(GetRepStr("end [Title]", f.list), "end ");
    EXPECT_EQ(GetRepStr("[Zip][Zip] [Zip]", f.list), "1234512345 12345");
}

TEST(GetRepStr, LabelsOnlyWithAValue)
{
    Fields f;
    EXPECT_EQ(GetRepStr("<Phone private 1> [Phone private 1]", f.list), "Tel.: 123");
    f["Phone private 1"].value = "";
    EXPECT_EQ(GetRepStr("<Phone private 1> [Phone private 1]", f.list), " ")
        << "the label is not empty, so the space after its token stays";
    // An empty label takes the space after its token.
    EXPECT_EQ(GetRepStr("<First Name> [First Name]", f.list), "Anna");
    EXPECT_EQ(GetRepStr("<City> [City]x", f.list), " x");
}

TEST(GetRepStr, TokensMatchExactly)
{
    Fields f;
    EXPECT_EQ(GetRepStr("[Title partner] [Title]", f.list), "Dr. ");
    EXPECT_EQ(GetRepStr("[city] [Nickname] <zip>", f.list), "[city] [Nickname] <zip>");
    EXPECT_EQ(GetRepStr("[First Name", f.list), "[First Name");
}

TEST(GetRepStr, ReplacementsAreNotSearchedAgainForTheSameField)
{
    Fields f;
    f["Company"].value = "[Company]";
    EXPECT_EQ(GetRepStr("[Company]!", f.list), "[Company]!");
    f["Company"].value = "<Company>";
    f["Company"].label = "L<Company>";
    EXPECT_EQ(GetRepStr("<Company>", f.list), "L<Company>");
    // A later field does search what an earlier one inserted.
    f["First Name"].value = "[Zip]";
    EXPECT_EQ(GetRepStr("[First Name]", f.list), "12345");
}
