#include "editor/object_popup.h"

#include "editor/editor_commands.h"

namespace vellamo::editor {

using document::Tobs;

PopupState popupState(const Tobs& o)
{
    PopupState s;
    const bool shape = o.Kind == document::ShapeObject;
    const bool text = o.Kind == document::TextObject;
    const bool picture = o.Kind == document::PictureObject;
    auto set = [&](PopupItem item, bool enabled) { s[std::size_t(item)].enabled = enabled; };
    set(PopupItem::Colour, shape || text);
    set(PopupItem::Font, text);
    set(PopupItem::TextEffects, text);
    for (PopupItem i : {PopupItem::LeftJustified, PopupItem::Centered, PopupItem::RightJustified})
        set(i, text);
    set(PopupItem::Transparency, picture);
    set(PopupItem::MaintainAspect, picture);
    set(PopupItem::RotateLeft, text || picture);
    set(PopupItem::RotateRight, text || picture);
    for (int k = 0; k < 10; ++k)
        set(PopupItem(int(PopupItem::Circle) + k), shape);
    if (text) {
        s[std::size_t(PopupItem::LeftJustified)].checked = o.TextAlign == 0;
        s[std::size_t(PopupItem::Centered)].checked = o.TextAlign == 1;
        s[std::size_t(PopupItem::RightJustified)].checked = o.TextAlign == 2;
    }
    s[std::size_t(PopupItem::MaintainAspect)].checked = o.KeepAspect;
    for (int k = 0; k < 10; ++k)
        s[std::size_t(int(PopupItem::Circle) + k)].checked = o.ShapeKind == k;
    return s;
}

ObjectPopup::ObjectPopup(EditorCommands& commands, QWidget* parent) : HintingMenu(parent)
{
    setObjectName(QStringLiteral("PopupMenu1"));
    auto add = [this](PopupItem which, const char* name, const char* caption, const char* hint,
                      std::function<void()> run) {
        QAction* a = addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        if (hint)
            a->setStatusTip(QString::fromLatin1(hint));
        connect(a, &QAction::triggered, this, std::move(run));
        m_items[std::size_t(which)] = a;
        return a;
    };
    EditorCommands* c = &commands;
    QAction* del =
        add(PopupItem::Delete, "Lschen1", "&Delete...", "Deletes the object", [c] { c->Lschen1Click(); });
    // The key itself is handled by the editor; the menu only shows it.
    del->setText(del->text() + QStringLiteral("\tDel"));
    addSeparator();
    add(PopupItem::ToFront, "Nachvorne1", "To the &front", "Bring the object in front of all other objects.",
        [c] { c->Nachvorne1Click(); });
    add(PopupItem::ToBack, "NachHinen1", "To the &back", "Bring the object behind all other objects.",
        [c] { c->NachHinen1Click(); });
    addSeparator();
    add(PopupItem::Colour, "FarbeM", "&Colour...", "Chages the colours of the object",
        [c] { c->FarbBtnClick(); });
    add(PopupItem::Font, "SchriftartM", "Font...", "Changes the font", [c] { c->FontBtnClick(); });
    add(PopupItem::TextEffects, "Texteffekte1", "Text effects...", nullptr, [c] { c->Texteffekte1Click(); });
    addSeparator();
    add(PopupItem::LeftJustified, "Linksbnig1", "Left justified", nullptr, [c] { c->setTextAlign(0); });
    add(PopupItem::Centered, "Zentriert1", "Centered", nullptr, [c] { c->setTextAlign(1); });
    add(PopupItem::RightJustified, "Rechtsbndig1", "Right-justified", nullptr, [c] { c->setTextAlign(2); });
    addSeparator();
    add(PopupItem::Transparency, "Transparenz1", "Transparency", nullptr, [c] { c->Transparenz1Click(); });
    add(PopupItem::MaintainAspect, "SverhM", "Maintain aspect ratio", "Do not stretch picture",
        [c] { c->SverhMClick(); });
    addSeparator();
    add(PopupItem::RotateLeft, "Nachlinksrotieren1", "Rotate to the left", nullptr,
        [c] { c->Nachlinksrotieren1Click(); });
    add(PopupItem::RotateRight, "Nachrechtsrotieren1", "Rotate to the right", nullptr,
        [c] { c->Nachrechtsrotieren1Click(); });
    addSeparator();
    struct Shape {
        const char* name;
        const char* caption;
        const char* hint;
    };
    const Shape shapes[10] = {
        {"KreisM", "Circle", "The object is a circle"},
        {"EllipseM", "&Ellipse", "The object is an ellipse"},
        {"QuadratM", "Square", "The object is a square"},
        {"RechteckM", "&Rectangle", "The object is a rectangle"},
        {"Rund1M", "Squ&are rounded", "The object is a rounded square"},
        {"Rund2M", "Rectagle rounded", "The object is a rounded rectangle"},
        {"Liniehorizontal1", "Line &horizontal", "The object is a horizontal line"},
        {"Linievertikal1", "Line &vertical", "The object is a vertical line"},
        {"Lnieschrghoch1", "Linie slanted up (/)", nullptr},
        {"Linieschrgrunter1", "Linie slanted down (\\)", nullptr},
    };
    for (int k = 0; k < 10; ++k)
        add(PopupItem(int(PopupItem::Circle) + k), shapes[k].name, shapes[k].caption, shapes[k].hint,
            [c, k] { c->setShapeKind(k); });
    for (QAction* a : m_items) {
        if (a != m_items[std::size_t(PopupItem::Delete)] && a != m_items[std::size_t(PopupItem::ToFront)] &&
            a != m_items[std::size_t(PopupItem::ToBack)])
            a->setCheckable(true);
    }
    for (PopupItem i : {PopupItem::Colour, PopupItem::Font, PopupItem::TextEffects, PopupItem::Transparency,
                        PopupItem::RotateLeft, PopupItem::RotateRight})
        m_items[std::size_t(i)]->setCheckable(false);
}

void ObjectPopup::prepare(const Tobs& object)
{
    const PopupState state = popupState(object);
    for (int i = 0; i < PopupItemCount; ++i) {
        QAction* a = m_items[std::size_t(i)];
        a->setEnabled(state[std::size_t(i)].enabled);
        if (state[std::size_t(i)].checked)
            m_marks[std::size_t(i)] = *state[std::size_t(i)].checked;
        if (a->isCheckable())
            a->setChecked(m_marks[std::size_t(i)]);
    }
}

void ObjectPopup::PopItUp(const Tobs& object, QPoint globalPos)
{
    prepare(object);
    exec(globalPos);
}

}  // namespace vellamo::editor
