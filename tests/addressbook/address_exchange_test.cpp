#include "addressbook/address_exchange.h"

#include "support/files.h"
#include "support/scripted_prompter.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellamo;
using namespace vellamo::addressbook;
using vellamo::testing::ScriptedPrompter;

namespace {

struct FixedMapping : CsvMappingChooser {
    std::optional<CsvMapping> answer;
    CsvMapping guessed;
    int shown = 0;
    std::optional<CsvMapping> chooseMapping(const CsvTable&, const CsvMapping& g) override
    {
        ++shown;
        guessed = g;
        return answer ? answer : std::optional<CsvMapping>(g);
    }
};

const QByteArray TwoContacts = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Doe;Jane\r\nNOTE:x\r\nEND:VCARD\r\n"
                               "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Roe;Rick\r\nBDAY:2000-01-01\r\nNOTE:y\r\n"
                               "END:VCARD\r\n";

}  // namespace

TEST(AddressExchange, ImportAppendsAndSummarisesOnce)
{
    QTemporaryDir dir;
    vellamo::testing::writeFile(dir.filePath("two.vcf"), TwoContacts);
    AddressBook book;
    book.appendRecords(std::vector<AddressRecord>(1));
    ScriptedPrompter ask;
    ask.openFiles = {dir.filePath("two.vcf")};
    FixedMapping mapping;
    EXPECT_EQ(importAddresses(book, ask, mapping), 2);
    ASSERT_EQ(book.records().size(), 3u);
    EXPECT_EQ(book.records()[1].strings[2], "Doe");
    EXPECT_EQ(book.records()[2].strings[1], "Rick");
    EXPECT_EQ(mapping.shown, 0);
    ASSERT_EQ(ask.messages.size(), 1u);
    EXPECT_EQ(ask.messages[0].caption, "Import addresses");
    EXPECT_EQ(ask.messages[0].text, "2 addresses were imported.\n\nThese fields have no place in the address "
                                    "book and were not imported: NOTE (2), BDAY (1).");
    EXPECT_EQ(ask.messages[0].icon, document::MessageIcon::Warning);
    EXPECT_EQ(ask.openRequests[0].caption, "Import addresses");

    ask.openFiles.clear();
    EXPECT_EQ(importAddresses(book, ask, mapping), 0) << "cancelled file dialog";
    EXPECT_EQ(book.records().size(), 3u);
}

TEST(AddressExchange, CsvGoesThroughTheMappingDialog)
{
    QTemporaryDir dir;
    vellamo::testing::writeFile(dir.filePath("list.txt"), "Vorname,Nachname,Lieblingsfarbe\nAnna,Alt,blau\n");
    ScriptedPrompter ask;
    FixedMapping mapping;
    auto records = importAddressFile(dir.filePath("list.txt"), ask, &mapping);
    ASSERT_TRUE(records);
    EXPECT_EQ(mapping.guessed, (CsvMapping{1, 2, -1}));
    EXPECT_EQ((*records)[0].strings[1], "Anna");
    EXPECT_TRUE(ask.messages[0].text.contains("Lieblingsfarbe (1)"));

    mapping.answer = CsvMapping{-1, 2, 28};  // the user's choice wins
    records = importAddressFile(dir.filePath("list.txt"), ask, &mapping);
    ASSERT_TRUE(records);
    EXPECT_EQ((*records)[0].strings[1], "");
    EXPECT_EQ((*records)[0].strings[28], "blau");
}

TEST(AddressExchange, DamagedFilesKeepWhatWasReadOnlyWhenConfirmed)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("broken.vcf");
    vellamo::testing::writeFile(path, TwoContacts + "BEGIN:VCARD\r\ngarbage\r\n");
    ScriptedPrompter ask;
    ask.answers = {document::Answer::No, document::Answer::Yes};
    EXPECT_FALSE(importAddressFile(path, ask, nullptr));
    ASSERT_EQ(ask.messages.size(), 1u);
    EXPECT_EQ(ask.messages[0].text,
              "The file \"broken.vcf\" is damaged in line 13: the line is no vCard property "
              "(name and value parted by \":\").\n\nKeep the 2 addresses read before that "
              "line?");
    EXPECT_EQ(ask.messages[0].buttons, document::MessageButtons::YesNo);
    const auto kept = importAddressFile(path, ask, nullptr);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->size(), 2u);
    EXPECT_EQ(ask.messages.size(), 3u) << "the question, then the summary";

    vellamo::testing::writeFile(path, "garbage\r\n");
    ask.messages.clear();
    EXPECT_FALSE(importAddressFile(path, ask, nullptr));
    ASSERT_EQ(ask.messages.size(), 1u);
    EXPECT_EQ(ask.messages[0].buttons, document::MessageButtons::Ok);
    EXPECT_EQ(ask.messages[0].icon, document::MessageIcon::Error);

    ask.messages.clear();
    EXPECT_FALSE(importAddressFile(dir.filePath("missing.vcf"), ask, nullptr));
    EXPECT_EQ(ask.messages.at(0).text, "The file \"missing.vcf\" could not be read.");
}

TEST(AddressExchange, WideCsvFilesAreSummarisedAndAnOverlongRowRefused)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("wide.csv");
    // 1500 columns that no field takes: the summary names the first 1000 of them.
    QByteArray header = "First Name";
    QByteArray row = "Anna";
    for (int c = 1; c <= 1500; ++c) {
        header += ",x" + QByteArray::number(c);
        row += ",v";
    }
    vellamo::testing::writeFile(path, header + "\n" + row + "\n" + row + "\n");
    ScriptedPrompter ask;
    const auto records = importAddressFile(path, ask, nullptr);
    ASSERT_TRUE(records);
    EXPECT_EQ(records->size(), 2u);
    ASSERT_EQ(ask.messages.size(), 1u);
    const QString summary = ask.messages[0].text;
    EXPECT_TRUE(summary.contains(": x1 (2), x2 (2), x3 (2)")) << summary.left(200).toStdString();
    EXPECT_TRUE(summary.endsWith(", x1000 (2), and 500 more.")) << summary.right(200).toStdString();
    EXPECT_FALSE(summary.contains("x1001"));

    // A header of more than a million columns is no address list.
    vellamo::testing::writeFile(path, "a" + QByteArray(1000000, ',') + "\nAnna\n");
    ask.messages.clear();
    EXPECT_FALSE(importAddressFile(path, ask, nullptr));
    ASSERT_EQ(ask.messages.size(), 1u);
    EXPECT_EQ(ask.messages[0].text,
              "The file \"wide.csv\" is damaged in line 1: the row has more than 1000000 cells.");
    EXPECT_EQ(ask.messages[0].icon, document::MessageIcon::Error);
}

TEST(AddressExchange, ExportThenImportGivesTheSameBook)
{
    QTemporaryDir dir;
    std::vector<AddressRecord> records(2);
    for (int i = 0; i < AddressStringCount; ++i)
        records[0].strings[std::size_t(i)] = "Field " + std::to_string(i) + " \xE4";
    records[1].strings[2] = "Second";
    AddressBook book;
    book.appendRecords(records);
    for (const QString name : {"book.vcf", "book.csv"}) {
        ScriptedPrompter ask;
        ask.saveFiles = {dir.filePath(name)};
        ASSERT_TRUE(exportAddresses(book, ask));
        EXPECT_TRUE(ask.messages.empty());
        const auto back = importAddressFile(dir.filePath(name), ask, nullptr);
        ASSERT_TRUE(back);
        EXPECT_EQ(*back, records) << name.toStdString();
        EXPECT_EQ(ask.messages.at(0).text, "2 addresses were imported.");
    }
    ScriptedPrompter ask;
    EXPECT_FALSE(exportAddressFile(records, dir.filePath("no/such/book.vcf"), ask));
    EXPECT_TRUE(ask.messages.at(0).text.startsWith("The file \"book.vcf\" could not be written"));
}
