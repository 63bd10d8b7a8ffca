#include "editor/standard_dialogs.h"

#include "dialog_support.h"

#include <QApplication>
#include <QColorDialog>
#include <QFontDialog>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace vellamo::editor;

namespace {

// Runs `steps` on the modal dialog the next call opens.
template <typename Dialog> void onModal(std::function<void(Dialog&)> steps)
{
    QTimer::singleShot(0, [steps = std::move(steps)] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "no modal dialog";
            return;
        }
        steps(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}

}  // namespace

TEST(FontMapping, MulDivRoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MulDiv(12, 96, 72), 16);
    EXPECT_EQ(MulDiv(10, 96, 72), 13);
    EXPECT_EQ(MulDiv(11, 96, 72), 15);
    EXPECT_EQ(MulDiv(3, 1, 2), 2);
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(MulDiv(2000000000, 2, 4), 1000000000) << "no overflow in the product";
    EXPECT_EQ(MulDiv(5, 5, 0), 0);
}

TEST(FontMapping, FontReportedAsTheWindowsDialogDoes)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(12);
    font.setBold(true);
    font.setItalic(true);
    font.setUnderline(true);
    font.setStrikeOut(true);
    const FontChoice all = choiceFromFont(font, false, 96, 0x00112233);
    EXPECT_EQ(all.name, "Liberation Sans");
    EXPECT_EQ(all.size, 12);
    EXPECT_EQ(all.height, -16);
    EXPECT_EQ(all.style, 15);
    EXPECT_EQ(all.pitch, 1);
    EXPECT_EQ(all.color, 0x00112233);

    QFont plain(QStringLiteral("Liberation Mono"));
    plain.setPointSizeF(10.6);
    const FontChoice fixed = choiceFromFont(plain, true, 120, 0);
    EXPECT_EQ(fixed.size, 11);
    EXPECT_EQ(fixed.height, -18) << "-MulDiv(11, 120, 72)";
    EXPECT_EQ(fixed.pitch, 2);
    EXPECT_EQ(fixed.style, 0);

    QFont weights;
    weights.setWeight(QFont::DemiBold);
    EXPECT_EQ(choiceFromFont(weights, false, 96, 0).style, 0);
    weights.setWeight(QFont::ExtraBold);
    EXPECT_EQ(choiceFromFont(weights, false, 96, 0).style, 1);
}

TEST(FontMapping, SizeDecidesOverHeight)
{
    FontChoice c;
    c.name = "Liberation Serif";
    c.size = 10;
    c.height = -99;
    c.style = vellamo::document::FontItalic | vellamo::document::FontStrikeOut;
    const QFont sized = fontFromChoice(c, 96);
    EXPECT_EQ(sized.family(), "Liberation Serif");
    EXPECT_EQ(sized.pointSize(), 10);
    EXPECT_FALSE(sized.bold());
    EXPECT_TRUE(sized.italic());
    EXPECT_TRUE(sized.strikeOut());
    EXPECT_FALSE(sized.underline());

    c.size = 0;
    c.height = -16;
    EXPECT_DOUBLE_EQ(fontFromChoice(c, 96).pointSizeF(), 12.0) << "no size: the height at the screen's dpi";
}

TEST(StandardDialogs, ColourDialogStartsAtTheColourAndReturnsTheChoice)
{
    QtColorChooser chooser;
    onModal<QColorDialog>([](QColorDialog& d) {
        EXPECT_EQ(d.currentColor(), QColor(255, 0, 0)) << "0x0000FF is red";
        d.setCurrentColor(QColor(0, 0, 255));
        d.accept();
    });
    EXPECT_EQ(chooser.chooseColor(0x0000FF), std::optional<std::int32_t>(0xFF0000));

    onModal<QColorDialog>([](QColorDialog& d) {
        EXPECT_EQ(d.currentColor(), QColor(0x30, 0x20, 0x10)) << "flag bits of the value are ignored";
        d.reject();
    });
    EXPECT_EQ(chooser.chooseColor(std::int32_t(0x02102030)), std::nullopt);
}

TEST(StandardDialogs, FontDialogKeepsTheLastFontChosen)
{
    vellamo::testing::ScriptedColorChooser colours;
    QtFontChooser chooser(colours);
    const FontChoice first = chooser.currentFont();
    EXPECT_EQ(first.name, "Times New Roman");
    EXPECT_EQ(first.height, -16);
    EXPECT_EQ(first.color, 0);

    FontChoice start;
    start.name = "Liberation Serif";
    start.size = 20;
    start.color = 0x0000FF;
    colours.answers = {0x00FF00};
    onModal<FontColourDialog>([](FontColourDialog& d) {
        EXPECT_EQ(d.fonts()->currentFont().pointSize(), 20);
        EXPECT_TRUE(d.fonts()->testOption(QFontDialog::ScalableFonts));
        EXPECT_TRUE(d.fonts()->isVisible()) << "the font part is inside the dialog";
        // The colour button shows the colour: 0x0000FF is red.
        EXPECT_EQ(d.colourButton()->icon().pixmap(14, 14).toImage().pixel(7, 7), qRgb(255, 0, 0));
        QFont f(QStringLiteral("Liberation Sans"));
        f.setPointSize(14);
        f.setBold(true);
        f.setUnderline(true);
        d.fonts()->setCurrentFont(f);
        d.colourButton()->click();
        EXPECT_EQ(d.colourButton()->icon().pixmap(14, 14).toImage().pixel(7, 7), qRgb(0, 255, 0));
        d.okButton()->click();
    });
    const std::optional<FontChoice> chosen = chooser.chooseFont(start);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(colours.started, std::vector<std::int32_t>{0x0000FF})
        << "the colour dialog starts at the font's";
    EXPECT_EQ(chosen->name, "Liberation Sans");
    EXPECT_EQ(chosen->size, 14);
    EXPECT_EQ(chosen->height, -MulDiv(14, screenLogicalDpi(), 72));
    EXPECT_EQ(chosen->style, vellamo::document::FontBold | vellamo::document::FontUnderline);
    EXPECT_EQ(chosen->color, 0x00FF00);
    EXPECT_EQ(chooser.currentFont().name, "Liberation Sans");

    // A cancelled colour dialog keeps the colour; a cancelled font dialog keeps the last font.
    onModal<FontColourDialog>([](FontColourDialog& d) {
        d.colourButton()->click();
        d.okButton()->click();
    });
    EXPECT_EQ(chooser.chooseFont(start)->color, 0x0000FF);
    onModal<FontColourDialog>([](FontColourDialog& d) { d.reject(); });
    EXPECT_EQ(chooser.chooseFont(first), std::nullopt);
    EXPECT_EQ(chooser.currentFont().size, 20) << "a cancelled dialog keeps the last font chosen";
}
