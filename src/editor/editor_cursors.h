#pragma once

// The editor's own cursors, drawn by the program: 32 x 32 black-and-white images.

#include <QCursor>
#include <QPainterPath>
#include <QPixmap>

namespace vellamo::editor {

// MYSB_DRAGC: a white open hand, hot spot (15, 16).
QCursor dragHandCursor();
// MYSB_LUPE: a magnifying glass, hot spot (0, 0).
QCursor magnifierCursor();
// The insertion tools: an arrow with a small stack of pages below it, hot spot (0, 0).
QCursor insertCursor();

// The arrow of the pointer, its tip at (0.5, 0.5), about 12 x 18 pixels.
QPainterPath arrowPath();

QPixmap dragHandPixmap();
QPixmap magnifierPixmap();
QPixmap insertPixmap();

}  // namespace vellamo::editor
