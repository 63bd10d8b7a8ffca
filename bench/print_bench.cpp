// Printing a mixed card into a PDF file (1,000 and 10,000 cards), 1,000 cards with a
// transparent logo, and repainting the sheet preview of a 2 x 5 sheet at the smallest and
// largest usual zoom.

#include "document/units.h"
#include "print/print_job.h"
#include "print/print_page.h"
#include "support_prompter.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

using namespace vellamo;
using document::CardDocument;
using document::Tobs;

namespace {

constexpr int PictureWidth = 600;
constexpr int PictureHeight = 400;

imaging::DibRecord photo()
{
    QImage image(PictureWidth, PictureHeight, QImage::Format_RGB32);
    for (int y = 0; y < PictureHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < PictureWidth; ++x)
            line[x] = qRgb(x * 255 / PictureWidth, y * 255 / PictureHeight, (x * y) % 256);
    }
    return imaging::DibRecord(image, 24);
}

// A rectangle, an ellipse, a line, a 600 x 400 picture, a four-line text with placeholders, a
// shadowed text and a turned text on the 90 x 55 mm card.
CardDocument mixedCard()
{
    CardDocument doc;
    const int left = doc.CardExtentX / 3;
    const int top = doc.CardExtentY / 3;
    const int w = doc.CardExtentX / 3;
    const int h = doc.CardExtentY / 3;
    auto shape = [&](int slot, int kind, int x, int y, int width, int height) -> Tobs& {
        Tobs& o = doc.object(slot);
        o.Kind = document::ShapeObject;
        o.ShapeKind = kind;
        o.Left = left + x;
        o.Top = top + y;
        o.Width = width;
        o.Height = height;
        o.Color = 0x3366CC;
        o.BorderColor = 0x112233;
        o.LineWidth = 2;
        o.FillMode = 1;
        return o;
    };
    shape(1, 3, w / 20, h / 20, w / 4, h / 5);
    shape(2, 1, w / 3, h / 20, w / 4, h / 5);
    shape(3, 6, w / 20, h / 3, w * 9 / 10, 0);
    Tobs& picture = doc.object(4);
    picture.Kind = document::PictureObject;
    picture.Left = left + w * 2 / 3;
    picture.Top = top + h / 20;
    picture.Width = w / 4;
    picture.Height = h / 4;
    picture.KeepAspect = true;
    picture.Picture = photo();
    auto text = [&](int slot, std::string content, int x, int y) -> Tobs& {
        Tobs& o = doc.object(slot);
        o.Kind = document::TextObject;
        o.Left = left + x;
        o.Top = top + y;
        o.Width = w / 2;
        o.Height = h / 3;
        o.Text = std::move(content);
        o.FontName = "Arial";
        o.FontSize = 9;
        o.FontHeight = -12;
        return o;
    };
    text(5, "[First Name] [Last Name]\r\nMain Street 1\r\n12345 Town\r\n<Phone>", w / 20, h * 2 / 5);
    text(6, "Shadowed", w * 3 / 5, h / 2).Shadow = true;
    text(7, "Turned", w * 4 / 5, h / 2).Rotation = 1;
    return doc;
}

const render::PlaceholderFields Fields = {
    {"First Name", "Anna", "Name"}, {"Last Name", "Virtanen", "Surname"}, {"Phone", "+358 40 123", "Phone"}};

long peakResidentKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Runs the job into a PDF file at 1200 pixels per inch and reports its size, what each card
// adds beyond the picture's own pixels (600 x 400 x 3 bytes) and the process's peak memory.
void runPdfJob(benchmark::State& state, CardDocument& doc, const print::PrintJobSettings& settings,
               const render::RenderContext& context)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("cards.pdf");
    bench::SilentPrompter ask;
    qint64 bytes = 0;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        print::useDefaultPdfPage(printer);
        printer.setResolution(1200);
        printer.setOutputFileName(pdf);
        const print::PrintJobResult result = print::printCards(
            printer, doc, settings, [&](const print::SheetPosition&) { return context; }, ask);
        if (!result.printed)
            state.SkipWithError(result.error.toStdString().c_str());
        bytes = QFileInfo(pdf).size();
    }
    state.counters["cards"] = double(settings.values.copies);
    state.counters["pdf_kB"] = double(bytes) / 1024;
    state.counters["bytes_per_card_beyond_picture"] =
        double(bytes - PictureWidth * PictureHeight * 3) / settings.values.copies;
    state.counters["peak_rss_MB"] = double(peakResidentKilobytes()) / 1024;
}

// Copies cards on 2 x 5 sheets into a PDF file at 1200 pixels per inch, with or without cut lines.
void PrintMixedCardsToPdf(benchmark::State& state)
{
    CardDocument doc = mixedCard();
    render::RenderContext context;
    context.placeholders = &Fields;
    print::PrintJobSettings settings;
    settings.values.copies = int(state.range(0));
    settings.cutLines = state.range(1) != 0;
    runPdfJob(state, doc, settings, context);
}
BENCHMARK(PrintMixedCardsToPdf)
    ->ArgNames({"cards", "cut_lines"})
    ->Args({1000, 0})
    ->Args({10000, 0})
    ->Args({1000, 1})
    ->Unit(benchmark::kMillisecond);

// 1,000 cards whose 600 x 400 logo has its white see-through over a line, into a PDF at
// 1200 pixels per inch: the logo and its mask are held once, whatever the number of cards.
void PrintTransparentLogoToPdf(benchmark::State& state)
{
    CardDocument doc = mixedCard();
    Tobs& logo = doc.object(4);
    QImage image = logo.Picture.image();
    for (int y = 0; y < PictureHeight; ++y)
        for (int x = 0; x < PictureWidth / 3; ++x)
            image.setPixel(x, y, qRgb(255, 255, 255));
    logo.Picture = imaging::DibRecord(image, 24);
    logo.Transparent = true;
    logo.TransparentKey() = 0xFFFFFF;
    print::PrintJobSettings settings;
    settings.values.copies = int(state.range(0));
    runPdfJob(state, doc, settings, render::RenderContext());
}
BENCHMARK(PrintTransparentLogoToPdf)->ArgNames({"cards"})->Arg(1000)->Unit(benchmark::kMillisecond);

// One repaint of the preview of a full 2 x 5 sheet of A4 at 600 dpi.
void RepaintSheetPreview(benchmark::State& state)
{
    CardDocument doc = mixedCard();
    render::RenderContext context;
    context.placeholders = &Fields;
    bench::SilentPrompter ask;
    QTemporaryDir home;
    print::PrintPage page(
        doc, [&] { return context; }, ask, home.path() + "/");
    print::useDefaultPdfPage(page.printer());
    page.printer().setPageSize(QPageSize(QPageSize::A4));
    page.PreviewDpi = int(state.range(0));
    const QSize size = page.previewPage();
    QImage surface(size, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&surface);
        page.paintPreview(painter, size);
    }
    state.counters["dpi"] = double(page.PreviewDpi);
}
BENCHMARK(RepaintSheetPreview)->Arg(35)->Arg(262)->Unit(benchmark::kMillisecond);

}  // namespace
