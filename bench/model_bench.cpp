// The card model's history on a card with 10000 objects: undoing and redoing one move, and
// the memory 1000 moves keep.

#include "document/card_model.h"

#include <QFile>
#include <benchmark/benchmark.h>
#include <malloc.h>

using namespace vellamo::document;

namespace {

void fill(CardModel& model)
{
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        Tobs& o = model.doc().object(slot);
        o.Kind = 1 + slot % 3;
        o.Left = slot * 7;
        o.Top = slot * 3;
        o.Width = 5000;
        o.Height = 2000;
        o.Text = o.Kind == TextObject ? "[First Name] [Last Name]\rSecond line" : "";
        o.FontName = "Arial";
    }
    model.doc().SelectedObject = 5000;
}

void move(CardModel& model, int slot, std::int32_t dx)
{
    const ObjectBox from = boxOf(model.doc().object(slot));
    ObjectBox to = from;
    to.left += dx;
    model.doc().object(slot).Left = to.left;  // where the drag left it
    model.perform(new MoveObject(model, slot, from, to, QStringLiteral("Move")));
}

// The repaint that every change ends with, counted so that nothing more happens.
struct Listener {
    int repaints = 0;
    explicit Listener(CardModel& model)
    {
        QObject::connect(&model, &CardModel::cardChanged, [this] { ++repaints; });
    }
};

void UndoMoveOn10000Objects(benchmark::State& state)
{
    CardModel model;
    fill(model);
    move(model, 5000, 208);
    Listener listener(model);
    for (auto _ : state) {
        model.history().undo();
        state.PauseTiming();
        model.history().redo();
        state.ResumeTiming();
    }
    state.counters["repaints_per_step"] = double(listener.repaints) / double(2 * state.iterations());
}
BENCHMARK(UndoMoveOn10000Objects)->Unit(benchmark::kMicrosecond);

void RedoMoveOn10000Objects(benchmark::State& state)
{
    CardModel model;
    fill(model);
    move(model, 5000, 208);
    Listener listener(model);
    for (auto _ : state) {
        state.PauseTiming();
        model.history().undo();
        state.ResumeTiming();
        model.history().redo();
    }
    state.counters["repaints_per_step"] = double(listener.repaints) / double(2 * state.iterations());
}
BENCHMARK(RedoMoveOn10000Objects)->Unit(benchmark::kMicrosecond);

double peakMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

// The heap the history holds after 1000 moves, and the process's peak resident memory.
void ThousandMovesOn10000Objects(benchmark::State& state)
{
    for (auto _ : state) {
        CardModel model;
        fill(model);
        const std::size_t before = mallinfo2().uordblks;
        for (int n = 0; n < 1000; ++n)
            move(model, 1 + (n * 37) % LastSlot, 208);
        const std::size_t after = mallinfo2().uordblks;
        state.counters["history_MB"] = double(after - before) / (1024.0 * 1024.0);
        state.counters["peak_MB"] = peakMegabytes();
    }
}
BENCHMARK(ThousandMovesOn10000Objects)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
