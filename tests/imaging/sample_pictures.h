#pragma once

// Pictures the imaging tests draw themselves.

#include "imaging/dib_record.h"

#include <QImage>

namespace vellamo::testing {

// A 24-bit picture with smooth gradients and hard edges, so that both lossy and palette
// encoders have something to get wrong.
inline imaging::DibRecord colourPattern(int width = 37, int height = 23)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y,
                           (x / 8 + y / 8) % 3 == 0
                               ? qRgb(250, 20, 10)
                               : qRgb(x * 255 / width, y * 255 / height, (x + y) * 3 % 256));
    return imaging::DibRecord(image, 24);
}

// A palette picture whose colour table holds 2^bits distinct colours, every one of them used
// when the picture is large enough.
inline imaging::DibRecord palettePicture(int bits, int width = 19, int height = 7)
{
    const int colours = 1 << bits;
    QImage image(width, height, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < colours; ++i)
        table.append(qRgb((i * 37) % 256, 255 - i, (i * 91 + 13) % 256));
    image.setColorTable(table);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, uint((x * 3 + y * 5) % colours));
    return imaging::DibRecord(image, bits);
}

}  // namespace vellamo::testing
