#pragma once

#include "imaging/dib_record.h"

namespace vellamo::imaging {

// An 8-bit palette copy of `in`, dithered to its own palette. False, and `out` not loaded,
// when `in` is not loaded.
bool DIBHalftoneDIB(DibRecord& out, const DibRecord& in);

// The same, scaled to `width` x `height` first.
bool DIBHalftoneDIBXY(DibRecord& out, const DibRecord& in, int width, int height);

}  // namespace vellamo::imaging
