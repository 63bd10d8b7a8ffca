#include "addressbook/address_book_store.h"

#include "addressbook/address_page.h"
#include "addressbook/new_address_dialog.h"
#include "support/bytes.h"
#include "support/file_size_limit.h"
#include "support/files.h"
#include "support/scripted_prompter.h"

#include <QCoreApplication>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace vellamo::addressbook;
using vellamo::testing::Bytes;
using vellamo::testing::readFile;
using vellamo::testing::ScriptedPrompter;
using vellamo::testing::writeFile;

namespace {

constexpr int CityRow = 7;

class OneNewAddress : public NewAddressAsker {
public:
    std::optional<NewAddressInput> askNewAddress() override { return NewAddressInput{"Anna", "Berg", false}; }
};

// The layout: count, 30 strings a record (length, bytes, zero byte), 30 labels, standard index.
Bytes bookBytes(const std::vector<std::string>& firstNames, std::int32_t standard = 0)
{
    Bytes b;
    b.i32(std::int32_t(firstNames.size()));
    for (const std::string& name : firstNames) {
        b.lstr("").lstr(name);
        for (int k = 2; k < 30; ++k)
            b.lstr("");
    }
    for (int k = 0; k < 30; ++k)
        b.lstr("");
    b.i32(standard);
    return b;
}

std::vector<std::string> firstNamesIn(const QString& path)
{
    std::vector<std::string> names;
    for (const AddressRecord& r : addressBookFromBytes(readFile(path)).records)
        names.push_back(r.strings[1]);
    return names;
}

void settle(const AddressBookStore& store)
{
    for (int i = 0; i < 100 && store.savePending(); ++i)
        QCoreApplication::processEvents();
}

}  // namespace

TEST(AddressBookStore, AnEditIsOnDiskWhenTheProgramIsKilledRightAfter)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("AdrDB.dat");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        AddressBook book;
        AddressBookStore store(book, path, nullptr);
        store.load();
        OneNewAddress asker;
        AddressesPage page(book, {dir.path() + "/", {}, nullptr, &asker});
        page.NewAdrBtnClick();
        // What the grid's editor commits when the user leaves the cell.
        page.editGrid()->item(CityRow - 1, 1)->setText("Paris");
        settle(store);
        const char done = 1;
        (void)!::write(ready[1], &done, 1);
        for (;;)
            ::pause();
    }
    ASSERT_GT(child, 0);
    char done = 0;
    ASSERT_EQ(::read(ready[0], &done, 1), 1);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    ASSERT_TRUE(WIFSIGNALED(status));

    const AddressBookFile book = addressBookFromBytes(readFile(path));
    ASSERT_TRUE(book.complete);
    ASSERT_EQ(book.records.size(), 1u);
    EXPECT_EQ(book.records[0].strings[1], "Anna");
    EXPECT_EQ(book.records[0].strings[2], "Berg");
    EXPECT_EQ(book.records[0].strings[CityRow - 1], "Paris");
}

TEST(AddressBookStore, WhatAnotherProgramWroteMeanwhileIsMergedNotOverwritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("AdrDB.dat");
    writeFile(path, bookBytes({"Anna", "Bob", "Cleo"}).data);
    AddressBook book;
    AddressBookStore store(book, path, nullptr);
    store.load();
    book.ChangeAktName(2);

    // Nothing touched: the file is not written, so an import made meanwhile stays.
    const QByteArray imported = bookBytes({"Anna", "Bob", "Cleo", "Dora"}).data;
    writeFile(path, imported);
    ASSERT_TRUE(store.save(true));
    EXPECT_EQ(readFile(path), imported);
    EXPECT_EQ(book.count(), 4) << "the book shows the other program's address";

    // Another program removed Bob and added Emil; here Cleo is edited.
    writeFile(path, bookBytes({"Anna", "Cleo", "Dora", "Emil"}).data);
    book.setValue(CityRow, "Oslo");
    ASSERT_TRUE(store.save());
    EXPECT_EQ(firstNamesIn(path), (std::vector<std::string>{"Anna", "Cleo", "Dora", "Emil"}));
    EXPECT_EQ(addressBookFromBytes(readFile(path)).records[1].strings[CityRow - 1], "Oslo");
    EXPECT_EQ(book.currentIndex(), 1) << "Cleo stays current";
    EXPECT_EQ(book.value(CityRow), "Oslo");

    // A label set elsewhere and one set here both stay, and so does a standard chosen elsewhere.
    AddressBookFile other = addressBookFromBytes(readFile(path));
    other.labels[0] = "from elsewhere";
    ASSERT_TRUE(writeAddressBookFile(path, other.records, other.labels, 3));
    book.setLabel(2, "from here");
    ASSERT_TRUE(store.save());
    const AddressBookFile merged = addressBookFromBytes(readFile(path));
    EXPECT_EQ(merged.labels[0], "from elsewhere");
    EXPECT_EQ(merged.labels[1], "from here");
    EXPECT_EQ(merged.standardIndex, 3);
    EXPECT_EQ(QFile::exists(path + ".lock"), false) << "the lock goes with the write";
}

TEST(AddressBookStore, ADamagedBookIsReportedOnceAndKeptBeforeItIsReplaced)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("AdrDB.dat");
    // Five addresses; the first string of the second one has a length beyond the file.
    QByteArray damaged = bookBytes({"Anna", "Bob", "Cleo", "Dora", "Emil"}).data;
    const int secondRecord = 4 + 150 + 4;  // count, Anna's record (150 bytes + "Anna")
    damaged.replace(secondRecord, 4, Bytes().i32(100000).data);
    writeFile(path, damaged);
    writeFile(path + ".damaged", "an older backup");

    ScriptedPrompter ask;
    AddressBook book;
    AddressBookStore store(book, path, &ask);
    store.load();
    EXPECT_EQ(book.count(), 1);
    ASSERT_EQ(ask.messages.size(), 1u);
    EXPECT_EQ(ask.messages[0].text,
              "The address book \"AdrDB.dat\" is damaged: 1 of its 5 addresses could be "
              "read. Before the book is written again, the file is kept as \"" +
                  path + ".damaged.2\".");

    ASSERT_TRUE(store.save(true));
    EXPECT_EQ(readFile(path), damaged) << "nothing changed: the damaged file stays as it is";

    book.setLabel(1, "Name");
    settle(store);
    EXPECT_EQ(readFile(path + ".damaged.2"), damaged);
    EXPECT_EQ(readFile(path + ".damaged"), "an older backup");
    const AddressBookFile written = addressBookFromBytes(readFile(path));
    EXPECT_TRUE(written.complete);
    EXPECT_EQ(firstNamesIn(path), std::vector<std::string>{"Anna"});
    EXPECT_EQ(written.labels[0], "Name");
    EXPECT_EQ(ask.messages.size(), 1u) << "told once";

    // A file that cannot be read at all is not replaced by an empty book either.
    writeFile(path, "xy");
    AddressBook fresh;
    AddressBookStore again(fresh, path, &ask);
    again.load();
    ASSERT_EQ(ask.messages.size(), 2u);
    EXPECT_TRUE(ask.messages[1].text.contains("is damaged: no address could be read."));
    ASSERT_TRUE(again.save(true));
    EXPECT_EQ(readFile(path), "xy") << "nothing changed";
    fresh.setLabel(1, "N");
    ASSERT_TRUE(again.save(true));
    EXPECT_EQ(readFile(path + ".damaged.3"), "xy");
    EXPECT_EQ(readFile(path).size(), 158 + 1);
}

TEST(AddressBookStore, AFailedWriteIsReportedAndTheBookStaysForTheNextTry)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("AdrDB.dat");
    writeFile(path, bookBytes({"Anna"}).data);
    // The lock file fits, a book of two addresses does not.
    const int status = vellamo::testing::runWithFileSizeLimit(200, [&] {
        ScriptedPrompter ask;
        AddressBook book;
        AddressBookStore store(book, path, &ask);
        store.load();
        book.NewAddress("Bob", "Dahl", false);
        settle(store);
        int faults = 0;
        if (ask.messages.size() != 1 ||
            !ask.messages[0].text.startsWith("Error: File could not be saved! (" + path + ")\n"))
            faults |= 1;
        book.setValue(CityRow, "Oslo");
        settle(store);
        if (ask.messages.size() != 1)
            faults |= 2;  // a failure goes on: told once
        if (store.save(true) || ask.messages.size() != 2)
            faults |= 4;  // the last chance is told again
        if (book.count() != 2 || book.value(CityRow) != "Oslo")
            faults |= 8;
        return faults;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(firstNamesIn(path), std::vector<std::string>{"Anna"}) << "the old file stays";
}
