// Peak memory of opening and dumping a card with one 50 MB text: the readers must stay within
// three times the file's size. Reported as counters, in MB above what the process held before.

#include "document/card_file.h"
#include "document/card_file_commands.h"
#include "document/card_json.h"
#include "peak_memory.h"
#include "render/picture_operations.h"
#include "support_prompter.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

using namespace vellamo;
using vellamo::bench::resetPeak;
using vellamo::bench::statusField;

namespace {

QString writeHugeTextCard(const QTemporaryDir& dir)
{
    document::CardDocument doc;
    doc.object(1).Kind = document::TextObject;
    doc.object(1).Text = std::string(50 << 20, 'x');
    const QString path = dir.filePath("huge.vis");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(document::cardToBytes(doc));
    return path;
}

template <typename Read> void measure(benchmark::State& state, Read read)
{
    QTemporaryDir dir;
    const QString path = writeHugeTextCard(dir);
    const double fileMB = double(QFile(path).size()) / (1 << 20);
    double peakMB = 0;
    for (auto _ : state) {
        resetPeak();
        const long before = statusField("VmRSS:");
        read(path);
        peakMB = std::max(peakMB, double(statusField("VmHWM:") - before) / 1024);
    }
    state.counters["file_MB"] = fileMB;
    state.counters["peak_MB"] = peakMB;
    state.counters["peak_per_file"] = peakMB / fileMB;
}

void OpenHugeTextCard(benchmark::State& state)
{
    measure(state, [](const QString& path) {
        bench::SilentPrompter ask;
        const render::ProgramFolderPictures pictures(QStringLiteral("/nonexistent/"));
        document::CardFileContext context{ask, pictures, QStringLiteral("/nonexistent/")};
        document::CardDocument doc;
        document::OpenItNow(doc, path, context);
    });
}
BENCHMARK(OpenHugeTextCard)->Unit(benchmark::kMillisecond)->Iterations(1);

void DumpHugeTextCard(benchmark::State& state)
{
    measure(state, [](const QString& path) {
        document::CardDocument doc;
        {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            document::readCardBytes(file.readAll(), doc);
        }
        qint64 written = 0;
        document::writeCardJson(doc, [&](const QByteArray& piece) { written += piece.size(); });
        benchmark::DoNotOptimize(written);
    });
}
BENCHMARK(DumpHugeTextCard)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
