#pragma once

// Open, Save and Save as: the questions, checks and messages around the card file.

#include "document/card_document.h"
#include "document/picture_loader.h"
#include "document/prompter.h"

#include <QString>
#include <functional>

namespace vellamo::document {

inline const QString CardFileFilter = QStringLiteral("Business cards (*.vis)|*.vis");
inline const QString CardFileSuffix = QStringLiteral("vis");
// The caption of the application's own error reports.
inline const QString ApplicationTitle = QStringLiteral("Vellamo 3.5");

struct CardFileContext {
    Prompter& ask;
    const PictureLoader& pictures;
    // Initial folder of the card dialogs.
    QString programFolder;
    // Called when a card read from a file is in the document and a message about the file
    // follows, so that the user sees the card (and its name) behind the message.
    std::function<void()> cardShown = {};
};

// Writes the card to `path` through a temporary file, so a failed save leaves any previous file
// intact. On success the card takes the name.
bool Saveit(CardDocument& doc, const QString& path, Prompter& ask);

// Save to the card's name, or Save as when it has none.
bool SaveItemClick(CardDocument& doc, CardFileContext& context);
// Asks for a name (and whether to overwrite an existing file), then saves.
bool Speichernunter1Click(CardDocument& doc, CardFileContext& context);

// Reads a card file, after offering to save a card that has objects. The result says whether
// the card was replaced by the file's. A file that ends early gives the objects read so far and,
// after everything else, one message that says so and how many objects there are.
bool OpenItNow(CardDocument& doc, const QString& path, CardFileContext& context);
// Asks for a card file and reads it.
bool OpenItemClick(CardDocument& doc, CardFileContext& context);

}  // namespace vellamo::document
