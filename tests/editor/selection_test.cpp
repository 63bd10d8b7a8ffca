#include "editor/selection.h"

#include <gtest/gtest.h>

using namespace vellamo::editor;
using vellamo::document::CardDocument;

namespace {

// A document at ZoomDen 208 with the object in `slot` at area pixels (x, y, w, h).
void place(CardDocument& doc, int slot, int x, int y, int w, int h, int kind = 1)
{
    auto& o = doc.object(slot);
    o.Kind = kind;
    o.Left = x * 208;
    o.Top = y * 208;
    o.Width = w * 208;
    o.Height = h * 208;
}

}  // namespace

TEST(HitTest, HandlesThenTheBody)
{
    const Box box{100, 100, 50, 30};
    EXPECT_EQ(hitSelection(box, 97, 103).dragMode, 1);
    EXPECT_EQ(hitSelection(box, 150, 115).dragMode, 8);
    EXPECT_EQ(hitSelection(box, 125, 100).dragMode, 5);
    EXPECT_EQ(hitSelection(box, 120, 110).dragMode, 9);
    EXPECT_EQ(hitSelection(box, 96, 100).dragMode, 0);
    EXPECT_EQ(hitSelection(box, 153, 133).dragMode, 4);
    EXPECT_EQ(hitSelection(box, 147, 97).dragMode, 2);
    EXPECT_EQ(hitSelection(box, 100, 130).dragMode, 3);
    EXPECT_EQ(hitSelection(box, 125, 132).dragMode, 6);
    EXPECT_EQ(hitSelection(box, 102, 115).dragMode, 7);
    EXPECT_EQ(hitSelection(box, 151, 131).dragMode, 4) << "handles lie partly outside the box";

    const Grab corner = hitSelection(box, 97, 103);
    EXPECT_EQ(corner.grabX, -3);
    EXPECT_EQ(corner.grabY, 3);
    const Grab right = hitSelection(box, 150, 115);
    EXPECT_EQ(right.grabX, 0);
    EXPECT_EQ(right.grabY, 0);
    const Grab top = hitSelection(box, 127, 101);
    EXPECT_EQ(top.grabX, 0);
    EXPECT_EQ(top.grabY, 1);
    const Grab body = hitSelection(box, 120, 110);
    EXPECT_EQ(body.grabX, 20);
    EXPECT_EQ(body.grabY, 10);

    EXPECT_EQ(cursorForDragMode(1), CursorShape::SizeNwSe);
    EXPECT_EQ(cursorForDragMode(3), CursorShape::SizeNeSw);
    EXPECT_EQ(cursorForDragMode(6), CursorShape::SizeVertical);
    EXPECT_EQ(cursorForDragMode(7), CursorShape::SizeHorizontal);
    EXPECT_EQ(cursorForDragMode(9), CursorShape::OpenHand);
    EXPECT_EQ(cursorForDragMode(0), CursorShape::Arrow);
}

TEST(HitTest, TopmostObjectEdgesIncluded)
{
    CardDocument doc;
    place(doc, 3, 100, 100, 50, 30);
    place(doc, 7, 140, 120, 50, 30, 2);
    EXPECT_EQ(topmostObjectAt(doc, 145, 125), 7);
    EXPECT_EQ(topmostObjectAt(doc, 100, 100), 3);
    EXPECT_EQ(topmostObjectAt(doc, 150, 130), 7);
    EXPECT_EQ(topmostObjectAt(doc, 99, 100), 0);
    doc.object(7).Kind = 0;
    EXPECT_EQ(topmostObjectAt(doc, 145, 125), 3);
}

TEST(Drag, EveryHandleMovesItsEdges)
{
    CardDocument doc;
    place(doc, 1, 100, 100, 50, 30);
    auto& o = doc.object(1);
    struct Case {
        int mode;
        int x, y;
        int left, top, width, height;  // in pixels after the step
    };
    const Case cases[] = {
        {1, 90, 95, 90, 95, 60, 35},     {2, 160, 95, 100, 95, 60, 35},   {3, 90, 140, 90, 100, 60, 40},
        {4, 160, 140, 100, 100, 60, 40}, {5, 999, 95, 100, 95, 50, 35},   {6, 999, 140, 100, 100, 50, 40},
        {7, 90, 999, 90, 100, 60, 30},   {8, 160, 999, 100, 100, 60, 30}, {9, 10, 20, 10, 20, 50, 30},
    };
    for (const Case& c : cases) {
        place(doc, 1, 100, 100, 50, 30);
        Grab g{c.mode, 0, 0};
        dragit(doc, o, g, c.x, c.y, 1022, 624);
        EXPECT_EQ(o.Left, c.left * 208) << c.mode;
        EXPECT_EQ(o.Top, c.top * 208) << c.mode;
        EXPECT_EQ(o.Width, c.width * 208) << c.mode;
        EXPECT_EQ(o.Height, c.height * 208) << c.mode;
        EXPECT_EQ(g.dragMode, c.mode);
    }
}

TEST(Drag, CrossingOverTurnsTheBoxAndTheHandle)
{
    CardDocument doc;
    place(doc, 1, 100, 100, 50, 30);
    auto& o = doc.object(1);
    Grab g = hitSelection(objectBox(doc, o), 150, 115);  // right-middle
    ASSERT_EQ(g.dragMode, 8);
    dragit(doc, o, g, 80, 115, 1022, 624);
    EXPECT_EQ(o.Left, 80 * 208);
    EXPECT_EQ(o.Width, 20 * 208);
    EXPECT_EQ(g.dragMode, 7) << "the drag goes on as a left-middle drag";
    dragit(doc, o, g, 60, 115, 1022, 624);
    EXPECT_EQ(o.Left, 60 * 208);
    EXPECT_EQ(o.Width, 40 * 208);

    // Both ways at once with the top-left handle.
    place(doc, 1, 100, 100, 50, 30);
    g = {1, 0, 0};
    dragit(doc, o, g, 170, 140, 1022, 624);
    EXPECT_EQ(o.Left, 150 * 208);
    EXPECT_EQ(o.Top, 130 * 208);
    EXPECT_EQ(o.Width, 20 * 208);
    EXPECT_EQ(o.Height, 10 * 208);
    EXPECT_EQ(g.dragMode, 4);
}

TEST(Drag, APieceStaysInReach)
{
    CardDocument doc;
    place(doc, 1, 100, 100, 50, 30);
    auto& o = doc.object(1);
    Grab g{9, 0, 0};
    dragit(doc, o, g, -500, -400, 1022, 624);
    EXPECT_EQ(o.Left, -50 * 208) << "the right edge stops at the area's left edge";
    EXPECT_EQ(o.Top, -30 * 208);
    dragit(doc, o, g, 5000, 5000, 1022, 624);
    EXPECT_EQ(o.Left, 1022 * 208 - 1) << "the left edge stops at the area's right edge less one unit";
    EXPECT_EQ(o.Top, 624 * 208 - 1);
}

TEST(Drag, APressWithoutMovementSnapsToWholePixels)
{
    CardDocument doc;
    auto& o = doc.object(1);
    o.Kind = 1;
    o.Left = 20850;  // 100.24 pixels
    o.Top = 20800;
    o.Width = 10400;
    o.Height = 10400;
    Grab g = hitSelection(objectBox(doc, o), 110, 110);
    dragit(doc, o, g, 110, 110, 1022, 624);
    EXPECT_EQ(o.Left, 20800);
}

TEST(KeyStepping, ForwardInSlotOrderWithWrap)
{
    CardDocument doc;
    doc.object(5).Kind = 1;
    EXPECT_EQ(nextUsedSlot(doc, 5), 5) << "one object stays selected";
    doc.object(9999).Kind = 2;
    doc.object(2).Kind = 3;
    EXPECT_EQ(nextUsedSlot(doc, 5), 9999);
    EXPECT_EQ(nextUsedSlot(doc, 9999), 2);
    EXPECT_EQ(nextUsedSlot(doc, 2), 5);
}
