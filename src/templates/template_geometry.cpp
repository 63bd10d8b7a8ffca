#include "templates/template_geometry.h"

#include "document/units.h"

#include <algorithm>

namespace vellamo::templates {

int templateMargin(int WP, double cardWidthMm, double cardHeightMm)
{
    if (cardWidthMm >= 15 && cardHeightMm >= 15 && cardWidthMm > 0)
        return document::truncToInt32(5.0 * WP / cardWidthMm);
    return 0;
}

LayoutCells layoutCells(const Edges& outer, int WP, double cardWidthMm, double cardHeightMm,
                        const TemplateLayout& layout)
{
    const int m = templateMargin(WP, cardWidthMm, cardHeightMm);
    const int L = outer.left + m, T = outer.top + m, R = outer.right - m, B = outer.bottom - m;
    const std::array<int, 4> x = {L, L + (R - L) / 3, L + 2 * (R - L) / 3, R};
    const std::array<int, 4> y = {T, T + (B - T) / 3, T + 2 * (B - T) / 3, B};
    LayoutCells cells;
    for (std::size_t c = 0; c < 3; ++c)
        for (std::size_t r = 0; r < 3; ++r)
            cells[c][r] = {x[c], y[r], x[c + 1], y[r + 1]};

    for (std::size_t r = 0; r < 3; ++r) {
        const bool left = layout.cells[0][r] != 0;
        const bool middle = layout.cells[1][r] != 0;
        const bool right = layout.cells[2][r] != 0;
        if (left && !middle && !right) {
            cells[0][r].right = R;
        } else if (!left && middle && !right) {
            cells[1][r].left = L;
            cells[1][r].right = R;
        } else if (!left && !middle && right) {
            cells[2][r].left = L;
        } else if (left && !middle && right) {
            const int h = cells[1][r].left + (cells[1][r].right - cells[1][r].left) / 2;
            cells[0][r].right = h;
            cells[2][r].left = h;
        }
    }

    const int gap = m / 5;
    for (auto& column : cells) {
        for (Edges& cell : column) {
            cell.right -= gap;
            cell.bottom -= gap;
        }
    }

    if (layout.cells[0][1] == 0 && layout.cells[1][1] == 0 && layout.cells[2][1] == 0) {
        const int h = cells[0][1].top + (cells[0][1].bottom - cells[0][1].top) / 2;
        for (auto& column : cells) {
            column[0].bottom = h;
            column[2].top = h;
        }
    }
    return cells;
}

PicturePlace fitPicture(int PW, int PH, const Edges& cell, int column, int row)
{
    if (PW <= 0 || PH <= 0)
        return {cell.left, cell.top, 0, 0};
    const std::int64_t cellW = std::int64_t(cell.right) - cell.left + 1;
    const std::int64_t cellH = std::int64_t(cell.bottom) - cell.top + 1;
    std::int64_t w = cellW;
    std::int64_t h = PH * w / PW;
    if (cellH < h) {
        h = cellH;
        w = PW * h / PH;
    }
    std::int64_t x = cell.left;
    std::int64_t y = cell.top;
    if (column == 1)
        x += (cellW - w) / 2;
    else if (column == 2)
        x += cellW - w;
    if (row == 1)
        y += (cellH - h) / 2;
    else if (row == 2)
        y += cellH - h;
    return {int(x), int(y), int(w), int(h)};
}

int fitFontHeight(const TextMeasure& measure, const QString& text, const Edges& cell, int column,
                  int startSize)
{
    const int width = cell.right - cell.left;
    const int height = cell.bottom - cell.top;
    for (int n = startSize - 1; n > 1; --n) {
        const QSize size = measure.measure(text, n, width, column);
        if (size.height() <= height && size.width() <= width)
            return n;
    }
    return 1;
}

GalleryGeometry galleryGeometry(double cardWidthMm, double cardHeightMm, int clientWidth, int layouts)
{
    GalleryGeometry g;
    g.TW = cardHeightMm > 0 ? document::truncToInt32(ThumbnailHeight * cardWidthMm / cardHeightMm) : 0;
    g.TW = std::max(g.TW, 1);
    g.columns = std::max(1, (clientWidth - ThumbnailSpacing) / (g.TW + ThumbnailSpacing));
    g.rows = std::max(layouts, 0) / g.columns + 1;
    g.surfaceWidth = (g.TW + ThumbnailSpacing) * g.columns + ThumbnailSpacing;
    g.surfaceHeight = GalleryRowPitch * g.rows + ThumbnailSpacing;
    return g;
}

Edges thumbnailCell(const GalleryGeometry& g, int t)
{
    const int column = t % g.columns;
    const int row = t / g.columns;
    const int left = (g.TW + ThumbnailSpacing) * column + ThumbnailSpacing;
    const int top = GalleryRowPitch * row + ThumbnailSpacing;
    return {left, top, left + g.TW, top + ThumbnailHeight};
}

int thumbnailAt(const GalleryGeometry& g, int layouts, int x, int y)
{
    for (int t = 0; t < layouts; ++t) {
        const Edges cell = thumbnailCell(g, t);
        if (x >= cell.left && x <= cell.right && y >= cell.top && y <= cell.bottom)
            return t;
    }
    return -1;
}

PicturePlace coverPlacement(int PW, int PH, const Edges& cell)
{
    const std::int64_t w = std::int64_t(cell.right) - cell.left + 1;
    const std::int64_t h = std::int64_t(cell.bottom) - cell.top + 1;
    if (PW <= 0 || PH <= 0)
        return {};
    const std::int64_t scaledH = PH * w / PW;
    if (scaledH > h)
        return {0, int(-(scaledH - h) / 2), int(w), int(scaledH)};
    const std::int64_t scaledW = PW * h / PH;
    return {int(-(scaledW - w) / 2), 0, int(scaledW), int(h)};
}

}  // namespace vellamo::templates
