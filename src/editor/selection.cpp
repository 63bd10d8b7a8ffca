#include "editor/selection.h"

#include "document/units.h"

namespace vellamo::editor {

using document::CardDocument;
using document::Tobs;
using enum document::DragHandle;

Box objectBox(const CardDocument& doc, const Tobs& o)
{
    return {document::GetLeft(doc, o), document::GetTop(doc, o), document::GetWidth(doc, o),
            document::GetHeight(doc, o)};
}

bool InRect(int x, int y, int x1, int y1, int x2, int y2) { return x1 <= x && x <= x2 && y1 <= y && y <= y2; }

Point handleCentre(const Box& b, int handle)
{
    switch (handle) {
    case HandleTopLeft:
        return {b.x, b.y};
    case HandleTopRight:
        return {b.x + b.w, b.y};
    case HandleBottomLeft:
        return {b.x, b.y + b.h};
    case HandleBottomRight:
        return {b.x + b.w, b.y + b.h};
    case HandleTopMiddle:
        return {b.x + b.w / 2, b.y};
    case HandleBottomMiddle:
        return {b.x + b.w / 2, b.y + b.h};
    case HandleLeftMiddle:
        return {b.x, b.y + b.h / 2};
    default:
        return {b.x + b.w, b.y + b.h / 2};
    }
}

Grab hitSelection(const Box& b, int x, int y)
{
    for (int handle = HandleTopLeft; handle <= HandleRightMiddle; ++handle) {
        const Point c = handleCentre(b, handle);
        if (!InRect(x, y, c.x - 3, c.y - 3, c.x + 3, c.y + 3))
            continue;
        Grab g{handle, 0, 0};
        // The reference point the drag moves: the handle's corner or edge.
        if (handle != HandleTopMiddle && handle != HandleBottomMiddle)
            g.grabX =
                x - (handle == HandleTopRight || handle == HandleBottomRight || handle == HandleRightMiddle
                         ? b.x + b.w
                         : b.x);
        if (handle != HandleLeftMiddle && handle != HandleRightMiddle)
            g.grabY =
                y - (handle == HandleBottomLeft || handle == HandleBottomRight || handle == HandleBottomMiddle
                         ? b.y + b.h
                         : b.y);
        return g;
    }
    if (InRect(x, y, b.x, b.y, b.x + b.w, b.y + b.h))
        return {DragBody, x - b.x, y - b.y};
    return {};
}

CursorShape cursorForDragMode(int dragMode)
{
    switch (dragMode) {
    case HandleTopLeft:
    case HandleBottomRight:
        return CursorShape::SizeNwSe;
    case HandleTopRight:
    case HandleBottomLeft:
        return CursorShape::SizeNeSw;
    case HandleTopMiddle:
    case HandleBottomMiddle:
        return CursorShape::SizeVertical;
    case HandleLeftMiddle:
    case HandleRightMiddle:
        return CursorShape::SizeHorizontal;
    case DragBody:
        return CursorShape::OpenHand;
    default:
        return CursorShape::Arrow;
    }
}

int topmostObjectAt(const CardDocument& doc, int x, int y)
{
    for (int slot = document::LastSlot; slot >= document::FirstSlot; --slot) {
        const Tobs& o = doc.object(slot);
        if (o.Kind <= document::FreeSlot)
            continue;
        const Box b = objectBox(doc, o);
        if (InRect(x, y, b.x, b.y, b.x + b.w, b.y + b.h))
            return slot;
    }
    return 0;
}

void dragit(const CardDocument& doc, Tobs& o, Grab& grab, int x, int y, int surfaceWidth, int surfaceHeight)
{
    const int fx = document::screenToUnits(x - grab.grabX, doc.ZoomNum, doc.ZoomDen);
    const int fy = document::screenToUnits(y - grab.grabY, doc.ZoomNum, doc.ZoomDen);
    // 64-bit while computing, so that boxes far out never overflow.
    long long left = o.Left, top = o.Top, width = o.Width, height = o.Height;
    const long long l = o.Left, t = o.Top, wd = o.Width, ht = o.Height;
    switch (grab.dragMode) {
    case HandleTopLeft:
        left = fx, top = fy, width = wd + l - fx, height = ht + t - fy;
        break;
    case HandleTopRight:
        top = fy, width = fx - l, height = ht + t - fy;
        break;
    case HandleBottomLeft:
        left = fx, width = wd + l - fx, height = fy - t;
        break;
    case HandleBottomRight:
        width = fx - l, height = fy - t;
        break;
    case HandleTopMiddle:
        top = fy, height = ht + t - fy;
        break;
    case HandleBottomMiddle:
        height = fy - t;
        break;
    case HandleLeftMiddle:
        left = fx, width = wd + l - fx;
        break;
    case HandleRightMiddle:
        width = fx - l;
        break;
    case DragBody:
        left = fx, top = fy;
        break;
    default:
        return;
    }
    if (width < 0) {
        left += width;
        width = -width;
        switch (grab.dragMode) {
        case HandleTopLeft:
            grab.dragMode = HandleTopRight;
            break;
        case HandleTopRight:
            grab.dragMode = HandleTopLeft;
            break;
        case HandleBottomLeft:
            grab.dragMode = HandleBottomRight;
            break;
        case HandleBottomRight:
            grab.dragMode = HandleBottomLeft;
            break;
        case HandleLeftMiddle:
            grab.dragMode = HandleRightMiddle;
            break;
        case HandleRightMiddle:
            grab.dragMode = HandleLeftMiddle;
            break;
        default:
            break;
        }
    }
    if (height < 0) {
        top += height;
        height = -height;
        switch (grab.dragMode) {
        case HandleTopLeft:
            grab.dragMode = HandleBottomLeft;
            break;
        case HandleBottomLeft:
            grab.dragMode = HandleTopLeft;
            break;
        case HandleTopRight:
            grab.dragMode = HandleBottomRight;
            break;
        case HandleBottomRight:
            grab.dragMode = HandleTopRight;
            break;
        case HandleTopMiddle:
            grab.dragMode = HandleBottomMiddle;
            break;
        case HandleBottomMiddle:
            grab.dragMode = HandleTopMiddle;
            break;
        default:
            break;
        }
    }
    if (left + width < 0)
        left = -width;
    if (top + height < 0)
        top = -height;
    const long long maxLeft = document::truncToInt32(surfaceWidth / doc.ZoomNum * doc.ZoomDen - 1);
    const long long maxTop = document::truncToInt32(surfaceHeight / doc.ZoomNum * doc.ZoomDen - 1);
    if (left > maxLeft)
        left = maxLeft;
    if (top > maxTop)
        top = maxTop;
    o.Left = document::truncToInt32(double(left));
    o.Top = document::truncToInt32(double(top));
    o.Width = document::truncToInt32(double(width));
    o.Height = document::truncToInt32(double(height));
}

int nextUsedSlot(const CardDocument& doc, int slot)
{
    if (slot < document::FirstSlot || slot > document::LastSlot)
        return slot;
    int s = slot;
    do {
        s = s == document::LastSlot ? document::FirstSlot : s + 1;
    } while (s != slot && doc.object(s).Kind <= document::FreeSlot);
    return s;
}

}  // namespace vellamo::editor
