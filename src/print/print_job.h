#pragma once

// The print job: the card drawn at every position the job fills, on as many pages as the
// positions cross sheets, with the calibration applied to each cell, and the test rectangle
// of the calibration. Both run on a QPrinter the caller has set up (a CUPS queue or a PDF
// file); neither shows a dialog while the document draws in device mode.

#include "document/card_document.h"
#include "document/prompter.h"
#include "print/sheet_layout.h"
#include "render/card_renderer.h"

#include <QString>
#include <functional>
#include <vector>

class QPainter;
class QPrinter;

namespace vellamo::print {

inline const QString PrintJobTitle = QStringLiteral("Korvend Vellamo 3.5 - Business Card");
inline const QString TestPrintTitle = QStringLiteral("Test printing");
inline const QString UnequalResolutionWarning =
    QStringLiteral("This will probably not work with you printer.");

struct PrintJobSettings {
    // Already clamped: the first position lies on the first sheet.
    SheetValues values;
    bool cutLines = false;
    Calibration calibration;
};

// The drawing context of one position. Every position may get its own (another address for
// each, when merging); the job puts the calibrated millimetres per inch in.
using PositionContext = std::function<render::RenderContext(const SheetPosition&)>;

struct PrintJobResult {
    bool printed = false;
    // Why not, naming the printer or file.
    QString error;
    int pages = 0;
    int cards = 0;
};

// Prints the positions U .. U + C - 1 of `settings`. Warns (and goes on) when the printer's
// horizontal and vertical resolutions differ. The document's RenderMode and PrintScale are
// back as they were afterwards, also when the job fails.
PrintJobResult printCards(QPrinter& printer, document::CardDocument& doc, const PrintJobSettings& settings,
                          const PositionContext& contextFor, document::Prompter& ask);

// Draws one card into `cell` of a printer surface at `dx` pixels per inch: the content at the
// uncalibrated scale Dx / 20000, the cell (position, size, clip) as calibrated. The document
// must be in device mode at that scale; `drawn` are its used slots.
void drawCardInCell(QPainter& painter, document::CardDocument& doc, const std::vector<int>& drawn,
                    const render::RenderContext& context, QRect cell, double printScale);

// The dotted one-pixel outline through (X, Y), (X + W, Y), (X + W, Y + H), (X, Y + H).
void drawCutLines(QPainter& painter, QRect cell);

// The silver 100 mm x 100 mm rectangle with a black outline at the printable area's corner.
PrintJobResult printTestRectangle(QPrinter& printer);

// "the printer "NAME"" or "the file "NAME"", for messages.
QString printerDescription(const QPrinter& printer);

}  // namespace vellamo::print
