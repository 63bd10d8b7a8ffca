#include "editor/rulers.h"

#include "editor/ruler_scale.h"
#include "render/gdi_geometry.h"

#include <QPainter>

namespace vellamo::editor {

namespace {

QFont labelFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(6);
    return font;
}

void drawLabel(QPainter& p, int x, int y, int value)
{
    // The text's top-left corner at (x, y), as text output places it.
    p.drawText(QRect(x, y, 200, 100), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
               QString::number(value));
}

}  // namespace

void Ruler::paintEvent(QPaintEvent*) { QPainter(this).drawImage(0, 0, picture()); }

HorizontalRuler::HorizontalRuler(RulerSource source, QWidget* parent) : Ruler(std::move(source), parent)
{
    setFixedHeight(RulerThickness);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage HorizontalRuler::picture() const
{
    const int wr = width();
    const int hr = height();
    QImage image(wr, hr, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(render::gdiPen(Qt::black, 1));
    render::gdiRectangle(p, 0, 0, wr - 1, hr - 1);
    render::gdiLine(p, 19, hr - 1, 19, 0);
    p.fillRect(render::gdiRect(20, 1, wr - 1, hr - 1), Qt::white);
    p.fillRect(render::gdiRect(1, 1, 18, hr - 2), Qt::white);
    p.setFont(labelFont());
    const RulerScale s =
        horizontalRulerScale(wr, m_source.scroll(), m_source.surfaceLength(), m_source.cardLengthMm());
    for (const RulerTick& t : s.ticks) {
        switch (t.kind) {
        case TickKind::Labelled:
            render::gdiLine(p, t.position, 0, t.position, hr - 1);
            drawLabel(p, t.position, 1, t.value);
            break;
        case TickKind::Odd:
            render::gdiLine(p, t.position, hr - 1 - hr / 3, t.position, hr - 1);
            break;
        case TickKind::Even:
            render::gdiLine(p, t.position, hr + 2 - hr / 3, t.position, hr - 1);
            break;
        }
    }
    return image;
}

VerticalRuler::VerticalRuler(RulerSource source, QWidget* parent) : Ruler(std::move(source), parent)
{
    setFixedWidth(RulerThickness);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage VerticalRuler::picture() const
{
    const int wl = width();
    const int hl = height();
    QImage image(wl, hl, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(render::gdiPen(Qt::black, 1));
    p.fillRect(render::gdiRect(1, 0, wl - 1, hl - 1), Qt::white);
    render::gdiLine(p, wl - 1, 0, wl - 1, hl - 1);
    render::gdiLine(p, wl - 1, hl - 1, 0, hl - 1);
    render::gdiLine(p, 0, hl - 1, 0, -1);
    p.setFont(labelFont());
    const RulerScale s =
        verticalRulerScale(hl, m_source.scroll(), m_source.surfaceLength(), m_source.cardLengthMm());
    for (const RulerTick& t : s.ticks) {
        switch (t.kind) {
        case TickKind::Labelled:
            render::gdiLine(p, 0, t.position, wl - 1, t.position);
            drawLabel(p, 1, t.position, t.value);
            break;
        case TickKind::Odd:
            render::gdiLine(p, wl - 1 - wl / 3, t.position, wl - 1, t.position);
            break;
        case TickKind::Even:
            render::gdiLine(p, wl + 2 - wl / 3, t.position, wl - 1, t.position);
            break;
        }
    }
    return image;
}

}  // namespace vellamo::editor
