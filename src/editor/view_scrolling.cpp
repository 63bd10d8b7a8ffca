#include "editor/view_scrolling.h"

#include "document/units.h"

#include <algorithm>

namespace vellamo::editor {

using document::pressToUnits;
using document::unitsToScreen;

ScrollTarget clampToRange(int x, int y, int rangeX, int rangeY)
{
    auto clamp = [](int v, int range) { return std::max(0, std::min(v, range - 1)); };
    return {clamp(x, rangeX), clamp(y, rangeY)};
}

ZoomResult zoomAt(int x, int y, bool zoomIn, double zoomNum, double zoomDen, int extentX, int extentY,
                  int viewOuterWidth, int viewOuterHeight)
{
    const int ux = pressToUnits(x, zoomNum, zoomDen);
    const int uy = pressToUnits(y, zoomNum, zoomDen);
    if (zoomIn && zoomDen > ZoomInLimit)
        zoomDen = zoomDen / ZoomFactor;
    else if (!zoomIn && zoomDen < ZoomOutLimit)
        zoomDen = zoomDen * ZoomFactor;
    ZoomResult result;
    result.zoomDen = zoomDen;
    result.surfaceWidth = unitsToScreen(extentX, zoomNum, zoomDen);
    result.surfaceHeight = unitsToScreen(extentY, zoomNum, zoomDen);
    const int px = unitsToScreen(ux, zoomNum, zoomDen);
    const int py = unitsToScreen(uy, zoomNum, zoomDen);
    result.scroll = clampToRange(px - viewOuterWidth / 2, py - viewOuterHeight / 2, result.surfaceWidth,
                                 result.surfaceHeight);
    return result;
}

ScrollTarget Drag2Hand(int scrollX, int scrollY, int anchorX, int anchorY, int x, int y, int rangeX,
                       int rangeY)
{
    return clampToRange(scrollX + (anchorX - x), scrollY + (anchorY - y), rangeX, rangeY);
}

}  // namespace vellamo::editor
