#pragma once

// The one mapping from the program's drawing conventions to QPainter. Figures are given as
// (left, top, right, bottom) in whole pixels with right and bottom exclusive, and the pen runs
// centred on the outline through the centres of the outermost pixels, so a 1-pixel pen covers
// exactly the pixels left..right-1 and top..bottom-1. Lines cover their first pixel and stop
// before their last. Coordinates are 64-bit so that sums of far-off positions never overflow.

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QRect>
#include <cstdint>

namespace vellamo::render {

// A solid pen of `width` pixels (at least 1). Wider pens get round ends and joins.
QPen gdiPen(const QColor& color, int width);

void gdiRectangle(QPainter& painter, std::int64_t left, std::int64_t top, std::int64_t right,
                  std::int64_t bottom);
void gdiEllipse(QPainter& painter, std::int64_t left, std::int64_t top, std::int64_t right,
                std::int64_t bottom);
// `cornerWidth` x `cornerHeight` is the size of the ellipse that rounds each corner.
void gdiRoundRect(QPainter& painter, std::int64_t left, std::int64_t top, std::int64_t right,
                  std::int64_t bottom, std::int64_t cornerWidth, std::int64_t cornerHeight);
// From (x0, y0) towards (x1, y1); the end pixel is left out for 1-pixel pens.
void gdiLine(QPainter& painter, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1);

// The pixels left..right-1 by top..bottom-1 as a QRect, for clipping, text boxes and pictures.
// Values beyond the int range are clamped, which keeps every visible pixel.
QRect gdiRect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);

// A text's reference point: the pixel corner (x, y), on the baseline for single-line texts.
QPointF gdiPoint(std::int64_t x, std::int64_t y);

}  // namespace vellamo::render
