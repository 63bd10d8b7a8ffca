#pragma once

// The "Editor" page: tool bars, rulers, the scrolling view of the card and the property panel.

#include "document/card_model.h"
#include "document/prompter.h"
#include "editor/editor_commands.h"
#include "editor/editor_view.h"
#include "imaging/progress.h"

#include <memory>

#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QLineEdit;
class QMenu;
class QToolBar;

namespace vellamo::editor {

class HorizontalRuler;
class ObjectPopup;
class PropertyPanel;
class SurfaceInteraction;
class VerticalRuler;

enum class EditingTool { Pointer, Zoom, Hand, Object, Text, Picture };

class EditorPage : public QWidget {
    Q_OBJECT
public:
    EditorPage(document::CardModel& model, EditorView::RenderContextSource context, document::Prompter& ask,
               QWidget* parent = nullptr);
    ~EditorPage() override;

    // The dialogs of the commands and the picture tool.
    void setDialogs(const EditorDialogs& dialogs);
    // Where bare picture names lie, the screen's pixels per inch, and the progress bar.
    void setPictureLoading(QString programFolder, int screenDpi, imaging::ProgressCallback progress);

    EditorView* view() const { return m_view; }
    HorizontalRuler* TRuler() const { return m_topRuler; }
    VerticalRuler* LRuler() const { return m_leftRuler; }
    PropertyPanel* PageControl3() const { return m_panel; }
    ObjectPopup* PopupMenu1() const { return m_popup; }
    QMenu* PBoxPopup() const { return m_backgroundPopup; }
    EditorCommands& commands() { return m_commands; }
    SurfaceInteraction& interaction() { return *m_interaction; }
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

    // The popups at an area point; tests may replace how they are shown.
    std::function<void(QMenu&, QPoint globalPos)> showMenu;

signals:
    void newClicked();
    void openClicked();
    void saveClicked();
    void backgroundClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateCursor();
    bool insertAt(int x, int y);
    QPoint globalPosition(int x, int y) const;

    document::CardModel& m_model;
    document::CardDocument& m_doc;
    document::Prompter& m_ask;
    EditorCommands m_commands;
    std::unique_ptr<SurfaceInteraction> m_interaction;
    ObjectPopup* m_popup = nullptr;
    QMenu* m_backgroundPopup = nullptr;
    QString m_programFolder;
    int m_screenDpi = 96;
    imaging::ProgressCallback m_progress;
    EditorView::RenderContextSource m_renderContext;
    EditorView* m_view = nullptr;
    HorizontalRuler* m_topRuler = nullptr;
    VerticalRuler* m_leftRuler = nullptr;
    PropertyPanel* m_panel = nullptr;
    QLineEdit* m_keyEdit = nullptr;
    QToolBar* m_topBar = nullptr;
    QButtonGroup* m_tools = nullptr;
};

}  // namespace vellamo::editor
