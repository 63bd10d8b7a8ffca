#include "editor/editor_commands.h"

#include "editor/object_clipboard.h"
#include "render/picture_operations.h"

#include <QClipboard>
#include <QGuiApplication>

namespace vellamo::editor {

namespace {

constexpr int LineWidthMergeId = 1;

}  // namespace

using document::CardDocument;
using document::Tobs;

EditorCommands::EditorCommands(document::CardModel& model, document::Prompter& ask,
                               std::function<void()> repaint)
    : m_model(model), m_doc(model.doc()), m_ask(ask), m_repaint(std::move(repaint))
{
    m_listening = QObject::connect(&model, &document::CardModel::cardChanged, [this] { changed(); });
}

EditorCommands::~EditorCommands() { QObject::disconnect(m_listening); }

void EditorCommands::changed()
{
    if (m_changed)
        m_changed();
    if (m_repaint)
        m_repaint();
}

void EditorCommands::perform(const QString& name, const std::function<bool(Tobs&)>& edit)
{
    const int slot = m_doc.SelectedObject;
    if (!document::isObjectSlot(slot))
        return;
    performOnCard(name, [&](document::CardChange& change) { return edit(change.object(slot)); });
}

void EditorCommands::performOnCard(const QString& name,
                                   const std::function<bool(document::CardChange&)>& edit)
{
    document::CardChange change(m_model, name);
    if (edit(change))
        change.commit();
}

void EditorCommands::dragFinished(int slot, const document::ObjectBox& from, bool moved)
{
    const document::ObjectBox to = document::boxOf(m_doc.object(slot));
    if (to == from) {
        if (m_repaint)
            m_repaint();
        return;
    }
    m_model.perform(
        new document::MoveObject(m_model, slot, from, to, moved ? StepNames::Move : StepNames::Size));
}

void EditorCommands::undo()
{
    if (m_doc.MouseMode == document::MouseIdle)
        m_model.history().undo();
}

void EditorCommands::redo()
{
    if (m_doc.MouseMode == document::MouseIdle)
        m_model.history().redo();
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
    performOnCard(StepNames::Delete, [this](document::CardChange& change) {
        change.deleteObject(m_doc.SelectedObject);
        return true;
    });
}

void EditorCommands::Nachvorne1Click() { moveSelectedTo(document::LastSlot, StepNames::ToTheFront); }

void EditorCommands::NachHinen1Click() { moveSelectedTo(document::FirstSlot, StepNames::ToTheBack); }

void EditorCommands::moveSelectedTo(int slot, const QString& name)
{
    const int selected = m_doc.SelectedObject;
    if (!document::isObjectSlot(selected))
        return;
    performOnCard(name, [&](document::CardChange& change) {
        change.moveSlot(selected, slot);
        change.select(slot);
        return true;
    });
}

void EditorCommands::FarbBtnClick()
{
    perform(StepNames::Colour, [this](Tobs& o) {
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
    perform(StepNames::BorderColour, [this](Tobs& o) {
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
    perform(StepNames::Font, [&](Tobs& o) {
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
    perform(StepNames::Alignment, [align](Tobs& o) {
        o.TextAlign = align;
        return true;
    });
}

void EditorCommands::rotate(int quarterTurns)
{
    perform(StepNames::Rotation, [this, quarterTurns](Tobs& o) {
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
    perform(StepNames::AspectRatio, [](Tobs& o) {
        o.KeepAspect = !o.KeepAspect;
        return true;
    });
}

void EditorCommands::SVerhCheckClick(bool checked)
{
    perform(StepNames::AspectRatio, [checked](Tobs& o) {
        o.KeepAspect = checked;
        return true;
    });
}

void EditorCommands::setShapeKind(int shapeKind)
{
    perform(StepNames::Shape, [shapeKind](Tobs& o) {
        o.ShapeKind = shapeKind;
        return true;
    });
}

void EditorCommands::setFillMode(int fillMode)
{
    perform(StepNames::Fill, [fillMode](Tobs& o) {
        o.FillMode = fillMode;
        return true;
    });
}

void EditorCommands::LinieEdChange(int value)
{
    const int slot = m_doc.SelectedObject;
    if (!document::isObjectSlot(slot))
        return;
    // Every digit typed and every spin changes the width; together they are one step.
    document::CardChange change(m_model, StepNames::LineWidth);
    change.object(slot).LineWidth = value;
    change.commit(LineWidthMergeId);
}

void EditorCommands::EditTextNow()
{
    perform(StepNames::Text, [this](Tobs& o) { return m_dialogs.text && m_dialogs.text->editText(o.Text); });
}

void EditorCommands::Texteffekte1Click()
{
    perform(StepNames::TextEffects,
            [this](Tobs& o) { return m_dialogs.effects && m_dialogs.effects->editEffects(o); });
}

void EditorCommands::Transparenz1Click()
{
    perform(StepNames::Transparency, [this](Tobs& o) {
        return m_dialogs.transparency && m_dialogs.transparency->editTransparency(o);
    });
}

void EditorCommands::setClipboardContext(QString programFolder, int screenDpi,
                                         std::function<render::RenderContext()> renderContext)
{
    m_programFolder = std::move(programFolder);
    m_screenDpi = screenDpi;
    m_renderContext = std::move(renderContext);
}

void EditorCommands::copyObject()
{
    const int slot = m_doc.SelectedObject;
    const render::RenderContext context = m_renderContext ? m_renderContext() : render::RenderContext();
    if (auto data = objectMimeData(m_doc, slot, context))
        QGuiApplication::clipboard()->setMimeData(data.release());
}

void EditorCommands::cutObject()
{
    const int slot = m_doc.SelectedObject;
    if (!document::isObjectSlot(slot))
        return;
    copyObject();
    performOnCard(StepNames::Cut, [slot](document::CardChange& change) {
        change.deleteObject(slot);
        return true;
    });
}

void EditorCommands::pasteObject()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return;
    const render::ProgramFolderPictures pictures(m_programFolder, m_progress);
    PasteContext context{m_ask,
                         pictures,
                         m_programFolder,
                         m_screenDpi,
                         m_dialogs.fonts ? m_dialogs.fonts->currentFont() : FontChoice(),
                         m_progress};
    performOnCard(StepNames::Paste,
                  [&](document::CardChange& change) { return pasteInto(change, *data, context) > 0; });
}

void EditorCommands::duplicateObject()
{
    const int slot = m_doc.SelectedObject;
    performOnCard(StepNames::Duplicate,
                  [&](document::CardChange& change) { return duplicateInto(change, slot, m_ask) > 0; });
}

}  // namespace vellamo::editor
