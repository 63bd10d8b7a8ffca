#pragma once

// Cut, copy, paste and duplicate of the selected object. The clipboard carries the object's
// card-file entry under our own type, so that it pastes into another running program byte
// for byte, and a PNG of it at 96 pixels per inch for other programs (fewer for a huge object).

#include "document/card_model.h"
#include "document/picture_loader.h"
#include "document/prompter.h"
#include "editor/editor_dialogs.h"
#include "imaging/progress.h"
#include "render/card_renderer.h"

#include <QImage>
#include <QMimeData>
#include <memory>

namespace vellamo::editor {

inline const QString ObjectMimeType = QStringLiteral("application/x-vellamo-card-object");

// The object alone, unframed, on a transparent picture of its box at 96 pixels per inch; an
// object that would pass 2048 pixels on a side is drawn at the resolution that fits it, which
// the picture's dots per metre record.
QImage objectPicture(const document::CardDocument& doc, int slot, const render::RenderContext& context);

// Both forms of the object in `slot`.
std::unique_ptr<QMimeData> objectMimeData(const document::CardDocument& doc, int slot,
                                          const render::RenderContext& context);

// Our record, or a picture from another program (PNG, JPEG, BMP).
bool canPaste(const QMimeData* data);

// Where a copy of `object` goes: its own place, or 2 mm further right and down for as long as
// another object of the card already starts at that place.
document::ObjectBox pastePlace(const document::CardDocument& doc, const document::Tobs& object);

struct PasteContext {
    document::Prompter& ask;
    const document::PictureLoader& pictures;
    // Where pasted pictures are written, and where bare picture names lie.
    QString programFolder;
    int screenDpi = 96;
    FontChoice font;
    imaging::ProgressCallback progress;
};

// Pastes into `change` and selects the new object; its slot, or 0 when nothing was pasted
// (a malformed record, a full card, a picture that cannot be read or written), after the
// program's message where there is one.
int pasteInto(document::CardChange& change, const QMimeData& data, PasteContext& context);

// A copy of the object in `slot` as paste places it, with the same picture.
int duplicateInto(document::CardChange& change, int slot, document::Prompter& ask);

// The first "ClipboardN.png" (N = 1, 2, ...) that does not yet exist in `folder`.
QString freshPictureName(const QString& folder);

}  // namespace vellamo::editor
