#include "addressbook/csv_format.h"

#include <gtest/gtest.h>

using namespace vellamo::addressbook;

TEST(Csv, GermanHeadersSemicolonsAndWindows1252)
{
    // As a German spreadsheet saves it: semicolons, Windows-1252, quoted cells.
    const QByteArray file =
        "Anrede;Vorname;Nachname;Firma;Stra\xDF"
        "e gesch\xE4"
        "ftlich;PLZ gesch\xE4"
        "ftlich;Ort gesch\xE4"
        "ftlich;Telefon gesch\xE4"
        "ftlich;Mobiltelefon;E-Mail-Adresse;Webseite;Beruf;Geburtstag\r\n"
        "Frau;J\xFCrgen;M\xFCller;\"Beispiel; GmbH\";Hauptstra\xDF"
        "e 1;10115;Berlin;030 1234;0170 1;jm@example.de;www.example.de;Ingenieurin;1.1.1980\r\n"
        ";;;;;;;;;;;;\r\n"
        ";;;;;;;;;;;;2.2.1990\r\n"
        "Herr;Max;\"Muster\"\"mann\";;;;;;;;;;\r\n";
    const CsvTable table = readCsvTable(file);
    EXPECT_EQ(table.delimiter, u';');
    ASSERT_EQ(table.header.size(), 13);
    EXPECT_EQ(table.header[4], QString::fromUtf8("Straße geschäftlich"));
    const CsvMapping mapping = guessCsvMapping(table.header);
    EXPECT_EQ(mapping, (CsvMapping{0, 1, 2, 17, 18, 20, 21, 22, 9, 11, 12, 16, -1}));

    const ImportedAddresses a = csvRecords(table, mapping);
    ASSERT_EQ(a.records.size(), 2u) << "neither the empty row nor the one that fills no field is an address";
    const AddressRecord& r = a.records[0];
    EXPECT_EQ(r.strings[0], "Frau");
    EXPECT_EQ(r.strings[1], "J\xFCrgen");
    EXPECT_EQ(r.strings[2], "M\xFCller");
    EXPECT_EQ(r.strings[17], "Beispiel; GmbH");
    EXPECT_EQ(r.strings[18], "Hauptstra\xDF"
                             "e 1");
    EXPECT_EQ(r.strings[20], "10115");
    EXPECT_EQ(r.strings[21], "Berlin");
    EXPECT_EQ(r.strings[22], "030 1234");
    EXPECT_EQ(r.strings[9], "0170 1");
    EXPECT_EQ(r.strings[11], "jm@example.de");
    EXPECT_EQ(r.strings[12], "www.example.de");
    EXPECT_EQ(r.strings[16], "Ingenieurin");
    EXPECT_EQ(a.records[1].strings[2], "Muster\"mann");
    ASSERT_EQ(a.unplaced.size(), 1u);
    EXPECT_EQ(a.unplaced[0], (std::pair<QString, int>{"Geburtstag", 2}));
}

TEST(Csv, EnglishHeadersCommasQuotedLineBreaksAndUtf8)
{
    const QByteArray file = "\xEF\xBB\xBF"
                            "First Name,Last Name,Company,Job Title,Business Phone,Home Phone,E-mail Address,"
                            "E-mail 2 Address,Notes,Last Name\n"
                            "Zo\xC3\xAB,\xC5\x81uk,\"Example, Inc.\",Engineer,555 1,555 2,z@x.org,z@work.org,"
                            "\"two\nlines\",Second\n";
    const CsvTable table = readCsvTable(file);
    EXPECT_EQ(table.delimiter, u',');
    const CsvMapping mapping = guessCsvMapping(table.header);
    EXPECT_EQ(mapping, (CsvMapping{1, 2, 17, 16, 22, 7, 11, 26, -1, -1}))
        << "a field goes to its first column";
    const ImportedAddresses a = csvRecords(table, mapping);
    ASSERT_EQ(a.records.size(), 1u);
    EXPECT_EQ(a.records[0].strings[1], "Zo\xEB");
    EXPECT_EQ(a.records[0].strings[2], "?uk");
    EXPECT_EQ(a.records[0].strings[17], "Example, Inc.");
    EXPECT_EQ(a.replacedCharacters, 1);
    EXPECT_EQ(a.unplaced.size(), 2u);

    // The user maps the second "Last Name" column onto a field already filled: unplaced too.
    CsvMapping chosen = mapping;
    chosen[9] = 2;
    EXPECT_EQ(csvRecords(table, chosen).unplaced.size(), 2u);
}

TEST(Csv, AnUnclosedQuoteNamesItsLineAndKeepsTheRowsBefore)
{
    const CsvTable table = readCsvTable("First Name,Last Name\nAnna,One\nBob,Two\n\"Carl,Three\nDora,Four\n");
    EXPECT_EQ(table.damagedLine, 4);
    EXPECT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rowLines, (std::vector<int>{2, 3}));
    EXPECT_EQ(readCsvTable("").damagedLine, 1);
    EXPECT_TRUE(readCsvTable("\n\n").header.isEmpty());
    // The import, which reads a row at a time, says the same of a file without a header.
    for (const QByteArray& empty : {QByteArray(), QByteArray("\n\n")})
        EXPECT_EQ(readCsvAddresses(empty, {}).damagedLine, 1);
    const ImportedAddresses cut = readCsvAddresses("First Name\nAnna\n\"Bo\n", {0});
    EXPECT_EQ(cut.damagedLine, 3);
    EXPECT_EQ(cut.records.size(), 1u);
}

TEST(Csv, WrittenBookReadsBackTheSame)
{
    std::vector<AddressRecord> book(3);
    for (int i = 0; i < AddressStringCount; ++i)
        book[0].strings[std::size_t(i)] = "v" + std::to_string(i);
    book[0].strings[2] = "Comma, \"quote\" and \xE9";
    book[1].strings[29] = "logo.bmp";
    book[2].strings[0] = " leading space";
    const QByteArray written = writeCsv(book);
    EXPECT_TRUE(written.startsWith("\xEF\xBB\xBFTitle,First Name,Last Name,Street,"));
    EXPECT_TRUE(written.contains(",Company slogan,Logo\r\n"));
    const CsvTable table = readCsvTable(written);
    const CsvMapping mapping = guessCsvMapping(table.header);
    for (int i = 0; i < AddressStringCount; ++i)
        EXPECT_EQ(mapping[std::size_t(i)], i) << "the book's own headings map to their own fields";
    const ImportedAddresses back = csvRecords(table, mapping);
    ASSERT_EQ(back.records.size(), 3u);
    EXPECT_EQ(back.records[0], book[0]);
    EXPECT_EQ(back.records[1], book[1]);
    EXPECT_TRUE(back.unplaced.empty());
}
