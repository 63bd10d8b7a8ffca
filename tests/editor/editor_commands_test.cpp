#include "editor/editor_commands.h"
#include "editor/object_popup.h"

#include "document/card_file.h"

#include "support/scripted_prompter.h"

#include <gtest/gtest.h>

using namespace vellamo::editor;
using vellamo::document::Answer;
using vellamo::document::CardDocument;
using vellamo::testing::ScriptedPrompter;

namespace {

class ScriptedColors : public ColorChooser {
public:
    std::optional<std::int32_t> answer;
    std::int32_t shownWith = -1;
    std::optional<std::int32_t> chooseColor(std::int32_t initial) override
    {
        shownWith = initial;
        return answer;
    }
};

struct Commands {
    vellamo::document::CardModel model;
    CardDocument& doc = model.doc();
    ScriptedPrompter ask;
    int repaints = 0;
    int changes = 0;
    EditorCommands commands{model, ask, [this] { ++repaints; }};
    Commands()
    {
        commands.setChangeHook([this] { ++changes; });
    }
};

}  // namespace

TEST(EditorCommands, NothingWithoutASelection)
{
    Commands c;
    c.doc.object(1).Kind = 1;
    c.commands.setShapeKind(5);
    c.commands.Lschen1Click();
    c.commands.Nachvorne1Click();
    EXPECT_EQ(c.doc.object(1).ShapeKind, 0);
    EXPECT_EQ(c.repaints, 0);
    EXPECT_TRUE(c.ask.messages.empty());
}

TEST(EditorCommands, EveryChangeGoesThroughOnePathAndRepaints)
{
    Commands c;
    auto& o = c.doc.object(4);
    o.Kind = 1;
    c.doc.SelectedObject = 4;
    c.commands.setShapeKind(8);
    c.commands.setFillMode(2);
    c.commands.LinieEdChange(7);
    EXPECT_EQ(o.ShapeKind, 8);
    EXPECT_EQ(o.FillMode, 2);
    EXPECT_EQ(o.LineWidth, 7);
    EXPECT_EQ(c.repaints, 3);
    EXPECT_EQ(c.changes, 3);

    ScriptedColors colors;
    c.commands.setDialogs({&colors});
    o.Color = 0x123456;
    c.commands.FarbBtnClick();  // cancelled
    EXPECT_EQ(colors.shownWith, 0x123456);
    EXPECT_EQ(c.repaints, 3);
    colors.answer = 0x00FF00;
    c.commands.UColorBtnClick();
    EXPECT_EQ(o.BorderColor, 0x00FF00);
    EXPECT_EQ(o.Color, 0x123456);
}

TEST(EditorCommands, DeleteAsksFirst)
{
    Commands c;
    c.doc.object(4).Kind = 2;
    c.doc.object(4).ShadowDX = 9;
    c.doc.SelectedObject = 4;
    c.ask.answers = {Answer::No, Answer::Yes};
    c.commands.Lschen1Click();
    EXPECT_EQ(c.doc.object(4).Kind, 2);
    ASSERT_EQ(c.ask.messages.size(), 1u);
    EXPECT_EQ(c.ask.messages[0].caption, "Delete element");
    EXPECT_EQ(c.ask.messages[0].text, "Do you want to delete the object?");
    EXPECT_EQ(c.ask.messages[0].buttons, vellamo::document::MessageButtons::YesNo);
    c.commands.Lschen1Click();
    EXPECT_EQ(c.doc.object(4).Kind, 0);
    EXPECT_EQ(c.doc.object(4).ShadowDX, 9);
    EXPECT_EQ(c.doc.SelectedObject, 0);
}

TEST(EditorCommands, RotatingAPictureSwapsItsBoxThroughThePixels)
{
    Commands c;
    auto& o = c.doc.object(1);
    o.Kind = 3;
    o.Width = 200 * 208;
    o.Height = 100 * 208;
    o.Rotation = 3;
    ASSERT_TRUE(vellamo::imaging::newdib(o.Picture, 4, 2, 24, nullptr, 0));
    c.doc.SelectedObject = 1;
    c.commands.Nachrechtsrotieren1Click();
    EXPECT_EQ(o.Width, 100 * 208);
    EXPECT_EQ(o.Height, 200 * 208);
    EXPECT_EQ(o.Rotation, 0);
    EXPECT_EQ(o.Picture.width(), 2);
    c.commands.Nachlinksrotieren1Click();
    EXPECT_EQ(o.Rotation, 3);
    EXPECT_EQ(o.Width, 200 * 208);

    // A box that is not whole pixels is rounded to them by the exchange.
    o.Width = 200 * 208 + 100;
    c.commands.Nachrechtsrotieren1Click();
    EXPECT_EQ(o.Height, 200 * 208);
}

TEST(EditorCommands, RotatingATextKeepsItsBox)
{
    Commands c;
    auto& o = c.doc.object(1);
    o.Kind = 2;
    o.Width = 1234;
    o.Height = 567;
    c.doc.SelectedObject = 1;
    for (int i = 0; i < 4; ++i)
        c.commands.Nachlinksrotieren1Click();
    EXPECT_EQ(o.Rotation, 0);
    EXPECT_EQ(o.Width, 1234);
    EXPECT_EQ(o.Height, 567);
    c.commands.Nachlinksrotieren1Click();
    EXPECT_EQ(o.Rotation, 3);
}

TEST(EditorCommands, FrontAndBack)
{
    Commands c;
    c.doc.object(10000).Kind = 1;
    c.doc.object(10000).Left = 77;
    c.doc.SelectedObject = 10000;
    c.commands.Nachvorne1Click();
    EXPECT_EQ(c.doc.SelectedObject, 10000);
    EXPECT_EQ(c.doc.object(10000).Left, 77);
    c.commands.NachHinen1Click();
    EXPECT_EQ(c.doc.SelectedObject, 1);
    EXPECT_EQ(c.doc.object(1).Left, 77);
    EXPECT_EQ(c.doc.object(10000).Kind, 0);
}

TEST(ObjectPopupState, EnablingAndCheckMarksByKind)
{
    vellamo::document::Tobs text;
    text.Kind = 2;
    text.TextAlign = 2;
    text.ShapeKind = 3;
    PopupState s = popupState(text);
    auto at = [&](PopupItem i) { return s[std::size_t(i)]; };
    EXPECT_TRUE(at(PopupItem::Font).enabled);
    EXPECT_TRUE(at(PopupItem::RightJustified).enabled);
    EXPECT_EQ(at(PopupItem::RightJustified).checked, true);
    EXPECT_EQ(at(PopupItem::LeftJustified).checked, false);
    EXPECT_EQ(at(PopupItem::Centered).checked, false);
    EXPECT_FALSE(at(PopupItem::Transparency).enabled);
    EXPECT_FALSE(at(PopupItem::Rectangle).enabled);
    EXPECT_EQ(at(PopupItem::Rectangle).checked, true) << "checked but disabled";
    EXPECT_TRUE(at(PopupItem::RotateLeft).enabled);
    EXPECT_TRUE(at(PopupItem::Delete).enabled);

    vellamo::document::Tobs picture;
    picture.Kind = 3;
    picture.KeepAspect = true;
    s = popupState(picture);
    EXPECT_FALSE(at(PopupItem::LeftJustified).enabled);
    EXPECT_FALSE(at(PopupItem::LeftJustified).checked.has_value()) << "the alignment marks stay as they were";
    EXPECT_TRUE(at(PopupItem::Transparency).enabled);
    EXPECT_EQ(at(PopupItem::MaintainAspect).checked, true);
    EXPECT_FALSE(at(PopupItem::Colour).enabled);

    vellamo::document::Tobs shape;
    shape.Kind = 1;
    shape.ShapeKind = 0;
    s = popupState(shape);
    EXPECT_TRUE(at(PopupItem::Colour).enabled);
    EXPECT_FALSE(at(PopupItem::Font).enabled);
    EXPECT_FALSE(at(PopupItem::RotateRight).enabled);
    EXPECT_EQ(at(PopupItem::Circle).checked, true);
    for (int k = 1; k < 10; ++k)
        EXPECT_EQ(s[std::size_t(int(PopupItem::Circle) + k)].checked, false);
}

namespace {

struct AnsweringDialogs : FontChooser, TextEditor, EffectsEditor, TransparencyEditor {
    std::optional<FontChoice> chooseFont(const FontChoice&) override
    {
        FontChoice f;
        f.name = "Arial";
        f.size = 20;
        f.style = 3;
        return f;
    }
    FontChoice currentFont() const override { return {}; }
    bool editText(std::string& text) override
    {
        text = "A\rB";
        return true;
    }
    bool editEffects(vellamo::document::Tobs& o) override
    {
        o.Shadow = true;
        o.ShadowDX = 12;
        return true;
    }
    bool editTransparency(vellamo::document::Tobs& o) override
    {
        o.Transparent = true;
        o.TransparentKey() = 0xFFFFFF;
        return true;
    }
};

}  // namespace

TEST(EditorCommands, EveryCommandUndoesAndRedoesToTheSameFile)
{
    Commands c;
    ScriptedColors colors;
    colors.answer = 0x00FF00;
    AnsweringDialogs dialogs;
    c.commands.setDialogs({&colors, &dialogs, &dialogs, &dialogs, &dialogs});
    auto& shape = c.doc.object(4);
    shape.Kind = 1;
    shape.ShapeKind = 3;
    shape.Width = 2080;
    auto& text = c.doc.object(5);
    text.Kind = 2;
    auto& picture = c.doc.object(6);
    picture.Kind = 3;
    picture.Width = 4 * 208;
    picture.Height = 2 * 208;
    ASSERT_TRUE(vellamo::imaging::newdib(picture.Picture, 4, 2, 24, nullptr, 0));

    struct Case {
        int slot;
        const char* step;
        std::function<void()> run;
    };
    EditorCommands& e = c.commands;
    const Case cases[] = {
        {4, "Shape", [&] { e.setShapeKind(8); }},
        {4, "Fill", [&] { e.setFillMode(2); }},
        {4, "Line Width", [&] { e.LinieEdChange(7); }},
        {4, "Colour", [&] { e.FarbBtnClick(); }},
        {4, "Border Colour", [&] { e.UColorBtnClick(); }},
        {4, "To the Front", [&] { e.Nachvorne1Click(); }},
        {4, "To the Back", [&] { e.NachHinen1Click(); }},
        {5, "Font", [&] { e.FontBtnClick(); }},
        {5, "Alignment", [&] { e.setTextAlign(2); }},
        {5, "Rotation", [&] { e.Nachlinksrotieren1Click(); }},
        {5, "Text", [&] { e.EditTextNow(); }},
        {5, "Text Effects", [&] { e.Texteffekte1Click(); }},
        {6, "Rotation", [&] { e.Nachrechtsrotieren1Click(); }},
        {6, "Aspect Ratio", [&] { e.SverhMClick(); }},
        {6, "Aspect Ratio", [&] { e.SVerhCheckClick(true); }},
        {6, "Transparency", [&] { e.Transparenz1Click(); }},
        {6, "Delete",
         [&] {
             c.ask.answers = {Answer::Yes};
             e.Lschen1Click();
         }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.step);
        c.doc.SelectedObject = test.slot;
        const QByteArray before = vellamo::document::cardToBytes(c.doc);
        const int repaints = c.repaints;
        test.run();
        const QByteArray after = vellamo::document::cardToBytes(c.doc);
        EXPECT_NE(after, before);
        EXPECT_EQ(c.model.history().undoText(), test.step);
        e.undo();
        EXPECT_EQ(vellamo::document::cardToBytes(c.doc), before);
        EXPECT_EQ(c.doc.SelectedObject, test.slot);
        e.redo();
        EXPECT_EQ(vellamo::document::cardToBytes(c.doc), after);
        e.undo();
        EXPECT_EQ(c.repaints, repaints + 4) << "the command, undo, redo, undo";
    }
    EXPECT_EQ(picture.Picture.width(), 4) << "undoing the turn brings the pixels back";
}

TEST(EditorCommands, TypingALineWidthIsOneStep)
{
    Commands c;
    c.doc.object(2).Kind = 1;
    c.doc.object(2).LineWidth = 3;
    c.doc.object(3).Kind = 1;
    c.doc.SelectedObject = 2;
    c.commands.LinieEdChange(1);
    c.commands.LinieEdChange(12);
    EXPECT_EQ(c.model.history().count(), 1);
    c.commands.setShapeKind(5);
    c.commands.LinieEdChange(5);
    EXPECT_EQ(c.model.history().count(), 3) << "another change in between ends the typing";
    c.doc.SelectedObject = 3;
    c.commands.LinieEdChange(5);
    EXPECT_EQ(c.model.history().count(), 4) << "another object is another step";
    c.commands.undo();
    c.commands.undo();
    c.commands.undo();
    EXPECT_EQ(c.doc.object(2).LineWidth, 12);
    c.commands.undo();
    EXPECT_EQ(c.doc.object(2).LineWidth, 3);

    // Typed on, and back to where it began: no step is left.
    c.commands.redo();
    c.commands.LinieEdChange(4);
    c.commands.LinieEdChange(3);
    EXPECT_EQ(c.doc.object(2).LineWidth, 3);
    EXPECT_EQ(c.model.history().count(), 0);
    EXPECT_FALSE(c.model.isModified());
}
