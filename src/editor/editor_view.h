#pragma once

// ScrollBox1 with its editing surface PaintBox1: a scrolling view over the whole editing area
// (W x H area pixels at the current zoom) that renders only the visible part into BackBuffer.

#include "document/card_document.h"
#include "render/card_renderer.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <functional>

namespace vellamo::editor {

// Mouse events on the surface, in area pixels.
class SurfaceMouseHandler {
public:
    virtual ~SurfaceMouseHandler() = default;
    virtual void PaintBox1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x,
                                    int y) = 0;
    virtual void PaintBox1MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x,
                                    int y) = 0;
    virtual void PaintBox1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y) = 0;
    virtual void PaintBox1DblClick(int x, int y) = 0;
    // A press on the work space beside a surface smaller than the view.
    virtual void ScrollBox1MouseDown() = 0;
};

class EditorView : public QAbstractScrollArea {
    Q_OBJECT
public:
    using RenderContextSource = std::function<render::RenderContext()>;
    // Draws the selection marks into the buffer, whose pixel (0, 0) shows area pixel (sx, sy).
    using MarksPainter = std::function<void(QPainter&, int sx, int sy)>;

    EditorView(document::CardDocument& doc, RenderContextSource context, QWidget* parent = nullptr);

    void setMouseHandler(SurfaceMouseHandler* handler) { m_mouse = handler; }
    void setMarksPainter(MarksPainter painter) { m_marks = std::move(painter); }
    // Called at the start of every repaint (the property panel follows the selection).
    void setBeforePaint(std::function<void()> hook) { m_beforePaint = std::move(hook); }
    // Called at the end of every repaint (the rulers).
    void setAfterPaint(std::function<void()> hook) { m_afterPaint = std::move(hook); }

    // The surface takes W x H from the document's extents and zoom.
    void updateSurfaceSize();
    int surfaceWidth() const { return m_surfaceWidth; }
    int surfaceHeight() const { return m_surfaceHeight; }

    int scrollX() const;
    int scrollY() const;
    // Held within 0 .. range less the visible size, as scroll bars do.
    void setScroll(int x, int y);

    // PaintBox1Paint: renders the visible part and shows it at once.
    void PaintBox1Paint();
    // Shows other selection marks on an unchanged card: the card as the last repaint rendered
    // it is reused while the view has not moved or resized since; otherwise PaintBox1Paint.
    void PaintSelection();
    // Draws onto the last rendered picture (whose pixel (0, 0) shows area pixel (sx, sy)),
    // without rendering the card; showBuffer() then puts it on the screen.
    void drawOnBuffer(const std::function<void(QPainter&, int sx, int sy)>& draw);
    void showBuffer();

    const QImage& backBuffer() const { return m_backBuffer; }
    bool ResizingView = false;

    // The work-space colour beside a small surface.
    static QColor workspaceColor();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void updateScrollBars();
    void renderBackBuffer();
    // The marks over the card picture, into the back buffer.
    void drawMarks();
    // The editing area within the buffer.
    QRect surfaceClip() const;
    bool onSurface(QPoint viewportPos) const;
    // A mouse position in area pixels.
    QPoint areaPoint(const QMouseEvent* event) const;

    document::CardDocument& m_doc;
    RenderContextSource m_context;
    SurfaceMouseHandler* m_mouse = nullptr;
    MarksPainter m_marks;
    std::function<void()> m_beforePaint;
    std::function<void()> m_afterPaint;
    int m_surfaceWidth = 0;
    int m_surfaceHeight = 0;
    QImage m_backBuffer;
    bool m_bufferCurrent = false;
    // The back buffer as it was before the selection marks, and whether it still shows the card
    // at the current scroll position and size.
    QImage m_cardPicture;
    bool m_cardPictureCurrent = false;
    bool m_inPaint = false;
};

}  // namespace vellamo::editor
