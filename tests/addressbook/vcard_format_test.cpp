#include "addressbook/vcard_format.h"

#include <gtest/gtest.h>

using namespace vellamo::addressbook;

namespace {

// The string of field `name` (or "Logo") in `r`.
std::string field(const AddressRecord& r, std::string_view name)
{
    if (name == "Logo")
        return r.strings[LogoStringIndex];
    for (std::size_t i = 0; i < AddressFieldNames.size(); ++i)
        if (AddressFieldNames[i] == name)
            return r.strings[i];
    ADD_FAILURE() << "no field " << name;
    return {};
}

int unplacedCount(const ImportedAddresses& a, const QString& name)
{
    for (const auto& [n, count] : a.unplaced)
        if (n == name)
            return count;
    return 0;
}

}  // namespace

TEST(Vcard, Version21WithQuotedPrintableLatin1AndFolding)
{
    const QByteArray file =
        "BEGIN:VCARD\r\n"
        "VERSION:2.1\r\n"
        "N;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:M=FCller;J=FCrgen;;Dr.;\r\n"
        "FN:Dr. J\xFCrgen M\xFCller\r\n"
        "ORG:Beispiel GmbH;Vertrieb\r\n"
        "TITLE:Ingenieur\r\n"
        "TEL;WORK;VOICE:+49 30 1234\r\n"
        "TEL;HOME:+49 30 5678\r\n"
        "TEL;CELL:+49 170 1\r\n"
        "TEL;WORK;FAX:+49 30 1235\r\n"
        "ADR;WORK;ENCODING=QUOTED-PRINTABLE;CHARSET=ISO-8859-1:;;Hauptstra=DFe 1;Berl=\r\n"
        "in;;10115;Deutschland\r\n"
        "LABEL;WORK;ENCODING=QUOTED-PRINTABLE:Hauptstra=DFe 1=0D=0A=\r\n"
        "10115 Berlin\r\n"
        "EMAIL;INTERNET;WORK:jm@example.de\r\n"
        "URL;WORK:http://www.example.de/\r\n"
        "PHOTO;ENCODING=BASE64;TYPE=JPEG:\r\n"
        "  /9j/4AAQSkZJRgABAQEASABIAAD\r\n"
        "  AAAA\r\n"
        "\r\n"
        "END:VCARD\r\n"
        "BEGIN:VCARD\r\n"
        "VERSION:2.1\r\n"
        "N:Stra\xDF"
        "e;Anna\r\n"
        "NOTE:a note that is\r\n"
        " folded\r\n"
        "END:VCARD\r\n";
    const ImportedAddresses a = readVcards(file);
    EXPECT_EQ(a.damagedLine, 0) << a.damage.toStdString();
    ASSERT_EQ(a.records.size(), 2u);
    const AddressRecord& r = a.records[0];
    EXPECT_EQ(field(r, "Last Name"), "M\xFCller");
    EXPECT_EQ(field(r, "First Name"), "J\xFCrgen");
    EXPECT_EQ(field(r, "Title"), "Dr.");
    EXPECT_EQ(field(r, "Company"), "Beispiel GmbH");
    EXPECT_EQ(field(r, "Profession"), "Ingenieur");
    EXPECT_EQ(field(r, "Phone company 1"), "+49 30 1234");
    EXPECT_EQ(field(r, "Phone private 1"), "+49 30 5678");
    EXPECT_EQ(field(r, "Mobile phone private"), "+49 170 1");
    EXPECT_EQ(field(r, "FAX company"), "+49 30 1235");
    EXPECT_EQ(field(r, "Street company"), "Hauptstra\xDF"
                                          "e 1");
    EXPECT_EQ(field(r, "City company"), "Berlin") << "a soft line break inside quoted-printable";
    EXPECT_EQ(field(r, "Zip company"), "10115");
    EXPECT_EQ(field(r, "Email company"), "jm@example.de");
    EXPECT_EQ(field(r, "Homepage company"), "http://www.example.de/");
    EXPECT_EQ(field(r, "Street"), "");
    // Raw Latin-1 bytes without a charset, and 2.1 folding keeps the white space.
    EXPECT_EQ(field(a.records[1], "Last Name"), "Stra\xDF"
                                                "e");
    EXPECT_EQ(unplacedCount(a, "ORG (unit)"), 1);
    EXPECT_EQ(unplacedCount(a, "ADR (country)"), 1);
    EXPECT_EQ(unplacedCount(a, "NOTE"), 1);
    EXPECT_EQ(a.unplaced.size(), 3u) << "photos and labels are not reported";
    EXPECT_EQ(a.replacedCharacters, 0);
}

TEST(Vcard, Version30Utf8EscapesFoldingAndTypes)
{
    const QByteArray file = "BEGIN:VCARD\n"
                            "VERSION:3.0\n"
                            "N:\xC5\x81ukasiewicz;Zo\xC3\xAB;Q.;;Jr.\n"
                            "FN:Zo\xC3\xAB Q. \xC5\x81ukasiewicz\n"
                            "ORG:Example\\, Inc.\n"
                            "TITLE:Chief Engi\n"
                            " neer\n"
                            "item1.ADR;TYPE=HOME,PREF:;Apt 4;12 Oak Street;Springfield;IL;62704;USA\n"
                            "TEL;TYPE=CELL:+1 555 0100\n"
                            "TEL;TYPE=HOME,VOICE:+1 555 0101\n"
                            "TEL;TYPE=home:+1 555 0102\n"
                            "TEL;TYPE=HOME:+1 555 0103\n"
                            "EMAIL;TYPE=INTERNET,HOME:zoe@example.com\n"
                            "EMAIL;TYPE=INTERNET:zoe2@example.com\n"
                            "URL:https://example.com/zoe\n"
                            "NOTE:Line one\\nline two\n"
                            "END:VCARD\n";
    const ImportedAddresses a = readVcards(file);
    EXPECT_EQ(a.damagedLine, 0) << a.damage.toStdString();
    ASSERT_EQ(a.records.size(), 1u);
    const AddressRecord& r = a.records[0];
    EXPECT_EQ(field(r, "Last Name"), "?ukasiewicz") << "Windows-1252 has no \xC5\x81";
    EXPECT_EQ(field(r, "First Name"), "Zo\xEB Q.");
    EXPECT_EQ(field(r, "Company"), "Example, Inc.");
    EXPECT_EQ(field(r, "Profession"), "Chief Engineer");
    EXPECT_EQ(field(r, "Street"), "12 Oak Street, Apt 4");
    EXPECT_EQ(field(r, "City"), "Springfield");
    EXPECT_EQ(field(r, "Zip"), "62704");
    EXPECT_EQ(field(r, "Mobile phone private"), "+1 555 0100");
    EXPECT_EQ(field(r, "Phone private 1"), "+1 555 0101");
    EXPECT_EQ(field(r, "Phone private 2"), "+1 555 0102");
    EXPECT_EQ(field(r, "Email private"), "zoe@example.com");
    EXPECT_EQ(field(r, "Email company"), "zoe2@example.com") << "untyped: the next free e-mail field";
    EXPECT_EQ(field(r, "Homepage private"), "https://example.com/zoe");
    EXPECT_EQ(a.replacedCharacters, 1);
    EXPECT_EQ(unplacedCount(a, "N (suffix)"), 1);
    EXPECT_EQ(unplacedCount(a, "ADR (region)"), 1);
    EXPECT_EQ(unplacedCount(a, "ADR (country)"), 1);
    EXPECT_EQ(unplacedCount(a, "TEL"), 1) << "a third home phone";
    EXPECT_EQ(unplacedCount(a, "NOTE"), 1);
    EXPECT_EQ(a.unplaced.size(), 5u);
}

TEST(Vcard, Version40UrisQuotedParametersAndOnlyAFormattedName)
{
    const QByteArray file = "BEGIN:VCARD\r\n"
                            "VERSION:4.0\r\n"
                            "KIND:individual\r\n"
                            "FN:Anna Maria Beispiel\r\n"
                            "TEL;VALUE=uri;TYPE=\"voice,work\":tel:+49-30-999\r\n"
                            "EMAIL;TYPE=work;PREF=1:anna@firma.example\r\n"
                            "ADR;TYPE=work;LABEL=\"Ring 5\\n12345 Ort: Mitte\":;;Ring 5;Ort;;12345;\r\n"
                            "BDAY:19800101\r\n"
                            "END:VCARD\r\n";
    const ImportedAddresses a = readVcards(file);
    ASSERT_EQ(a.records.size(), 1u);
    const AddressRecord& r = a.records[0];
    EXPECT_EQ(field(r, "First Name"), "Anna Maria");
    EXPECT_EQ(field(r, "Last Name"), "Beispiel");
    EXPECT_EQ(field(r, "Phone company 1"), "+49-30-999");
    EXPECT_EQ(field(r, "Email company"), "anna@firma.example");
    EXPECT_EQ(field(r, "Street company"), "Ring 5");
    EXPECT_EQ(field(r, "City company"), "Ort");
    EXPECT_EQ(field(r, "Zip company"), "12345");
    EXPECT_EQ(unplacedCount(a, "BDAY"), 1);
    EXPECT_EQ(a.unplaced.size(), 1u);
}

TEST(Vcard, DamagedFilesNameTheLineAndKeepTheCardsBefore)
{
    const QByteArray good = "BEGIN:VCARD\nVERSION:3.0\nN:One;A\nEND:VCARD\n";
    ImportedAddresses a =
        readVcards(good + "BEGIN:VCARD\nVERSION:3.0\nN:Two;B\nthis line is broken\nEND:VCARD\n");
    EXPECT_EQ(a.damagedLine, 8);
    EXPECT_EQ(a.records.size(), 1u) << "the card being read is dropped";

    a = readVcards(good + "BEGIN:VCARD\nN:Two\n");
    EXPECT_EQ(a.damagedLine, 7) << a.damage.toStdString();
    EXPECT_TRUE(a.damage.contains("line 5")) << a.damage.toStdString();
    EXPECT_EQ(a.records.size(), 1u);

    a = readVcards("BEGIN:VCARD\nBEGIN:VCARD\n");
    EXPECT_EQ(a.damagedLine, 2);
    a = readVcards("N:Outside\n");
    EXPECT_EQ(a.damagedLine, 1);
    a = readVcards("");
    EXPECT_EQ(a.damagedLine, 1);
    EXPECT_TRUE(a.records.empty());
    a = readVcards("BEGIN:VCARD\nVERSION:3.0\nPHOTO:x\nEND:VCARD\n"
                   "BEGIN:VCARD\nADR:;;Home 1;A;;1;\nADR:;;Office 2;B;;2;\nEND:VCARD\n");
    EXPECT_EQ(a.damagedLine, 0);
    ASSERT_EQ(a.records.size(), 1u) << "a card with nothing for the book is left out";
    EXPECT_EQ(a.records[0].strings[3], "Home 1") << "the first untyped address is the private one";
    EXPECT_EQ(a.records[0].strings[18], "Office 2");
    a = readVcards(QByteArray("BEGIN:VCARD\nN:=\xFF\x00;\nEND:VCARD\n", 29));
    EXPECT_EQ(a.damagedLine, 0) << "odd bytes in a value are text, not damage";
}

TEST(Vcard, WrittenBookReadsBackTheSame)
{
    std::vector<AddressRecord> book(2);
    for (int i = 0; i < AddressStringCount; ++i)
        book[0].strings[std::size_t(i)] =
            "Value " + std::to_string(i) + (i % 3 == 0 ? ", with; \\ marks" : "");
    book[0].strings[1] = "J\xFCrgen \x80";  // Windows-1252 beyond ASCII
    book[0].strings[28] = std::string(100, 'x') + "\xE9" + std::string(100, 'y');  // folded long
    book[1].strings[17] = "Only A Company";
    const QByteArray written = writeVcards(book);
    EXPECT_TRUE(written.startsWith("BEGIN:VCARD\r\nVERSION:4.0\r\n"));
    for (const QByteArray& line : written.split('\n'))
        EXPECT_LE(line.size(), 76) << line.toStdString();  // 75 bytes and the CR
    const ImportedAddresses back = readVcards(written);
    EXPECT_EQ(back.damagedLine, 0) << back.damage.toStdString();
    EXPECT_TRUE(back.unplaced.empty());
    ASSERT_EQ(back.records.size(), 2u);
    for (int i = 0; i < AddressStringCount; ++i)
        EXPECT_EQ(back.records[0].strings[std::size_t(i)], book[0].strings[std::size_t(i)]) << "string " << i;
    EXPECT_EQ(back.records[1], book[1]) << "a company alone is no person's name";
}
