#pragma once

// ZSoft PCX. Our own because GraphicsMagick writes every palette picture with 8 bits, 24-bit
// ones uncompressed (which common readers refuse) and reads 1-bit files without their palette.

#include "imaging/dib_record.h"
#include "imaging/progress.h"

#include <QByteArray>
#include <optional>

namespace vellamo::imaging {

// Reads 1-bit (header palette, black and white when it is blank), 2- and 4-bit packed or
// 2 to 4 one-bit planes (header palette), 8-bit (the 256-colour palette at the end, which
// version 5 files must have; older ones without it are grey) and 24-bit (three 8-bit planes). Not loaded for
// anything else or anything damaged.
DibRecord readPcx(const QByteArray& bytes, const ProgressCallback& progress = {},
                  qint64 maxPixels = decodedPixelsFor(MaxDecodedPictureBytes));

// Version 5, run-length encoded: 1-bit and 4-bit pictures as 1 and 4 bit planes with the
// header palette, 8-bit with the 256-colour palette after the pixels, 24- and 32-bit as three
// 8-bit planes. Nothing for a picture that is not loaded or is wider or higher than 65535 pixels.
std::optional<QByteArray> writePcx(const DibRecord& picture, const ProgressCallback& progress = {});

}  // namespace vellamo::imaging
