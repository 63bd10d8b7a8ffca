// Writing and reading a card whose 10000 slots are all used.

#include "document/card_file.h"

#include <benchmark/benchmark.h>

using namespace vellamo::document;

namespace {

CardDocument fullCard()
{
    CardDocument doc;
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        Tobs& o = doc.object(slot);
        o.Kind = 1 + slot % 2;
        o.Left = slot * 7;
        o.Top = slot * 3;
        o.Width = 5000;
        o.Height = 2000;
        o.Text = o.Kind == TextObject ? "[First Name] [Last Name]\rSecond line" : "";
        o.FontName = "Arial";
    }
    return doc;
}

void WriteFullCard(benchmark::State& state)
{
    const CardDocument doc = fullCard();
    for (auto _ : state) {
        QByteArray bytes = cardToBytes(doc);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(WriteFullCard)->Unit(benchmark::kMillisecond);

void ReadFullCard(benchmark::State& state)
{
    const QByteArray bytes = cardToBytes(fullCard());
    CardDocument doc;
    for (auto _ : state) {
        const auto result = readCardBytes(bytes, doc);
        benchmark::DoNotOptimize(result.complete);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(ReadFullCard)->Unit(benchmark::kMillisecond);

}  // namespace
