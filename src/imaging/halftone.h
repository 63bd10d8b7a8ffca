#pragma once

#include "imaging/dib_record.h"

namespace vellamo::imaging {

// An 8-bit copy of `in` (any depth) dithered with an 8 x 8 ordered pattern onto its own palette:
// entries 0..215 are the 6 x 6 x 6 colour cube, index r * 36 + g * 6 + b with levels 0, 51, ...
// 255; the remaining entries are unused and black. False, and `out` not loaded, when `in` is not.
bool DIBHalftoneDIB(DibRecord& out, const DibRecord& in);

// The same, scaled (smoothly) to `width` x `height` first; false as well for an unusable size.
bool DIBHalftoneDIBXY(DibRecord& out, const DibRecord& in, int width, int height);

}  // namespace vellamo::imaging
