// The card file reader: any bytes are read without a crash, and what was read is written and
// read back unchanged.

#include "document/card_file.h"
#include "fuzz_support.h"

using namespace vellamo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    document::CardDocument doc;
    const auto read = document::readCardBytes(fuzzing::inputBytes(data, size), doc);
    if (!read.signatureMatched)
        return 0;
    const QByteArray written = document::cardToBytes(doc);
    document::CardDocument again;
    const auto reread = document::readCardBytes(written, again);
    fuzzing::check(reread.signatureMatched && reread.complete, "a written card reads back whole");
    fuzzing::check(document::cardToBytes(again) == written, "a card reads back as it was written");
    document::makeReadCardUsable(doc, 1.0, 1.0);
    return 0;
}
