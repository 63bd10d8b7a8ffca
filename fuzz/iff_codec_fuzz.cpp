// Our IFF/LBM codec: any bytes are read or refused without a crash, and a palette picture
// read is written back in both layouts and reads back with the same colours.

#include "fuzz_support.h"
#include "imaging/ilbm_codec.h"

using namespace vellamo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const imaging::DibRecord picture = imaging::readIff(fuzzing::inputBytes(data, size));
    if (!picture.isLoaded() || !picture.isPalettePicture())
        return 0;
    for (const auto layout : {imaging::IffLayout::Planar, imaging::IffLayout::Chunky}) {
        const auto written = imaging::writeIff(picture, layout);
        fuzzing::check(written.has_value(), "a palette picture read is written");
        const imaging::DibRecord again = imaging::readIff(*written);
        fuzzing::check(again.isLoaded(), "a written picture reads back");
        fuzzing::check(fuzzing::sameColours(again.image(), picture.image()), "the colours come back");
    }
    return 0;
}
