#include "print/print_job.h"

#include "pdf_job.h"
#include "print/print_page.h"
#include "support/private_cupsd.h"
#include "support/scripted_prompter.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
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
    ScriptedPrompter ask;
    const print::PrintJobResult result = vellamo::testing::printCardsToPdf(doc, pdf, copies, dpi, ask);
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

namespace {

// Whether every dark pixel of `a` has a dark pixel of `b` at most one pixel away.
int darkPixelsWithoutPartner(const QImage& a, const QImage& b)
{
    auto dark = [](const QImage& image, int x, int y) {
        return x >= 0 && y >= 0 && x < image.width() && y < image.height() && qGray(image.pixel(x, y)) < 128;
    };
    int lonely = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (!dark(a, x, y))
                continue;
            bool partner = false;
            for (int j = -1; j <= 1 && !partner; ++j)
                for (int i = -1; i <= 1 && !partner; ++i)
                    partner = dark(b, x + i, y + j);
            lonely += partner ? 0 : 1;
        }
    return lonely;
}

}  // namespace

// A printer strokes outlines itself; they must cover what the screen and picture export draw.
TEST(PrintJob, OutlinesPrintWhereTheCardDrawsThem)
{
    document::CardDocument doc;
    auto shape = [&](int slot, int kind, int x, int y, int w, int h, int width) {
        document::Tobs& o = doc.object(slot);
        o.Kind = document::ShapeObject;
        o.ShapeKind = kind;
        o.Left = doc.CardExtentX / 3 + x;
        o.Top = doc.CardExtentY / 3 + y;
        o.Width = w;
        o.Height = h;
        o.BorderColor = 0;
        o.LineWidth = width;
        o.FillMode = document::FillOnlyBorder;
    };
    shape(1, document::ShapeRectangle, 2000, 2000, 30000, 15000, 1);
    shape(2, document::ShapeEllipse, 36000, 2000, 30000, 20000, 4);
    shape(3, document::LineHorizontal, 2000, 30000, 60000, 0, 2);
    shape(4, document::LineSlantedUp, 2000, 20000, 20000, 8000, 1);
    shape(5, document::ShapeRoundedRectangle, 30000, 24000, 30000, 15000, 3);

    QTemporaryDir dir;
    const QString pdf = dir.filePath("outlines.pdf");
    constexpr int Dpi = 600;
    printToPdf(doc, pdf, 1, Dpi);
    const QRect cell = print::printCell(doc.Format, print::Calibration(), Dpi, Dpi, 0, 0);
    const QImage printed = vellamo::testing::rasterisePdfArea(pdf, 1, Dpi, cell);
    ASSERT_FALSE(printed.isNull());

    QImage drawn(cell.size(), QImage::Format_RGB32);
    drawn.fill(Qt::white);
    {
        const double scale = double(Dpi) / document::UnitsPerInch;
        const document::RenderModeScope mode(doc, document::DeviceConversion, scale);
        QPainter painter(&drawn);
        print::drawCardInCell(painter, doc, render::usedSlots(doc), render::RenderContext(),
                              QRect(QPoint(0, 0), cell.size()), scale);
    }
    int darkDrawn = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            darkDrawn += qGray(drawn.pixel(x, y)) < 128 ? 1 : 0;
    ASSERT_GT(darkDrawn, 5000) << "the outlines are drawn";
    EXPECT_EQ(darkPixelsWithoutPartner(printed, drawn), 0);
    EXPECT_EQ(darkPixelsWithoutPartner(drawn, printed), 0);
}
