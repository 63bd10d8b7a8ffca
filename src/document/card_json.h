#pragma once

// Every stored field of a card as JSON, keyed by field name, and back. Writing the document
// that cardFromJson builds gives the same bytes as the file cardToJson was made from.

#include "document/card_document.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <optional>

namespace vellamo::document {

QJsonObject cardToJson(const CardDocument& doc);

// Keys left out keep the values of a fresh document. The message says what is wrong with
// data that is not such an object.
struct CardFromJsonResult {
    bool ok = false;
    QString message;
};
CardFromJsonResult cardFromJson(const QJsonObject& json, CardDocument& doc);

}  // namespace vellamo::document
