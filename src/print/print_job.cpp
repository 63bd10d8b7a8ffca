#include "print/print_job.h"

#include "imaging/safe_file_write.h"
#include "print/pdf_compression.h"
#include "render/gdi_geometry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QTemporaryFile>

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
    // Opening a FIFO to write would wait for a reader; a device is not ours to print into.
    if (!imaging::isReplaceable(path))
        return QStringLiteral("it is not a regular file");
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

// A PDF is printed into a temporary file beside the chosen one, which replaces it only when the
// job is whole: Qt's PDF engine reports no failed write, and writing in place would destroy the
// previous file first (on a full disk, a truncated file and success). Other printers: nothing.
class PdfTarget {
public:
    explicit PdfTarget(QPrinter& printer) : m_printer(printer)
    {
        if (printer.outputFormat() != QPrinter::PdfFormat)
            return;
        m_target = printer.outputFileName();
        const QFileInfo info(m_target);
        QTemporaryFile temporary(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                                 QStringLiteral(".XXXXXX.pdf"));
        temporary.setAutoRemove(false);
        const bool fileIsFine =
            info.absoluteDir().exists() && !info.isDir() && imaging::isReplaceable(m_target);
        if (fileIsFine && temporary.open()) {
            m_temporary = temporary.fileName();
            printer.setOutputFileName(m_temporary);
            return;
        }
        m_problem = QStringLiteral("Printing on %1 could not start: %2.")
                        .arg(printerDescription(printer),
                             fileIsFine ? temporary.errorString() : fileProblem(m_target));
    }
    ~PdfTarget()
    {
        restore();
        if (!m_temporary.isEmpty())
            QFile::remove(m_temporary);
    }
    PdfTarget(const PdfTarget&) = delete;
    PdfTarget& operator=(const PdfTarget&) = delete;

    // Why the job cannot start; empty when it can.
    const QString& problem() const { return m_problem; }

    // The chosen file's name back in the printer, for messages.
    void restore()
    {
        if (!m_target.isEmpty())
            m_printer.setOutputFileName(m_target);
    }

    // After the painter ended well: the finished PDF takes the chosen file's place. Why not.
    QString commit()
    {
        restore();
        if (m_temporary.isEmpty())
            return {};
        const QString failed =
            QStringLiteral("Printing on %1 failed: %2.").arg(printerDescription(m_printer));
        if (!endsWithEndOfFile(m_temporary))
            return failed.arg(QStringLiteral("the file could not be written whole"));
        const imaging::SafeWriteResult written = imaging::copyFileSafely(m_target, m_temporary);
        return written.written() ? QString() : failed.arg(written.error);
    }

private:
    // A PDF cut short by a full disk lacks its last line.
    static bool endsWithEndOfFile(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly) || file.size() < 16)
            return false;
        file.seek(file.size() - 16);
        return file.read(16).trimmed().endsWith("%%EOF");
    }

    QPrinter& m_printer;
    QString m_target;
    QString m_temporary;
    QString m_problem;
};

// Ends the painting and tells whether the pages really went out.
QString finish(QPainter& painter, const QPrinter& printer, PdfTarget& pdf)
{
    const bool ended = painter.end();
    pdf.restore();
    if (!ended)
        return QStringLiteral("Printing on %1 failed.").arg(printerDescription(printer));
    if (const QString problem = pdf.commit(); !problem.isEmpty())
        return problem;
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
    PdfTarget pdf(printer);
    if (!pdf.problem().isEmpty()) {
        result.error = pdf.problem();
        return result;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        pdf.restore();
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
                    pdf.restore();
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
    result.error = finish(painter, printer, pdf);
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
    PdfTarget pdf(printer);
    if (!pdf.problem().isEmpty()) {
        result.error = pdf.problem();
        return result;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        pdf.restore();
        result.error = startProblem(printer);
        return result;
    }
    const QSize size = testRectangleSize(printer.logicalDpiX(), printer.logicalDpiY());
    painter.setPen(render::gdiPen(Qt::black, 1));
    painter.setBrush(QColor(192, 192, 192));
    render::gdiRectangle(painter, 0, 0, size.width(), size.height());
    result.pages = 1;
    result.error = finish(painter, printer, pdf);
    result.printed = result.error.isEmpty();
    return result;
}

}  // namespace vellamo::print
