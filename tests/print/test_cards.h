#pragma once

// Cards whose drawing is easy to find on a page: a red 10 mm x 5 mm box in the card's top-left
// corner on a card left white, or filled light grey.

#include "document/card_document.h"

namespace vellamo::testing {

inline document::CardDocument
redCornerCard(const document::CardFormat& format = document::defaultCardFormat(), bool greyCard = false)
{
    document::CardDocument doc;
    doc.Format = format;
    doc.updateExtents();
    const int left = doc.CardExtentX / 3;
    const int top = doc.CardExtentY / 3;
    if (greyCard) {
        document::Tobs& card = doc.object(1);
        card.Kind = document::ShapeObject;
        card.ShapeKind = 3;
        card.Left = left;
        card.Top = top;
        card.Width = left;
        card.Height = top;
        card.Color = 0xC0C0C0;
    }
    document::Tobs& o = doc.object(5);
    o.Kind = document::ShapeObject;
    o.ShapeKind = 3;
    o.Left = left;
    o.Top = top;
    o.Width = 7874;
    o.Height = 3937;
    o.Color = 0x0000FF;
    return doc;
}

}  // namespace vellamo::testing
