#pragma once

// Amiga IFF pictures: planar ILBM (1-8 bit planes, extra-half-brite, HAM6/HAM8, 24-plane deep)
// and Deluxe Paint's chunky PBM, uncompressed or ByteRun1 compressed. No Debian library
// writes these, so this is our own small codec.

#include "imaging/dib_record.h"
#include "imaging/progress.h"

#include <QByteArray>
#include <optional>

namespace vellamo::imaging {

enum class IffLayout { Planar, Chunky };

// True when the bytes start like an IFF picture form (FORM ... ILBM or PBM).
bool looksLikeIff(const QByteArray& bytes);

// Not loaded for anything damaged: chunks running past the form, bodies shorter than the
// picture, runs crossing a row's end, unknown compression or plane counts.
DibRecord readIff(const QByteArray& bytes, const ProgressCallback& progress = {},
                  qint64 maxPixels = decodedPixelsFor(MaxDecodedPictureBytes));

// Writes a palette picture (1, 4 or 8 bits) ByteRun1-compressed; planar pictures get as many
// bit planes as the picture has bits, chunky ones always 8. Nothing for other pictures or
// pictures wider or higher than 65535 pixels.
std::optional<QByteArray> writeIff(const DibRecord& picture, IffLayout layout,
                                   const ProgressCallback& progress = {});

// ByteRun1 (PackBits) encoding of one row, appended to `out`.
void appendByteRun1(QByteArray& out, const std::uint8_t* data, qsizetype length);

}  // namespace vellamo::imaging
