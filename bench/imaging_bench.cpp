// Reading and writing a 1000 x 1000 24-bit picture in the common formats, and halftoning it.

#include "imaging/halftone.h"
#include "imaging/picture_reader.h"
#include "imaging/picture_writer.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace vellamo::imaging;

namespace {

// A photo-like picture: gradients with some fine detail, so compressors have real work.
const DibRecord& largePicture()
{
    static const DibRecord picture = [] {
        QImage image(1000, 1000, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                row[x] = qRgb(x * 255 / 999, y * 255 / 999, ((x ^ y) & 0x3F) + ((x + y) % 128));
        }
        return DibRecord(image, 24);
    }();
    return picture;
}

void WritePicture(benchmark::State& state, int formatCode)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("picture");
    for (auto _ : state) {
        if (!SaveDib(largePicture(), path, formatCode))
            state.SkipWithError("SaveDib failed");
    }
    state.SetItemsProcessed(state.iterations() * 1000 * 1000);
}

void ReadPicture(benchmark::State& state, int formatCode)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("picture");
    if (!SaveDib(largePicture(), path, formatCode)) {
        state.SkipWithError("SaveDib failed");
        return;
    }
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    for (auto _ : state) {
        DibRecord picture;
        if (!readPicture(picture, bytes))
            state.SkipWithError("readPicture failed");
        benchmark::DoNotOptimize(picture.image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * 1000 * 1000);
}

void HalftonePicture(benchmark::State& state)
{
    for (auto _ : state) {
        DibRecord out;
        DIBHalftoneDIB(out, largePicture());
        benchmark::DoNotOptimize(out.image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * 1000 * 1000);
}

void HalftoneScaledPicture(benchmark::State& state)
{
    for (auto _ : state) {
        DibRecord out;
        DIBHalftoneDIBXY(out, largePicture(), 340, 207);
        benchmark::DoNotOptimize(out.image().constBits());
    }
}

}  // namespace

BENCHMARK_CAPTURE(WritePicture, BMP, int(FormatBmp))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WritePicture, PNG, int(FormatPng))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WritePicture, JPG, int(FormatJpg))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WritePicture, PCX, int(FormatPcx))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadPicture, BMP, int(FormatBmp))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadPicture, PNG, int(FormatPng))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadPicture, JPG, int(FormatJpg))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadPicture, PCX, int(FormatPcx))->Unit(benchmark::kMillisecond);
BENCHMARK(HalftonePicture)->Unit(benchmark::kMillisecond);
BENCHMARK(HalftoneScaledPicture)->Unit(benchmark::kMillisecond);
