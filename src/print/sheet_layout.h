#pragma once

// Where cards land on sheets: the positions a job fills, its page breaks, the clamps of the
// Print page's values, the preview's zoom steps and page size, and each card's cell in preview
// or printer pixels. The preview, the print job and the command line all ask here.

#include "document/card_format.h"

#include <QRect>
#include <QSize>
#include <vector>

namespace vellamo::print {

// Preview pixels per inch at start, and its zoom steps: in by (3 x dpi) div 2 while below
// 300, out by (2 x dpi) div 3 while above 10 (35 -> 52 ... 262; 35 -> 23 -> 15).
inline constexpr int StartPreviewDpi = 35;
int zoomedIn(int previewDpi);
int zoomedOut(int previewDpi);

// The Print page's three values: "Already used:", "Copies:", "Page showed:".
struct SheetValues {
    int used = 0;
    int copies = 10;
    int page = 1;
};
inline constexpr int MaxUsed = 100;
inline constexpr int MinCopies = 1;
inline constexpr int MaxCopies = 1000;
inline constexpr int MaxPage = 1000;

// Columns x Rows, at least 1 for a damaged format.
int cardsPerSheet(const document::CardFormat& format);
// Pages of the job: (U + C - 1) div S + 1.
int pageCount(const SheetValues& values, int perSheet);
// "Already used:" lowered to S - 1 when it reaches it, then "Page showed:" lowered to the page
// count; nothing else changes.
SheetValues clampedValues(SheetValues values, int perSheet);

// Position i of a job lies on sheet i div S, column i mod Columns, row (i div Columns) mod Rows.
struct SheetPosition {
    int index = 0;
    int sheet = 0;
    int column = 0;
    int row = 0;
    // The job starts a new page before this position.
    bool newPage = false;
};
// Positions U .. U + C - 1 in order, with the page breaks; the values are taken as they are
// (clamp them first).
std::vector<SheetPosition> jobPositions(const SheetValues& values, const document::CardFormat& format);

// The printer's four calibration values in millimetres: offsets of the printable area and the
// measured width and height of a 100 mm test rectangle.
struct Calibration {
    double left = 0;
    double top = 0;
    double width = 100;
    double height = 100;
    bool operator==(const Calibration&) const = default;

    // Millimetres per inch as the printer really prints: width (height) x 25.39995 / 100.
    double mmPerInchX() const;
    double mmPerInchY() const;
};

// The card cell in preview pixels: X = Trunc(MarginLeft / 25.39995 x dpi + PitchX / 25.39995 x
// dpi x c), W = Trunc(CardWidth / 25.39995 x dpi), likewise Y and H; uncalibrated.
QRect previewCell(const document::CardFormat& format, int previewDpi, int column, int row);
// The card size at preview resolution.
QSize previewCardSize(const document::CardFormat& format, int previewDpi);
// What a preview page of `page` pixels shows of the card at the positions on `sheet`, in the
// card's own pixels from its corner: the part the one rendered picture has to hold. At most the
// page in each direction where no cell starts before the page's corner; empty when no cell
// of that sheet reaches the page.
QRect previewShownPart(const std::vector<SheetPosition>& positions, int sheet,
                       const document::CardFormat& format, int previewDpi, QSize page);

// The card cell in printer pixels from the printable area's corner: X = Trunc((MarginLeft -
// left) / MmPerInchX x Dx + PitchX / MmPerInchX x Dx x c), W = Trunc(CardWidth / MmPerInchX x
// Dx), likewise Y and H with Dy. Negative where the margin is smaller than the offset.
QRect printCell(const document::CardFormat& format, const Calibration& calibration, int dx, int dy,
                int column, int row);

// The test rectangle: 100 mm x 100 mm at Dx, Dy, uncalibrated.
QSize testRectangleSize(int dx, int dy);

// The preview page for a printable area of `printable` printer pixels at Dx, Dy: printable
// width div (Dx div dpi), likewise the height; where the printer's resolution is below the
// preview's, printable x dpi / Dx, truncated once.
QSize previewPageSize(QSize printable, int dx, int dy, int previewDpi);

}  // namespace vellamo::print
