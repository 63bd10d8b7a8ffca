#include "editor/surface_interaction.h"

#include "editor/editor_commands.h"
#include "editor/editor_cursors.h"
#include "editor/view_scrolling.h"
#include "render/gdi_geometry.h"

#include <QPainter>

namespace vellamo::editor {

SurfaceInteraction::SurfaceInteraction(document::CardDocument& doc, EditorView& view,
                                       EditorCommands& commands, SurfaceContext context)
    : m_doc(doc), m_view(view), m_commands(commands), m_context(std::move(context))
{
}

void SurfaceInteraction::SetViewCursor(CursorShape shape)
{
    if (shape == m_cursor)
        return;
    m_cursor = shape;
    QCursor cursor(Qt::ArrowCursor);
    switch (shape) {
    case CursorShape::SizeNwSe:
        cursor = QCursor(Qt::SizeFDiagCursor);
        break;
    case CursorShape::SizeNeSw:
        cursor = QCursor(Qt::SizeBDiagCursor);
        break;
    case CursorShape::SizeVertical:
        cursor = QCursor(Qt::SizeVerCursor);
        break;
    case CursorShape::SizeHorizontal:
        cursor = QCursor(Qt::SizeHorCursor);
        break;
    case CursorShape::OpenHand:
        cursor = dragHandCursor();
        break;
    case CursorShape::Magnifier:
        cursor = magnifierCursor();
        break;
    case CursorShape::Insert:
        cursor = insertCursor();
        break;
    case CursorShape::Arrow:
        break;
    }
    m_view.viewport()->setCursor(cursor);
}

void SurfaceInteraction::setdragmod(int x, int y)
{
    m_grab = {};
    m_doc.DragMode = document::NoHandle;
    switch (m_context.tool()) {
    case EditingTool::Pointer: {
        const int slot = m_doc.SelectedObject;
        if (!document::isObjectSlot(slot)) {
            SetViewCursor(CursorShape::Arrow);
            return;
        }
        m_grab = hitSelection(objectBox(m_doc, m_doc.object(slot)), x, y);
        m_doc.DragMode = m_grab.dragMode;
        SetViewCursor(cursorForDragMode(m_grab.dragMode));
        return;
    }
    default:
        showToolCursor();
        return;
    }
}

void SurfaceInteraction::showToolCursor()
{
    switch (m_context.tool()) {
    case EditingTool::Pointer:
        SetViewCursor(CursorShape::Arrow);
        break;
    case EditingTool::Zoom:
        SetViewCursor(CursorShape::Magnifier);
        break;
    case EditingTool::Hand:
        SetViewCursor(CursorShape::OpenHand);
        break;
    default:
        SetViewCursor(CursorShape::Insert);
        break;
    }
}

void SurfaceInteraction::markrec(QPainter& p, int offX, int offY) const
{
    const int slot = m_doc.SelectedObject;
    if (!document::isObjectSlot(slot))
        return;
    Box b = objectBox(m_doc, m_doc.object(slot));
    b.x -= offX;
    b.y -= offY;
    p.save();
    p.setPen(render::gdiPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    // While dragging the frame inverts what lies under it, so drawing it twice restores the picture.
    if (m_doc.MouseMode == document::MouseDragging)
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
    render::gdiRectangle(p, b.x, b.y, std::int64_t(b.x) + b.w, std::int64_t(b.y) + b.h);
    p.restore();
    if (m_doc.MouseMode != document::MouseIdle)
        return;
    for (int handle = 1; handle <= 8; ++handle) {
        const Point c = handleCentre(b, handle);
        p.fillRect(render::gdiRect(c.x - 3, c.y - 3, c.x + 3, c.y + 3), Qt::black);
    }
}

void SurfaceInteraction::select(int slot)
{
    if (m_doc.SelectedObject == slot)
        return;
    m_commands.model().select(slot);
    m_context.repaintSelection();
}

void SurfaceInteraction::PaintBox1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y)
{
    m_context.focusKeyEdit();
    const EditingTool tool = m_context.tool();
    if (button == Qt::LeftButton) {
        if (tool == EditingTool::Hand) {
            HandAnchorX = x;
            HandAnchorY = y;
            m_doc.MouseMode = document::MouseHandScrolling;
            return;
        }
        if (tool == EditingTool::Zoom) {
            m_context.zoom(x, y, true);
            return;
        }
        if (tool != EditingTool::Pointer)
            return;
        if (SkipNextPress) {
            SkipNextPress = false;
            return;
        }
        setdragmod(x, y);
        if (m_doc.DragMode > document::NoHandle) {
            m_doc.MouseMode = document::MouseDragging;
            m_dragFrom = document::boxOf(m_doc.object(m_doc.SelectedObject));
            m_dragMoves = m_doc.DragMode == document::HandleBody;
            m_context.repaintSelection();
            return;
        }
        const int slot = topmostObjectAt(m_doc, x, y);
        if (slot > 0) {
            select(slot);
        } else {
            m_commands.model().select(0);
            m_context.repaintSelection();
        }
        return;
    }
    if (button == Qt::RightButton) {
        if (tool == EditingTool::Zoom) {
            m_context.zoom(x, y, false);
            return;
        }
        const Grab remembered = m_grab;
        const int rememberedMode = m_doc.DragMode;
        setdragmod(x, y);
        if (m_doc.DragMode > document::NoHandle) {
            m_context.objectPopup(x, y);
        } else {
            const int slot = topmostObjectAt(m_doc, x, y);
            if (slot > 0) {
                select(slot);
                m_context.objectPopup(x, y);
            } else {
                m_commands.model().select(0);
                m_context.repaintSelection();
                m_context.backgroundPopup(x, y);
            }
        }
        m_grab = remembered;
        m_doc.DragMode = rememberedMode;
    }
}

void SurfaceInteraction::PaintBox1MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, int x, int y)
{
    switch (m_doc.MouseMode) {
    case document::MouseHandScrolling: {
        const ScrollTarget s = Drag2Hand(m_view.scrollX(), m_view.scrollY(), HandAnchorX, HandAnchorY, x, y,
                                         m_view.surfaceWidth(), m_view.surfaceHeight());
        m_view.setScroll(s.x, s.y);
        return;
    }
    case document::MouseDragging: {
        const int slot = m_doc.SelectedObject;
        if (!document::isObjectSlot(slot))
            return;
        // Only the inverted frame moves over the last rendered picture.
        m_view.drawOnBuffer([&](QPainter& p, int sx, int sy) { markrec(p, sx, sy); });
        dragit(m_doc, m_doc.object(slot), m_grab, x, y, m_view.surfaceWidth(), m_view.surfaceHeight());
        m_doc.DragMode = m_grab.dragMode;
        m_view.drawOnBuffer([&](QPainter& p, int sx, int sy) { markrec(p, sx, sy); });
        m_view.showBuffer();
        return;
    }
    default:
        setdragmod(x, y);
        return;
    }
}

void SurfaceInteraction::PaintBox1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y)
{
    if (button != Qt::LeftButton)
        return;
    if (m_doc.MouseMode == document::MouseHandScrolling) {
        const ScrollTarget s = Drag2Hand(m_view.scrollX(), m_view.scrollY(), HandAnchorX, HandAnchorY, x, y,
                                         m_view.surfaceWidth(), m_view.surfaceHeight());
        m_view.setScroll(s.x, s.y);
        m_doc.MouseMode = document::MouseIdle;
        // While scrolling the selection showed its frame only; now its handles are back.
        m_context.repaintSelection();
        return;
    }
    if (m_doc.MouseMode == document::MouseDragging) {
        const int slot = m_doc.SelectedObject;
        m_doc.MouseMode = document::MouseIdle;
        if (document::isObjectSlot(slot)) {
            // The whole drag is one step: the moves only showed the frame.
            dragit(m_doc, m_doc.object(slot), m_grab, x, y, m_view.surfaceWidth(), m_view.surfaceHeight());
            m_doc.DragMode = m_grab.dragMode;
            // A click on the selection moves nothing: only its handles come back.
            if (document::boxOf(m_doc.object(slot)) == m_dragFrom)
                m_context.repaintSelection();
            else
                m_commands.dragFinished(slot, m_dragFrom, m_dragMoves);
        } else {
            m_context.repaint();
        }
        return;
    }
    const EditingTool tool = m_context.tool();
    if (tool != EditingTool::Object && tool != EditingTool::Text && tool != EditingTool::Picture)
        return;
    if (m_context.insert(x, y)) {
        m_context.setTool(EditingTool::Pointer);
    }
}

void SurfaceInteraction::PaintBox1DblClick(int, int)
{
    if (m_context.tool() != EditingTool::Pointer)
        return;
    const int slot = m_doc.SelectedObject;
    if (!document::isObjectSlot(slot) || m_doc.object(slot).Kind != document::TextObject)
        return;
    SkipNextPress = true;
    m_commands.EditTextNow();
}

void SurfaceInteraction::ScrollBox1MouseDown() { m_context.focusKeyEdit(); }

bool SurfaceInteraction::FormKeyDown(int key)
{
    switch (key) {
    case Qt::Key_Delete:
        m_commands.Lschen1Click();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (m_doc.SelectedObject != 0) {
            m_commands.model().select(nextUsedSlot(m_doc, m_doc.SelectedObject));
            m_context.repaintSelection();
        }
        return true;
    default:
        return false;
    }
}

}  // namespace vellamo::editor
