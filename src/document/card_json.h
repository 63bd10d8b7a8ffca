#pragma once

// Every stored field of a card as JSON, keyed by field name, and back. Writing the document
// that cardFromJson builds gives the same bytes as the file cardToJson was made from.

#include "document/card_document.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <functional>
#include <optional>

namespace vellamo::document {

QJsonObject cardToJson(const CardDocument& doc);

// The text of QJsonDocument(cardToJson(doc)).toJson(), handed to `sink` in pieces: the card's
// strings are escaped a slice at a time, so a card with a huge text is never held whole a
// second time (or a third, as UTF-16 and as JSON).
void writeCardJson(const CardDocument& doc, const std::function<void(const QByteArray&)>& sink);

// Keys left out keep the values of a fresh document. The message says what is wrong with
// data that is not such an object.
struct CardFromJsonResult {
    bool ok = false;
    QString message;
};
CardFromJsonResult cardFromJson(const QJsonObject& json, CardDocument& doc);

}  // namespace vellamo::document
