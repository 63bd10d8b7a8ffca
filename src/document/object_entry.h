#pragma once

// One object on its own in the card file's entry layout, as the clipboard carries it between
// running programs: the slot index it came from, then every stored field.

#include "document/tobs.h"

#include <QByteArray>
#include <optional>

namespace vellamo::document {

struct ObjectEntry {
    int slot = 0;
    Tobs object;
};

QByteArray objectEntryToBytes(int slot, const Tobs& object);

// All of the entry or nothing: a slot outside 1..10000, a Kind other than 1..3, a field cut
// short or bytes left over refuse the whole record. The picture is not part of it.
std::optional<ObjectEntry> objectEntryFromBytes(const QByteArray& bytes);

}  // namespace vellamo::document
