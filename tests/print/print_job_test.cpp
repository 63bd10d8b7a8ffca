#include "print/print_job.h"

#include "print/print_page.h"
#include "support/private_cupsd.h"
#include "support/scripted_prompter.h"

#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellamo;
using vellamo::testing::ScriptedPrompter;

namespace {

constexpr double MmPerInch = 25.39995;

// A 600 x 400 picture in four quadrants (red, green / blue, yellow) with noise on the quadrant
// borders, so that it does not compress to nothing, filling a 30 x 20 mm box at the card's corner.
document::CardDocument pictureCard()
{
    QImage image(600, 400, QImage::Format_RGB32);
    QRandomGenerator random(3);
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 600; ++x) {
            const bool right = x >= 300, bottom = y >= 200;
            QRgb c = !bottom ? (right ? qRgb(0, 255, 0) : qRgb(255, 0, 0))
                             : (right ? qRgb(255, 255, 0) : qRgb(0, 0, 255));
            if (std::abs(x - 300) < 60 || std::abs(y - 200) < 40)
                c = random.generate() | 0xFF000000u;
            image.setPixel(x, y, c);
        }
    document::CardDocument doc;
    document::Tobs& o = doc.object(1);
    o.Kind = document::PictureObject;
    o.Left = doc.CardExtentX / 3;
    o.Top = doc.CardExtentY / 3;
    o.Width = document::mmToUnits(30);
    o.Height = document::mmToUnits(20);
    o.Picture = imaging::DibRecord(image, 24);
    return doc;
}

qint64 printToPdf(document::CardDocument& doc, const QString& pdf, int copies, int dpi)
{
    QPrinter printer(QPrinter::HighResolution);
    print::useDefaultPdfPage(printer);
    printer.setResolution(dpi);
    printer.setOutputFileName(pdf);
    print::PrintJobSettings settings;
    settings.values.copies = copies;
    ScriptedPrompter ask;
    const print::PrintJobResult result = print::printCards(
        printer, doc, settings, [](const print::SheetPosition&) { return render::RenderContext(); }, ask);
    EXPECT_TRUE(result.printed) << result.error.toStdString();
    EXPECT_EQ(result.cards, copies);
    EXPECT_EQ(result.pages, (copies - 1) / 10 + 1);
    EXPECT_TRUE(ask.messages.empty());
    return QFileInfo(pdf).size();
}

}  // namespace

TEST(PrintJob, APictureIsHeldOnceHoweverManyCardsShowIt)
{
    QTemporaryDir dir;
    document::CardDocument doc = pictureCard();
    const qint64 one = printToPdf(doc, dir.filePath("one.pdf"), 1, 1200);
    const qint64 sixty = printToPdf(doc, dir.filePath("sixty.pdf"), 60, 1200);
    EXPECT_GT(one, 20000) << "the picture is in the file";
    EXPECT_LT(sixty, one + 60 * 2048) << one << " bytes for one card";
    EXPECT_EQ(doc.RenderMode, document::ScreenConversion);
}

TEST(PrintJob, ThePictureIsStretchedIntoItsBox)
{
    QTemporaryDir dir;
    document::CardDocument doc = pictureCard();
    const QString pdf = dir.filePath("cards.pdf");
    printToPdf(doc, pdf, 2, 600);
    // Column 1 of sheet 1: the box is Trunc(30 mm) x Trunc(20 mm) at 600 dpi from X = Trunc(90 / 25.39995 x
    // 600).
    const int x = int(90 / MmPerInch * 600);
    const int w = int(document::mmToUnits(30) * 600.0 / 20000);
    const int h = int(document::mmToUnits(20) * 600.0 / 20000);
    const QImage area = vellamo::testing::rasterisePdfArea(pdf, 1, 600, QRect(x, 0, w + 20, h + 20));
    ASSERT_FALSE(area.isNull());
    EXPECT_EQ(area.pixel(w / 8, h / 8), qRgb(255, 0, 0));
    EXPECT_EQ(area.pixel(w * 7 / 8, h / 8), qRgb(0, 255, 0));
    EXPECT_EQ(area.pixel(w / 8, h * 7 / 8), qRgb(0, 0, 255));
    EXPECT_EQ(area.pixel(w * 7 / 8, h * 7 / 8), qRgb(255, 255, 0));
    EXPECT_EQ(area.pixel(w + 10, h / 8), qRgb(255, 255, 255)) << "nothing beyond the box";
    EXPECT_EQ(area.pixel(w / 8, h + 10), qRgb(255, 255, 255));
}
