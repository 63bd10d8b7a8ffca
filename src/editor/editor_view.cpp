#include "editor/editor_view.h"

#include "render/gdi_geometry.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace vellamo::editor {

EditorView::EditorView(document::CardDocument& doc, RenderContextSource context, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(doc), m_context(std::move(context))
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    viewport()->setFocusPolicy(Qt::NoFocus);
    updateSurfaceSize();
}

QColor EditorView::workspaceColor() { return QColor(171, 171, 171); }

void EditorView::updateSurfaceSize()
{
    m_surfaceWidth = std::max(0, m_doc.surfaceWidth());
    m_surfaceHeight = std::max(0, m_doc.surfaceHeight());
    updateScrollBars();
    m_bufferCurrent = false;
    m_cardPictureCurrent = false;
}

void EditorView::updateScrollBars()
{
    const QSize visible = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, m_surfaceWidth - visible.width()));
    horizontalScrollBar()->setPageStep(std::max(1, visible.width()));
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setRange(0, std::max(0, m_surfaceHeight - visible.height()));
    verticalScrollBar()->setPageStep(std::max(1, visible.height()));
    verticalScrollBar()->setSingleStep(20);
}

int EditorView::scrollX() const { return horizontalScrollBar()->value(); }
int EditorView::scrollY() const { return verticalScrollBar()->value(); }

void EditorView::setScroll(int x, int y)
{
    horizontalScrollBar()->setValue(x);
    verticalScrollBar()->setValue(y);
}

void EditorView::renderBackBuffer()
{
    const QSize visible = viewport()->size();
    if (m_backBuffer.size() != visible)
        m_backBuffer = QImage(visible, QImage::Format_RGB32);
    if (m_backBuffer.isNull())
        return;
    // The editor converts for the screen; whatever the mode was before is put back afterwards.
    const document::RenderModeScope screen(m_doc, document::ScreenConversion, m_doc.PrintScale);
    const int sx = scrollX();
    const int sy = scrollY();
    const int w = m_surfaceWidth;
    const int h = m_surfaceHeight;
    m_backBuffer.fill(workspaceColor());
    QPainter p(&m_backBuffer);
    // The editing area, then the card's edge and its 5-pixel shadow (right, bottom exclusive).
    p.fillRect(render::gdiRect(-sx, -sy, w - sx, h - sy), Qt::white);
    const int left = w / 3 - sx;
    const int top = h / 3 - sy;
    const int right = 2 * w / 3 - sx;
    const int bottom = 2 * h / 3 - sy;
    p.setPen(render::gdiPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    render::gdiRectangle(p, left, top, right, bottom);
    const QColor shadow(128, 128, 128);
    p.fillRect(render::gdiRect(right, top + 5, right + 5, bottom + 5), shadow);
    p.fillRect(render::gdiRect(left + 5, bottom, right + 5, bottom + 5), shadow);
    // Beyond the editing area the work space shows again; the selection marks end there too.
    p.setClipRect(surfaceClip());
    render::DrawVCart(p, m_doc, m_context ? m_context() : render::RenderContext(), w, h, sx, sy,
                      m_doc.ZoomNum / m_doc.ZoomDen, true);
    p.end();
    m_cardPicture = m_backBuffer.copy();
    m_cardPictureCurrent = !m_cardPicture.isNull();
    drawMarks();
    m_bufferCurrent = true;
}

void EditorView::drawMarks()
{
    QPainter p(&m_backBuffer);
    p.setClipRect(surfaceClip());
    if (m_marks)
        m_marks(p, scrollX(), scrollY());
}

void EditorView::PaintSelection()
{
    if (m_doc.Rendering)
        return;
    if (!m_cardPictureCurrent || m_cardPicture.size() != viewport()->size() ||
        m_backBuffer.size() != m_cardPicture.size()) {
        PaintBox1Paint();
        return;
    }
    {
        QPainter p(&m_backBuffer);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, m_cardPicture);
    }
    drawMarks();
    m_bufferCurrent = true;
    viewport()->repaint();
}

QRect EditorView::surfaceClip() const
{
    const int sx = scrollX();
    const int sy = scrollY();
    return render::gdiRect(-sx, -sy, m_surfaceWidth - sx, m_surfaceHeight - sy);
}

void EditorView::PaintBox1Paint()
{
    if (m_doc.Rendering)
        return;
    m_bufferCurrent = false;
    m_cardPictureCurrent = false;
    viewport()->repaint();
}

void EditorView::drawOnBuffer(const std::function<void(QPainter&, int, int)>& draw)
{
    if (!m_bufferCurrent || m_backBuffer.size() != viewport()->size())
        renderBackBuffer();
    if (m_backBuffer.isNull())
        return;
    QPainter p(&m_backBuffer);
    p.setClipRect(surfaceClip());
    draw(p, scrollX(), scrollY());
}

void EditorView::showBuffer() { viewport()->repaint(); }

void EditorView::paintEvent(QPaintEvent*)
{
    if (m_doc.Rendering || m_inPaint)
        return;
    m_inPaint = true;
    if (m_beforePaint)
        m_beforePaint();
    if (!ResizingView) {
        if (!m_bufferCurrent || m_backBuffer.size() != viewport()->size())
            renderBackBuffer();
        QPainter screen(viewport());
        screen.drawImage(0, 0, m_backBuffer);
    }
    m_inPaint = false;
    if (m_afterPaint)
        m_afterPaint();
}

void EditorView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
    m_bufferCurrent = false;
    m_cardPictureCurrent = false;
}

void EditorView::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    // What other pages changed while the view was hidden (the address, say) shows at the next
    // click at the latest.
    m_cardPictureCurrent = false;
}

void EditorView::scrollContentsBy(int, int)
{
    m_bufferCurrent = false;
    m_cardPictureCurrent = false;
    viewport()->update();
    if (m_afterPaint)
        m_afterPaint();
}

bool EditorView::onSurface(QPoint p) const
{
    return p.x() + scrollX() < m_surfaceWidth && p.y() + scrollY() < m_surfaceHeight;
}

QPoint EditorView::areaPoint(const QMouseEvent* event) const
{
    return event->position().toPoint() + QPoint(scrollX(), scrollY());
}

void EditorView::mousePressEvent(QMouseEvent* event)
{
    if (!m_mouse)
        return;
    if (!onSurface(event->position().toPoint())) {
        m_mouse->ScrollBox1MouseDown();
        return;
    }
    const QPoint a = areaPoint(event);
    m_mouse->PaintBox1MouseDown(event->button(), event->modifiers(), a.x(), a.y());
}

void EditorView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_mouse)
        return;
    const QPoint a = areaPoint(event);
    m_mouse->PaintBox1MouseMove(event->buttons(), event->modifiers(), a.x(), a.y());
}

void EditorView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_mouse)
        return;
    const QPoint a = areaPoint(event);
    m_mouse->PaintBox1MouseUp(event->button(), event->modifiers(), a.x(), a.y());
}

void EditorView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!m_mouse)
        return;
    // The second press of a double-click comes after the double-click itself, as on Windows.
    if (event->button() == Qt::LeftButton && onSurface(event->position().toPoint())) {
        const QPoint a = areaPoint(event);
        m_mouse->PaintBox1DblClick(a.x(), a.y());
    }
    mousePressEvent(event);
}

// The wheel does nothing on the editor.
void EditorView::wheelEvent(QWheelEvent* event) { event->accept(); }

}  // namespace vellamo::editor
