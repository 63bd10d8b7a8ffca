#pragma once

// The commands that change the selected object: the popup menu's, the property panel's and the
// keys'. Every one goes through perform(), one undo step of the card model, which announces
// it; every change the model announces (undo and redo included) runs the hook and ends with the
// repaint.

#include "document/card_model.h"
#include "document/prompter.h"
#include "editor/editor_dialogs.h"
#include "imaging/progress.h"
#include "render/card_renderer.h"

#include <functional>

namespace vellamo::editor {

// What the undo and redo items call each step.
namespace StepNames {
inline const QString Move = QStringLiteral("Move");
inline const QString Size = QStringLiteral("Size");
inline const QString Insert = QStringLiteral("Insert");
inline const QString Delete = QStringLiteral("Delete");
inline const QString ToTheFront = QStringLiteral("To the Front");
inline const QString ToTheBack = QStringLiteral("To the Back");
inline const QString Colour = QStringLiteral("Colour");
inline const QString BorderColour = QStringLiteral("Border Colour");
inline const QString Font = QStringLiteral("Font");
inline const QString Alignment = QStringLiteral("Alignment");
inline const QString Rotation = QStringLiteral("Rotation");
inline const QString AspectRatio = QStringLiteral("Aspect Ratio");
inline const QString Shape = QStringLiteral("Shape");
inline const QString Fill = QStringLiteral("Fill");
inline const QString LineWidth = QStringLiteral("Line Width");
inline const QString Text = QStringLiteral("Text");
inline const QString TextEffects = QStringLiteral("Text Effects");
inline const QString Transparency = QStringLiteral("Transparency");
inline const QString Cut = QStringLiteral("Cut");
inline const QString Paste = QStringLiteral("Paste");
inline const QString Duplicate = QStringLiteral("Duplicate");
}  // namespace StepNames

struct EditorDialogs {
    ColorChooser* colors = nullptr;
    FontChooser* fonts = nullptr;
    TextEditor* text = nullptr;
    EffectsEditor* effects = nullptr;
    TransparencyEditor* transparency = nullptr;
    PictureChooser* pictures = nullptr;
};

class EditorCommands {
public:
    EditorCommands(document::CardModel& model, document::Prompter& ask, std::function<void()> repaint);
    ~EditorCommands();
    EditorCommands(const EditorCommands&) = delete;
    EditorCommands& operator=(const EditorCommands&) = delete;

    document::CardModel& model() { return m_model; }

    void setDialogs(const EditorDialogs& dialogs) { m_dialogs = dialogs; }
    const EditorDialogs& dialogs() const { return m_dialogs; }
    void setProgress(imaging::ProgressCallback progress) { m_progress = std::move(progress); }
    // Called after every change of the card, before the repaint.
    void setChangeHook(std::function<void()> hook) { m_changed = std::move(hook); }

    // The one path: runs `edit` on the selected object; when it reports a change and the
    // object differs, that is one step named `name`. Nothing happens without a selection.
    void perform(const QString& name, const std::function<bool(document::Tobs& object)>& edit);
    // The same for changes that are not of one object (the slot table, a new object).
    void performOnCard(const QString& name, const std::function<bool(document::CardChange& change)>& edit);
    // The end of a drag: the object's box went from `from` to where it is now. One step, or
    // only the repaint when it did not move.
    void dragFinished(int slot, const document::ObjectBox& from, bool moved);

    // Undo and redo, never in the middle of a drag.
    void undo();
    void redo();

    // Where pictures pasted from other programs are written (the program folder, where bare
    // picture names lie), the screen, and how the copied object's picture is drawn.
    void setClipboardContext(QString programFolder, int screenDpi,
                             std::function<render::RenderContext()> renderContext);
    // The selected object onto the clipboard; Cut deletes it without the delete question.
    void copyObject();
    void cutObject();
    // Our object or another program's picture, in the lowest free slot, selected.
    void pasteObject();
    void duplicateObject();

    void Lschen1Click();
    void Nachvorne1Click();
    void NachHinen1Click();
    void FarbBtnClick();
    void UColorBtnClick();
    void FontBtnClick();
    // 0 left, 1 centred, 2 right.
    void setTextAlign(int align);
    void Nachlinksrotieren1Click();
    void Nachrechtsrotieren1Click();
    void SverhMClick();
    void SVerhCheckClick(bool checked);
    void setShapeKind(int shapeKind);
    void setFillMode(int fillMode);
    void LinieEdChange(int value);
    void EditTextNow();
    void Texteffekte1Click();
    void Transparenz1Click();

private:
    void rotate(int quarterTurns);
    // "To the front" and "To the back": the selected object into `slot`, the others keep their order.
    void moveSelectedTo(int slot, const QString& name);
    void changed();

    document::CardModel& m_model;
    document::CardDocument& m_doc;
    QMetaObject::Connection m_listening;
    document::Prompter& m_ask;
    std::function<void()> m_repaint;
    std::function<void()> m_changed;
    EditorDialogs m_dialogs;
    imaging::ProgressCallback m_progress;
    QString m_programFolder;
    int m_screenDpi = 96;
    std::function<render::RenderContext()> m_renderContext;
};

}  // namespace vellamo::editor
