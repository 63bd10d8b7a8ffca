#include "render/gdi_geometry.h"

#include <QPaintEngine>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <utility>

namespace vellamo::render {

namespace {

// The centre lines of the outermost pixels, or false when the figure covers no pixel.
bool outlineRect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom, QRectF& out)
{
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    if (right == left || bottom == top)
        return false;
    out = QRectF(qreal(left) + 0.5, qreal(top) + 0.5, qreal(right - left - 1), qreal(bottom - top - 1));
    return true;
}

// The interior with the brush, then the outline with the pen, both as filled areas: Qt's own
// thin-pen stroking approximates coverage, which would blur the exact outer pixels.
void paintFigure(QPainter& painter, const QPainterPath& path, bool closed)
{
    if (closed && painter.brush().style() != Qt::NoBrush)
        painter.fillPath(path, painter.brush());
    const QPen pen = painter.pen();
    if (pen.style() == Qt::NoPen)
        return;
    const QRectF bounds = path.boundingRect();
    if (closed && pen.widthF() >= std::min(bounds.width(), bounds.height())) {
        // A pen reaching past the middle covers the whole inside; the stroker's inner edge
        // turns inside out on curves that tight and would leave holes there.
        painter.fillPath(path, pen.brush());
    }
    const QPaintEngine* engine = painter.paintEngine();
    if (engine && engine->type() == QPaintEngine::Pdf) {
        // A PDF strokes exactly itself: the same area from the centre line and the pen, in a
        // fraction of the bytes and of the time.
        painter.strokePath(path, pen);
        return;
    }
    QPainterPathStroker stroker(pen);
    painter.fillPath(stroker.createStroke(path), pen.brush());
}

}  // namespace

QPen gdiPen(const QColor& color, int width)
{
    width = std::max(width, 1);
    if (width == 1)
        return QPen(color, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void gdiRectangle(QPainter& painter, std::int64_t left, std::int64_t top, std::int64_t right,
                  std::int64_t bottom)
{
    QRectF r;
    if (!outlineRect(left, top, right, bottom, r))
        return;
    QPainterPath path;
    path.addRect(r);
    paintFigure(painter, path, true);
}

void gdiEllipse(QPainter& painter, std::int64_t left, std::int64_t top, std::int64_t right,
                std::int64_t bottom)
{
    QRectF r;
    if (!outlineRect(left, top, right, bottom, r))
        return;
    QPainterPath path;
    path.addEllipse(r);
    paintFigure(painter, path, true);
}

void gdiRoundRect(QPainter& painter, std::int64_t left, std::int64_t top, std::int64_t right,
                  std::int64_t bottom, std::int64_t cornerWidth, std::int64_t cornerHeight)
{
    QRectF r;
    if (!outlineRect(left, top, right, bottom, r))
        return;
    // A corner ellipse of n pixels has n - 1 between the centres of its outer pixels.
    const qreal rx = std::clamp(qreal(std::abs(cornerWidth) - 1) / 2, qreal(0), r.width() / 2);
    const qreal ry = std::clamp(qreal(std::abs(cornerHeight) - 1) / 2, qreal(0), r.height() / 2);
    QPainterPath path;
    if (rx <= 0 || ry <= 0)
        path.addRect(r);
    else
        path.addRoundedRect(r, rx, ry, Qt::AbsoluteSize);
    paintFigure(painter, path, true);
}

void gdiLine(QPainter& painter, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1)
{
    if (x0 == x1 && y0 == y1)
        return;
    QPointF from(qreal(x0) + 0.5, qreal(y0) + 0.5);
    QPointF to(qreal(x1) + 0.5, qreal(y1) + 0.5);
    if (painter.pen().width() <= 1) {
        // Flat ends half a pixel back from each centre: the first pixel whole, the last one not.
        const QPointF d = to - from;
        const QPointF half = d / (2 * std::hypot(d.x(), d.y()));
        from -= half;
        to -= half;
    }
    QPainterPath path(from);
    path.lineTo(to);
    paintFigure(painter, path, false);
}

QRect gdiRect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom)
{
    constexpr std::int64_t limit = std::int64_t(1) << 30;
    auto c = [](std::int64_t v) { return int(std::clamp(v, -limit, +limit)); };
    return QRect(QPoint(c(left), c(top)), QPoint(c(right) - 1, c(bottom) - 1));
}

QPointF gdiPoint(std::int64_t x, std::int64_t y) { return QPointF(qreal(x), qreal(y)); }

}  // namespace vellamo::render
