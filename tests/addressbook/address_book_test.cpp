#include "addressbook/address_book.h"

#include "render/placeholders.h"
#include "support/files.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellamo::addressbook;
using vellamo::testing::readFile;

namespace {

// Rows of the field table used below.
constexpr int FirstNameRow = 2;
constexpr int LastNameRow = 3;

AddressRecord named(const std::string& first, const std::string& last, const std::string& logo = {})
{
    AddressRecord r;
    r.strings[1] = first;
    r.strings[2] = last;
    r.strings[29] = logo;
    return r;
}

}  // namespace

TEST(AddressBook, LoadSaveAndTheWorkingCopy)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("AdrDB.dat");
    AddressBook book;
    EXPECT_FALSE(book.LoadAllNames(path)) << "no file: nothing changes";
    ASSERT_TRUE(book.SaveAllNames(path));
    EXPECT_EQ(readFile(path).size(), 158) << "the empty book";

    book.appendRecords({named("A", "a"), named("B", "b", "b.jpg"), named("C", "c")});
    book.setLabel(30, "kept");
    book.setStandardIndex(5);
    book.ChangeAktName(1);
    EXPECT_EQ(book.value(FirstNameRow), "B");
    EXPECT_EQ(book.logoFileName(), "b.jpg");
    book.setValue(FirstNameRow, "edited, never followed by a selection change");
    ASSERT_TRUE(book.SaveAllNames(path));

    AddressBook again;
    ASSERT_TRUE(again.LoadAllNames(path));
    ASSERT_EQ(again.count(), 3);
    EXPECT_EQ(again.records()[1].strings[1], "edited, never followed by a selection change");
    EXPECT_EQ(again.standardIndex(), 5) << "outside the list, kept as a number";
    EXPECT_EQ(again.label(30), "kept");
    EXPECT_EQ(again.currentIndex(), -1) << "reading does not select";
    EXPECT_FALSE(again.hasCurrentAddress());

    // Indexes outside the list do nothing; rows outside the table are not stored.
    again.setValue(1, "untouched");
    again.LoadFromDB(3);
    again.LoadFromDB(-1);
    again.SaveToDB(7);
    again.setValue(30, "no such row");
    again.setValue(0, "no such row");
    EXPECT_EQ(again.value(1), "untouched");
    EXPECT_EQ(again.value(30), "");
}

TEST(AddressBook, SwitchingStoresTheOldWorkingCopyFirst)
{
    AddressBook book;
    // Two addresses with the same names both appear, in list order.
    book.appendRecords({named("Anna", "Berg"), named("Anna", "Berg", "second.jpg")});
    EXPECT_EQ(book.entryText(0), "Berg Anna");
    EXPECT_EQ(book.entryText(1), "Berg Anna");
    book.ChangeAktName(0);
    book.setValue(7, "Paris");
    book.ChangeAktName(1);
    EXPECT_EQ(book.logoFileName(), "second.jpg") << "the second record is loaded";
    EXPECT_EQ(book.value(7), "");
    EXPECT_EQ(book.records()[0].strings[6], "Paris");

    // No selection: the working copy keeps what it shows.
    book.setValue(7, "Oslo");
    book.ChangeAktName(-1);
    EXPECT_EQ(book.value(7), "Oslo");
    EXPECT_EQ(book.records()[1].strings[6], "Oslo");
    EXPECT_FALSE(book.hasCurrentAddress());

    // The last name is cut to 255 bytes in the entry, the first name is not.
    book.appendRecords({named(std::string(300, 'f'), std::string(300, 'l'))});
    EXPECT_EQ(book.entryText(2), std::string(255, 'l') + " " + std::string(300, 'f'));
}

TEST(AddressBook, NewAddressTakesOverEditedValues)
{
    AddressBook book;
    book.appendRecords({named("Anna", "Berg")});
    book.ChangeAktName(0);
    book.setValue(4, "Edited street");
    book.setLogoFileName("logo.jpg");

    EXPECT_EQ(book.NewAddress("Carl", "Dahl", true), 1);
    EXPECT_EQ(book.currentIndex(), 1);
    EXPECT_EQ(book.value(4), "Edited street");
    EXPECT_EQ(book.logoFileName(), "logo.jpg");
    EXPECT_EQ(book.value(FirstNameRow), "Carl");
    EXPECT_EQ(book.value(LastNameRow), "Dahl");
    EXPECT_EQ(book.records()[0].strings[3], "Edited street") << "A keeps its edits";
    EXPECT_EQ(book.records()[0].strings[1], "Anna");

    EXPECT_EQ(book.NewAddress("Eva", "Ek", false), 2);
    EXPECT_EQ(book.value(4), "") << "a plain new address is empty";
    EXPECT_EQ(book.logoFileName(), "");
    EXPECT_EQ(book.entryText(2), "Ek Eva");
}

TEST(AddressBook, DeletingMovesTheLaterAddressesUp)
{
    AddressBook book;
    book.appendRecords({named("A", "0"), named("B", "1"), named("C", "2"), named("D", "3")});
    book.setStandardIndex(2);
    book.ChangeAktName(0);
    ASSERT_TRUE(book.DeleteCurrentAddress());
    EXPECT_EQ(book.count(), 3);
    EXPECT_EQ(book.standardIndex(), 2) << "a plain position: it now names the former address 3";
    EXPECT_EQ(book.entryText(book.standardIndex()), "3 D");
    EXPECT_EQ(book.currentIndex(), 0);
    EXPECT_EQ(book.value(FirstNameRow), "B");

    book.ChangeAktName(2);
    ASSERT_TRUE(book.DeleteCurrentAddress());
    EXPECT_EQ(book.standardIndex(), 0) << "the standard itself was deleted";
    EXPECT_EQ(book.currentIndex(), 0);

    // The last remaining ones: an empty list, no selection, and a working copy as empty as at
    // the first start, so the grid and the template gallery show no deleted values.
    ASSERT_TRUE(book.DeleteCurrentAddress());
    book.setValue(5, "edited");
    book.setLogoFileName("c.jpg");
    ASSERT_TRUE(book.DeleteCurrentAddress());
    EXPECT_EQ(book.count(), 0);
    EXPECT_EQ(book.currentIndex(), -1);
    EXPECT_EQ(book.value(FirstNameRow), "");
    EXPECT_EQ(book.value(5), "");
    EXPECT_EQ(book.logoFileName(), "");
    for (const auto& field : book.placeholderFields())
        EXPECT_EQ(field.value, "") << field.name;
    EXPECT_FALSE(book.DeleteCurrentAddress()) << "nothing to delete";
}

TEST(AddressBook, SignalsAndPlaceholdersWithoutAnyWidget)
{
    AddressBook book;
    QSignalSpy changed(&book, &AddressBook::changed);
    QSignalSpy values(&book, &AddressBook::valueChanged);
    QSignalSpy current(&book, &AddressBook::currentChanged);
    QSignalSpy list(&book, &AddressBook::listChanged);
    book.appendRecords({named("Anna", "Berg")});
    EXPECT_EQ(list.count(), 1);
    book.ChangeAktName(0);
    EXPECT_EQ(current.count(), 1);
    book.setValue(8, "123");
    book.setValue(8, "123");
    EXPECT_EQ(values.count(), 2) << "the load and one real change";
    book.setLabel(8, "Tel.:");
    EXPECT_GE(changed.count(), 4);

    const auto fields = book.placeholderFields();
    ASSERT_EQ(fields.size(), 29u);
    EXPECT_EQ(fields[19].name, "Post-office box company");
    EXPECT_EQ(vellamo::render::GetRepStr(
                  "[Title] [First Name] [Last Name], <Phone private 1> [Phone private 1]", fields),
              "Anna Berg, Tel.: 123");
}
