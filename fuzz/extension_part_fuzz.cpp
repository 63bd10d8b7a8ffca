// The extension part after a file's documented layout: any bytes are read without a crash, and
// what was read (whole, or up to the damage) is written and read back unchanged.

#include "document/extension_part.h"
#include "fuzz_support.h"

using namespace vellamo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    document::ExtensionPart part;
    if (document::readExtension(fuzzing::inputBytes(data, size), 0, part) == document::ExtensionRead::Absent)
        return 0;
    const QByteArray written = document::extensionToBytes(part);
    document::ExtensionPart again;
    const auto reread = document::readExtension(written, 0, again);
    fuzzing::check(part.isEmpty() ? reread == document::ExtensionRead::Absent
                                  : reread == document::ExtensionRead::Read,
                   "a written part reads back whole");
    fuzzing::check(again == part, "a part reads back as it was written");
    return 0;
}
