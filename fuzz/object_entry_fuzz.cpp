// The clipboard's object entry reader (what another running program pasted): any bytes give a
// whole entry or none, and an entry read writes back as one that reads the same.

#include "document/object_entry.h"
#include "fuzz_support.h"

using namespace vellamo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto entry = document::objectEntryFromBytes(fuzzing::inputBytes(data, size));
    if (!entry)
        return 0;
    fuzzing::check(entry->slot >= 1 && entry->slot <= 10000, "a slot of the card");
    fuzzing::check(entry->object.isUsed(), "an object of a known kind");
    const QByteArray written = document::objectEntryToBytes(entry->slot, entry->object);
    const auto again = document::objectEntryFromBytes(written);
    fuzzing::check(again.has_value(), "a written entry reads back");
    fuzzing::check(again->slot == entry->slot, "the slot reads back");
    fuzzing::check(document::objectEntryToBytes(again->slot, again->object) == written,
                   "an entry reads back as it was written");
    return 0;
}
