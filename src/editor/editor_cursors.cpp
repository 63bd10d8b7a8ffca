#include "editor/editor_cursors.h"

#include <QPainter>
#include <QPainterPath>

namespace vellamo::editor {

namespace {

QPixmap blank()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void outlined(QPainter& p, const QPainterPath& path)
{
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::white);
    p.drawPath(path);
}

}  // namespace

QPainterPath arrowPath()
{
    QPainterPath arrow;
    arrow.moveTo(0.5, 0.5);
    arrow.lineTo(0.5, 15.5);
    arrow.lineTo(4.5, 11.5);
    arrow.lineTo(7.5, 18.0);
    arrow.lineTo(10.0, 17.0);
    arrow.lineTo(7.0, 10.5);
    arrow.lineTo(12.0, 10.5);
    arrow.closeSubpath();
    return arrow;
}

QPixmap dragHandPixmap()
{
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath hand;
    // Four fingers spread over the palm, the thumb to the left.
    hand.addRoundedRect(QRectF(8.5, 4.5, 4, 12), 2, 2);
    hand.addRoundedRect(QRectF(12.5, 2.5, 4, 13), 2, 2);
    hand.addRoundedRect(QRectF(16.5, 3.5, 4, 12), 2, 2);
    hand.addRoundedRect(QRectF(20.5, 6.5, 4, 10), 2, 2);
    hand.addRoundedRect(QRectF(8.5, 12.5, 16, 12), 5, 5);
    QPainterPath thumb;
    thumb.moveTo(9, 19);
    thumb.lineTo(4.5, 13.5);
    thumb.cubicTo(2.5, 11.5, 1, 14.5, 3, 16.5);
    thumb.lineTo(9.5, 24);
    outlined(p, hand.simplified().united(thumb));
    return pixmap;
}

QPixmap magnifierPixmap()
{
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 16), QPointF(28, 28));
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(1, 1, 17, 17));
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(QPointF(6, 9.5), QPointF(13, 9.5));
    p.drawLine(QPointF(9.5, 6), QPointF(9.5, 13));
    return pixmap;
}

QPixmap insertPixmap()
{
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 2; i >= 0; --i) {
        QPainterPath page;
        page.addRect(QRectF(10.5 + 3 * i, 16.5 + 3 * i, 10, 8));
        outlined(p, page);
    }
    outlined(p, arrowPath());
    return pixmap;
}

QCursor dragHandCursor() { return QCursor(dragHandPixmap(), 15, 16); }
QCursor magnifierCursor() { return QCursor(magnifierPixmap(), 0, 0); }
QCursor insertCursor() { return QCursor(insertPixmap(), 0, 0); }

}  // namespace vellamo::editor
