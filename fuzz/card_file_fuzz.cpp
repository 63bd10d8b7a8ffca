// The card file reader: any bytes are read without a crash, and what was read is written and
// read back unchanged.

#include "document/card_file.h"
#include "fuzz_support.h"

using namespace vellamo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Documents are reused: every read clears its document first, and a fresh one of 10000
    // slots per input would take most of the time.
    static document::CardDocument doc;
    const auto read = document::readCardBytes(fuzzing::inputBytes(data, size), doc);
    if (!read.signatureMatched)
        return 0;
    const QByteArray written = document::cardToBytes(doc);
    static document::CardDocument again;
    const auto reread = document::readCardBytes(written, again);
    fuzzing::check(reread.signatureMatched && reread.complete, "a written card reads back whole");
    fuzzing::check(document::cardToBytes(again) == written, "a card reads back as it was written");
    document::makeReadCardUsable(doc, 1.0, 1.0);
    return 0;
}
