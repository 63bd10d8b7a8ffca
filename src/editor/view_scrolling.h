#pragma once

// What the zoom and hand tools do to the zoom and the scroll positions, without widgets.

#include "document/units.h"

namespace vellamo::editor {

inline constexpr double ZoomFactor = document::ZoomStep;
// Zooming in stops once ZoomDen is at or below this, zooming out once at or above the other.
inline constexpr double ZoomInLimit = document::ZoomInLimit;
inline constexpr double ZoomOutLimit = document::ZoomOutLimit;

struct ScrollTarget {
    int x = 0;
    int y = 0;
};

// A scroll position raised to 0 and lowered to range - 1 on each axis; the scroll bars hold it
// further within range less the visible size.
ScrollTarget clampToRange(int x, int y, int rangeX, int rangeY);

struct ZoomResult {
    double zoomDen = 0;
    int surfaceWidth = 0;
    int surfaceHeight = 0;
    ScrollTarget scroll;
};

// Zoom at the press (x, y) in area pixels: one 1.5 step on ZoomDen within the limits, then the
// pressed point centred in a view of the given outer size.
ZoomResult zoomAt(int x, int y, bool zoomIn, double zoomNum, double zoomDen, int extentX, int extentY,
                  int viewOuterWidth, int viewOuterHeight);

// The hand tool: the grabbed point (anchor) stays under the mouse at (x, y).
ScrollTarget Drag2Hand(int scrollX, int scrollY, int anchorX, int anchorY, int x, int y, int rangeX,
                       int rangeY);

}  // namespace vellamo::editor
