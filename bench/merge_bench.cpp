// Mail merge: 1,000 addresses, one card each, into a PDF file at 1200 pixels per inch (target:
// under 0.5 s), and one repaint of a merged sheet preview.

#include "addressbook/address_book.h"
#include "print/mail_merge.h"
#include "print/print_page.h"
#include "support_prompter.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace vellamo;

namespace {

// A rectangle, a small logo and a four-line address text on the 90 x 55 mm card.
document::CardDocument addressCard()
{
    document::CardDocument doc;
    const int left = doc.CardExtentX / 3, top = doc.CardExtentY / 3;
    document::Tobs& box = doc.object(1);
    box.Kind = document::ShapeObject;
    box.ShapeKind = 3;
    box.Left = left + 1000;
    box.Top = top + 1000;
    box.Width = 20000;
    box.Height = 6000;
    box.Color = 0x3366CC;
    document::Tobs& logo = doc.object(2);
    logo.Kind = document::PictureObject;
    logo.Left = left + 50000;
    logo.Top = top + 1000;
    logo.Width = 15000;
    logo.Height = 15000;
    QImage picture(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            picture.setPixel(x, y, qRgb(x * 4, y * 4, 128));
    logo.Picture = imaging::DibRecord(picture, 24);
    document::Tobs& text = doc.object(3);
    text.Kind = document::TextObject;
    text.Left = left + 2000;
    text.Top = top + 16000;
    text.Width = 60000;
    text.Height = 24000;
    text.Text = "[First Name] [Last Name]\r\n[Street]\r\n[Zip] [City]\r\n<Phone private 1> [Phone private 1]";
    text.FontName = "Arial";
    text.FontSize = 9;
    return doc;
}

void fillBook(addressbook::AddressBook& book, int count)
{
    std::vector<addressbook::AddressRecord> records{std::size_t(count)};
    for (int i = 0; i < count; ++i) {
        auto& s = records[std::size_t(i)].strings;
        s[1] = "Anna" + std::to_string(i);
        s[2] = "Virtanen";
        s[3] = "Main Street " + std::to_string(i);
        s[5] = std::to_string(10000 + i);
        s[6] = "Town";
        s[7] = "+358 40 " + std::to_string(i);
    }
    book.appendRecords(std::move(records));
    book.ChangeAktName(0);
}

void MergeAddressesIntoPdf(benchmark::State& state)
{
    document::CardDocument doc = addressCard();
    addressbook::AddressBook book;
    fillBook(book, int(state.range(0)));
    QTemporaryDir dir;
    const QString pdf = dir.filePath("merge.pdf");
    bench::SilentPrompter ask;
    int cards = 0;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        print::useDefaultPdfPage(printer);
        printer.setResolution(1200);
        printer.setOutputFileName(pdf);
        const print::PrintJobResult result =
            print::printMerge(printer, doc, print::PrintJobSettings(), render::RenderContext(),
                              print::mergeAddresses(book), ask);
        if (!result.printed)
            state.SkipWithError(result.error.toStdString().c_str());
        cards = result.cards;
    }
    state.counters["cards"] = double(cards);
    state.counters["pdf_kB"] = double(QFileInfo(pdf).size()) / 1024;
}
BENCHMARK(MergeAddressesIntoPdf)->Arg(1000)->Unit(benchmark::kMillisecond);

// One repaint of a merged 2 x 5 sheet of A4: ten cards rendered, each with its address.
void RepaintMergedPreview(benchmark::State& state)
{
    document::CardDocument doc = addressCard();
    addressbook::AddressBook book;
    fillBook(book, 1000);
    bench::SilentPrompter ask;
    QTemporaryDir home;
    print::PrintPage page(
        doc, [] { return render::RenderContext(); }, ask, home.path() + "/");
    print::useDefaultPdfPage(page.printer());
    page.printer().setPageSize(QPageSize(QPageSize::A4));
    page.setAddressBook(&book);
    page.MergeBtn->setChecked(true);
    const QSize size = page.previewPage();
    QImage surface(size, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&surface);
        page.paintPreview(painter, size);
    }
}
BENCHMARK(RepaintMergedPreview)->Unit(benchmark::kMillisecond);

}  // namespace
