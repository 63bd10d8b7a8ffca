#pragma once

// The commands that change the selected object: the popup menu's, the property panel's and the
// keys'. Every one goes through perform(), which ends with the repaint, so that whatever must
// see every change of the card hooks in at one place.

#include "document/card_document.h"
#include "document/prompter.h"
#include "editor/editor_dialogs.h"
#include "imaging/progress.h"

#include <functional>

namespace vellamo::editor {

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
    EditorCommands(document::CardDocument& doc, document::Prompter& ask, std::function<void()> repaint);

    void setDialogs(const EditorDialogs& dialogs) { m_dialogs = dialogs; }
    const EditorDialogs& dialogs() const { return m_dialogs; }
    void setProgress(imaging::ProgressCallback progress) { m_progress = std::move(progress); }
    // Called after every change the commands make, before the repaint.
    void setChangeHook(std::function<void()> hook) { m_changed = std::move(hook); }

    // The one path: runs `edit` on the selected object; when it reports a change, the hook
    // runs and the editor repaints. Nothing happens without a selection.
    void perform(const std::function<bool(document::Tobs& object)>& edit);
    // The same for changes that are not of one object (the slot table, a new object).
    void performOnCard(const std::function<bool()>& edit);

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

    document::CardDocument& m_doc;
    document::Prompter& m_ask;
    std::function<void()> m_repaint;
    std::function<void()> m_changed;
    EditorDialogs m_dialogs;
    imaging::ProgressCallback m_progress;
};

}  // namespace vellamo::editor
