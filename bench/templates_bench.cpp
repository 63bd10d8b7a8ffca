// The template assistant: generating 100 layouts of five elements, painting the visible band
// of the gallery, and adopting a layout.

#include "addressbook/address_book.h"
#include "document/card_model.h"
#include "render/picture_operations.h"
#include "templates/template_page.h"

#include "support_prompter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QScrollArea>
#include <benchmark/benchmark.h>

using namespace vellamo;
using namespace vellamo::templates;

namespace {

TemplateChoices fiveElements()
{
    TemplateChoices c;
    c.FirmaCheck = true;
    c.FreeCheck = true;
    c.graphic = GraphicChoice::InsertPicture;
    c.GrafikFileEd = QStringLiteral("pic.png");
    c.BkGndCheck = false;
    return c;
}

TemplatePictureLoader samplePicture()
{
    return [](imaging::DibRecord& target, const QString&) {
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        target = imaging::DibRecord(image, 24);
        return true;
    };
}

void fillAddress(addressbook::AddressBook& book)
{
    addressbook::AddressRecord r;
    const char* values[] = {"Dr.",       "Anna", "Berg", "Hafenstrasse 5", "",          "20095",  "Hamburg",
                            "040 12345", "",     "",     "040 54321",      "a@berg.de", "berg.de"};
    for (std::size_t i = 0; i < std::size(values); ++i)
        r.strings[i] = values[i];
    r.strings[16] = "Graphic designer";
    r.strings[17] = "Berg Design";
    book.appendRecords({r});
    book.ChangeAktName(0);
    book.setLabel(8, "Tel.:");
    book.setLabel(11, "Fax:");
}

void BM_GenerateHundredLayoutsOfFive(benchmark::State& state)
{
    LayoutRandom random(1);
    for (auto _ : state) {
        auto layouts = generateLayouts(5, random);
        benchmark::DoNotOptimize(layouts.data());
    }
}
BENCHMARK(BM_GenerateHundredLayoutsOfFive)->Unit(benchmark::kMillisecond);

// Three text blocks and a picture on each of the twelve thumbnails in view.
struct Gallery {
    document::CardDocument doc;
    addressbook::AddressBook book;
    bench::SilentPrompter ask;
    render::ProgramFolderPictures pictures{QString()};
    TemplatePage page{doc, book, TemplatePageContext{QString(), {}, &ask, &pictures, 96, 7, {}, {}}};
    TemplateSet set;

    Gallery()
    {
        fillAddress(book);
        TemplateChoices c = fiveElements();
        c.FreeCheck = false;  // name, address, company and the picture
        LayoutRandom random(3);
        RenderTemplates(set, c, QString(), QStringLiteral("/"), samplePicture(), random);
    }
};

void BM_PaintVisibleGalleryBand(benchmark::State& state)
{
    Gallery g;
    QScrollArea box;
    box.resize(1080, 520);
    TemplateGallery gallery(g.set, g.doc, g.book, &box);
    box.setWidget(&gallery);
    box.show();
    QApplication::processEvents();
    gallery.fitSurface();
    QImage surface(gallery.size().width(), 490, QImage::Format_RGB32);
    int thumbnails = 0;
    const GalleryGeometry geometry = gallery.geometryNow();
    for (int t = 0; t < int(g.set.layouts.size()); ++t)
        if (thumbnailCell(geometry, t).top < surface.height())
            ++thumbnails;
    for (auto _ : state) {
        QPainter p(&surface);
        gallery.paintBand(p, surface.rect());
    }
    state.counters["thumbnails"] = thumbnails;
    box.takeWidget();
}
BENCHMARK(BM_PaintVisibleGalleryBand)->Unit(benchmark::kMillisecond);

void BM_AdoptLayout(benchmark::State& state)
{
    Gallery g;
    g.doc.updateExtents();
    const render::PlaceholderFields fields = g.book.placeholderFields();
    TemplateCardInput input{&g.set, 0, 90, 55, g.doc.CardExtentX, g.doc.CardExtentY, 96, &fields};
    // The picture is read from a real file as adoption does.
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    const QString path = QDir::tempPath() + QStringLiteral("/vellamo_bench_pic.png");
    image.save(path);
    for (TemplateElement& e : g.set.elements)
        if (e.isPicture)
            e.text = path.toStdString();
    const ScreenTextMeasure measure;
    // Into a card model as the main window does: one step that replaces the card.
    document::CardModel model;
    model.doc().updateExtents();
    for (auto _ : state) {
        TemplateCard card = RenderTemplate(input, measure, g.pictures, g.ask);
        document::CardChange change(model, QStringLiteral("Template"));
        change.clearall();
        for (std::size_t i = 0; i < card.objects.size(); ++i)
            change.object(int(i) + 1) = std::move(card.objects[i]);
        change.setBackground({card.BackgroundMode, card.BackgroundFile, card.BackgroundPicture});
        change.commit();
    }
    QFile::remove(path);
}
BENCHMARK(BM_AdoptLayout)->Unit(benchmark::kMillisecond);

}  // namespace
