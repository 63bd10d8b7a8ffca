#include "editor/editor_page.h"
#include "editor/editor_view.h"
#include "editor/property_panel.h"
#include "editor/rulers.h"
#include "support/scripted_prompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace vellamo::editor;
using vellamo::document::CardDocument;

namespace {

struct Page {
    vellamo::document::CardModel model;
    CardDocument& doc = model.doc();
    vellamo::testing::ScriptedPrompter ask;
    EditorPage page{model, [] { return vellamo::render::RenderContext(); }, ask};
    Page()
    {
        page.resize(600, 380);
        page.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&page));
        page.surfaceChanged();
    }
    EditorView& view() { return *page.view(); }
};

}  // namespace

TEST(EditorView, ToolsAndTheirHints)
{
    Page p;
    EXPECT_EQ(p.page.currentTool(), EditingTool::Pointer);
    EXPECT_EQ(p.page.toolButton(EditingTool::Text)->toolTip(),
              "Inserts text - Double click on the text box to input text");
    EXPECT_EQ(p.page.toolButton(EditingTool::Object)->objectName(), "SpeedItem1");
    p.page.toolButton(EditingTool::Zoom)->click();
    EXPECT_EQ(p.page.currentTool(), EditingTool::Zoom);
    EXPECT_FALSE(p.page.toolButton(EditingTool::Pointer)->isChecked()) << "one exclusive group";
    EXPECT_EQ(p.page.PageControl3()->count(), 4);
    EXPECT_EQ(p.page.PageControl3()->tabText(2), " Picture");
    EXPECT_EQ(p.page.PageControl3()->width(), 145);
}

TEST(EditorView, SurfaceFollowsExtentsAndZoom)
{
    Page p;
    EXPECT_EQ(p.view().surfaceWidth(), 1022);
    EXPECT_EQ(p.view().surfaceHeight(), 624);
    const int visible = p.view().viewport()->width();
    EXPECT_EQ(p.view().horizontalScrollBar()->maximum(), 1022 - visible);
    p.page.scrollToCard();
    EXPECT_EQ(p.view().scrollX(), 340);
    EXPECT_EQ(p.view().scrollY(), 208);

    p.doc.Format.CardWidth = 180;
    p.doc.updateExtents();
    p.page.surfaceChanged();
    EXPECT_EQ(p.view().surfaceWidth(), 2044);
}

TEST(EditorView, BackBufferShowsOnlyTheVisiblePartWithTheCardEdge)
{
    Page p;
    p.page.scrollToCard();
    p.view().PaintBox1Paint();
    const QImage& buffer = p.view().backBuffer();
    EXPECT_EQ(buffer.size(), p.view().viewport()->size());
    // The card's top-left corner is at the view's top-left corner: its edge is black.
    EXPECT_EQ(buffer.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(buffer.pixel(5, 5), qRgb(255, 255, 255));
    // The right edge at 2W div 3 - 1 = 681 - 1 (shifted by 340), then 5 pixels of shadow from 5 down.
    EXPECT_EQ(buffer.pixel(340, 20), qRgb(0, 0, 0));
    EXPECT_EQ(buffer.pixel(341, 20), qRgb(128, 128, 128));
    EXPECT_EQ(buffer.pixel(345, 20), qRgb(128, 128, 128));
    EXPECT_EQ(buffer.pixel(346, 20), qRgb(255, 255, 255));
    EXPECT_EQ(buffer.pixel(341, 4), qRgb(255, 255, 255));
    EXPECT_EQ(buffer.pixel(341, 5), qRgb(128, 128, 128));
}

TEST(EditorView, ZoomToolClicksStepAndStopAtTheLimit)
{
    Page p;
    p.page.setTool(EditingTool::Zoom);
    for (int i = 0; i < 4; ++i)
        QTest::mouseClick(p.view().viewport(), Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_NEAR(p.doc.ZoomDen, 41.09, 0.005);
    const int surface = p.view().surfaceWidth();
    QTest::mouseClick(p.view().viewport(), Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_NEAR(p.doc.ZoomDen, 41.09, 0.005);
    EXPECT_EQ(p.view().surfaceWidth(), surface);
    QTest::mouseClick(p.view().viewport(), Qt::RightButton, {}, QPoint(100, 100));
    EXPECT_NEAR(p.doc.ZoomDen, 61.63, 0.005);
}

TEST(EditorView, ZoomNearTheCornersClampsTheScrollPositions)
{
    Page p;
    p.page.setTool(EditingTool::Zoom);
    p.view().setScroll(0, 0);
    QTest::mouseClick(p.view().viewport(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(p.view().scrollX(), 0);
    EXPECT_EQ(p.view().scrollY(), 0);

    p.view().setScroll(1 << 20, 1 << 20);
    const QSize visible = p.view().viewport()->size();
    QTest::mouseClick(p.view().viewport(), Qt::LeftButton, {},
                      QPoint(visible.width() - 2, visible.height() - 2));
    EXPECT_EQ(p.view().scrollX(), p.view().surfaceWidth() - visible.width());
    EXPECT_EQ(p.view().scrollY(), p.view().surfaceHeight() - visible.height());
}

TEST(EditorView, HandToolScrollsWithTheRulers)
{
    Page p;
    p.page.scrollToCard();
    p.page.setTool(EditingTool::Hand);
    const QImage before = p.page.TRuler()->picture();
    QTest::mousePress(p.view().viewport(), Qt::LeftButton, {}, QPoint(200, 200));
    QMouseEvent move(QEvent::MouseMove, QPointF(230, 210), QPointF(), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(p.view().viewport(), &move);
    EXPECT_EQ(p.doc.MouseMode, 2);
    EXPECT_EQ(p.view().scrollX(), 340 - 30);
    EXPECT_EQ(p.view().scrollY(), 208 - 10);
    QTest::mouseRelease(p.view().viewport(), Qt::LeftButton, {}, QPoint(230, 210));
    EXPECT_EQ(p.doc.MouseMode, 0);
    EXPECT_NE(p.page.TRuler()->picture(), before);
}

TEST(EditorView, APaintWhileRenderingDrawsNothing)
{
    Page p;
    p.page.scrollToCard();
    const QImage before = p.view().backBuffer();
    p.doc.Rendering = true;
    p.view().setScroll(0, 0);
    p.view().PaintBox1Paint();
    EXPECT_EQ(p.view().backBuffer(), before);
    p.doc.Rendering = false;
    p.view().PaintBox1Paint();
    EXPECT_NE(p.view().backBuffer(), before);
}
