#pragma once

// Windows run-length bitmaps (RLE8) for the RLE format. Our own because GraphicsMagick's
// encoder runs past the picture's width whenever a row is not a multiple of four pixels,
// which strict readers refuse. Reading them is Qt's.

#include "imaging/dib_record.h"
#include "imaging/progress.h"

#include <QByteArray>
#include <optional>

namespace vellamo::imaging {

// A bitmap file with a 40-byte information header, a 256-entry colour table and RLE8 pixels,
// from a palette picture of any depth. Nothing for other pictures.
std::optional<QByteArray> writeRle8Bitmap(const DibRecord& picture, const ProgressCallback& progress = {});

}  // namespace vellamo::imaging
