#pragma once

// Draws the card document onto any QPainter surface: the editor's back buffer, a picture, a
// printer page.

#include "document/card_document.h"
#include "document/units.h"
#include "render/placeholders.h"
#include "render/see_through_picture.h"

#include <QPainter>
#include <vector>

namespace vellamo::render {

// The program-wide values a drawing depends on, set up by whoever draws.
struct RenderContext {
    // Calibrated millimetres per inch; 25.39995 except while printing.
    double MmPerInchX = document::MillimetresPerInch;
    double MmPerInchY = document::MillimetresPerInch;
    // The screen's horizontal pixels per inch, whatever the surface.
    int screenDpi = 96;
    // Pixels per inch of the font dialog's font (normally the screen's).
    int fontPpi = 96;
    // The current address's fields while one is current; null draws texts with their tokens.
    const PlaceholderFields* placeholders = nullptr;
    // Where a job keeps its transparent pictures for surfaces that cannot be read back; null
    // makes a fresh copy at every draw.
    SeeThroughPictures* seeThrough = nullptr;
};

// W, H: framed, the whole editing area in pixels; not framed, one card in target pixels.
// XOff, YOff are subtracted from every converted position. Scale is target pixels per object
// unit for pen widths, fonts and offsets; positions follow doc.RenderMode.
// Not framed, everything is cut at the card; the surface's own clip is kept and put back.
// Transparent pictures let the surface show through: a QImage is read back and the picture
// composed pixel by pixel; any other surface (printer, PDF, SVG, widget) gets the picture with
// its key colour see-through. doc.Rendering is true during the call; automatic transparency
// stores the key it found in the object.
void DrawVCart(QPainter& surface, document::CardDocument& doc, const RenderContext& context, int W, int H,
               int XOff, int YOff, double Scale, bool Framed);

// The slots that hold an object, bottom first: the ones DrawVCart draws. A job that draws one
// card thousands of times finds them once instead of walking all 10000 slots for every card.
std::vector<int> usedSlots(const document::CardDocument& doc);

// DrawVCart of the slots `drawn` alone; they must be usedSlots of the document as it is now.
void DrawVCart(QPainter& surface, document::CardDocument& doc, const std::vector<int>& drawn,
               const RenderContext& context, int W, int H, int XOff, int YOff, double Scale, bool Framed);

}  // namespace vellamo::render
