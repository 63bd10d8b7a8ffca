// Run-length bitmaps: any bytes are read or refused without a crash, and an 8-bit palette
// picture read is written as RLE8 and reads back with the same colours.

#include "fuzz_support.h"
#include "imaging/bmp_rle_codec.h"
#include "imaging/picture_reader.h"

using namespace vellamo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    imaging::DibRecord picture;
    if (!imaging::readPicture(picture, fuzzing::inputBytes(data, size)) || !picture.isPalettePicture())
        return 0;
    const auto written = imaging::writeRle8Bitmap(picture);
    fuzzing::check(written.has_value(), "a palette picture read is written");
    imaging::DibRecord again;
    fuzzing::check(imaging::readPicture(again, *written), "a written picture reads back");
    fuzzing::check(again.bitsPerPixel() == 8, "RLE8 is an 8-bit picture");
    fuzzing::check(fuzzing::sameColours(again.image(), picture.image()), "the colours come back");
    return 0;
}
