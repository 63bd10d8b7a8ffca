#include "print/print_job.h"

#include "print/pdf_compression.h"
#include "render/gdi_geometry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>

#ifdef VELLAMO_HAVE_CUPS
#include <cups/cups.h>
#endif

namespace vellamo::print {

namespace {

QString fileProblem(const QString& path)
{
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        return QStringLiteral("the folder does not exist");
    if (info.isDir())
        return QStringLiteral("it is a folder");
    // Ask the file system itself for its reason, leaving nothing behind.
    const bool existed = info.exists();
    QFile probe(path);
    if (!probe.open(QIODevice::WriteOnly | QIODevice::Append))
        return probe.errorString();
    probe.close();
    if (!existed)
        QFile::remove(path);
    return QStringLiteral("it cannot be written");
}

QString startProblem(const QPrinter& printer)
{
    const QString reason = printer.outputFormat() == QPrinter::PdfFormat
                               ? fileProblem(printer.outputFileName())
                               : QStringLiteral("it refused the job");
    return QStringLiteral("Printing on %1 could not start: %2.").arg(printerDescription(printer), reason);
}

// The queue's answer to the job just handed over; Qt's CUPS support does not pass it on.
QString queueProblem(const QPrinter& printer)
{
#ifdef VELLAMO_HAVE_CUPS
    if (printer.outputFormat() == QPrinter::NativeFormat && cupsLastError() >= IPP_STATUS_ERROR_BAD_REQUEST)
        return QStringLiteral("%1 did not take the job: %2.")
            .arg(printerDescription(printer), QString::fromLocal8Bit(cupsLastErrorString()));
#else
    Q_UNUSED(printer);
#endif
    return {};
}

// Ends the painting and tells whether the pages really went out.
QString finish(QPainter& painter, const QPrinter& printer)
{
    if (!painter.end())
        return QStringLiteral("Printing on %1 failed.").arg(printerDescription(printer));
    return queueProblem(printer);
}

}  // namespace

QString printerDescription(const QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return QStringLiteral("the file \"%1\"").arg(printer.outputFileName());
    return QStringLiteral("the printer \"%1\"").arg(printer.printerName());
}

void drawCardInCell(QPainter& painter, document::CardDocument& doc, const std::vector<int>& drawn,
                    const render::RenderContext& context, QRect cell, double printScale)
{
    // XOff = W - X and YOff = H - Y put the card's corner on (X, Y).
    render::DrawVCart(painter, doc, drawn, context, cell.width(), cell.height(), cell.width() - cell.x(),
                      cell.height() - cell.y(), printScale, false);
}

void drawCutLines(QPainter& painter, QRect cell)
{
    const QPaintEngine* engine = painter.paintEngine();
    if (engine && engine->type() == QPaintEngine::Pdf) {
        // A PDF draws the dots itself: one dashed outline instead of thousands of dots.
        const qreal x = cell.x() + 0.5, y = cell.y() + 0.5;
        QPainterPath outline(QPointF(x, y));
        outline.lineTo(x + cell.width(), y);
        outline.lineTo(x + cell.width(), y + cell.height());
        outline.lineTo(x, y + cell.height());
        outline.closeSubpath();
        painter.strokePath(outline, QPen(Qt::black, 1, Qt::DotLine, Qt::FlatCap));
        return;
    }
    painter.save();
    QPen dotted = render::gdiPen(Qt::black, 1);
    dotted.setStyle(Qt::DotLine);
    painter.setPen(dotted);
    painter.setBrush(Qt::white);
    const std::int64_t x = cell.x(), y = cell.y(), w = cell.width(), h = cell.height();
    render::gdiLine(painter, x, y, x + w, y);
    render::gdiLine(painter, x + w, y, x + w, y + h);
    render::gdiLine(painter, x + w, y + h, x, y + h);
    render::gdiLine(painter, x, y + h, x, y);
    painter.restore();
}

PrintJobResult printCards(QPrinter& printer, document::CardDocument& doc, const PrintJobSettings& settings,
                          const PositionContext& contextFor, document::Prompter& ask)
{
    PrintJobResult result;
    if (printer.outputFormat() == QPrinter::NativeFormat && printer.printerName().isEmpty()) {
        // Qt would drop such a job without a word.
        result.error = QStringLiteral("No printer is chosen; choose one in the printer setup.");
        return result;
    }
    printer.setDocName(PrintJobTitle);
    printer.setFullPage(false);
    const FastPdfCompression fastPages;
    QPainter painter;
    if (!painter.begin(&printer)) {
        result.error = startProblem(printer);
        return result;
    }
    // Pictures go to the printer as they are, not recompressed as JPEG.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    // Painter coordinates are printer pixels from the printable area's corner.
    const int dx = printer.logicalDpiX();
    const int dy = printer.logicalDpiY();
    if (dx != dy)
        ask.inform(document::DefaultCaption, UnequalResolutionWarning, document::MessageIcon::Information);

    const std::vector<SheetPosition> positions = jobPositions(settings.values, doc.Format);
    const std::vector<int> drawn = render::usedSlots(doc);
    // Transparent pictures are made see-through once for the whole job, not once per card.
    render::SeeThroughPictures seeThrough;
    {
        const double printScale = double(dx) / document::UnitsPerInch;
        const document::RenderModeScope mode(doc, document::DeviceConversion, printScale);
        result.pages = positions.empty() ? 0 : 1;
        for (const SheetPosition& position : positions) {
            if (position.newPage) {
                if (!printer.newPage()) {
                    painter.end();
                    result.error = QStringLiteral("Printing on %1 failed.").arg(printerDescription(printer));
                    return result;
                }
                ++result.pages;
            }
            const QRect cell =
                printCell(doc.Format, settings.calibration, dx, dy, position.column, position.row);
            render::RenderContext context = contextFor(position);
            context.MmPerInchX = settings.calibration.mmPerInchX();
            context.MmPerInchY = settings.calibration.mmPerInchY();
            if (!context.seeThrough)
                context.seeThrough = &seeThrough;
            drawCardInCell(painter, doc, drawn, context, cell, printScale);
            if (settings.cutLines)
                drawCutLines(painter, cell);
            ++result.cards;
        }
    }
    result.error = finish(painter, printer);
    result.printed = result.error.isEmpty();
    return result;
}

PrintJobResult printTestRectangle(QPrinter& printer)
{
    PrintJobResult result;
    if (printer.outputFormat() == QPrinter::NativeFormat && printer.printerName().isEmpty()) {
        result.error = QStringLiteral("No printer is chosen; choose one in the printer setup.");
        return result;
    }
    printer.setDocName(TestPrintTitle);
    printer.setFullPage(false);
    QPainter painter;
    if (!painter.begin(&printer)) {
        result.error = startProblem(printer);
        return result;
    }
    const QSize size = testRectangleSize(printer.logicalDpiX(), printer.logicalDpiY());
    painter.setPen(render::gdiPen(Qt::black, 1));
    painter.setBrush(QColor(192, 192, 192));
    render::gdiRectangle(painter, 0, 0, size.width(), size.height());
    result.pages = 1;
    result.error = finish(painter, printer);
    result.printed = result.error.isEmpty();
    return result;
}

}  // namespace vellamo::print
