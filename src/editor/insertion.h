#pragma once

// A new shape, text or picture at the release point, in the lowest free slot.

#include "document/card_document.h"
#include "document/prompter.h"
#include "editor/editor_dialogs.h"
#include "imaging/progress.h"

namespace vellamo::editor {

enum class NewObjectKind { Shape, Text, Picture };

struct InsertionContext {
    document::Prompter& ask;
    // The picture tool asks for a file; null creates no picture.
    PictureChooser* pictures = nullptr;
    QString programFolder;
    int screenDpi = 96;
    FontChoice font;
    imaging::ProgressCallback progress;
};

// The slot of the new object, selected; 0 when nothing was created (full card, cancelled or
// unreadable picture), after the program's message where there is one.
int insertObject(document::CardDocument& doc, NewObjectKind kind, int x, int y, InsertionContext& context);

}  // namespace vellamo::editor
