#include "editor/effects_dialog.h"
#include "editor/transparency_dialog.h"

#include "dialog_support.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>
#include <limits>

using namespace vellamo::editor;
using vellamo::document::Tobs;
using vellamo::testing::ScriptedColorChooser;
using vellamo::testing::whileOpen;

namespace {

Tobs textWithEffects()
{
    Tobs t;
    t.Kind = vellamo::document::TextObject;
    t.Outline = true;
    t.Shadow = false;
    t.BorderColor = 0x0000FF;
    t.ShadowColor() = 0x00FF00;
    t.ShadowDX = std::numeric_limits<std::int32_t>::min();
    t.ShadowDY = std::numeric_limits<std::int32_t>::max();
    return t;
}

void expectSameEffects(const Tobs& a, const Tobs& b)
{
    EXPECT_EQ(a.Outline, b.Outline);
    EXPECT_EQ(a.Shadow, b.Shadow);
    EXPECT_EQ(a.BorderColor, b.BorderColor);
    EXPECT_EQ(a.FillMode, b.FillMode);
    EXPECT_EQ(a.ShadowDX, b.ShadowDX);
    EXPECT_EQ(a.ShadowDY, b.ShadowDY);
}

}  // namespace

TEST(EffectsDialog, UnchangedTextOpensWithFiveAndFive)
{
    ScriptedColorChooser colors;
    TEffektForm dialog(colors);
    EXPECT_EQ(dialog.windowTitle(), "Effects");
    Tobs fresh;
    fresh.Kind = vellamo::document::TextObject;
    whileOpen(dialog, [&] {
        EXPECT_EQ(dialog.SchattED1->text(), "5");
        EXPECT_EQ(dialog.SchattEd2->text(), "5");
        EXPECT_FALSE(dialog.UmrCheck->isChecked());
        EXPECT_FALSE(dialog.SchattCheck->isChecked());
        dialog.okButton->click();
    });
    ASSERT_TRUE(dialog.editEffects(fresh));
    EXPECT_EQ(fresh.ShadowDX, 5);
    EXPECT_EQ(fresh.ShadowDY, 5);
}

TEST(EffectsDialog, CopiesInAndOutOnOk)
{
    ScriptedColorChooser colors;
    colors.answers = {0x123456, 0x654321};
    TEffektForm dialog(colors);
    Tobs text = textWithEffects();
    whileOpen(dialog, [&] {
        EXPECT_TRUE(dialog.UmrCheck->isChecked());
        EXPECT_FALSE(dialog.SchattCheck->isChecked());
        EXPECT_EQ(dialog.SchattED1->value(), std::numeric_limits<std::int32_t>::min()) << "no limits";
        EXPECT_EQ(dialog.SchattEd2->value(), std::numeric_limits<std::int32_t>::max());
        EXPECT_EQ(dialog.SchattED1->text(), "-2147483648");
        dialog.BitBtn1->click();
        dialog.BitBtn2->click();
        dialog.UmrCheck->click();
        dialog.SchattCheck->click();
        dialog.SchattED1->setValue(-7);
        dialog.SchattEd2->setValue(30);
        dialog.okButton->click();
    });
    ASSERT_TRUE(dialog.editEffects(text));
    ASSERT_EQ(colors.started.size(), 2u);
    EXPECT_EQ(colors.started[0], 0x0000FF) << "the Border colour starts at the outline colour";
    EXPECT_EQ(colors.started[1], 0x00FF00) << "the Shadow colour starts at the shadow colour";
    EXPECT_FALSE(text.Outline);
    EXPECT_TRUE(text.Shadow);
    EXPECT_EQ(text.BorderColor, 0x123456);
    EXPECT_EQ(text.ShadowColor(), 0x654321);
    EXPECT_EQ(text.ShadowDX, -7);
    EXPECT_EQ(text.ShadowDY, 30);
}

TEST(EffectsDialog, CancelLeavesTheTextAsItWas)
{
    ScriptedColorChooser colors;
    colors.answers = {0x111111, 0x222222};
    TEffektForm dialog(colors);
    const Tobs original = textWithEffects();
    Tobs text = original;
    whileOpen(dialog, [&] {
        dialog.BitBtn1->click();
        dialog.BitBtn2->click();
        dialog.UmrCheck->click();
        dialog.SchattED1->setValue(1);
        dialog.cancelButton->click();
    });
    EXPECT_FALSE(dialog.editEffects(text));
    expectSameEffects(text, original);

    // The colours chosen in the cancelled opening are gone at the next one; a cancelled colour
    // dialog keeps the colour.
    colors.answers = {std::nullopt};
    whileOpen(dialog, [&] {
        dialog.BitBtn1->click();
        dialog.okButton->click();
    });
    ASSERT_TRUE(dialog.editEffects(text));
    EXPECT_EQ(colors.started.back(), 0x0000FF);
    expectSameEffects(text, original);
}

TEST(EffectsDialog, DistanceWithoutNumberCountsAsZero)
{
    EXPECT_EQ(distanceFromText(""), 0);
    EXPECT_EQ(distanceFromText("-"), 0);
    EXPECT_EQ(distanceFromText(" 12 "), 12);
    EXPECT_EQ(distanceFromText("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(distanceFromText("1,234", QLocale(QLocale::English)), 1234) << "group separators of the locale";

    ScriptedColorChooser colors;
    TEffektForm dialog(colors);
    Tobs text = textWithEffects();
    whileOpen(dialog, [&] {
        dialog.SchattED1->findChild<QLineEdit*>()->clear();
        dialog.okButton->click();
    });
    ASSERT_TRUE(dialog.editEffects(text));
    EXPECT_EQ(text.ShadowDX, 0);
    EXPECT_EQ(text.ShadowDY, std::numeric_limits<std::int32_t>::max());

    // As a user does it: empty the field, then OK with the mouse (focus leaves the field first).
    auto emptyField = [](WholeNumberEdit* field) {
        field->setFocus();
        QLineEdit* edit = field->findChild<QLineEdit*>();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Backspace);
        EXPECT_EQ(edit->text(), "");
    };
    text = textWithEffects();
    whileOpen(dialog, [&] {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        emptyField(dialog.SchattED1);
        QTest::mouseClick(dialog.okButton, Qt::LeftButton);
    });
    ASSERT_TRUE(dialog.editEffects(text));
    EXPECT_EQ(dialog.SchattED1->text(), "0") << "the field shows what it counted as";
    EXPECT_EQ(text.ShadowDX, 0);

    // And with Enter in the emptied field.
    text = textWithEffects();
    whileOpen(dialog, [&] {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        emptyField(dialog.SchattEd2);
        QTest::keyClick(dialog.SchattEd2->findChild<QLineEdit*>(), Qt::Key_Return);
    });
    ASSERT_TRUE(dialog.editEffects(text));
    EXPECT_EQ(dialog.SchattEd2->text(), "0");
    EXPECT_EQ(text.ShadowDX, std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(text.ShadowDY, 0);
}

TEST(TransparencyDialog, CopiesInAndOutOnOk)
{
    ScriptedColorChooser colors;
    colors.answers = {0x00ABCDEF};
    TTransForm dialog(colors);
    EXPECT_EQ(dialog.windowTitle(), "Transparency");
    Tobs picture;
    picture.Kind = vellamo::document::PictureObject;
    picture.Transparent = false;
    picture.AutoTransparent = true;
    picture.TransparentKey() = 0x00FFFFFF;
    picture.Picture.setTransparentKeyIsIndex(true);
    whileOpen(dialog, [&] {
        EXPECT_FALSE(dialog.TransCheck->isChecked());
        EXPECT_TRUE(dialog.AutoCheck->isChecked());
        dialog.BitBtn2->click();
        dialog.TransCheck->click();
        dialog.AutoCheck->click();
        dialog.okButton->click();
    });
    ASSERT_TRUE(dialog.editTransparency(picture));
    EXPECT_EQ(colors.started, std::vector<std::int32_t>{0x00FFFFFF}) << "the colour dialog starts at the key";
    EXPECT_TRUE(picture.Transparent);
    EXPECT_FALSE(picture.AutoTransparent);
    EXPECT_EQ(picture.TransparentKey(), 0x00ABCDEF);
    EXPECT_FALSE(picture.Picture.transparentKeyIsIndex()) << "a chosen colour is a colour again";
}

TEST(TransparencyDialog, CancelLeavesThePictureAsItWas)
{
    ScriptedColorChooser colors;
    colors.answers = {0x000080, std::nullopt};
    TTransForm dialog(colors);
    Tobs picture;
    picture.Kind = vellamo::document::PictureObject;
    picture.Transparent = true;
    picture.TransparentKey() = 0x00C0C0C0;
    whileOpen(dialog, [&] {
        dialog.BitBtn2->click();
        dialog.TransCheck->click();
        dialog.AutoCheck->click();
        dialog.cancelButton->click();
    });
    EXPECT_FALSE(dialog.editTransparency(picture));
    EXPECT_TRUE(picture.Transparent);
    EXPECT_FALSE(picture.AutoTransparent);
    EXPECT_EQ(picture.TransparentKey(), 0x00C0C0C0);

    // Cancelling the colour dialog keeps the dialog's colour, which comes from the object again;
    // a key already turned into a palette index stays one.
    picture.Picture.setTransparentKeyIsIndex(true);
    whileOpen(dialog, [&] {
        dialog.BitBtn2->click();
        dialog.okButton->click();
    });
    ASSERT_TRUE(dialog.editTransparency(picture));
    EXPECT_EQ(colors.started.back(), 0x00C0C0C0);
    EXPECT_EQ(picture.TransparentKey(), 0x00C0C0C0);
    EXPECT_TRUE(picture.Picture.transparentKeyIsIndex());
}
