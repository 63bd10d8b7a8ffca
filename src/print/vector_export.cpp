#include "print/vector_export.h"

#include "document/paths.h"
#include "document/units.h"
#include "imaging/safe_file_write.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace vellamo::print {

namespace {

const QString Creator = QStringLiteral("Korvend Vellamo 3.5");

void drawCard(QPainter& painter, document::CardDocument& doc, const render::RenderContext& context,
              QSize size)
{
    const document::RenderModeScope mode(doc, document::DeviceConversion,
                                         double(VectorDotsPerInch) / document::UnitsPerInch);
    // Pictures are embedded as they are, never recompressed as JPEG.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    render::SeeThroughPictures seeThrough;
    render::RenderContext drawing = context;
    if (!drawing.seeThrough)
        drawing.seeThrough = &seeThrough;
    // XOff = W and YOff = H put the card's top-left corner on the page's.
    render::DrawVCart(painter, doc, drawing, size.width(), size.height(), size.width(), size.height(),
                      doc.PrintScale, false);
}

bool writePdf(QIODevice& file, document::CardDocument& doc, const render::RenderContext& context, QSize size,
              const QString& title)
{
    QPdfWriter pdf(&file);
    pdf.setResolution(VectorDotsPerInch);
    pdf.setCreator(Creator);
    pdf.setTitle(title);
    // The page in the program's inches, so that it holds exactly the dots drawn.
    const QSizeF inches(document::mmToInches(doc.Format.CardWidth),
                        document::mmToInches(doc.Format.CardHeight));
    if (!pdf.setPageSize(QPageSize(inches, QPageSize::Inch, QString(), QPageSize::ExactMatch)))
        return false;
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    drawCard(painter, doc, context, size);
    return painter.end();
}

bool writeSvg(QIODevice& file, document::CardDocument& doc, const render::RenderContext& context, QSize size,
              const QString& title)
{
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setResolution(VectorDotsPerInch);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(title);
    svg.setDescription(Creator);
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    drawCard(painter, doc, context, size);
    return painter.end();
}

}  // namespace

VectorType vectorTypeForName(const QString& name)
{
    const QString file = document::fileNameWithoutFolder(name);
    if (file.endsWith(u".pdf", Qt::CaseInsensitive))
        return VectorType::Pdf;
    if (file.endsWith(u".svg", Qt::CaseInsensitive))
        return VectorType::Svg;
    return VectorType::None;
}

VectorType vectorTypeForFilterIndex(int filterIndex)
{
    switch (filterIndex) {
    case PdfFilterIndex:
        return VectorType::Pdf;
    case SvgFilterIndex:
        return VectorType::Svg;
    default:
        return VectorType::None;
    }
}

QSize vectorCardSize(const document::CardFormat& format)
{
    return QSize(document::truncToInt32(document::mmToInches(format.CardWidth) * VectorDotsPerInch),
                 document::truncToInt32(document::mmToInches(format.CardHeight) * VectorDotsPerInch));
}

bool exportCardVector(document::CardDocument& doc, const render::RenderContext& context, const QString& path,
                      VectorType type)
{
    const QSize size = vectorCardSize(doc.Format);
    if (type == VectorType::None || size.width() <= 0 || size.height() <= 0)
        return false;
    // Drawn into memory first, so that a failed write leaves the previous file as it was.
    QByteArray bytes;
    QBuffer file(&bytes);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QString title =
        doc.DocumentFileName.isEmpty()
            ? QStringLiteral("Business card")
            : QFileInfo(document::fileNameWithoutFolder(doc.DocumentFileName)).completeBaseName();
    const bool drawn = type == VectorType::Pdf ? writePdf(file, doc, context, size, title)
                                               : writeSvg(file, doc, context, size, title);
    file.close();
    return drawn && imaging::writeFileSafely(path, bytes).written();
}

}  // namespace vellamo::print
