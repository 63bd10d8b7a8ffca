#include "print/picture_export.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellamo;
using namespace vellamo::print;

namespace {

// A red box 7874 units (10 mm, 37 pixels) wide and 3937 high at the card's top-left corner,
// one card width and height into the editing area of the 90 x 55 mm card.
document::CardDocument redCornerCard()
{
    document::CardDocument doc;
    document::Tobs& o = doc.object(5);
    o.Kind = document::ShapeObject;
    o.ShapeKind = 3;
    o.Left = 212598 / 3;
    o.Top = 129921 / 3;
    o.Width = 7874;
    o.Height = 3937;
    o.Color = 0x0000FF;
    return doc;
}

}  // namespace

TEST(PictureExport, PictureSizeAtNinetySixPixelsPerInch)
{
    EXPECT_EQ(exportPictureSize(document::defaultCardFormat()), QSize(340, 207));
    document::CardFormat format = document::defaultCardFormat();
    format.CardWidth = 25.39995;
    format.CardHeight = 25.39995 / 2;
    EXPECT_EQ(exportPictureSize(format), QSize(96, 48));
}

TEST(PictureExport, ExtensionsFollowTheSaveFilter)
{
    EXPECT_EQ(exportExtension(1), ".BMP");
    EXPECT_EQ(exportExtension(6), ".JPG");
    EXPECT_EQ(exportExtension(11), ".TIF");
    EXPECT_EQ(exportExtension(12), ".PNG");
    EXPECT_EQ(exportExtension(0), "");
    EXPECT_EQ(exportExtension(13), "");
    EXPECT_EQ(exportFormatCode(6), 8);
    EXPECT_EQ(exportFormatCode(1), 3);

    EXPECT_EQ(withExportExtension("card", 6), "card.JPG");
    EXPECT_EQ(withExportExtension("/tmp/v1.2/card", 1), "/tmp/v1.2/card.BMP")
        << "a dot in a folder is no extension";
    EXPECT_EQ(withExportExtension("D:\\pics.old\\card", 12), "D:\\pics.old\\card.PNG");
    EXPECT_EQ(withExportExtension("card.png", 1), "card.png") << "a typed extension stays, whatever the type";
    EXPECT_EQ(withExportExtension("card.", 1), "card.");
    EXPECT_EQ(withExportExtension("card", 14), "card");

    EXPECT_EQ(filterIndexForName("a.bmp"), 1);
    EXPECT_EQ(filterIndexForName("/x/A.TiF"), 11);
    EXPECT_EQ(filterIndexForName("a.b.png"), 12);
    EXPECT_EQ(filterIndexForName("a.jpeg"), 0);
    EXPECT_EQ(filterIndexForName("a"), 0);
    EXPECT_EQ(filterIndexForName("/x.png/a"), 0);
}

TEST(PictureExport, RendersTheCardUnframedFromItsCorner)
{
    document::CardDocument doc = redCornerCard();
    doc.PrintScale = 0.25;
    imaging::DibRecord picture;
    ASSERT_TRUE(renderCardPicture(doc, render::RenderContext(), picture));
    EXPECT_EQ(picture.bitsPerPixel(), 24);
    ASSERT_EQ(picture.image().size(), QSize(340, 207));
    EXPECT_EQ(picture.image().pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(picture.image().pixel(36, 17), qRgb(255, 0, 0));
    EXPECT_EQ(picture.image().pixel(37, 10), qRgb(255, 255, 255)) << "Trunc(7874 x 96 / 20000) = 37";
    EXPECT_EQ(picture.image().pixel(10, 18), qRgb(255, 255, 255));
    EXPECT_EQ(doc.RenderMode, document::ScreenConversion);
    EXPECT_EQ(doc.PrintScale, 0.25);
    EXPECT_FALSE(doc.Rendering);
}

TEST(PictureExport, WritesPicturesThatReadBack)
{
    QTemporaryDir dir;
    document::CardDocument doc = redCornerCard();
    for (int index : {1, 12}) {
        const ExportResult result =
            exportCardPicture(doc, render::RenderContext(), dir.filePath("card"), index);
        ASSERT_TRUE(result.saved) << index;
        EXPECT_EQ(result.path, dir.filePath("card") + exportExtension(index));
        const QImage back(result.path);
        ASSERT_EQ(back.size(), QSize(340, 207)) << index;
        EXPECT_EQ(back.pixel(0, 0), qRgb(255, 0, 0));
        EXPECT_EQ(back.pixel(37, 10), qRgb(255, 255, 255));
    }
    // The format code decides the type, not the name.
    const ExportResult png =
        exportCardPicture(doc, render::RenderContext(), dir.filePath("really-bmp.png"), 1);
    ASSERT_TRUE(png.saved);
    QFile file(png.path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(2), "BM");
}

TEST(PictureExport, AFailedWriteSaysSo)
{
    QTemporaryDir dir;
    document::CardDocument doc = redCornerCard();
    const ExportResult result =
        exportCardPicture(doc, render::RenderContext(), dir.filePath("no/such/folder/card"), 12);
    EXPECT_FALSE(result.saved);
    EXPECT_FALSE(QFile::exists(result.path));
}
