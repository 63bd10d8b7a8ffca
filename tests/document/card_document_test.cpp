#include "document/card_document.h"

#include <gtest/gtest.h>
#include <vector>

using namespace vellamo::document;

namespace {

void place(CardDocument& doc, int slot, int kind, int left)
{
    doc.object(slot).Kind = kind;
    doc.object(slot).Left = left;
}

}  // namespace

TEST(CardDocument, FreshDocument)
{
    CardDocument doc;
    EXPECT_EQ(doc.CardExtentX, 212598);
    EXPECT_EQ(doc.CardExtentY, 129921);
    EXPECT_EQ(doc.ZoomNum, 1.0);
    EXPECT_EQ(doc.ZoomDen, 208.0);
    EXPECT_EQ(doc.BackgroundMode, NoBackground);
    EXPECT_EQ(doc.SelectedObject, 0);
    for (int slot : {1, 5000, 10000, 10001}) {
        EXPECT_EQ(doc.object(slot).Kind, 0) << slot;
        EXPECT_EQ(doc.object(slot).ShadowDX, 5) << slot;
        EXPECT_EQ(doc.object(slot).ShadowDY, 5) << slot;
    }
    EXPECT_EQ(doc.lowestFreeSlot(), 1);
    EXPECT_EQ(windowTitle(doc), "Korvend Vellamo 3.5 - NONAME01");
    EXPECT_EQ(doc.surfaceWidth(), 1022);  // 212598 / 208
    EXPECT_EQ(doc.surfaceHeight(), 624);
}

TEST(CardDocument, ClearallResetsSlotsButKeepsOtherFields)
{
    CardDocument doc;
    Tobs& o = doc.object(7);
    o.Kind = TextObject;
    o.Text = "kept";
    o.Shadow = true;
    o.ShadowDX = 30;
    o.ShadowDY = -2;
    ASSERT_TRUE(vellamo::imaging::newdib(o.Picture, 4, 4, 24, nullptr, 0));
    doc.SelectedObject = 7;
    doc.MouseMode = 3;
    doc.DragMode = 2;
    doc.BackgroundMode = TileBackground;
    doc.BackgroundFile = "back.bmp";
    ASSERT_TRUE(vellamo::imaging::newdib(doc.BackgroundPicture, 2, 2, 8, nullptr, 0));
    doc.DocumentFileName = "/tmp/card.vis";
    doc.ZoomDen = 92.44;

    doc.clearall();

    EXPECT_EQ(o.Kind, 0);
    EXPECT_FALSE(o.Picture.isLoaded());
    EXPECT_EQ(o.ShadowDX, 5);
    EXPECT_EQ(o.ShadowDY, 5);
    EXPECT_EQ(o.Text, "kept");  // a later occupant of the slot starts from these
    EXPECT_TRUE(o.Shadow);
    EXPECT_EQ(doc.SelectedObject, 0);
    EXPECT_EQ(doc.MouseMode, 0);
    EXPECT_EQ(doc.DragMode, 0);
    EXPECT_EQ(doc.BackgroundMode, NoBackground);
    EXPECT_TRUE(doc.BackgroundFile.empty());
    EXPECT_FALSE(doc.BackgroundPicture.isLoaded());
    EXPECT_TRUE(doc.DocumentFileName.isEmpty());
    EXPECT_EQ(doc.ZoomDen, 92.44);
    EXPECT_EQ(windowTitle(doc), "Korvend Vellamo 3.5 - NONAME01");
}

TEST(CardDocument, DeleteKeepsShadowOffsets)
{
    CardDocument doc;
    Tobs& o = doc.object(3);
    o.Kind = PictureObject;
    o.ShadowDX = 12;
    ASSERT_TRUE(vellamo::imaging::newdib(o.Picture, 4, 4, 24, nullptr, 0));
    doc.SelectedObject = 3;
    doc.deleteObject(3);
    EXPECT_EQ(o.Kind, 0);
    EXPECT_FALSE(o.Picture.isLoaded());
    EXPECT_EQ(o.ShadowDX, 12);
    EXPECT_EQ(doc.SelectedObject, 0);
}

TEST(CardDocument, LowestFreeSlot)
{
    CardDocument doc;
    place(doc, 1, ShapeObject, 0);
    place(doc, 2, TextObject, 0);
    place(doc, 4, PictureObject, 0);
    EXPECT_EQ(doc.lowestFreeSlot(), 3);
    for (int slot = 1; slot <= LastSlot; ++slot)
        doc.object(slot).Kind = ShapeObject;
    EXPECT_EQ(doc.lowestFreeSlot(), 0);
    doc.object(10000).Kind = 0;
    EXPECT_EQ(doc.lowestFreeSlot(), 10000);
}

TEST(CardDocument, ToTheFrontAndBackKeepTheOthersInOrder)
{
    CardDocument doc;
    place(doc, 1, ShapeObject, 111);  // A
    place(doc, 3, TextObject, 333);   // C
    place(doc, 5, TextObject, 555);   // B
    place(doc, 9, ShapeObject, 999);  // D
    const auto order = [&doc] {
        std::vector<int> lefts;
        for (int slot = FirstSlot; slot <= LastSlot; ++slot)
            if (doc.object(slot).isUsed())
                lefts.push_back(doc.object(slot).Left);
        return lefts;
    };
    doc.SelectedObject = 5;
    doc.toTheBack();
    EXPECT_EQ(doc.SelectedObject, 1);
    EXPECT_EQ(doc.object(1).Left, 555);
    EXPECT_EQ(order(), (std::vector<int>{555, 111, 333, 999})) << "A stays below C";
    EXPECT_EQ(doc.object(9).Left, 999) << "objects above the old place keep their slots";

    place(doc, 10000, PictureObject, 10000);
    doc.SelectedObject = 10000;
    doc.toTheFront();  // already on top: nothing changes
    EXPECT_EQ(doc.SelectedObject, 10000);
    EXPECT_EQ(order(), (std::vector<int>{555, 111, 333, 999, 10000}));

    doc.SelectedObject = 1;
    doc.toTheFront();
    EXPECT_EQ(doc.SelectedObject, 10000);
    EXPECT_EQ(doc.object(10000).Left, 555);
    EXPECT_EQ(order(), (std::vector<int>{111, 333, 999, 10000, 555}));

    doc.SelectedObject = 0;
    doc.toTheFront();
    EXPECT_EQ(order(), (std::vector<int>{111, 333, 999, 10000, 555}));
}

TEST(CardDocument, GettersFollowRenderModeSettersUseScreen)
{
    CardDocument doc;
    Tobs o;
    o.Left = 20800;
    o.Width = 20000;
    EXPECT_EQ(GetLeft(doc, o), 100);
    {
        RenderModeScope device(doc, DeviceConversion, 300.0 / 20000);
        EXPECT_EQ(GetLeft(doc, o), 312);
        EXPECT_EQ(GetWidth(doc, o), 300);
        SetLeft(doc, o, 50);  // still the screen conversion
        EXPECT_EQ(o.Left, 10400);
    }
    EXPECT_EQ(doc.RenderMode, ScreenConversion);
    EXPECT_EQ(doc.PrintScale, 0.0);
    doc.ZoomDen = 41.09;
    SetWidth(doc, o, 3);
    EXPECT_EQ(o.Width, 123);
}

TEST(CardDocument, TitleNamesTheFileWithoutFolder)
{
    CardDocument doc;
    doc.DocumentFileName = QString::fromUtf8("/home/anna/Karten/café.vis");
    EXPECT_EQ(windowTitle(doc), QString::fromUtf8("Korvend Vellamo 3.5 - café.vis"));
}
