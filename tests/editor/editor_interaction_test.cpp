#include "editor/editor_page.h"
#include "editor/object_popup.h"
#include "editor/property_panel.h"
#include "editor/surface_interaction.h"

#include "support/scripted_prompter.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

using namespace vellamo::editor;
using vellamo::document::Answer;
using vellamo::document::CardDocument;

namespace {

class ScriptedText : public TextEditor {
public:
    int opened = 0;
    bool editText(std::string& text) override
    {
        ++opened;
        text = "edited";
        return true;
    }
};

struct Editor {
    vellamo::document::CardModel model;
    CardDocument& doc = model.doc();
    vellamo::testing::ScriptedPrompter ask;
    // Counts the card's renderings: each asks for the context once.
    int renders = 0;
    EditorPage page{model,
                    [this] {
                        ++renders;
                        return vellamo::render::RenderContext();
                    },
                    ask};
    std::vector<QString> menus;
    ScriptedText text;

    Editor()
    {
        page.showMenu = [this](QMenu& menu, QPoint) { menus.push_back(menu.objectName()); };
        page.setDialogs({nullptr, nullptr, &text});
        page.resize(700, 500);
        page.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&page));
        page.surfaceChanged();
        page.view()->setScroll(0, 0);
    }
    QWidget* surface() { return page.view()->viewport(); }
    // Area pixels on the surface, scrolled to the origin.
    void press(int x, int y, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mousePress(surface(), b, {}, QPoint(x, y));
    }
    void release(int x, int y, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mouseRelease(surface(), b, {}, QPoint(x, y));
    }
    void move(int x, int y)
    {
        QMouseEvent e(QEvent::MouseMove, QPointF(x, y), QPointF(), Qt::NoButton, Qt::LeftButton,
                      Qt::NoModifier);
        QApplication::sendEvent(surface(), &e);
    }
    void shape(int slot, int x, int y, int w, int h, int kind = 1)
    {
        auto& o = doc.object(slot);
        o.Kind = kind;
        o.Left = x * 208;
        o.Top = y * 208;
        o.Width = w * 208;
        o.Height = h * 208;
    }
};

}  // namespace

TEST(EditorInteraction, SelectThenDrag)
{
    Editor e;
    e.shape(1, 100, 100, 50, 30);
    e.press(120, 110);
    EXPECT_EQ(e.doc.SelectedObject, 1);
    EXPECT_EQ(e.doc.MouseMode, 0) << "selecting does not start a drag";
    e.move(200, 200);
    e.release(200, 200);
    EXPECT_EQ(e.doc.object(1).Left, 100 * 208) << "not moved by the selecting click";

    e.press(120, 110);
    EXPECT_EQ(e.doc.MouseMode, 1);
    EXPECT_EQ(e.page.interaction().DragMode(), 9);
    const QImage before = e.page.view()->backBuffer();
    e.move(140, 130);
    EXPECT_EQ(e.doc.object(1).Left, 120 * 208);
    EXPECT_NE(e.page.view()->backBuffer(), before) << "the frame moved over the picture";
    e.release(150, 140);
    EXPECT_EQ(e.doc.MouseMode, 0);
    EXPECT_EQ(e.doc.object(1).Left, 130 * 208);
    EXPECT_EQ(e.doc.object(1).Top, 130 * 208);
}

TEST(EditorInteraction, AClickThatOnlySelectsReusesTheRenderedCard)
{
    Editor e;
    e.shape(1, 100, 100, 50, 30);
    e.shape(2, 200, 100, 50, 30);
    e.page.PaintBox1Paint();
    const int renders = e.renders;
    const auto click = [&e](int x, int y) {
        e.press(x, y);
        e.release(x, y);
    };
    click(120, 110);  // selects 1
    click(220, 110);  // selects 2
    click(225, 115);  // on the selection: a drag that moves nothing
    click(400, 400);  // on nothing
    click(120, 110);
    EXPECT_EQ(e.doc.SelectedObject, 1);
    EXPECT_EQ(e.renders, renders) << "no object was drawn again";
    const QImage shown = e.page.view()->backBuffer().copy();
    e.page.PaintBox1Paint();
    EXPECT_EQ(e.renders, renders + 1);
    EXPECT_TRUE(e.page.view()->backBuffer() == shown) << "the picture a full repaint gives";

    // A real move draws the card again.
    e.press(120, 110);
    e.move(140, 130);
    e.release(140, 130);
    EXPECT_EQ(e.doc.object(1).Left, 120 * 208);
    EXPECT_EQ(e.renders, renders + 2);
    // After scrolling the card is drawn again for the new place.
    e.page.view()->setScroll(10, 0);
    QApplication::processEvents();
    const int scrolled = e.renders;
    click(220 - 10, 110);
    EXPECT_EQ(e.doc.SelectedObject, 2);
    const QImage afterScroll = e.page.view()->backBuffer().copy();
    e.page.PaintBox1Paint();
    EXPECT_GE(e.renders, scrolled);
    EXPECT_TRUE(e.page.view()->backBuffer() == afterScroll);
}

TEST(EditorInteraction, AClickOnNothingClearsAndARightClickOpensTheBackgroundPopup)
{
    Editor e;
    e.shape(1, 100, 100, 50, 30);
    e.press(120, 110);
    e.release(120, 110);
    e.press(400, 300);
    e.release(400, 300);
    EXPECT_EQ(e.doc.SelectedObject, 0);
    e.press(400, 300, Qt::RightButton);
    ASSERT_EQ(e.menus.size(), 1u);
    EXPECT_EQ(e.menus[0], "PBoxPopup");
    e.press(110, 105, Qt::RightButton);
    EXPECT_EQ(e.doc.SelectedObject, 1);
    ASSERT_EQ(e.menus.size(), 2u);
    EXPECT_EQ(e.menus[1], "PopupMenu1");
}

TEST(EditorInteraction, TheTextToolInsertsAndReturnsToThePointer)
{
    Editor e;
    e.page.setTool(EditingTool::Text);
    e.press(50, 50);
    e.move(120, 120);
    e.release(200, 80);
    EXPECT_EQ(e.doc.SelectedObject, 1);
    EXPECT_EQ(e.doc.object(1).Kind, 2);
    EXPECT_EQ(e.doc.object(1).Left, 200 * 208);
    EXPECT_EQ(e.doc.object(1).Top, 80 * 208);
    EXPECT_EQ(e.doc.object(1).FontName, "Times New Roman");
    EXPECT_EQ(e.page.currentTool(), EditingTool::Pointer);

    // A double-click opens the text dialog; its second press neither drags nor reselects.
    QTest::mouseDClick(e.surface(), Qt::LeftButton, {}, QPoint(220, 100));
    EXPECT_EQ(e.text.opened, 1);
    EXPECT_EQ(e.doc.object(1).Text, "edited");
    EXPECT_EQ(e.doc.MouseMode, 0);
    EXPECT_FALSE(e.page.interaction().SkipNextPress);
}

TEST(EditorInteraction, KeysStepAndDelete)
{
    Editor e;
    e.shape(3, 10, 10, 20, 20);
    e.doc.SelectedObject = 3;
    QTest::keyClick(e.page.KeyEdit(), Qt::Key_Down);
    EXPECT_EQ(e.doc.SelectedObject, 3) << "one object stays selected";
    e.shape(8, 50, 50, 20, 20, 2);
    QTest::keyClick(e.page.KeyEdit(), Qt::Key_Up);
    EXPECT_EQ(e.doc.SelectedObject, 8);
    e.ask.answers = {Answer::Yes};
    QTest::keyClick(e.page.KeyEdit(), Qt::Key_Delete);
    EXPECT_EQ(e.doc.object(8).Kind, 0);
    EXPECT_EQ(e.ask.messages.size(), 1u);
}

TEST(EditorInteraction, ThePanelFollowsTheSelection)
{
    Editor e;
    PropertyPanel& panel = *e.page.PageControl3();
    EXPECT_FALSE(panel.isTabVisible(panel.indexOf(panel.AllgemeinSheet)));
    e.shape(1, 10, 10, 40, 40);
    e.doc.object(1).ShapeKind = 7;
    e.doc.object(1).LineWidth = 0;
    e.doc.SelectedObject = 1;
    e.page.PaintBox1Paint();
    EXPECT_TRUE(panel.isTabVisible(panel.indexOf(panel.FigurSheet)));
    EXPECT_FALSE(panel.isTabVisible(panel.indexOf(panel.TextSheet)));
    EXPECT_TRUE(panel.shapeButtons[7]->isChecked());
    EXPECT_FALSE(panel.UColorBtn->isEnabled()) << "a line has no border";
    EXPECT_FALSE(panel.FilledBorderCheck->isEnabled());
    EXPECT_EQ(panel.LinieEd->value(), 1) << "a width never set shows 1";
    EXPECT_EQ(e.doc.object(1).LineWidth, 0) << "showing it is not a change";

    e.doc.object(1).ShapeKind = 3;
    e.doc.object(1).FillMode = 1;
    e.page.PaintBox1Paint();
    EXPECT_TRUE(panel.UColorBtn->isEnabled());
    EXPECT_TRUE(panel.BorderCheck->isChecked());
    // Every caption of the shape page fits its button in the 145-pixel panel.
    EXPECT_EQ(panel.shapeButtons[9]->text(), "Linie slanted down (\\)");
    for (const QAbstractButton* b : panel.FigurSheet->findChildren<QAbstractButton*>())
        EXPECT_LE(b->sizeHint().width(), b->width()) << b->text().toStdString();

    panel.shapeButtons[0]->click();
    EXPECT_EQ(e.doc.object(1).ShapeKind, 0);
    panel.LinieEd->setValue(12);
    EXPECT_EQ(e.doc.object(1).LineWidth, 12);

    // An emptied "Line width:" counts as 1 at once, and shows 1 once focus leaves it.
    e.page.window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(e.page.window()));
    panel.setCurrentWidget(panel.FigurSheet);
    panel.LinieEd->setFocus();
    QLineEdit* width = panel.LinieEd->findChild<QLineEdit*>();
    QTest::keyClick(width, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(width, Qt::Key_Backspace);
    EXPECT_EQ(e.doc.object(1).LineWidth, 1) << "as soon as the field is empty";
    panel.ColorBtn->setFocus();
    EXPECT_EQ(width->text(), "1");
    EXPECT_EQ(e.doc.object(1).LineWidth, 1);

    e.shape(2, 100, 10, 40, 40, 3);
    e.doc.object(2).KeepAspect = false;
    e.doc.SelectedObject = 2;
    e.page.PaintBox1Paint();
    EXPECT_EQ(panel.currentWidget(), panel.BildSheet);
    EXPECT_FALSE(panel.SVerhCheck->isChecked());
    panel.SVerhCheck->click();
    EXPECT_TRUE(e.doc.object(2).KeepAspect);
}

TEST(EditorInteraction, PopupMarksForEachKind)
{
    Editor e;
    e.shape(1, 10, 10, 40, 40, 2);
    e.doc.object(1).TextAlign = 2;
    e.shape(2, 100, 10, 40, 40, 3);
    ObjectPopup& popup = *e.page.PopupMenu1();
    popup.prepare(e.doc.object(1));
    EXPECT_TRUE(popup.item(PopupItem::RightJustified)->isChecked());
    EXPECT_FALSE(popup.item(PopupItem::LeftJustified)->isChecked());
    popup.prepare(e.doc.object(2));
    EXPECT_FALSE(popup.item(PopupItem::RightJustified)->isEnabled());
    EXPECT_TRUE(popup.item(PopupItem::Transparency)->isEnabled());
    EXPECT_EQ(popup.item(PopupItem::LineUp)->text(), "Linie slanted up (/)");
    EXPECT_EQ(popup.item(PopupItem::Delete)->statusTip(), "Deletes the object");
}

TEST(EditorInteraction, SelectionMarksStayOnTheSurfaceAndReturnAfterTheHand)
{
    Editor e;
    // Zoomed out so far that the editing area is smaller than the view.
    e.doc.ZoomDen = 600;
    e.page.surfaceChanged();
    e.page.view()->setScroll(0, 0);
    const int surfaceWidth = e.page.view()->surfaceWidth();
    ASSERT_LT(surfaceWidth + 20, e.page.view()->viewport()->width());
    auto& big = e.doc.object(1);
    big.Kind = 1;
    big.Left = 10 * 600;
    big.Top = 10 * 600;
    big.Width = 2000 * 600;
    big.Height = 100 * 600;
    e.doc.SelectedObject = 1;
    e.page.PaintBox1Paint();
    const QImage& buffer = e.page.view()->backBuffer();
    EXPECT_EQ(buffer.pixel(100, 10), qRgb(0, 0, 0)) << "the frame on the surface";
    EXPECT_EQ(buffer.pixel(surfaceWidth + 10, 10), EditorView::workspaceColor().rgb())
        << "no frame beside the surface";
    EXPECT_EQ(buffer.pixel(surfaceWidth + 10, 110), EditorView::workspaceColor().rgb());

    // Scrolling with the hand shows only the frame; the release brings the handles back at once.
    e.doc.ZoomDen = 208;
    e.shape(1, 400, 300, 50, 30);
    e.page.surfaceChanged();
    e.page.view()->setScroll(100, 100);
    e.page.setTool(EditingTool::Hand);
    e.press(200, 200);  // view positions
    e.move(180, 190);
    QApplication::processEvents();
    const int sx = e.page.view()->scrollX();
    const int sy = e.page.view()->scrollY();
    ASSERT_NE(sx, 100) << "the hand scrolled";
    // Off the frame's lines, inside the top-left handle.
    const QPoint inHandle(400 - sx - 2, 300 - sy + 2);
    EXPECT_NE(e.page.view()->backBuffer().pixel(inHandle), qRgb(0, 0, 0)) << "no handles while scrolling";
    e.release(180, 190);
    EXPECT_EQ(e.page.view()->backBuffer().pixel(inHandle), qRgb(0, 0, 0));
}

TEST(EditorInteraction, AWholeDragIsOneStepAndKeysUndoIt)
{
    Editor e;
    e.shape(1, 100, 100, 50, 30);
    e.press(120, 110);
    e.release(120, 110);
    e.press(120, 110);
    e.release(120, 110);
    EXPECT_EQ(e.model.history().count(), 0) << "a click that leaves the box where it was is no step";

    e.press(120, 110);
    for (int step = 1; step <= 5; ++step)
        e.move(120 + 4 * step, 110 + 2 * step);
    EXPECT_EQ(e.model.history().count(), 0) << "no step while the mouse moves";
    e.release(150, 140);
    ASSERT_EQ(e.model.history().count(), 1);
    EXPECT_EQ(e.model.history().undoText(), "Move");

    // By the bottom-right handle: a resize.
    e.press(130 + 50, 130 + 30);
    e.move(200, 190);
    e.release(210, 200);
    EXPECT_EQ(e.model.history().undoText(), "Size");
    EXPECT_EQ(e.doc.object(1).Width, 80 * 208);

    // The keyboard focus lies in the key holder; Ctrl+Z must reach the card, not the line edit.
    QAction undo(&e.page);
    undo.setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    e.page.addAction(&undo);
    QObject::connect(&undo, &QAction::triggered, [&] { e.page.commands().undo(); });
    e.page.KeyEdit()->setFocus();
    QTest::keyClick(e.page.KeyEdit(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(e.page.KeyEdit(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(e.doc.object(1).Left, 100 * 208);
    EXPECT_EQ(e.doc.object(1).Width, 50 * 208);
    EXPECT_EQ(e.doc.SelectedObject, 1);
}
