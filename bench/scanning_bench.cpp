// Turning the frames of an A4 scan at 300 dpi (2480 x 3508 pixels) into the picture record, in
// the pieces a scanner's reads deliver. The frame buffer is made once, outside the timing.

#include "scanning/frame_assembler.h"

#include <benchmark/benchmark.h>
#include <vector>

using namespace vellamo::scanning;

namespace {

constexpr int Width = 2480;
constexpr int Height = 3508;
constexpr std::size_t Piece = 32 * 1024;

const std::vector<std::uint8_t>& frameBytes(int channels)
{
    static std::vector<std::uint8_t> rgb, grey;
    std::vector<std::uint8_t>& bytes = channels == 3 ? rgb : grey;
    if (bytes.empty()) {
        bytes.resize(std::size_t(Width) * Height * channels);
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = std::uint8_t((i * 7) ^ (i >> 11));
    }
    return bytes;
}

void feed(FrameAssembler& frames, const std::vector<std::uint8_t>& bytes)
{
    for (std::size_t at = 0; at < bytes.size(); at += Piece)
        frames.addBytes(bytes.data() + at, std::min(Piece, bytes.size() - at));
    frames.endFrame();
}

void ScanA4Rgb(benchmark::State& state)
{
    const auto& bytes = frameBytes(3);
    for (auto _ : state) {
        FrameAssembler frames;
        frames.beginFrame({FrameFormat::Rgb, true, Width * 3, Width, Height, 8});
        feed(frames, bytes);
        auto picture = frames.takePicture();
        benchmark::DoNotOptimize(picture.image().constBits());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(bytes.size()));
    state.counters["picture_MB"] = double(Width) * Height * 4 / 1e6;
}
BENCHMARK(ScanA4Rgb)->Unit(benchmark::kMillisecond);

void ScanA4ThreePass(benchmark::State& state)
{
    const auto& bytes = frameBytes(1);
    for (auto _ : state) {
        FrameAssembler frames;
        for (const FrameFormat pass : {FrameFormat::Red, FrameFormat::Green, FrameFormat::Blue}) {
            frames.beginFrame({pass, pass == FrameFormat::Blue, Width, Width, Height, 8});
            feed(frames, bytes);
        }
        auto picture = frames.takePicture();
        benchmark::DoNotOptimize(picture.image().constBits());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(bytes.size()) * 3);
}
BENCHMARK(ScanA4ThreePass)->Unit(benchmark::kMillisecond);

}  // namespace
