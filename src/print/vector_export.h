#pragma once

// The card as a vector file, PDF or SVG: one page of the card's size, texts kept as text,
// shapes as vector paths and each opaque picture embedded once at its own resolution.

#include "document/card_document.h"
#include "render/card_renderer.h"

#include <QSize>
#include <QString>

namespace vellamo::print {

enum class VectorType { None, Pdf, Svg };

// The two entries that follow the picture types in the export's type list.
inline constexpr int PdfFilterIndex = 13;
inline constexpr int SvgFilterIndex = 14;
inline const QString VectorExportFilter =
    QStringLiteral("PDF - Portable Document Format|*.PDF|SVG - Scalable Vector Graphics|*.SVG");

// Drawing resolution of both types: fine enough that the truncated positions stay exact to
// well under a tenth of a millimetre.
inline constexpr int VectorDotsPerInch = 1200;

// PDF for a name ending in ".pdf", SVG for ".svg", ignoring case; None otherwise.
VectorType vectorTypeForName(const QString& name);
VectorType vectorTypeForFilterIndex(int filterIndex);

// The card in drawing dots: Trunc(CardWidth / 25.39995 x 1200) by the same for the height.
QSize vectorCardSize(const document::CardFormat& format);

// Draws the card unframed with its top-left corner on the page's and writes the file; a
// failed write leaves any previous file as it was. The document's RenderMode is 1 only while
// it draws.
bool exportCardVector(document::CardDocument& doc, const render::RenderContext& context, const QString& path,
                      VectorType type);

}  // namespace vellamo::print
