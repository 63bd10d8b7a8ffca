#include "document/new_card.h"

namespace vellamo::document {

bool Neu1Click(CardDocument& doc, CardFileContext& context, CardFormatChooser& formats)
{
    if (doc.StartupNewDone) {
        const Answer answer = context.ask.ask({QStringLiteral("New Business Card"),
                                               QStringLiteral("Do you want to save before?"),
                                               MessageButtons::YesNoCancel, MessageIcon::Question});
        if (answer == Answer::Cancel)
            return false;
        if (answer == Answer::Yes && !SaveItemClick(doc, context))
            return false;
    }
    CardFormat chosen = doc.Format;
    if (!formats.choose(chosen))
        return false;
    doc.Format = usableCardFormat(chosen);
    doc.clearall();
    doc.Extension.clear();
    doc.updateExtents();
    return true;
}

}  // namespace vellamo::document
