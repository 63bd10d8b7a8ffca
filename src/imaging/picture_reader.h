#pragma once

#include "imaging/dib_record.h"
#include "imaging/progress.h"

#include <QString>

namespace vellamo::imaging {

// Reads a picture file into `out`, choosing the reader by the file's content, not its name:
// BMP (also RLE4/RLE8, and a bare information header with table and pixels), GIF, IFF/LBM,
// JPEG, PCX, TGA, TIFF and PNG. 1-, 4- and 8-bit files become palette pictures of that depth
// with their colour table. Damaged files, and headers declaring more pixels than MaxPicturePixels
// or than the file could hold, leave `out` not loaded. Progress goes 0..100 and ends at 0.
// The decoded picture takes at most `maxBytes`: a larger JPEG is read scaled down by a power of
// two, a larger picture of another type is refused. Only a regular file of at most
// MaxPictureFileBytes is read: a FIFO or a device such as /dev/zero is refused at once.
bool OpenDib(DibRecord& out, const QString& path, const ProgressCallback& progress = {},
             qint64 maxBytes = MaxDecodedPictureBytes);

// The same for bytes already in memory.
bool readPicture(DibRecord& out, const QByteArray& bytes, const ProgressCallback& progress = {},
                 qint64 maxBytes = MaxDecodedPictureBytes);

}  // namespace vellamo::imaging
