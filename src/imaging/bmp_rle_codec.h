#pragma once

// Windows run-length bitmaps (RLE8) for the RLE format. Our own because GraphicsMagick's
// encoder runs past the picture's width whenever a row is not a multiple of four pixels,
// which strict readers refuse. Our own reader too, so that the pixels no run reaches are
// always palette index 0, whatever memory the picture got.

#include "imaging/dib_record.h"
#include "imaging/progress.h"

#include <QByteArray>
#include <optional>

namespace vellamo::imaging {

// A bitmap file with a 40-byte information header, a 256-entry colour table and RLE8 pixels,
// from a palette picture of any depth. Nothing for other pictures.
std::optional<QByteArray> writeRle8Bitmap(const DibRecord& picture, const ProgressCallback& progress = {});

// Decodes the RLE8 (`bits` 8) or RLE4 (`bits` 4) pixels of a bottom-up bitmap. Pixels that
// the runs skip (by an end of line, a jump or an early end of bitmap) are index 0, runs past
// a row's end are cut there. Not loaded when the data ends before its end-of-bitmap mark, or
// for a picture of no size or more than `maxPixels`. Colour table entries beyond
// `colorTable` are black.
DibRecord readRleBitmap(const QByteArray& data, int width, int height, int bits,
                        const QList<QRgb>& colorTable,
                        qint64 maxPixels = decodedPixelsFor(MaxDecodedPictureBytes));

}  // namespace vellamo::imaging
