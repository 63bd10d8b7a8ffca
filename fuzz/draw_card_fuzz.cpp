// A card read from any bytes is drawn by DrawVCart, framed as in the editor and unframed as in
// the export, without a crash. The card is drawn small so that each input stays quick.

#include "document/card_file.h"
#include "fuzz_support.h"
#include "render/card_renderer.h"

#include <QGuiApplication>

using namespace vellamo;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Documents are reused: every read clears its document first, and a fresh one of 10000
    // slots per input would take most of the time.
    static document::CardDocument doc;
    if (!document::readCardBytes(fuzzing::inputBytes(data, size), doc).signatureMatched)
        return 0;
    document::makeReadCardUsable(doc, 1.0, 1.0);
    render::RenderContext context;
    QImage image(120, 80, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        render::DrawVCart(painter, doc, context, 120, 80, 0, 0, 120.0 / std::max(1, doc.CardExtentX), true);
    }
    {
        const document::RenderModeScope mode(doc, document::DeviceConversion, 40.0 / document::UnitsPerInch);
        QPainter painter(&image);
        render::DrawVCart(painter, doc, context, 120, 80, 120, 80, doc.PrintScale, false);
    }
    return 0;
}
