// Drawing cards into pictures: the export, a printer page at 600 pixels per inch, a full card,
// a large transparent picture, and turning a large picture.

#include "document/units.h"
#include "print/picture_export.h"
#include "render/card_renderer.h"
#include "render/picture_operations.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

using namespace vellamo;
using document::CardDocument;
using document::Tobs;

namespace {

imaging::DibRecord gradient(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] = qRgb(x * 255 / w, y * 255 / h, (x + y) % 256);
    }
    return imaging::DibRecord(image, 24);
}

// 30 objects on the default card over a stretched background: ten shapes of every kind, ten
// texts (wrapped, turned, shadowed, outlined) and ten pictures, half of them transparent.
CardDocument mixedCard()
{
    CardDocument doc;
    doc.BackgroundMode = document::StretchToCard;
    doc.BackgroundPicture = gradient(800, 500);
    const int left = doc.CardExtentX / 3;
    const int top = doc.CardExtentY / 3;
    const int w = doc.CardExtentX / 3;
    const int h = doc.CardExtentY / 3;
    const imaging::DibRecord logo = gradient(200, 120);
    for (int i = 0; i < 30; ++i) {
        Tobs& o = doc.object(i + 1);
        o.Left = left + (i % 6) * w / 6;
        o.Top = top + (i / 6) * h / 5;
        o.Width = w / 5;
        o.Height = h / 6;
        if (i % 3 == 0) {
            o.Kind = document::ShapeObject;
            o.ShapeKind = i % 10;
            o.FillMode = i % 3;
            o.LineWidth = 1 + i % 4;
            o.Color = 0x3366CC;
            o.BorderColor = 0x112233;
        } else if (i % 3 == 1) {
            o.Kind = document::TextObject;
            o.Text = "[First Name] [Last Name]\rSecond line of the card";
            o.FontName = i % 2 ? "Arial" : "Times New Roman";
            o.FontSize = 10;
            o.Rotation = i % 4;
            o.Shadow = i % 2;
            o.Outline = i % 5 == 1;
        } else {
            o.Kind = document::PictureObject;
            o.Picture = logo;
            o.KeepAspect = true;
            o.Transparent = i % 2;
            o.AutoTransparent = true;
        }
    }
    return doc;
}

const render::PlaceholderFields Fields = {{"First Name", "Anna", "Name"},
                                          {"Last Name", "Virtanen", "Surname"}};

render::RenderContext contextWithAddress()
{
    render::RenderContext context;
    context.placeholders = &Fields;
    return context;
}

void RenderMixedCardForExport(benchmark::State& state)
{
    CardDocument doc = mixedCard();
    const render::RenderContext context = contextWithAddress();
    for (auto _ : state) {
        imaging::DibRecord picture;
        print::renderCardPicture(doc, context, picture);
        benchmark::DoNotOptimize(picture.image().constBits());
    }
}
BENCHMARK(RenderMixedCardForExport)->Unit(benchmark::kMillisecond);

// An A4 page at 600 pixels per inch with the card drawn unframed at ten positions (2 x 5).
void RenderMixedCardOnA4PageAt600(benchmark::State& state)
{
    CardDocument doc = mixedCard();
    const render::RenderContext context = contextWithAddress();
    constexpr int ppi = 600;
    const auto px = [](double mm) { return document::truncToInt32(document::mmToInches(mm) * ppi); };
    QImage page(px(210), px(297), QImage::Format_RGB32);
    const int cardW = px(90);
    const int cardH = px(55);
    for (auto _ : state) {
        page.fill(Qt::white);
        const document::RenderModeScope mode(doc, document::DeviceConversion,
                                             double(ppi) / document::UnitsPerInch);
        QPainter painter(&page);
        for (int k = 0; k < 10; ++k) {
            const int cx = px(15) + (k % 2) * cardW;
            const int cy = px(11) + (k / 2) * cardH;
            render::DrawVCart(painter, doc, context, cardW, cardH, cardW - cx, cardH - cy, doc.PrintScale,
                              false);
        }
    }
    state.counters["page_pixels"] = double(page.width()) * page.height();
}
BENCHMARK(RenderMixedCardOnA4PageAt600)->Unit(benchmark::kMillisecond);

void RenderCardWithTenThousandObjects(benchmark::State& state)
{
    CardDocument doc;
    const int left = doc.CardExtentX / 3;
    const int top = doc.CardExtentY / 3;
    for (int slot = document::FirstSlot; slot <= document::LastSlot; ++slot) {
        Tobs& o = doc.object(slot);
        o.Kind = slot % 4 == 0 ? document::TextObject : document::ShapeObject;
        o.Left = left + (slot * 37) % (doc.CardExtentX / 3);
        o.Top = top + (slot * 53) % (doc.CardExtentY / 3);
        o.Width = 3000;
        o.Height = 2000;
        o.ShapeKind = slot % 10;
        o.FillMode = slot % 3;
        o.Color = slot * 97;
        o.Text = "Text";
        o.FontName = "Arial";
        o.FontSize = 8;
    }
    const render::RenderContext context;
    for (auto _ : state) {
        imaging::DibRecord picture;
        print::renderCardPicture(doc, context, picture);
        benchmark::DoNotOptimize(picture.image().constBits());
    }
}
BENCHMARK(RenderCardWithTenThousandObjects)->Unit(benchmark::kMillisecond);

// A 1000 x 1000 picture drawn 1:1 with its bottom-left colour transparent over a filled card.
void RenderTransparentPicture(benchmark::State& state)
{
    CardDocument doc;
    doc.RenderMode = document::DeviceConversion;
    doc.PrintScale = 1.0 / 200;
    Tobs& o = doc.object(1);
    o.Kind = document::PictureObject;
    o.Width = o.Height = 1001 * 200;
    o.Picture = gradient(1000, 1000);
    o.Transparent = true;
    o.AutoTransparent = true;
    QImage surface(1000, 1000, QImage::Format_RGB32);
    const render::RenderContext context;
    for (auto _ : state) {
        surface.fill(Qt::blue);
        QPainter painter(&surface);
        render::DrawVCart(painter, doc, context, 3000, 3000, 0, 0, doc.PrintScale, true);
    }
    state.SetItemsProcessed(state.iterations() * 1000 * 1000);
}
BENCHMARK(RenderTransparentPicture)->Unit(benchmark::kMillisecond);

void TurnLargePictureRight(benchmark::State& state)
{
    const imaging::DibRecord source = gradient(3000, 2000);
    for (auto _ : state) {
        imaging::DibRecord picture = source;
        render::RotRight(picture);
        benchmark::DoNotOptimize(picture.image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * 3000 * 2000);
}
BENCHMARK(TurnLargePictureRight)->Unit(benchmark::kMillisecond);

}  // namespace
