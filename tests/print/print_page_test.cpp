#include "print/print_page.h"

#include "editor/dialog_support.h"
#include "imaging/picture_writer.h"
#include "print/calibration_dialog.h"
#include "print/calibration_file.h"
#include "print/mail_merge.h"
#include "support/files.h"
#include "support/scripted_prompter.h"
#include "test_cards.h"

#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QPageSize>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace vellamo;
using print::PrintPage;
using vellamo::testing::redCornerCard;
using vellamo::testing::ScriptedPrompter;

namespace {

constexpr double MmPerInch = 25.39995;

struct Page {
    QTemporaryDir home;
    ScriptedPrompter ask;
    document::CardDocument doc;
    std::unique_ptr<PrintPage> page;

    explicit Page(const document::CardFormat& format = document::defaultCardFormat())
        : doc(redCornerCard(format))
    {
        page = std::make_unique<PrintPage>(
            doc, [] { return render::RenderContext(); }, ask, home.path() + "/");
        // No queue: a PDF page of A4 at 600 dpi, whatever printers this machine has.
        print::useDefaultPdfPage(page->printer());
        page->printer().setPageSize(QPageSize(QPageSize::A4));
        page->resize(900, 700);
        page->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(page.get()));
    }

    // The preview as the user sees it, after it has sized itself.
    QImage preview()
    {
        page->VPaintPaint();
        QCoreApplication::processEvents();
        page->VPaint->grab();
        QCoreApplication::processEvents();
        return page->VPaint->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
};

// Cell of column c, row r of the 90 x 55 mm card at 35 dpi: X = Trunc(90 / 25.39995 x 35 x c).
QPoint cellAt35(int c, int r) { return QPoint(int(90 / MmPerInch * 35 * c), int(55 / MmPerInch * 35 * r)); }

bool cardShown(const QImage& preview, QPoint cell)
{
    return preview.pixel(cell + QPoint(2, 2)) == qRgb(255, 0, 0);
}

}  // namespace

TEST(PrintPage, ControlsAndTheirFirstValues)
{
    Page p;
    EXPECT_EQ(p.page->UsedED->minimum(), 0);
    EXPECT_EQ(p.page->UsedED->maximum(), 100);
    EXPECT_EQ(p.page->UsedED->value(), 0);
    EXPECT_EQ(p.page->UsedED->statusTip(), "Enter number of already printed cards");
    EXPECT_EQ(p.page->KopiesED->minimum(), 1);
    EXPECT_EQ(p.page->KopiesED->maximum(), 1000);
    EXPECT_EQ(p.page->KopiesED->value(), 10);
    EXPECT_EQ(p.page->KopiesED->statusTip(), "Select number of copies");
    EXPECT_EQ(p.page->PageEd->minimum(), 1);
    EXPECT_EQ(p.page->PageEd->maximum(), 1000);
    EXPECT_EQ(p.page->PageEd->value(), 1);
    EXPECT_EQ(p.page->ZoominBtn->text(), "Increase");
    EXPECT_EQ(p.page->ZoominBtn->statusTip(), "Increases the size of the preview");
    EXPECT_EQ(p.page->ZoomOutBtn->text(), "Reduce");
    EXPECT_EQ(p.page->ZoomOutBtn->statusTip(), "Reduces the size of the preview");
    EXPECT_EQ(p.page->SchneidBtn->text(), "Cut lines");
    EXPECT_FALSE(p.page->SchneidBtn->isChecked());
    EXPECT_EQ(p.page->PrintSetupBtn->text(), "Printer setup");
    EXPECT_EQ(p.page->PrintSetupBtn->statusTip(), "Setups the printer");
    EXPECT_EQ(p.page->PrintBtn->text(), "Print");
    EXPECT_EQ(p.page->PrintBtn->statusTip(), "Prints the Business Card");
    EXPECT_EQ(p.page->EMailBtn->text(), "Email export");
    EXPECT_EQ(p.page->EMailBtn->statusTip(), "Saves the Business Card as bitmap picture");
    EXPECT_EQ(p.page->PreviewDpi, 35);
}

TEST(PrintPage, PreviewShowsThePositionsOfThePageShown)
{
    Page p;
    // The page: the printable area at 600 dpi divided by 600 div 35 = 17.
    const QSize printable = p.page->printer().pageLayout().paintRectPixels(600).size();
    const QImage first = p.preview();
    EXPECT_EQ(first.size(), QSize(printable.width() / 17, printable.height() / 17));
    EXPECT_EQ(p.page->VPaint->size(), first.size());

    // 2 x 5, used 3, copies 10: page 1 holds positions 3..9.
    p.page->UsedED->setValue(3);
    QImage shown = p.preview();
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(cardShown(shown, cellAt35(i % 2, i / 2)), i >= 3) << "position " << i;
    EXPECT_EQ(shown.pixel(cellAt35(1, 4) + QPoint(124 + 1, 2)), qRgb(255, 255, 255))
        << "right of the last card";

    // Page 3 does not exist: it drops to 2, which holds positions 10..12 in its first cells.
    p.page->PageEd->setValue(3);
    EXPECT_EQ(p.page->PageEd->value(), 2);
    shown = p.preview();
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(cardShown(shown, cellAt35(i % 2, i / 2)), i < 3) << "cell " << i;

    // Used 0, copies 1: only the top-left cell.
    p.page->UsedED->setValue(0);
    p.page->KopiesED->setValue(1);
    EXPECT_EQ(p.page->PageEd->value(), 1);
    shown = p.preview();
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(cardShown(shown, cellAt35(i % 2, i / 2)), i == 0) << "cell " << i;

    // Used beyond the sheet: lowered to S - 1.
    p.page->UsedED->setValue(50);
    EXPECT_EQ(p.page->UsedED->value(), 9);
    EXPECT_EQ(p.doc.RenderMode, document::ScreenConversion);
}

TEST(PrintPage, OneCellFormatsAndFormatChanges)
{
    document::CardFormat single = document::defaultCardFormat();
    single.Columns = 1;
    single.Rows = 1;
    Page p(single);
    p.page->UsedED->setValue(4);
    EXPECT_EQ(p.page->UsedED->value(), 0);
    p.page->KopiesED->setValue(5);
    p.page->PageEd->setValue(9);
    EXPECT_EQ(p.page->PageEd->value(), 5) << "every copy on its own page";
    EXPECT_TRUE(cardShown(p.preview(), {0, 0}));

    // A format with more cells keeps the values; one with fewer lowers them on the next repaint.
    p.doc.Format = document::defaultCardFormat();
    p.page->UsedED->setValue(7);
    p.doc.Format = single;
    p.page->VPaintPaint();
    EXPECT_EQ(p.page->UsedED->value(), 0);
}

// A card larger than the sheet shows its corner at any zoom, without a picture of the whole card.
TEST(PrintPage, ACardLargerThanTheSheetShowsWhatFitsOnThePage)
{
    document::CardFormat huge = document::defaultCardFormat();
    huge.Columns = huge.Rows = 1;
    huge.CardWidth = huge.PitchX = 3000;
    huge.CardHeight = huge.PitchY = 1000;
    huge.MarginLeft = 20;
    huge.MarginTop = 30;
    Page p(huge);
    for (int dpi : {35, 262}) {
        p.page->PreviewDpi = dpi;
        const QImage preview = p.preview();
        ASSERT_EQ(preview.size(), p.page->previewPage());
        const QPoint corner(int(20 / MmPerInch * dpi), int(30 / MmPerInch * dpi));
        EXPECT_TRUE(cardShown(preview, corner)) << dpi << " dpi";
        EXPECT_NE(preview.pixel(corner - QPoint(2, 2)), qRgb(255, 0, 0)) << "nothing before the card";
        const QPoint past = corner + QPoint(int(10 / MmPerInch * dpi) + 3, 2);
        EXPECT_EQ(preview.pixel(past), qRgb(255, 255, 255)) << "the red box ends after 10 mm";
    }
}

TEST(PrintPage, ZoomStepsAndCutLines)
{
    Page p;
    std::vector<int> steps;
    for (int i = 0; i < 7; ++i) {
        QTest::mouseClick(p.page->ZoominBtn, Qt::LeftButton);
        steps.push_back(p.page->PreviewDpi);
    }
    EXPECT_EQ(steps, (std::vector<int>{52, 78, 117, 175, 262, 262, 262}));
    const QSize printable = p.page->printer().pageLayout().paintRectPixels(600).size();
    EXPECT_EQ(p.preview().size(), QSize(printable.width() / 2, printable.height() / 2)) << "600 div 262 = 2";
    QTest::mouseClick(p.page->ZoomOutBtn, Qt::LeftButton);
    EXPECT_EQ(p.page->PreviewDpi, 174);
    p.page->PreviewDpi = 35;
    QTest::mouseClick(p.page->ZoomOutBtn, Qt::LeftButton);
    QTest::mouseClick(p.page->ZoomOutBtn, Qt::LeftButton);
    QTest::mouseClick(p.page->ZoomOutBtn, Qt::LeftButton);
    EXPECT_EQ(p.page->PreviewDpi, 15);

    p.page->PreviewDpi = 35;
    p.page->KopiesED->setValue(3);
    EXPECT_EQ(p.preview().pixel(124, 40), qRgb(255, 255, 255)) << "no outline without cut lines";
    QTest::mouseClick(p.page->SchneidBtn, Qt::LeftButton);
    const QImage lined = p.preview();
    // The outline runs through X..X+W and Y..Y+H: dotted, so some of its pixels are black.
    auto blackOnColumn = [&](int x, int top, int bottom) {
        int black = 0;
        for (int y = top; y <= bottom; ++y)
            black += lined.pixel(x, y) == qRgb(0, 0, 0);
        return black;
    };
    const int w = 124, h = 75;
    EXPECT_GT(blackOnColumn(w, 20, h - 1), 5) << "the right edge of the first card";
    EXPECT_LT(blackOnColumn(w, 20, h - 1), h - 20) << "dotted, not solid";
    EXPECT_GT(blackOnColumn(0, 20, h - 1), 5);
    EXPECT_EQ(blackOnColumn(w + 30, 1, h - 1), 0) << "no outline inside the card";
    EXPECT_GT(blackOnColumn(w + 30, 0, h), 0) << "but on its top or bottom edge";
    // Position 3 (column 1, row 1) is empty: no outline on its right edge.
    EXPECT_EQ(blackOnColumn(2 * w, 75 + 20, 2 * 75 - 5), 0);
}

TEST(PrintPage, PrintingWithoutAQueueAsksForAPdfFile)
{
    Page p;
    p.page->UsedED->setValue(9);
    p.page->KopiesED->setValue(2);
    const QString pdf = p.home.filePath("cards.pdf");
    p.ask.saveFiles = {pdf};
    int printed = 0;
    QObject::connect(p.page.get(), &PrintPage::printed, [&] { ++printed; });
    QTest::mouseClick(p.page->PrintBtn, Qt::LeftButton);
    ASSERT_EQ(p.ask.saveRequests.size(), 1u);
    EXPECT_EQ(p.ask.saveRequests[0].filter, "PDF files (*.pdf)|*.pdf");
    EXPECT_TRUE(p.ask.messages.empty()) << p.ask.texts().join(", ").toStdString();
    EXPECT_EQ(printed, 1);
    EXPECT_TRUE(vellamo::testing::readFile(pdf).startsWith("%PDF"));
    QProcess info;
    info.start("pdfinfo", {pdf});
    if (info.waitForFinished(10000)) {
        const QString out = QString::fromLocal8Bit(info.readAllStandardOutput());
        EXPECT_TRUE(out.contains(QRegularExpression("Pages:\\s+2\\b"))) << out.toStdString();
        EXPECT_TRUE(out.contains("Korvend Vellamo 3.5 - Business Card")) << out.toStdString();
    }
    EXPECT_TRUE(p.page->printer().outputFileName().isEmpty()) << "the next job asks again";

    // Cancelled: nothing printed.
    QTest::mouseClick(p.page->PrintBtn, Qt::LeftButton);
    EXPECT_EQ(printed, 1);
}

TEST(PrintPage, AFileThatCannotBeWrittenIsReported)
{
    Page p;
    p.ask.saveFiles = {p.home.filePath("missing/cards.pdf")};
    p.page->PrintClick();
    ASSERT_EQ(p.ask.messages.size(), 1u);
    EXPECT_TRUE(p.ask.messages[0].text.contains(p.home.filePath("missing/cards.pdf")))
        << p.ask.messages[0].text.toStdString();
    EXPECT_TRUE(p.ask.messages[0].text.contains("the folder does not exist"));
    EXPECT_EQ(p.doc.RenderMode, document::ScreenConversion);
    EXPECT_EQ(p.page->UsedED->value(), 0);
    EXPECT_EQ(p.page->KopiesED->value(), 10);
    EXPECT_FALSE(QFile::exists(p.home.filePath("missing")));
}

TEST(PrintPage, CalibrationIsWrittenWhenTheDialogClosesAndReadAtStart)
{
    QTemporaryDir home;
    ScriptedPrompter ask;
    document::CardDocument doc = redCornerCard();
    {
        PrintPage page(
            doc, [] { return render::RenderContext(); }, ask, home.path() + "/");
        EXPECT_EQ(page.calibrationDialog()->calibration(), print::Calibration{}) << "no options.dat yet";
        print::TKalForm* dialog = page.calibrationDialog();
        vellamo::testing::whileOpen(*dialog, [dialog] {
            dialog->BreitEd->setValue(101);
            dialog->LinksEd->setValue(4.5);
            dialog->reject();  // the close box: written all the same
        });
        page.KalBtnClick();
    }
    // 4.5, 0, 101, 100 as little-endian doubles.
    EXPECT_EQ(vellamo::testing::readFile(home.filePath("options.dat")),
              QByteArray::fromHex("0000000000001240"
                                  "0000000000000000"
                                  "0000000000405940"
                                  "0000000000005940"));
    PrintPage again(
        doc, [] { return render::RenderContext(); }, ask, home.path() + "/");
    EXPECT_EQ(again.calibrationDialog()->calibration(), (print::Calibration{4.5, 0, 101, 100}));
}

TEST(PrintPage, ACalibrationThatCannotBeSavedIsReported)
{
    QTemporaryDir home;
    ASSERT_TRUE(QDir(home.path()).mkdir("options.dat"));  // no file can take its place
    ScriptedPrompter ask;
    document::CardDocument doc = redCornerCard();
    PrintPage page(
        doc, [] { return render::RenderContext(); }, ask, home.path() + "/");
    print::TKalForm* dialog = page.calibrationDialog();
    vellamo::testing::whileOpen(*dialog, [dialog] {
        dialog->LinksEd->setValue(2);
        dialog->accept();
    });
    page.KalBtnClick();
    ASSERT_EQ(ask.messages.size(), 1u);
    EXPECT_TRUE(ask.messages[0].text.startsWith("Error: File could not be saved! (" +
                                                home.filePath("options.dat") + ")"))
        << ask.messages[0].text.toStdString();
    EXPECT_EQ(page.calibrationDialog()->calibration().left, 2.0) << "kept for the next try";
}

TEST(PrintPage, EmailExportSavesThePictureInTheChosenType)
{
    Page p;
    p.ask.saveChoices = {{p.home.filePath("card"), 6}};
    QTest::mouseClick(p.page->EMailBtn, Qt::LeftButton);
    ASSERT_EQ(p.ask.saveRequests.size(), 1u);
    const document::FileRequest& request = p.ask.saveRequests[0];
    EXPECT_EQ(request.caption, "Save Business Card as attachment for an Email");
    EXPECT_EQ(request.filter,
              imaging::GetDIBSaveFilter() +
                  "|PDF - Portable Document Format|*.PDF|SVG - Scalable Vector Graphics|*.SVG");
    EXPECT_TRUE(request.confirmOverwrite);
    EXPECT_EQ(request.filterIndex, 1);
    QImageReader reader(p.home.filePath("card.JPG"));
    EXPECT_EQ(reader.format(), "jpeg");
    EXPECT_EQ(reader.size(), QSize(340, 207));
    EXPECT_EQ(p.doc.RenderMode, document::ScreenConversion);

    // The dialog comes back where it was left; cancelling writes nothing.
    QTest::mouseClick(p.page->EMailBtn, Qt::LeftButton);
    ASSERT_EQ(p.ask.saveRequests.size(), 2u);
    EXPECT_EQ(p.ask.saveRequests[1].filterIndex, 6);
    EXPECT_EQ(p.ask.saveRequests[1].folder, p.home.filePath("card.JPG"));
    EXPECT_EQ(QDir(p.home.path()).entryList(QDir::Files), QStringList{"card.JPG"});
    EXPECT_TRUE(p.ask.messages.empty());

    // The two vector types follow the picture types.
    p.ask.saveChoices = {{p.home.filePath("vector"), 14}, {p.home.filePath("vector"), 13}};
    QTest::mouseClick(p.page->EMailBtn, Qt::LeftButton);
    QTest::mouseClick(p.page->EMailBtn, Qt::LeftButton);
    EXPECT_TRUE(vellamo::testing::readFile(p.home.filePath("vector.SVG")).contains("<svg"));
    EXPECT_TRUE(vellamo::testing::readFile(p.home.filePath("vector.PDF")).startsWith("%PDF"));
    EXPECT_TRUE(p.ask.messages.empty());

    // A typed extension of an entry decides, whatever entry the filter box shows.
    p.ask.saveChoices = {{p.home.filePath("typed.png"), 1}, {p.home.filePath("typed.Pdf"), 12}};
    QTest::mouseClick(p.page->EMailBtn, Qt::LeftButton);
    QTest::mouseClick(p.page->EMailBtn, Qt::LeftButton);
    EXPECT_TRUE(vellamo::testing::readFile(p.home.filePath("typed.png")).startsWith("\x89PNG"));
    EXPECT_TRUE(vellamo::testing::readFile(p.home.filePath("typed.Pdf")).startsWith("%PDF"));
    EXPECT_EQ(p.ask.saveRequests.back().filterIndex, 12) << "the dialog offered what the last save wrote";
}

TEST(PrintPage, ThePrinterSetupIsFollowedByThePreview)
{
    // The set-up chooses A5 landscape on the 600 dpi PDF page.
    struct A5Landscape : print::PrinterSetup {
        int shown = 0;
        void setupPrinter(QPrinter& printer) override
        {
            ++shown;
            printer.setPageSize(QPageSize(QPageSize::A5));
            printer.setPageOrientation(QPageLayout::Landscape);
        }
    } setup;
    Page p;
    p.page->setPrinterSetup(&setup);
    QTest::mouseClick(p.page->PrintSetupBtn, Qt::LeftButton);
    EXPECT_EQ(setup.shown, 1);
    // A5 landscape without margins: 210 x 148 mm at 600 dpi, divided by 17.
    const QImage shown = p.preview();
    EXPECT_EQ(shown.width(), int(210 / 25.4 * 600 + 0.5) / 17);
    EXPECT_EQ(shown.height(), int(148 / 25.4 * 600 + 0.5) / 17);
    EXPECT_TRUE(cardShown(shown, cellAt35(1, 0)));
}

namespace {

// Dark pixels of the card shown in a 90 x 55 mm cell at 35 dpi: its text.
int inkIn(const QImage& preview, QPoint cell)
{
    int ink = 0;
    for (int y = 0; y < 75; ++y)
        for (int x = 0; x < 124; ++x) {
            const QRgb c = preview.pixel(cell + QPoint(x, y));
            ink += qGray(c) < 128 && c != qRgb(255, 0, 0);
        }
    return ink;
}

addressbook::AddressRecord named(const std::string& last)
{
    addressbook::AddressRecord record;
    record.strings[2] = last;  // "Last Name"
    return record;
}

}  // namespace

TEST(PrintPage, OneCardPerAddressShowsAndPrintsEveryAddress)
{
    Page p;
    document::Tobs& text = p.doc.object(2);
    text.Kind = document::TextObject;
    text.Left = p.doc.CardExtentX / 3 + 2000;
    text.Top = p.doc.CardExtentY / 3 + 10000;
    text.Width = 66000;
    text.Height = 20000;
    text.Text = "[Last Name]";
    text.FontName = "Arial";
    text.FontSize = 28;
    addressbook::AddressBook book;
    book.appendRecords({named("I"), named("WWWWWW"), named("")});
    book.ChangeAktName(0);
    EXPECT_FALSE(p.page->MergeBtn->isEnabled()) << "no book to merge yet";
    p.page->setAddressBook(&book);
    ASSERT_TRUE(p.page->MergeBtn->isEnabled());
    EXPECT_EQ(p.page->MergeBtn->text(), "One card per address");

    p.page->KopiesED->setValue(7);
    QTest::mouseClick(p.page->MergeBtn, Qt::LeftButton);
    EXPECT_EQ(p.page->KopiesED->value(), 3);
    EXPECT_FALSE(p.page->KopiesED->isEnabled());
    QImage shown = p.preview();
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(cardShown(shown, cellAt35(i % 2, i / 2)), i < 3) << "cell " << i;
    const int narrow = inkIn(shown, cellAt35(0, 0)), wide = inkIn(shown, cellAt35(1, 0));
    EXPECT_GT(narrow, 0);
    EXPECT_GT(wide, 3 * narrow) << "each cell shows its own address";
    EXPECT_EQ(inkIn(shown, cellAt35(0, 1)), 0);

    // The book's changes are followed: an edit of the working copy, an address added.
    book.setValue(3, "WWWWWW");
    book.NewAddress("", "", false);
    EXPECT_EQ(p.page->KopiesED->value(), 4);
    shown = p.preview();
    EXPECT_TRUE(cardShown(shown, cellAt35(1, 1)));
    EXPECT_EQ(inkIn(shown, cellAt35(0, 0)), wide);

    const QString pdf = p.home.filePath("merge.pdf");
    p.ask.saveFiles = {pdf};
    QTest::mouseClick(p.page->PrintBtn, Qt::LeftButton);
    EXPECT_TRUE(p.ask.messages.empty()) << p.ask.texts().join(", ").toStdString();
    QProcess pdftotext;
    pdftotext.start("pdftotext", {pdf, "-"});
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    EXPECT_EQ(QString::fromUtf8(pdftotext.readAllStandardOutput()).count("WWWWWW"), 2);

    // Cleared: the user's copies are back.
    QTest::mouseClick(p.page->MergeBtn, Qt::LeftButton);
    EXPECT_EQ(p.page->KopiesED->value(), 7);
    EXPECT_TRUE(p.page->KopiesED->isEnabled());

    // An empty book prints nothing and says why.
    addressbook::AddressBook empty;
    p.page->setAddressBook(&empty);
    QTest::mouseClick(p.page->MergeBtn, Qt::LeftButton);
    EXPECT_EQ(p.page->KopiesED->value(), 0);
    QTest::mouseClick(p.page->PrintBtn, Qt::LeftButton);
    EXPECT_EQ(p.ask.saveRequests.size(), 1u) << "no file asked for";
    ASSERT_EQ(p.ask.messages.size(), 1u);
    EXPECT_EQ(p.ask.messages[0].text, print::NoAddressToMerge);
}
