// Our PCX codec: any bytes are read or refused without a crash, and a picture read is written
// back and reads back with the same colours.

#include "fuzz_support.h"
#include "imaging/pcx_codec.h"

using namespace vellamo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const imaging::DibRecord picture = imaging::readPcx(fuzzing::inputBytes(data, size));
    if (!picture.isLoaded())
        return 0;
    const auto written = imaging::writePcx(picture);
    fuzzing::check(written.has_value(), "a picture read is written");
    const imaging::DibRecord again = imaging::readPcx(*written);
    fuzzing::check(again.isLoaded(), "a written picture reads back");
    fuzzing::check(fuzzing::sameColours(again.image(), picture.image()), "the colours come back");
    return 0;
}
