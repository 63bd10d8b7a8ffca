#include "editor/editor_commands.h"

#include "render/picture_operations.h"

namespace vellamo::editor {

using document::CardDocument;
using document::Tobs;

EditorCommands::EditorCommands(CardDocument& doc, document::Prompter& ask, std::function<void()> repaint)
    : m_doc(doc), m_ask(ask), m_repaint(std::move(repaint))
{
}

void EditorCommands::perform(const std::function<bool(Tobs&)>& edit)
{
    const int slot = m_doc.SelectedObject;
    if (!document::isObjectSlot(slot))
        return;
    performOnCard([&] { return edit(m_doc.object(slot)); });
}

void EditorCommands::performOnCard(const std::function<bool()>& edit)
{
    if (!edit())
        return;
    if (m_changed)
        m_changed();
    if (m_repaint)
        m_repaint();
}

void EditorCommands::Lschen1Click()
{
    if (m_doc.SelectedObject == 0)
        return;
    const auto answer =
        m_ask.ask({QStringLiteral("Delete element"), QStringLiteral("Do you want to delete the object?"),
                   document::MessageButtons::YesNo, document::MessageIcon::Question});
    if (answer != document::Answer::Yes)
        return;
    perform([this](Tobs&) {
        m_doc.deleteObject(m_doc.SelectedObject);
        return true;
    });
}

void EditorCommands::Nachvorne1Click()
{
    perform([this](Tobs&) {
        m_doc.toTheFront();
        return true;
    });
}

void EditorCommands::NachHinen1Click()
{
    perform([this](Tobs&) {
        m_doc.toTheBack();
        return true;
    });
}

void EditorCommands::FarbBtnClick()
{
    perform([this](Tobs& o) {
        if (!m_dialogs.colors)
            return false;
        const auto chosen = m_dialogs.colors->chooseColor(o.Color);
        if (!chosen)
            return false;
        o.Color = *chosen;
        return true;
    });
}

void EditorCommands::UColorBtnClick()
{
    perform([this](Tobs& o) {
        if (!m_dialogs.colors)
            return false;
        const auto chosen = m_dialogs.colors->chooseColor(o.BorderColor);
        if (!chosen)
            return false;
        o.BorderColor = *chosen;
        return true;
    });
}

void EditorCommands::FontBtnClick()
{
    if (!m_dialogs.fonts || m_doc.SelectedObject == 0)
        return;
    const Tobs& current = m_doc.object(m_doc.SelectedObject);
    FontChoice start{current.FontName,  current.FontSize,  current.FontHeight,
                     current.FontPitch, current.FontStyle, current.Color};
    const auto chosen = m_dialogs.fonts->chooseFont(start);
    if (!chosen)
        return;
    // The dialog may have run a nested event loop; the selection is looked up again.
    perform([&](Tobs& o) {
        o.Color = chosen->color;
        o.FontHeight = chosen->height;
        o.FontName = chosen->name;
        o.FontPitch = chosen->pitch;
        o.FontStyle = chosen->style;
        o.FontSize = chosen->size;
        return true;
    });
}

void EditorCommands::setTextAlign(int align)
{
    perform([align](Tobs& o) {
        o.TextAlign = align;
        return true;
    });
}

void EditorCommands::rotate(int quarterTurns)
{
    perform([this, quarterTurns](Tobs& o) {
        if (o.Kind == document::PictureObject) {
            if (quarterTurns > 0)
                render::RotRight(o.Picture, m_progress);
            else
                render::RotLeft(o.Picture, m_progress);
            document::RenderModeScope screen(m_doc, document::ScreenConversion, m_doc.PrintScale);
            const int a = document::GetWidth(m_doc, o);
            document::SetWidth(m_doc, o, document::GetHeight(m_doc, o));
            document::SetHeight(m_doc, o, a);
        }
        o.Rotation = ((o.Rotation + quarterTurns) % 4 + 4) % 4;
        return true;
    });
}

void EditorCommands::Nachlinksrotieren1Click() { rotate(-1); }
void EditorCommands::Nachrechtsrotieren1Click() { rotate(1); }

void EditorCommands::SverhMClick()
{
    perform([](Tobs& o) {
        o.KeepAspect = !o.KeepAspect;
        return true;
    });
}

void EditorCommands::SVerhCheckClick(bool checked)
{
    perform([checked](Tobs& o) {
        o.KeepAspect = checked;
        return true;
    });
}

void EditorCommands::setShapeKind(int shapeKind)
{
    perform([shapeKind](Tobs& o) {
        o.ShapeKind = shapeKind;
        return true;
    });
}

void EditorCommands::setFillMode(int fillMode)
{
    perform([fillMode](Tobs& o) {
        o.FillMode = fillMode;
        return true;
    });
}

void EditorCommands::LinieEdChange(int value)
{
    perform([value](Tobs& o) {
        o.LineWidth = value;
        return true;
    });
}

void EditorCommands::EditTextNow()
{
    perform([this](Tobs& o) { return m_dialogs.text && m_dialogs.text->editText(o.Text); });
}

void EditorCommands::Texteffekte1Click()
{
    perform([this](Tobs& o) { return m_dialogs.effects && m_dialogs.effects->editEffects(o); });
}

void EditorCommands::Transparenz1Click()
{
    perform(
        [this](Tobs& o) { return m_dialogs.transparency && m_dialogs.transparency->editTransparency(o); });
}

}  // namespace vellamo::editor
