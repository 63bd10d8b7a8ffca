#include "print/mail_merge.h"

#include "print/print_page.h"
#include "print/test_cards.h"
#include "support/private_cupsd.h"
#include "support/scripted_prompter.h"

#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellamo;
using vellamo::testing::ScriptedPrompter;

namespace {

constexpr double MmPerInch = 25.39995;
// Rows of the address table: "First Name" and "Last Name".
constexpr int FirstNameRow = 2;
constexpr int LastNameRow = 3;

addressbook::AddressRecord person(const std::string& first, const std::string& last)
{
    addressbook::AddressRecord record;
    record.strings[FirstNameRow - 1] = first;
    record.strings[LastNameRow - 1] = last;
    return record;
}

// The red-corner card with "[Last Name]" below the box, on the 2 x 5 sheet of 90 x 55 mm cells.
document::CardDocument nameCard()
{
    document::CardDocument doc = vellamo::testing::redCornerCard();
    document::Tobs& text = doc.object(2);
    text.Kind = document::TextObject;
    text.Left = doc.CardExtentX / 3 + 4000;
    text.Top = doc.CardExtentY / 3 + 12000;
    text.Width = 60000;
    text.Height = 12000;
    text.Text = "[Last Name]";
    text.FontName = "Arial";
    text.FontSize = 14;
    return doc;
}

// The text pdftotext finds inside the cell of column c, row r (in points at 72 dpi).
QString textInCell(const QString& pdf, int page, int c, int r)
{
    const int x = int(90 / MmPerInch * 72 * c), y = int(55 / MmPerInch * 72 * r);
    QProcess p;
    p.start("pdftotext",
            {"-f", QString::number(page), "-l", QString::number(page), "-r", "72", "-x", QString::number(x),
             "-y", QString::number(y), "-W", QString::number(int(90 / MmPerInch * 72)), "-H",
             QString::number(int(55 / MmPerInch * 72)), pdf, "-"});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QStringLiteral("<pdftotext failed>");
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

bool redAt(const QString& pdf, int page, int dpi, QPoint corner)
{
    const QImage area =
        vellamo::testing::rasterisePdfArea(pdf, page, dpi, QRect(corner - QPoint(4, 4), QSize(12, 12)));
    return !area.isNull() && area.pixel(6, 6) == qRgb(255, 0, 0) && area.pixel(1, 6) == qRgb(255, 255, 255);
}

QPoint cellCorner(int index, int dpi)
{
    const int c = index % 2, r = (index / 2) % 5;
    return QPoint(int(90 / MmPerInch * dpi * c), int(55 / MmPerInch * dpi * r));
}

print::PrintJobResult mergeToPdf(document::CardDocument& doc, addressbook::AddressBook& book,
                                 const QString& pdf, int used)
{
    QPrinter printer(QPrinter::HighResolution);
    print::useDefaultPdfPage(printer);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setResolution(300);
    printer.setOutputFileName(pdf);
    print::PrintJobSettings settings;
    settings.values.used = used;
    settings.values.copies = 10;  // replaced by the number of addresses
    ScriptedPrompter ask;
    return print::printMerge(printer, doc, settings, render::RenderContext(), print::mergeAddresses(book),
                             ask);
}

}  // namespace

TEST(MailMerge, ThreeAddressesPrintThreeCardsWithTheirOwnTextsAfterTheUsedCells)
{
    QTemporaryDir dir;
    addressbook::AddressBook book;
    book.appendRecords({person("Anna", "Berg"), person("Li", "Chen"), person("Ole", "Dahl")});
    book.ChangeAktName(1);
    // An edit in the working copy not yet stored counts.
    book.setValue(LastNameRow, "Chang");
    document::CardDocument doc = nameCard();
    const QString pdf = dir.filePath("merge.pdf");

    const print::PrintJobResult result = mergeToPdf(doc, book, pdf, 1);
    ASSERT_TRUE(result.printed) << result.error.toStdString();
    EXPECT_EQ(result.cards, 3);
    EXPECT_EQ(result.pages, 1);
    EXPECT_EQ(book.records()[1].strings[LastNameRow - 1], "Chang");

    // Cells 1, 2, 3 in address order; cell 0 was used, cell 4 stays empty.
    const QStringList expected = {"", "Berg", "Chang", "Dahl", ""};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(textInCell(pdf, 1, i % 2, i / 2), expected[i]) << "cell " << i;
        EXPECT_EQ(redAt(pdf, 1, 300, cellCorner(i, 300)), !expected[i].isEmpty()) << "cell " << i;
    }
}

TEST(MailMerge, AMergeCrossesSheetsAndAnEmptyBookPrintsNothing)
{
    QTemporaryDir dir;
    addressbook::AddressBook book;
    std::vector<addressbook::AddressRecord> people;
    for (int i = 0; i < 12; ++i)
        people.push_back(person("P", "Name" + std::to_string(i)));
    book.appendRecords(people);
    document::CardDocument doc = nameCard();
    const QString pdf = dir.filePath("merge.pdf");
    const print::PrintJobResult result = mergeToPdf(doc, book, pdf, 9);
    ASSERT_TRUE(result.printed) << result.error.toStdString();
    // Positions 9 .. 20 of ten-card sheets: the last cell of sheet 1, all of sheet 2, one of sheet 3.
    EXPECT_EQ(result.cards, 12);
    EXPECT_EQ(result.pages, 3);
    EXPECT_EQ(textInCell(pdf, 1, 1, 4), "Name0");
    EXPECT_EQ(textInCell(pdf, 2, 0, 0), "Name1");
    EXPECT_EQ(textInCell(pdf, 3, 0, 0), "Name11");

    addressbook::AddressBook empty;
    const QString none = dir.filePath("none.pdf");
    const print::PrintJobResult nothing = mergeToPdf(doc, empty, none, 0);
    EXPECT_FALSE(nothing.printed);
    EXPECT_EQ(nothing.error, print::NoAddressToMerge);
    EXPECT_FALSE(QFileInfo::exists(none));
}

TEST(MailMerge, ValuesTakeEveryAddressAndKeepThePageShownInTheMerge)
{
    // Beyond the copies field's 1000 too.
    EXPECT_EQ(print::mergeValues({0, 10, 1}, 1500, 10).copies, 1500);
    // Used 12 on a sheet of 10 becomes 9; three addresses make two pages, so page 5 becomes 2.
    const print::SheetValues v = print::mergeValues({12, 10, 5}, 3, 10);
    EXPECT_EQ(v.used, 9);
    EXPECT_EQ(v.copies, 3);
    EXPECT_EQ(v.page, 2);
}
