#pragma once

// The New command: offer to save, let the user pick a card format, start an empty card.

#include "document/card_document.h"
#include "document/card_file_commands.h"

namespace vellamo::document {

// The card format list dialog as New uses it.
class CardFormatChooser {
public:
    virtual ~CardFormatChooser() = default;
    // Shows the list; on OK the chosen format is in `current` and the result is true.
    virtual bool choose(CardFormat& current) = 0;
};

// The save question is asked only once the automatic New at start-up has run. True when an
// empty card in the chosen format replaced the old one; the caller then shows it.
bool Neu1Click(CardDocument& doc, CardFileContext& context, CardFormatChooser& formats);

}  // namespace vellamo::document
