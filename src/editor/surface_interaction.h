#pragma once

// What presses, moves, releases, double-clicks and keys on the editing surface do for the
// current tool: selecting, dragging by the handles, inserting, zooming, scrolling with the hand.

#include "document/card_model.h"
#include "document/prompter.h"
#include "editor/editing_tool.h"
#include "editor/editor_view.h"
#include "editor/selection.h"

#include <QKeyEvent>
#include <functional>

namespace vellamo::editor {

class EditorCommands;
class ObjectPopup;

struct SurfaceContext {
    std::function<EditingTool()> tool;
    std::function<void(EditingTool)> setTool;
    std::function<void()> repaint;
    // Shows other selection marks when the card itself has not changed.
    std::function<void()> repaintSelection;
    // Zoom at an area point, in or out.
    std::function<void(int x, int y, bool in)> zoom;
    // The background popup at an area point.
    std::function<void(int x, int y)> backgroundPopup;
    // The object popup for the selection at an area point.
    std::function<void(int x, int y)> objectPopup;
    std::function<void()> focusKeyEdit;
    // Inserts an object of the current tool at (x, y); true when one was made.
    std::function<bool(int x, int y)> insert;
};

class SurfaceInteraction : public SurfaceMouseHandler {
public:
    SurfaceInteraction(document::CardDocument& doc, EditorView& view, EditorCommands& commands,
                       SurfaceContext context);

    void PaintBox1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y) override;
    void PaintBox1MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y) override;
    void PaintBox1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y) override;
    void PaintBox1DblClick(int x, int y) override;
    void ScrollBox1MouseDown() override;
    // Delete, Up and Down; true when the key was the editor's.
    bool FormKeyDown(int key);

    // The hit test: DragMode, the grab offsets and the cursor.
    void setdragmod(int x, int y);
    // The cursor of the current tool, as when the mouse enters the surface.
    void showToolCursor();
    // The selection marks into a picture whose pixel (0, 0) shows area pixel (offX, offY).
    void markrec(QPainter& painter, int offX, int offY) const;

    int DragMode() const { return m_doc.DragMode; }
    bool SkipNextPress = false;

private:
    void SetViewCursor(CursorShape shape);
    void select(int slot);

    document::CardDocument& m_doc;
    EditorView& m_view;
    EditorCommands& m_commands;
    SurfaceContext m_context;
    Grab m_grab;
    // The box when the drag began, and whether the drag moves the object or sizes it.
    document::ObjectBox m_dragFrom;
    bool m_dragMoves = false;
    int HandAnchorX = 0;
    int HandAnchorY = 0;
    CursorShape m_cursor = CursorShape::Arrow;
};

}  // namespace vellamo::editor
