// `vellamo print` into PDF files, checked with poppler's own tools.

#include "addressbook/address_database.h"
#include "document/card_file.h"
#include "support/file_size_limit.h"
#include "support/files.h"
#include "support/private_cupsd.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellamo;

namespace {

constexpr double MmPerInch = 25.39995;

struct CommandRun {
    int status = -1;
    QString err;
};

struct Home {
    QTemporaryDir dir;
    QString card;

    explicit Home(int columns = 2, int rows = 5)
    {
        document::CardDocument doc;
        doc.Format.Columns = columns;
        doc.Format.Rows = rows;
        doc.updateExtents();
        // A red 10 mm x 5 mm box at the card's top-left corner.
        document::Tobs& o = doc.object(1);
        o.Kind = document::ShapeObject;
        o.ShapeKind = 3;
        o.Left = doc.CardExtentX / 3;
        o.Top = doc.CardExtentY / 3;
        o.Width = 7874;
        o.Height = 3937;
        o.Color = 0x0000FF;
        card = dir.filePath("card.vis");
        vellamo::testing::writeFile(card, document::cardToBytes(doc));
    }
    QString file(const QString& name) const { return dir.filePath(name); }

    // `fileSizeLimit` > 0 runs the program as on a disk that holds no more than that many bytes per file.
    CommandRun print(const QStringList& args, rlim_t fileSizeLimit = 0) const
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p.setProcessEnvironment(env);
        if (fileSizeLimit > 0) {
            p.setChildProcessModifier([fileSizeLimit] {
                std::signal(SIGXFSZ, SIG_IGN);
                const rlimit limit{fileSizeLimit, fileSizeLimit};
                ::setrlimit(RLIMIT_FSIZE, &limit);
            });
        }
        p.start(QStringLiteral(VELLAMO_EXECUTABLE), QStringList{"--home", dir.path(), "print", card} + args);
        p.waitForFinished(60000);
        return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardError())};
    }
};

bool redAt(const QString& pdf, int page, int dpi, QPoint corner)
{
    const QImage area =
        vellamo::testing::rasterisePdfArea(pdf, page, dpi, QRect(corner - QPoint(4, 4), QSize(12, 12)));
    return !area.isNull() && area.pixel(6, 6) == qRgb(255, 0, 0) && area.pixel(1, 6) == qRgb(255, 255, 255) &&
           area.pixel(6, 1) == qRgb(255, 255, 255);
}

}  // namespace

TEST(PrintCommand, PdfWithThePagesFirstValuesAndPositionsFromThePapersCorner)
{
    Home home;
    const QString pdf = home.file("cards.pdf");
    const CommandRun run = home.print({"--pdf", pdf, "--dpi", "300"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    // Used 0, copies 10: one sheet, all ten cells.
    EXPECT_EQ(vellamo::testing::pdfPageCount(pdf), 1);
    for (int i = 0; i < 10; ++i) {
        const int c = i % 2, r = i / 2;
        EXPECT_TRUE(redAt(pdf, 1, 300, QPoint(int(90 / MmPerInch * 300 * c), int(55 / MmPerInch * 300 * r))))
            << "cell " << i;
    }

    // Copies 11 at the default 1200 dpi: a second page with one card in its first cell.
    ASSERT_EQ(home.print({"--pdf", pdf, "--copies", "11"}).status, 0);
    EXPECT_EQ(vellamo::testing::pdfPageCount(pdf), 2);
    EXPECT_TRUE(redAt(pdf, 2, 1200, QPoint(0, 0)));
    EXPECT_FALSE(redAt(pdf, 2, 1200, QPoint(int(90 / MmPerInch * 1200), 0)));
}

TEST(PrintCommand, ClampsAreReportedAndBadValuesRefused)
{
    Home home;
    const QString pdf = home.file("cards.pdf");
    CommandRun run = home.print({"--pdf", pdf, "--used", "12", "--copies", "1"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("Already used: 12 lowered to 9")) << run.err.toStdString();
    // Position 9: column 1, row 4, on the first sheet.
    EXPECT_TRUE(redAt(pdf, 1, 300, QPoint(int(90 / MmPerInch * 300), int(55 / MmPerInch * 300 * 4))));

    for (const QStringList& bad :
         {QStringList{"--copies", "1001"}, QStringList{"--copies", "0"}, QStringList{"--used", "101"},
          QStringList{"--used", "-1"}, QStringList{"--calibration", "4,0,101"},
          QStringList{"--calibration", "11,0,100,100"}, QStringList{"--calibration", "0,0,100,nan"},
          QStringList{"--dpi", "10"}}) {
        run = home.print(QStringList{"--pdf", pdf} + bad);
        EXPECT_EQ(run.status, 2) << bad.join(" ").toStdString();
        EXPECT_TRUE(run.err.contains(bad[0])) << run.err.toStdString();
    }
    run = home.print({"--printer", "x", "--pdf", pdf});
    EXPECT_EQ(run.status, 2) << "one output only";
    run = home.print({"--used", "1"});
    EXPECT_EQ(run.status, 2) << "an output is needed";
    EXPECT_TRUE(run.err.contains("usage: vellamo print"));
}

TEST(PrintCommand, AFileThatCannotBeWritten)
{
    Home home;
    const QString pdf = home.file("missing/cards.pdf");
    const CommandRun run = home.print({"--pdf", pdf});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(pdf)) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("the folder does not exist")) << run.err.toStdString();
}

TEST(PrintCommand, AFullDiskKeepsTheOldPdfAndExitsNonZero)
{
    Home home;
    const QString pdf = home.file("cards.pdf");
    vellamo::testing::writeFile(pdf, "previous file");
    const QStringList before = vellamo::testing::folderEntries(home.dir.path());
    const CommandRun run = home.print({"--pdf", pdf, "--copies", "11"}, 1024);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(pdf)) << run.err.toStdString();
    EXPECT_EQ(vellamo::testing::readFile(pdf), QByteArray("previous file"));
    EXPECT_EQ(vellamo::testing::folderEntries(home.dir.path()), before) << "no partial file left behind";

    ASSERT_EQ(home.print({"--pdf", pdf, "--copies", "11"}).status, 0);
    EXPECT_EQ(vellamo::testing::pdfPageCount(pdf), 2);
    EXPECT_EQ(vellamo::testing::folderEntries(home.dir.path()), before);
}

TEST(PrintCommand, CalibrationFromTheOptionOrTheProgramFolder)
{
    Home home;
    const QString pdf = home.file("cards.pdf");
    // Width 101 from options.dat: column 1 at Trunc(90 / (101 x 25.39995 / 100) x 300); the content
    // keeps its own scale and lands W' - W pixels right of the cell.
    vellamo::testing::writeFile(home.file("options.dat"), QByteArray::fromHex("0000000000000000"
                                                                              "0000000000000000"
                                                                              "0000000000405940"
                                                                              "0000000000005940"));
    ASSERT_EQ(home.print({"--pdf", pdf, "--dpi", "300"}).status, 0);
    const double mmX = 101 * MmPerInch / 100;
    const int shift = int(90 / MmPerInch * 300) - int(90 / mmX * 300);
    EXPECT_TRUE(redAt(pdf, 1, 300, QPoint(int(90 / mmX * 300) + shift, 0)));

    // The option wins over the file: the left offset 4 mm moves everything out to the left.
    ASSERT_EQ(home.print({"--pdf", pdf, "--dpi", "300", "--calibration", "4,0,100,100"}).status, 0);
    EXPECT_TRUE(redAt(pdf, 1, 300, QPoint(int(-4 / MmPerInch * 300 + 90 / MmPerInch * 300), 0)));

    // A damaged file counts as no calibration.
    vellamo::testing::writeFile(home.file("options.dat"), "short");
    ASSERT_EQ(home.print({"--pdf", pdf, "--dpi", "300"}).status, 0);
    EXPECT_TRUE(redAt(pdf, 1, 300, QPoint(int(90 / MmPerInch * 300), 0)));
}

TEST(PrintCommand, OneCellAndManyCellFormats)
{
    Home single(1, 1);
    const QString pdf = single.file("cards.pdf");
    const CommandRun run = single.print({"--pdf", pdf, "--used", "5", "--copies", "3", "--dpi", "150"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("lowered to 0"));
    EXPECT_EQ(vellamo::testing::pdfPageCount(pdf), 3);
    for (int page = 1; page <= 3; ++page)
        EXPECT_TRUE(redAt(pdf, page, 150, QPoint(0, 0))) << page;

    // 50 x 50 cells of 90 x 55 mm: the sheet is larger than the paper; what lies beyond it is cut.
    Home many(50, 50);
    EXPECT_EQ(many.print({"--pdf", pdf, "--copies", "1000", "--used", "100", "--dpi", "72"}).status, 0);
    EXPECT_EQ(vellamo::testing::pdfPageCount(pdf), 1);
}

TEST(PrintCommand, AllAddressesPrintsOneCardPerAddressOfTheBook)
{
    Home home;
    document::CardDocument doc;
    doc.updateExtents();
    document::Tobs& text = doc.object(1);
    text.Kind = document::TextObject;
    text.Left = doc.CardExtentX / 3 + 4000;
    text.Top = doc.CardExtentY / 3 + 12000;
    text.Width = 60000;
    text.Height = 12000;
    text.Text = "Card of [First Name]";
    text.FontName = "Arial";
    text.FontSize = 12;
    vellamo::testing::writeFile(home.card, document::cardToBytes(doc));
    const QString pdf = home.file("merge.pdf");

    // No address book at all: nothing to merge.
    CommandRun run = home.print({"--pdf", pdf, "--all-addresses"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("holds no address")) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));

    std::vector<addressbook::AddressRecord> records(3);
    records[0].strings[1] = "Anna";
    records[1].strings[1] = "Bert";
    records[2].strings[1] = "Cleo";
    ASSERT_TRUE(addressbook::writeAddressBookFile(home.file("AdrDB.dat"), records, {}, 0));
    run = home.print({"--pdf", pdf, "--all-addresses", "--used", "9", "--dpi", "150"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    // The last cell of the first sheet, then two on the second.
    EXPECT_EQ(vellamo::testing::pdfPageCount(pdf), 2);
    QProcess text1, text2;
    text1.start("pdftotext", {"-f", "1", "-l", "1", pdf, "-"});
    text2.start("pdftotext", {"-f", "2", "-l", "2", pdf, "-"});
    ASSERT_TRUE(text1.waitForFinished(30000) && text2.waitForFinished(30000));
    const QString first = QString::fromUtf8(text1.readAllStandardOutput());
    const QString second = QString::fromUtf8(text2.readAllStandardOutput());
    EXPECT_EQ(first.count("Card of "), 1);
    EXPECT_TRUE(first.contains("Card of Anna"));
    EXPECT_TRUE(second.contains("Card of Bert") && second.contains("Card of Cleo")) << second.toStdString();

    run = home.print({"--pdf", pdf, "--all-addresses", "--copies", "3"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains("--all-addresses prints one card per address"));
}
