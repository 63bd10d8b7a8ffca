#include "addressbook/address_database.h"

#include "render/placeholders.h"
#include "support/bytes.h"
#include "support/file_size_limit.h"
#include "support/files.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellamo::addressbook;
using vellamo::testing::Bytes;

using vellamo::testing::readFile;
using vellamo::testing::writeFile;

namespace {

AddressRecord record(const std::string& prefix)
{
    AddressRecord r;
    for (int i = 0; i < AddressStringCount; ++i)
        r.strings[std::size_t(i)] = i % 3 == 0 ? std::string() : prefix + std::to_string(i);
    return r;
}

Bytes recordBytes(const AddressRecord& r)
{
    Bytes b;
    for (const auto& s : r.strings)
        b.lstr(s);
    return b;
}

}  // namespace

TEST(AddressFields, NamesAsPlaceholdersUseThem)
{
    EXPECT_EQ(AddressFieldNames.size(), 29u);
    EXPECT_EQ(AddressFieldNames[0], "Title");
    EXPECT_EQ(AddressFieldNames[4], "Post-office box");
    EXPECT_EQ(AddressFieldNames[13], "Title partner");
    EXPECT_EQ(AddressFieldNames[19], "Post-office box company");
    EXPECT_EQ(AddressFieldNames[28], "Company slogan");
}

TEST(AddressBookFile, EmptyBookIs158Bytes)
{
    const QByteArray bytes = addressBookToBytes({}, {}, 0);
    Bytes expected;
    expected.i32(0);
    for (int i = 0; i < 30; ++i)
        expected.i32(0).u8(0);
    expected.i32(0);
    EXPECT_EQ(bytes, expected.data);
    EXPECT_EQ(bytes.size(), 158);
}

TEST(AddressBookFile, RoundTripsByteForByte)
{
    const AddressRecord a = record("a\xE9");
    const AddressRecord b = record("b");
    std::array<std::string, LabelCount> labels;
    labels[7] = "Tel.:";
    labels[29] = "the thirtieth";
    Bytes file;
    file.i32(2).raw(recordBytes(a).data).raw(recordBytes(b).data);
    for (const auto& l : labels)
        file.lstr(l);
    file.i32(1);

    const AddressBookFile book = addressBookFromBytes(file.data);
    EXPECT_TRUE(book.complete);
    ASSERT_EQ(book.records.size(), 2u);
    EXPECT_EQ(book.records[0], a);
    EXPECT_EQ(book.labels[29], "the thirtieth");
    EXPECT_EQ(book.standardIndex, 1);
    EXPECT_EQ(addressBookToBytes(book.records, book.labels, book.standardIndex), file.data);
}

TEST(AddressBookFile, DamagedFilesKeepWhatIsComplete)
{
    const AddressRecord a = record("a");
    const QByteArray good = Bytes().i32(2).raw(recordBytes(a).data).raw(recordBytes(a).data).data;

    // A length past the end inside the second record.
    QByteArray past = good;
    const qsizetype second = 4 + recordBytes(a).data.size();
    past.replace(second + 4 + 1, 4, Bytes().i32(1 << 30).data);
    AddressBookFile book = addressBookFromBytes(past);
    EXPECT_FALSE(book.complete);
    ASSERT_EQ(book.records.size(), 1u);
    EXPECT_EQ(book.records[0], a);

    QByteArray negative = good;
    negative.replace(second, 4, Bytes().i32(-7).data);
    EXPECT_EQ(addressBookFromBytes(negative).records.size(), 1u);

    // A huge count with little data allocates nothing unbounded.
    book = addressBookFromBytes(Bytes().i32(0x7FFFFFFF).lstr("x").data);
    EXPECT_TRUE(book.records.empty());
    EXPECT_FALSE(book.complete);
    EXPECT_TRUE(addressBookFromBytes(Bytes().i32(-1).data).records.empty());

    // Every prefix of a good file reads without harm.
    for (qsizetype n = 0; n < good.size(); ++n)
        EXPECT_FALSE(addressBookFromBytes(good.left(n)).complete);

    // A string holding a zero byte ends there.
    book = addressBookFromBytes(Bytes().i32(1).i32(3).raw(QByteArray("a\0b\0", 4)).data);
    EXPECT_TRUE(book.records.empty());
    Bytes withZero;
    withZero.i32(1).i32(3).raw(QByteArray("a\0b\0", 4));
    for (int i = 1; i < 30; ++i)
        withZero.lstr("");
    book = addressBookFromBytes(withZero.data);
    ASSERT_EQ(book.records.size(), 1u);
    EXPECT_EQ(book.records[0].strings[0], "a");
}

TEST(AddressBookFile, AFullDiskKeepsThePreviousBook)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("AdrDB.dat");
    writeFile(path, "previous book");
    const std::vector<AddressRecord> records = {record("a"), record("b")};
    const std::array<std::string, LabelCount> labels{};
    EXPECT_EQ(vellamo::testing::runWithFileSizeLimit(
                  100, [&] { return writeAddressBookFile(path, records, labels, 0) ? 1 : 0; }),
              0)
        << "the save must report its failure";
    EXPECT_EQ(readFile(path), QByteArray("previous book"));
    EXPECT_EQ(vellamo::testing::folderEntries(dir.path()), QStringList{"AdrDB.dat"});
}
