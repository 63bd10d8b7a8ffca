// "Visiten.dat": any bytes are read without a crash; a list read is written and read back unchanged.

#include "document/card_format_list.h"
#include "fuzz_support.h"

using namespace vellamo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = fuzzing::inputBytes(data, size);
    const document::CardFormatListFile file = document::readCardFormatList(bytes);
    const auto entries = document::cardFormatListFromBytes(bytes);
    fuzzing::check(file.damaged || (entries && document::cardFormatListToBytes(*entries) ==
                                                   bytes.left(8 + qsizetype(entries->size()) * 112)),
                   "a list read whole is the entries it gives");
    if (!entries)
        return 0;
    const QByteArray written = document::cardFormatListToBytes(*entries);
    const auto again = document::cardFormatListFromBytes(written);
    fuzzing::check(again && document::cardFormatListToBytes(*again) == written,
                   "a format list reads back as it was written");
    return 0;
}
