#pragma once

// Selection and dragging on the editing surface, without widgets: the hit test over the eight
// handles and the body, the topmost object under a point, one drag step, keyboard stepping.
// Positions are area pixels; the document converts with RenderMode 0.

#include "document/card_document.h"

#include <array>

namespace vellamo::editor {

// An object's box in area pixels.
struct Box {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

Box objectBox(const document::CardDocument& doc, const document::Tobs& object);

// X1 <= X <= X2 and Y1 <= Y <= Y2.
bool InRect(int x, int y, int x1, int y1, int x2, int y2);

// DragMode values are document::DragHandle: none, the eight handles 1..8, the body 9.
inline constexpr int DragBody = document::HandleBody;

// The centre of handle 1..8.
struct Point {
    int x = 0;
    int y = 0;
};
Point handleCentre(const Box& box, int handle);

enum class CursorShape {
    Arrow,
    SizeNwSe,
    SizeNeSw,
    SizeVertical,
    SizeHorizontal,
    OpenHand,
    Magnifier,
    Insert
};

struct Grab {
    int dragMode = 0;
    int grabX = 0;
    int grabY = 0;
};

// Handles 1..8 (within 3 pixels of their centres), then the body, of the selected box; the
// first zone holding the point wins.
Grab hitSelection(const Box& box, int x, int y);
CursorShape cursorForDragMode(int dragMode);

// Slots 10000 down to 1: the first used one whose box holds the point, edges included; 0 for none.
int topmostObjectAt(const document::CardDocument& doc, int x, int y);

// One drag step of `object` to the mouse at (x, y), as the table of handles says, turning the
// box over when it crosses itself (`grab.dragMode` changes sides) and keeping a piece of it in
// reach of the area of `surfaceWidth` x `surfaceHeight` pixels. Stores the new box.
void dragit(const document::CardDocument& doc, document::Tobs& object, Grab& grab, int x, int y,
            int surfaceWidth, int surfaceHeight);

// The next used slot after `slot`, counting upward and wrapping from 10000 to 1; `slot` itself
// when no other is used.
int nextUsedSlot(const document::CardDocument& doc, int slot);

}  // namespace vellamo::editor
