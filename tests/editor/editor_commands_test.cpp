#include "editor/editor_commands.h"
#include "editor/object_popup.h"

#include "document/card_file.h"

#include "support/scripted_prompter.h"

#include <QAction>
#include <gtest/gtest.h>
#include <vector>

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

TEST(EditorCommands, FrontAndBackMoveOnlyTheSelectedObjectInTheOrder)
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

    // Three overlapping objects, bottom to top A, B, C, told apart by their Left.
    Commands three;
    for (auto [slot, left] : {std::pair{1, 100}, {2, 200}, {3, 300}}) {
        three.doc.object(slot).Kind = 1;
        three.doc.object(slot).Left = left;
    }
    const auto order = [&three] {
        std::vector<int> lefts;
        for (int slot = 1; slot <= 10000; ++slot)
            if (three.doc.object(slot).isUsed())
                lefts.push_back(three.doc.object(slot).Left);
        return lefts;
    };
    const QByteArray before = vellamo::document::cardToBytes(three.doc);
    three.doc.SelectedObject = 2;
    three.commands.NachHinen1Click();
    EXPECT_EQ(three.doc.SelectedObject, 1);
    EXPECT_EQ(order(), (std::vector<int>{200, 100, 300})) << "B to the back";
    three.doc.SelectedObject = 3;
    three.commands.NachHinen1Click();
    EXPECT_EQ(order(), (std::vector<int>{300, 200, 100})) << "C to the back; A stays above B";
    EXPECT_EQ(three.doc.object(1).Left, 300);
    three.commands.Nachvorne1Click();
    EXPECT_EQ(three.doc.SelectedObject, 10000);
    EXPECT_EQ(order(), (std::vector<int>{200, 100, 300})) << "C to the front";
    EXPECT_EQ(three.doc.object(10000).Left, 300);
    ASSERT_EQ(three.model.history().count(), 3) << "one step each";
    for (int i = 0; i < 3; ++i)
        three.model.history().undo();
    EXPECT_EQ(vellamo::document::cardToBytes(three.doc), before);
    EXPECT_EQ(three.doc.SelectedObject, 2);
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

TEST(ObjectPopup, ClickedAlignmentLeavesOneMarkForTheNextObject)
{
    Commands c;
    ObjectPopup popup(c.commands);
    auto& text = c.doc.object(1);
    text.Kind = 2;
    text.TextAlign = 0;
    c.doc.SelectedObject = 1;
    popup.prepare(text);
    QAction* left = popup.item(PopupItem::LeftJustified);
    QAction* centred = popup.item(PopupItem::Centered);
    QAction* right = popup.item(PopupItem::RightJustified);
    EXPECT_TRUE(left->isChecked());
    centred->trigger();  // as a click on "Centered" does
    EXPECT_EQ(text.TextAlign, 1);

    auto& picture = c.doc.object(2);
    picture.Kind = 3;
    c.doc.SelectedObject = 2;
    popup.prepare(picture);
    EXPECT_TRUE(left->isChecked()) << "a picture shows the marks the text's popup had";
    EXPECT_FALSE(centred->isChecked()) << "the click does not leave a second mark";
    EXPECT_FALSE(right->isChecked());
    EXPECT_FALSE(centred->isEnabled());

    c.doc.SelectedObject = 1;
    popup.prepare(text);
    EXPECT_FALSE(left->isChecked());
    EXPECT_TRUE(centred->isChecked());
    EXPECT_FALSE(right->isChecked());

    // A shape item clicked on a shape: the next popup marks the object's kind only.
    auto& shape = c.doc.object(3);
    shape.Kind = 1;
    shape.ShapeKind = 8;
    c.doc.SelectedObject = 3;
    popup.prepare(shape);
    popup.item(PopupItem::Circle)->trigger();
    popup.prepare(shape);
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(popup.item(PopupItem(int(PopupItem::Circle) + k))->isChecked(), k == 0) << k;
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
