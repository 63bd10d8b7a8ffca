#pragma once

// The "Editor" page: tool bars, rulers, the scrolling view of the card and the property panel.

#include "document/card_document.h"
#include "editor/editor_view.h"

#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QLineEdit;
class QTabWidget;
class QToolBar;

namespace vellamo::editor {

class HorizontalRuler;
class VerticalRuler;

enum class EditingTool { Pointer, Zoom, Hand, Object, Text, Picture };

class EditorPage : public QWidget, public SurfaceMouseHandler {
    Q_OBJECT
public:
    EditorPage(document::CardDocument& doc, EditorView::RenderContextSource context, QWidget* parent = nullptr);

    EditorView* view() const { return m_view; }
    HorizontalRuler* TRuler() const { return m_topRuler; }
    VerticalRuler* LRuler() const { return m_leftRuler; }
    QTabWidget* PageControl3() const { return m_panel; }
    QLineEdit* KeyEdit() const { return m_keyEdit; }
    QToolBar* topToolBar() const { return m_topBar; }

    EditingTool currentTool() const;
    void setTool(EditingTool tool);
    QAbstractButton* toolButton(EditingTool tool) const;

    // After the extents or the zoom changed: the surface takes its new size; then a repaint.
    void surfaceChanged();
    // After New: the card's top-left corner at the view's top-left corner.
    void scrollToCard();
    void PaintBox1Paint();
    void repaintRulers();

    // Zoom at (x, y) in area pixels, as the zoom tool's press does.
    void zoomAt(int x, int y, bool zoomIn);

    void PaintBox1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y) override;
    void PaintBox1MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y) override;
    void PaintBox1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y) override;
    void PaintBox1DblClick(int x, int y) override;
    void ScrollBox1MouseDown() override;

signals:
    void newClicked();
    void openClicked();
    void saveClicked();
    void backgroundClicked();

private:
    void updateCursor();

    document::CardDocument& m_doc;
    EditorView* m_view = nullptr;
    HorizontalRuler* m_topRuler = nullptr;
    VerticalRuler* m_leftRuler = nullptr;
    QTabWidget* m_panel = nullptr;
    QLineEdit* m_keyEdit = nullptr;
    QToolBar* m_topBar = nullptr;
    QButtonGroup* m_tools = nullptr;
    int HandAnchorX = 0;
    int HandAnchorY = 0;
};

}  // namespace vellamo::editor
