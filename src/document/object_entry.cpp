#include "document/object_entry.h"

#include "document/binary_io.h"
#include "document/card_document.h"
#include "document/card_file.h"

namespace vellamo::document {

QByteArray objectEntryToBytes(int slot, const Tobs& object)
{
    QByteArray bytes;
    appendObjectEntry(bytes, slot, object);
    return bytes;
}

std::optional<ObjectEntry> objectEntryFromBytes(const QByteArray& bytes)
{
    ObjectEntry entry;
    ByteReader in(bytes);
    const auto slot = in.int32();
    if (!slot || !readObjectFields(in, entry.object) || !in.atEnd() || *slot < FirstSlot ||
        *slot > LastSlot || !entry.object.isUsed())
        return std::nullopt;
    entry.slot = *slot;
    return entry;
}

}  // namespace vellamo::document
