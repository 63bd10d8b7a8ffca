#pragma once

// The card as one picture file: rendered at 96 pixels per inch, unframed, into a 24-bit
// picture of the card's size, and written in the type the save filter's entry names.

#include "document/card_document.h"
#include "imaging/dib_record.h"
#include "imaging/progress.h"
#include "render/card_renderer.h"

#include <QSize>
#include <QString>

namespace vellamo::print {

inline constexpr int ExportPixelsPerInch = 96;
// Entries of the save filter: 1 BMP ... 11 TIF, 12 PNG.
inline constexpr int FirstFilterIndex = 1;
inline constexpr int LastFilterIndex = 12;

// Trunc(CardWidth / 25.39995 x 96) by Trunc(CardHeight / 25.39995 x 96); 340 x 207 for 90 x 55 mm.
QSize exportPictureSize(const document::CardFormat& format);

// Renders the card with its top-left corner at (0, 0) on white. The document's RenderMode is 1
// only while it draws. False, and `out` not loaded, when the picture cannot be had.
bool renderCardPicture(document::CardDocument& doc, const render::RenderContext& context,
                       imaging::DibRecord& out);

// ".BMP", ".DIB", ..., ".TIF", ".PNG" for the filter indices 1..12; empty outside.
QString exportExtension(int filterIndex);
// What SaveDib is told: the filter index + 2.
inline int exportFormatCode(int filterIndex) { return filterIndex + 2; }
// The name with the entry's extension appended when it has none (no dot after the last
// separator, '/' or '\'); a name with any extension keeps it.
QString withExportExtension(const QString& name, int filterIndex);
// The entry whose extension the name ends in, ignoring case; 0 when none does.
int filterIndexForName(const QString& name);

struct ExportResult {
    bool saved = false;
    // The file name written (or tried), with the appended extension.
    QString path;
};

// Renders the card and writes it to `name` (extended as withExportExtension says) in the type
// of `filterIndex`. A failed write leaves any previous file as it was.
ExportResult exportCardPicture(document::CardDocument& doc, const render::RenderContext& context,
                               const QString& name, int filterIndex,
                               const imaging::ProgressCallback& progress = {});

}  // namespace vellamo::print
