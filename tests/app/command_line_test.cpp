#include "app/command_line.h"

#include "addressbook/address_database.h"

#include "support/bytes.h"
#include "support/file_size_limit.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>

using namespace vellamo::app;
using vellamo::testing::Bytes;
using vellamo::testing::cardSignature;
using vellamo::testing::formatRecord;

using vellamo::testing::readFile;
using vellamo::testing::writeFile;

namespace {

struct ProcessRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// `fileSizeLimit` > 0 runs the program as on a disk that holds no more than that many bytes per file.
ProcessRun runVellamo(const QStringList& args, rlim_t fileSizeLimit = 0)
{
    QProcess p;
    if (fileSizeLimit > 0) {
        p.setChildProcessModifier([fileSizeLimit] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{fileSizeLimit, fileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        });
    }
    p.start(QStringLiteral(VELLAMO_EXECUTABLE), args);
    p.waitForFinished(60000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

}  // namespace

TEST(CommandLine, Parsing)
{
    CommandLine line = parseCommandLine({"dump", "--home", "/h", "a.vis"});
    EXPECT_EQ(line.subcommand, "dump");
    EXPECT_EQ(line.arguments, QStringList{"a.vis"});
    EXPECT_EQ(line.homeFolder, "/h");

    line = parseCommandLine({"--home", "/h", "build", "a.json", "a.vis"});
    EXPECT_EQ(line.subcommand, "build");
    EXPECT_EQ(line.arguments, (QStringList{"a.json", "a.vis"}));

    line = parseCommandLine({"card.vis"});
    EXPECT_TRUE(line.subcommand.isEmpty());
    EXPECT_EQ(line.cardFile, "card.vis");

    EXPECT_FALSE(parseCommandLine({"--home"}).error.isEmpty());
    EXPECT_FALSE(parseCommandLine({"--bogus"}).error.isEmpty());
    EXPECT_FALSE(parseCommandLine({"a.vis", "b.vis"}).error.isEmpty());
}

TEST(CommandLine, DumpThenBuildGivesBackTheFile)
{
    QTemporaryDir dir;
    Bytes card;
    card.raw(cardSignature())
        .raw(formatRecord(1.25, 0, 95, 55, 90, 55, 2, 5,
                          "Gr\xFC\xDF"
                          "e"));
    card.i32(212598).i32(129921).i32(0).zstr("back \x80.jpg").f64(1.0).f64(208.0 / 1.5);
    card.i32(4).i32(1).i32(2).i32(3).i32(4).u8(0).i32(2).i32(255).i32(0).i32(1).i32(0).i32(0);
    card.u8(1).u8(1).i32(5).i32(5).u8(0).u8(0).i32(1).i32(0).zstr("Zeile 1\rZeile \xE9").i32(0).i32(-12);
    card.zstr("Arial").u8(0).i32(10).u8(1).i32(10001);
    writeFile(dir.filePath("card.vis"), card.data);

    const ProcessRun dump = runVellamo({"dump", dir.filePath("card.vis")});
    ASSERT_EQ(dump.status, 0) << dump.err.toStdString();
    EXPECT_TRUE(dump.out.contains("\"Name\": \"Grüße\"")) << dump.out.toStdString();
    EXPECT_TRUE(dump.out.contains("Zeile 1\\rZeile é"));
    writeFile(dir.filePath("card.json"), dump.out);

    const ProcessRun build = runVellamo({"build", dir.filePath("card.json"), dir.filePath("again.vis")});
    ASSERT_EQ(build.status, 0) << build.err.toStdString();
    EXPECT_EQ(readFile(dir.filePath("again.vis")), card.data);
}

TEST(CommandLine, FailuresExitNonZeroWithAMessage)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("not-a-card.vis"), "hello");
    ProcessRun r = runVellamo({"dump", dir.filePath("not-a-card.vis")});
    EXPECT_NE(r.status, 0);
    EXPECT_TRUE(r.err.contains("it is not a Business Card")) << r.err.toStdString();

    r = runVellamo({"dump", dir.filePath("missing.vis")});
    EXPECT_NE(r.status, 0);

    writeFile(dir.filePath("bad.json"), "{ not json");
    r = runVellamo({"build", dir.filePath("bad.json"), dir.filePath("out.vis")});
    EXPECT_NE(r.status, 0);
    EXPECT_FALSE(QFile::exists(dir.filePath("out.vis")));

    writeFile(dir.filePath("ok.json"), "{}");
    r = runVellamo({"build", dir.filePath("ok.json"), dir.filePath("no/such/folder/out.vis")});
    EXPECT_NE(r.status, 0);
    EXPECT_TRUE(r.err.contains("Could not create file")) << r.err.toStdString();

    r = runVellamo({"dump"});
    EXPECT_EQ(r.status, 2);
}

namespace {

// One slot entry in the order of the card file.
void entry(Bytes& b, int slot, int left, int top, int width, int height, int kind, int color, int shapeKind,
           const std::string& text, int fontSize)
{
    b.i32(slot).i32(left).i32(top).i32(width).i32(height).u8(0).i32(kind).i32(color).i32(shapeKind).i32(0);
    b.i32(0).i32(0).u8(0).u8(0).i32(5).i32(5).u8(0).u8(0).i32(0).i32(0).zstr(text).i32(0).i32(0).zstr(
        "Arial");
    b.u8(0).i32(fontSize).u8(0);
}

// The default 90 x 55 mm card: a red box at its top-left corner and a text below it.
QByteArray defaultCard(const std::string& text)
{
    Bytes card;
    card.raw(cardSignature()).raw(formatRecord(0, 0, 0, 0, 90, 55, 2, 5, "None Business Cardstype"));
    card.i32(212598).i32(129921).i32(-1).zstr("").f64(1.0).f64(208.0);
    entry(card, 1, 70866, 43307, 7874, 3937, 1, 0x0000FF, 3, "", 0);
    entry(card, 2, 70866, 43307 + 10000, 70866, 20000, 2, 0, 0, text, 12);
    card.i32(10001);
    return card.data;
}

QByteArray addressBook(const std::vector<std::string>& firstNames, int standardIndex)
{
    Bytes b;
    b.i32(int(firstNames.size()));
    for (const std::string& name : firstNames)
        for (int k = 0; k < 30; ++k)
            b.lstr(k == 1 ? name : "");
    for (int k = 0; k < 30; ++k)
        b.lstr("");
    b.i32(standardIndex);
    return b.data;
}

}  // namespace

TEST(CommandLine, ExportWritesTheCardAsAPicture)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("card.vis"), defaultCard("Hello"));

    ProcessRun r = runVellamo({"export", dir.filePath("card.vis"), dir.filePath("out"), "--format-index",
                               "12", "--home", dir.path()});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QImage png(dir.filePath("out.PNG"));
    ASSERT_EQ(png.size(), QSize(340, 207));
    EXPECT_EQ(png.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(png.pixel(37, 10), qRgb(255, 255, 255));

    // Without --format-index the name's extension chooses the type.
    r = runVellamo({"--home", dir.path(), "export", dir.filePath("card.vis"), dir.filePath("out.bmp")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(readFile(dir.filePath("out.bmp")).left(2), "BM");
    EXPECT_EQ(QImage(dir.filePath("out.bmp")), png.convertToFormat(QImage::Format_RGB32));
}

TEST(CommandLine, ExportWritesPdfAndSvgWithTheTextAsText)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("AdrDB.dat"), addressBook({"Anna", "Bob"}, 1));
    writeFile(dir.filePath("card.vis"), defaultCard("Dear [First Name]"));

    ProcessRun r =
        runVellamo({"export", dir.filePath("card.vis"), dir.filePath("card.PDF"), "--home", dir.path()});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QProcess text;
    text.start("pdftotext", {dir.filePath("card.PDF"), "-"});
    ASSERT_TRUE(text.waitForFinished(30000));
    EXPECT_TRUE(text.readAllStandardOutput().contains("Dear Bob")) << "the standard address fills the card";

    // --format-index 14 is SVG; a name without extension gets ".svg".
    r = runVellamo({"export", dir.filePath("card.vis"), dir.filePath("out"), "--format-index", "14",
                    "--address", "0", "--home", dir.path()});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QByteArray svg = readFile(dir.filePath("out.svg"));
    EXPECT_TRUE(svg.startsWith("<?xml")) << svg.left(80).toStdString();
    EXPECT_TRUE(svg.contains(">Dear Anna<"));

    r = runVellamo({"export", dir.filePath("card.vis"), dir.filePath("none/out.svg"), "--home", dir.path()});
    EXPECT_NE(r.status, 0);
    EXPECT_TRUE(r.err.contains("Error: File could not be saved!"));
}

TEST(CommandLine, AddressesImportAppendsToTheBookAndExportWritesIt)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("AdrDB.dat"), addressBook({"Anna"}, 0));
    writeFile(dir.filePath("in.csv"),
              "Vorname;Nachname;Hobby\nBernd;Bach;Chor\nCl\xC3\xA4re;\xE2\x82\xAC\xE2\x98\x83;\n");
    ProcessRun r = runVellamo({"addresses", "import", dir.filePath("in.csv"), "--home", dir.path()});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("2 addresses were imported.")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("Hobby (1)"));
    EXPECT_TRUE(r.err.contains("1 character that Windows-1252 cannot hold"))
        << "the snowman; the euro sign fits";

    // Count 3, then 30 strings a record, each length, bytes and a zero byte.
    const QByteArray book = readFile(dir.filePath("AdrDB.dat"));
    EXPECT_EQ(book.left(4), Bytes().i32(3).data);
    EXPECT_TRUE(book.contains(Bytes().lstr("Bernd").lstr("Bach").data));
    EXPECT_TRUE(book.contains(Bytes().lstr("Cl\xE4re").lstr("\x80?").data));

    r = runVellamo({"--home", dir.path(), "addresses", "export", dir.filePath("out.vcf")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QByteArray vcf = readFile(dir.filePath("out.vcf"));
    EXPECT_EQ(vcf.count("BEGIN:VCARD"), 3);
    EXPECT_TRUE(vcf.contains("N:Bach;Bernd;;;"));

    // A damaged file: nobody can confirm keeping the part before the damage, so nothing changes.
    writeFile(dir.filePath("bad.vcf"), "BEGIN:VCARD\nN:Ok;One\nEND:VCARD\nBEGIN:VCARD\nbroken\n");
    r = runVellamo({"addresses", "import", dir.filePath("bad.vcf"), "--home", dir.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("damaged in line 5")) << r.err.toStdString();
    EXPECT_EQ(readFile(dir.filePath("AdrDB.dat")), book);

    writeFile(dir.filePath("AdrDB.dat"), book.left(book.size() - 2));
    r = runVellamo({"addresses", "import", dir.filePath("in.csv"), "--home", dir.path()});
    EXPECT_EQ(r.status, 1) << "a damaged book is not written over";
    EXPECT_EQ(readFile(dir.filePath("AdrDB.dat")).size(), book.size() - 2);
    EXPECT_EQ(runVellamo({"addresses", "merge", "x"}).status, 2);
}

TEST(CommandLine, TwoImportsAtOnceLoseNothing)
{
    QTemporaryDir dir;
    const auto card = [](const QString& name) {
        return "BEGIN:VCARD\r\nVERSION:3.0\r\nN:" + name.toLatin1() + ";Anna;;;\r\nEND:VCARD\r\n";
    };
    std::vector<std::string> expected;
    for (int round = 0; round < 50; ++round) {
        QProcess imports[2];
        for (int k = 0; k < 2; ++k) {
            const QString name = QStringLiteral("R%1P%2").arg(round).arg(k);
            const QString file = dir.filePath(name + ".vcf");
            writeFile(file, card(name));
            expected.push_back(name.toStdString());
            imports[k].start(QStringLiteral(VELLAMO_EXECUTABLE),
                             {"--home", dir.path(), "addresses", "import", file});
        }
        for (QProcess& p : imports) {
            ASSERT_TRUE(p.waitForFinished(60000));
            ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        }
    }
    std::vector<std::string> lastNames;
    for (const auto& r :
         vellamo::addressbook::addressBookFromBytes(readFile(dir.filePath("AdrDB.dat"))).records)
        lastNames.push_back(r.strings[2]);
    std::sort(lastNames.begin(), lastNames.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(lastNames, expected);
}

TEST(CommandLine, ExportFillsPlaceholdersFromTheAddressBook)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("AdrDB.dat"), addressBook({"Anna", "Bob"}, 1));
    writeFile(dir.filePath("token.vis"), defaultCard("[First Name]"));
    writeFile(dir.filePath("anna.vis"), defaultCard("Anna"));
    writeFile(dir.filePath("bob.vis"), defaultCard("Bob"));
    auto exported = [&](const QString& card, QStringList more) {
        const QString out = dir.filePath(card + QString::number(more.size()) + ".png");
        const ProcessRun r =
            runVellamo(QStringList{"export", dir.filePath(card + ".vis"), out, "--home", dir.path()} + more);
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        return QImage(out);
    };
    const QImage standard = exported("token", {});
    EXPECT_EQ(standard, exported("bob", {})) << "the standard address is current";
    EXPECT_EQ(exported("token", {"--address", "0"}), exported("anna", {}));
    EXPECT_NE(standard, exported("anna", {}));

    const ProcessRun missing = runVellamo(
        {"export", dir.filePath("token.vis"), dir.filePath("x.png"), "--address", "2", "--home", dir.path()});
    EXPECT_NE(missing.status, 0);
    EXPECT_FALSE(QFile::exists(dir.filePath("x.png")));

    // An address book whose standard address lies outside it leaves the tokens standing.
    QTemporaryDir other;
    writeFile(other.filePath("AdrDB.dat"), addressBook({"Anna"}, 3));
    const ProcessRun tokens =
        runVellamo({"export", dir.filePath("token.vis"), other.filePath("t.png"), "--home", other.path()});
    ASSERT_EQ(tokens.status, 0);
    EXPECT_NE(QImage(other.filePath("t.png")), exported("anna", {}));
}

TEST(CommandLine, ExportFailuresExitNonZero)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("card.vis"), defaultCard("x"));
    ProcessRun r = runVellamo(
        {"export", dir.filePath("card.vis"), dir.filePath("no/such/folder/out.png"), "--home", dir.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("Error: File could not be saved!")) << r.err.toStdString();

    r = runVellamo({"export", dir.filePath("card.vis"), dir.filePath("out.xyz"), "--home", dir.path()});
    EXPECT_EQ(r.status, 2) << "no type from the name";
    r = runVellamo({"export", dir.filePath("card.vis"), dir.filePath("out"), "--format-index", "15"});
    EXPECT_EQ(r.status, 2);
    r = runVellamo({"export", dir.filePath("card.vis")});
    EXPECT_EQ(r.status, 2);
    r = runVellamo({"export", dir.filePath("missing.vis"), dir.filePath("out.png"), "--home", dir.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(QFile::exists(dir.filePath("out.png")));
}

TEST(CommandLine, AFullDiskKeepsTheOldFileAndExitsNonZero)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("card.vis"), defaultCard("Hello"));
    const ProcessRun dump = runVellamo({"dump", dir.filePath("card.vis")});
    ASSERT_EQ(dump.status, 0);
    writeFile(dir.filePath("card.json"), dump.out);
    writeFile(dir.filePath("old.vis"), "previous card");
    writeFile(dir.filePath("old.pic"), "previous picture");
    const QStringList before = vellamo::testing::folderEntries(dir.path());

    const ProcessRun build = runVellamo({"build", dir.filePath("card.json"), dir.filePath("old.vis")}, 100);
    EXPECT_EQ(build.status, 1);
    EXPECT_TRUE(build.err.contains("Error: Could not create file!")) << build.err.toStdString();
    EXPECT_EQ(readFile(dir.filePath("old.vis")), QByteArray("previous card"));

    for (int index = 1; index <= 12; ++index) {
        const ProcessRun r = runVellamo({"export", dir.filePath("card.vis"), dir.filePath("old.pic"),
                                         "--format-index", QString::number(index), "--home", dir.path()},
                                        100);
        EXPECT_EQ(r.status, 1) << "filter entry " << index;
        EXPECT_TRUE(r.err.contains("Error: File could not be saved!")) << r.err.toStdString();
        EXPECT_EQ(readFile(dir.filePath("old.pic")), QByteArray("previous picture"))
            << "filter entry " << index;
    }
    EXPECT_EQ(vellamo::testing::folderEntries(dir.path()), before) << "no partial file left behind";
}

TEST(CommandLine, BuildRefusesZeroCharactersInTexts)
{
    QTemporaryDir dir;
    for (const QByteArray& text : {QByteArray("a\\u0000b"), QByteArray("a\0b", 3)}) {
        writeFile(dir.filePath("card.json"),
                  "{\"Objects\": [{\"Slot\": 3, \"Kind\": 2, \"Text\": \"" + text + "\"}]}");
        const ProcessRun r = runVellamo({"build", dir.filePath("card.json"), dir.filePath("card.vis")});
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.err.contains("\"Text\"")) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(dir.filePath("card.vis")));
    }
}

TEST(CommandLine, ExportAllAddressesWritesOneFileNamedAfterEachAddress)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("card.vis"), defaultCard("Card of [First Name] [City]"));
    const QString out = dir.filePath("cards");

    ProcessRun r =
        runVellamo({"--home", dir.path(), "export", dir.filePath("card.vis"), out, "--all-addresses"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("holds no address")) << r.err.toStdString();

    // Rows: 2 first name, 3 last name, 7 city.
    auto record = [](const std::string& first, const std::string& last, const std::string& city) {
        vellamo::addressbook::AddressRecord a;
        a.strings[1] = first;
        a.strings[2] = last;
        a.strings[6] = city;
        return a;
    };
    const std::vector<vellamo::addressbook::AddressRecord> book = {
        record("Anna", "Berg", "Oslo"),    record("Anna", "BERG", "Bergen"),         record("", "", "Tromso"),
        record("Ola", "Dahl/Ek", "Molde"), record("J\xF6rg", "..M\xFCller", "Graz"),
    };
    ASSERT_TRUE(vellamo::addressbook::writeAddressBookFile(dir.filePath("AdrDB.dat"), book, {}, 0));

    r = runVellamo({"--home", dir.path(), "export", dir.filePath("card.vis"), out, "--all-addresses",
                    "--format-index", "14"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    // The same name in other case is the same file on some systems; "/" would name a folder.
    const QStringList names = {"Berg Anna.svg", "BERG Anna (2).svg", "Address 3.svg", "Dahl_Ek Ola.svg",
                               QString::fromUtf8("M\xC3\xBCller J\xC3\xB6rg.svg")};
    const QStringList cities = {"Oslo", "Bergen", "Tromso", "Molde", "Graz"};
    EXPECT_EQ(QDir(out).entryList(QDir::Files).size(), names.size());
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString svg = QString::fromUtf8(readFile(QDir(out).filePath(names[i])));
        EXPECT_TRUE(svg.contains(cities[i])) << names[i].toStdString();
    }

    // PNG without --format-index; each picture differs from the others.
    const QString png = dir.filePath("png");
    r = runVellamo({"--home", dir.path(), "export", dir.filePath("card.vis"), png, "--all-addresses"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QImage first(QDir(png).filePath("Berg Anna.png"));
    const QImage second(QDir(png).filePath("BERG Anna (2).png"));
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first.size(), QSize(340, 207));
    EXPECT_NE(first, second);

    r = runVellamo(
        {"--home", dir.path(), "export", dir.filePath("card.vis"), out, "--all-addresses", "--address", "1"});
    EXPECT_EQ(r.status, 2);
}
