#pragma once

#include "imaging/dib_record.h"
#include "imaging/progress.h"

#include <QString>

namespace vellamo::imaging {

// Picture file types SaveDib writes, in the order of the save dialog's filter.
enum PictureFormatCode : int {
    FormatBmp = 3,
    FormatDib = 4,
    FormatGif = 5,
    FormatIff = 6,
    FormatJif = 7,
    FormatJpg = 8,
    FormatLbm = 9,
    FormatPcx = 10,
    FormatRle = 11,
    FormatTga = 12,
    FormatTif = 13,
    FormatPng = 14,
};

// Writes `picture` to `path` in the type `formatCode` names. BMP, DIB (a whole bitmap file),
// PCX, TGA, TIF and PNG keep the picture's depth and colour table; GIF, IFF and LBM write
// palette pictures as they are and quantize colour pictures to 256 colours; RLE is always an
// 8-bit RLE8 bitmap; JIF and JPG are colour JPEG files. False when the picture is not
// loaded, the code is unknown or the file cannot be written; an existing file is then left as it was.
bool SaveDib(const DibRecord& picture, const QString& path, int formatCode,
             const ProgressCallback& progress = {});

// The save dialog's filter as "text|patterns|text|patterns...", one entry per format code in
// code order (BMP first, PNG last).
QString GetDIBSaveFilter();

// JPEG quality (1..99, clamped) for the JPEG and JIF writes that follow; 75 until set. It is one
// process-wide setting, not a per-call option, because callers set it long before the save.
void SetJPEGQual(int quality);

}  // namespace vellamo::imaging
