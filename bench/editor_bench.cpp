// One drag step and one release repaint in the editor, on a card of 1000 objects.

#include "editor/editor_page.h"
#include "editor/surface_interaction.h"
#include "support_prompter.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace vellamo;

namespace {

void fill(document::CardDocument& doc)
{
    for (int slot = 1; slot <= 1000; ++slot) {
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
    Editor()
    {
        fill(doc);
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

}  // namespace
