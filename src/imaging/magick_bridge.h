#pragma once

// The one door to GraphicsMagick: pictures in and out of its coders, and colour reduction.
// Everything here initialises the library on first use, once per process, from any thread.

#include "imaging/dib_record.h"

#include <QByteArray>
#include <optional>

namespace vellamo::imaging {

// Decodes `bytes` with the named coder ("GIF", "TGA", "TIFF"). Palette pictures keep the file's
// colour table and indices; a picture that raises any error or warning is not loaded, and so is
// one whose header declares more than `maxPixelsPerByte` pixels for each byte of the file or
// more than `maxPixels` in all.
DibRecord readWithMagick(const QByteArray& bytes, const char* coder, qint64 maxPixelsPerByte,
                         qint64 maxPixels = decodedPixelsFor(MaxDecodedPictureBytes));

enum class MagickCompression { None, RunLength, Lzw };

// Encodes `picture` with the named coder ("GIF", "TGA", "TIFF"); palette pictures are written
// with their own colour table. Nothing when the coder fails.
std::optional<QByteArray> writeWithMagick(const DibRecord& picture, const char* coder,
                                          MagickCompression compression = MagickCompression::None);

// A palette picture of at most `colours` colours made from `picture` by GraphicsMagick's
// quantizer (with error diffusion); palette pictures come back as they are.
DibRecord quantized(const DibRecord& picture, int colours = 256);

}  // namespace vellamo::imaging
