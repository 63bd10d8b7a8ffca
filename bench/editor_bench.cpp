// One drag step and one release repaint in the editor on a card of 1000 objects, and a click
// that selects another object on a card of 10000.

#include "editor/editor_page.h"
#include "editor/surface_interaction.h"
#include "support_prompter.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace vellamo;

namespace {

void fill(document::CardDocument& doc, int count)
{
    for (int slot = 1; slot <= count; ++slot) {
        document::Tobs& o = doc.object(slot);
        o.Kind = 1 + slot % 2;
        o.Left = 212598 / 3 + (slot * 997) % 70000;
        o.Top = 129921 / 3 + (slot * 613) % 40000;
        o.Width = 8000;
        o.Height = 4000;
        o.ShapeKind = slot % 10;
        o.FillMode = slot % 3;
        o.Color = slot * 0x010203;
        o.Text = o.Kind == 2 ? "Anna Berg\rStreet 1" : "";
        o.FontName = "Arial";
        o.FontSize = 8;
    }
}

struct Editor {
    document::CardModel model;
    document::CardDocument& doc = model.doc();
    bench::SilentPrompter ask;
    editor::EditorPage page{model, [] { return render::RenderContext(); }, ask};
    explicit Editor(int count = 1000)
    {
        fill(doc, count);
        page.resize(1000, 750);
        page.show();
        QApplication::processEvents();
        page.surfaceChanged();
        page.scrollToCard();
        doc.SelectedObject = 500;
    }
};

void DragStepWith1000Objects(benchmark::State& state)
{
    Editor e;
    const editor::Box box = editor::objectBox(e.doc, e.doc.object(500));
    const int sx = e.page.view()->scrollX();
    const int sy = e.page.view()->scrollY();
    auto* surface = e.page.view()->viewport();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(box.x + 5 - sx, box.y + 5 - sy), QPointF(),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(surface, &press);
    int step = 0;
    for (auto _ : state) {
        const int d = (step++ % 40) - 20;
        QMouseEvent move(QEvent::MouseMove, QPointF(box.x + 5 - sx + d, box.y + 5 - sy + d), QPointF(),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(surface, &move);
    }
}
BENCHMARK(DragStepWith1000Objects)->Unit(benchmark::kMicrosecond);

void ReleaseRepaintWith1000Objects(benchmark::State& state)
{
    Editor e;
    for (auto _ : state)
        e.page.PaintBox1Paint();
}
BENCHMARK(ReleaseRepaintWith1000Objects)->Unit(benchmark::kMillisecond);

void click(QWidget* surface, QPoint at)
{
    QMouseEvent press(QEvent::MouseButtonPress, at, QPointF(), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(surface, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, QPointF(), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(surface, &release);
}

// Each click selects another object: the hit test, the selection and the repaint that shows it.
void ClickWith10000Objects(benchmark::State& state)
{
    Editor e(10000);
    const int sx = e.page.view()->scrollX();
    const int sy = e.page.view()->scrollY();
    QPoint at[2];
    for (int i = 0; i < 2; ++i) {
        const editor::Box box = editor::objectBox(e.doc, e.doc.object(4000 + 3000 * i));
        at[i] = QPoint(box.x + box.w / 2 - sx, box.y + box.h / 2 - sy);
    }
    auto* surface = e.page.view()->viewport();
    int clicks = 0;
    for (auto _ : state)
        click(surface, at[clicks++ % 2]);
    state.counters["selected"] = e.doc.SelectedObject;
}
BENCHMARK(ClickWith10000Objects)->Unit(benchmark::kMillisecond);

}  // namespace
