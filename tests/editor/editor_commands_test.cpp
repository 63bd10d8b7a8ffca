#include "editor/editor_commands.h"
#include "editor/object_popup.h"

#include "support/scripted_prompter.h"

#include <QAction>
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
    CardDocument doc;
    ScriptedPrompter ask;
    int repaints = 0;
    int changes = 0;
    EditorCommands commands{doc, ask, [this] { ++repaints; }};
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
