#pragma once

// Where a template's elements go: the 3 x 3 cells of a card, the gallery's thumbnails, a
// picture fitted into its cell and a text's largest fitting font. No widgets here; text is
// measured through an interface.

#include "templates/template_generation.h"

#include <QSize>
#include <QString>
#include <array>

namespace vellamo::templates {

// GDI-style edges: right and bottom are the last pixel plus one in drawing, but the picture
// fitting below counts them inclusive, as the rules read.
struct Edges {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Edges&) const = default;
};

// [column][row].
using LayoutCells = std::array<std::array<Edges, 3>, 3>;

// The 5 mm margin in pixels when the card is at least 15 mm each way, else 0; `WP` pixels
// stand for the card's width.
int templateMargin(int WP, double cardWidthMm, double cardHeightMm);

// The cells of a layout inside `outer`: margin, thirds, row spans, gaps, empty middle row.
LayoutCells layoutCells(const Edges& outer, int WP, double cardWidthMm, double cardHeightMm,
                        const TemplateLayout& layout);

struct PicturePlace {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    bool operator==(const PicturePlace&) const = default;
};

// A PW x PH picture in `cell` keeping its proportions: full width, or full height when too
// tall; centred or pushed right and down by the cell's column and row.
PicturePlace fitPicture(int PW, int PH, const Edges& cell, int column, int row);

class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    // The size of `text` in "Arial" of character height `pixelHeight`, word-wrapped to `width`
    // with the alignment of `column` (0 left, 1 centred, 2 right).
    virtual QSize measure(const QString& text, int pixelHeight, int width, int column) const = 0;
};

// The largest n from startSize - 1 down to 1 whose text fits the cell; 1 in any case.
int fitFontHeight(const TextMeasure& measure, const QString& text, const Edges& cell, int column,
                  int startSize);

// The gallery's thumbnails.
struct GalleryGeometry {
    int TW = 0;
    int columns = 1;
    int rows = 1;
    int surfaceWidth = 0;
    int surfaceHeight = 0;
};

inline constexpr int ThumbnailHeight = 150;
inline constexpr int ThumbnailSpacing = 10;
inline constexpr int ThumbnailFrame = 5;
inline constexpr int GalleryRowPitch = ThumbnailHeight + ThumbnailSpacing;

GalleryGeometry galleryGeometry(double cardWidthMm, double cardHeightMm, int clientWidth, int layouts);
// The thumbnail cell of layout t.
Edges thumbnailCell(const GalleryGeometry& g, int t);
// The layout whose thumbnail cell holds the point, edges included; -1 for none.
int thumbnailAt(const GalleryGeometry& g, int layouts, int x, int y);

// The background drawn over a thumbnail cell so that it covers it: the size and the offset
// from the cell's corner (negative: shifted up or left).
PicturePlace coverPlacement(int PW, int PH, const Edges& cell);

}  // namespace vellamo::templates
