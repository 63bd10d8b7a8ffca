#include "editor/rulers.h"

#include "editor/ruler_scale.h"

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
    p.drawText(QRect(x, y, 200, 100), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, QString::number(value));
}

}  // namespace

HorizontalRuler::HorizontalRuler(RulerSource source, QWidget* parent) : QWidget(parent), m_source(std::move(source))
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
    p.setPen(QPen(Qt::black, 0));
    p.drawRect(QRect(0, 0, wr - 1, hr - 1));
    p.drawLine(19, hr - 1, 19, 0);
    p.fillRect(QRect(QPoint(20, 1), QPoint(wr - 2, hr - 2)), Qt::white);
    p.fillRect(QRect(QPoint(1, 1), QPoint(17, hr - 3)), Qt::white);
    p.setFont(labelFont());
    const RulerScale s =
        horizontalRulerScale(wr, m_source.scroll(), m_source.surfaceLength(), m_source.cardLengthMm());
    for (const RulerTick& t : s.ticks) {
        switch (t.kind) {
        case TickKind::Labelled:
            p.drawLine(t.position, 0, t.position, hr - 1);
            drawLabel(p, t.position, 1, t.value);
            break;
        case TickKind::Odd:
            p.drawLine(t.position, hr - 1 - hr / 3, t.position, hr - 1);
            break;
        case TickKind::Even:
            p.drawLine(t.position, hr + 2 - hr / 3, t.position, hr - 1);
            break;
        }
    }
    return image;
}

void HorizontalRuler::paintEvent(QPaintEvent*)
{
    QPainter(this).drawImage(0, 0, picture());
}

VerticalRuler::VerticalRuler(RulerSource source, QWidget* parent) : QWidget(parent), m_source(std::move(source))
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
    p.setPen(QPen(Qt::black, 0));
    p.drawLine(wl - 1, 0, wl - 1, hl - 1);
    p.drawLine(wl - 1, hl - 1, 0, hl - 1);
    p.drawLine(0, hl - 1, 0, 0);
    p.setFont(labelFont());
    const RulerScale s = verticalRulerScale(hl, m_source.scroll(), m_source.surfaceLength(), m_source.cardLengthMm());
    for (const RulerTick& t : s.ticks) {
        switch (t.kind) {
        case TickKind::Labelled:
            p.drawLine(0, t.position, wl - 1, t.position);
            drawLabel(p, 1, t.position, t.value);
            break;
        case TickKind::Odd:
            p.drawLine(wl - 1 - wl / 3, t.position, wl - 1, t.position);
            break;
        case TickKind::Even:
            p.drawLine(wl + 2 - wl / 3, t.position, wl - 1, t.position);
            break;
        }
    }
    return image;
}

void VerticalRuler::paintEvent(QPaintEvent*)
{
    QPainter(this).drawImage(0, 0, picture());
}

}  // namespace vellamo::editor
