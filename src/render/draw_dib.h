#pragma once

// Drawing a picture stretched onto a surface by nearest neighbour: eliminated rows and columns
// are dropped, never blended.

#include "imaging/dib_record.h"

#include <QPainter>

namespace vellamo::render {

// Draws the source rectangle (SrcX, SrcY, SrcW, SrcH) of `dib` into the destination rectangle
// (X, Y, DestW, DestH). SrcY counts from the picture's bottom row. A source reaching past the
// picture is cut and the destination shrunk in proportion (rounded to nearest, ties to even).
// Destination pixel (i, r) shows source column SrcX + SrcW * i / DestW and source row
// (from the top) height - SrcY - SrcH + SrcH * r / DestH; positions outside the picture are
// black. Only the part of the destination that the surface can show is computed.
// With `Halftone`, a 24-bit picture shown on a screen of `ScreenDepth` bits per pixel, 8 or
// fewer, is dithered to a palette; the caller knows the screen it draws for.
// Printers, PDF and SVG files get the source whole and stretch it themselves, unsmoothed, so a
// picture drawn many times is held once in the document.
void DrawDib(QPainter& surface, int X, int Y, int DestW, int DestH, const imaging::DibRecord& dib, int SrcX,
             int SrcY, int SrcW, int SrcH, bool Halftone = false, int ScreenDepth = 24);

// The destination pixels the surface can still change: its device area and its clip, in the
// painter's coordinates.
QRect visibleArea(const QPainter& surface);

}  // namespace vellamo::render
