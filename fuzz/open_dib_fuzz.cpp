// The picture reader behind OpenDib, for every picture type: any bytes are read or refused
// without a crash, and a picture read is one the library can work with.

#include "fuzz_support.h"
#include "imaging/picture_reader.h"

using namespace vellamo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    imaging::DibRecord picture;
    if (!imaging::readPicture(picture, fuzzing::inputBytes(data, size)))
        return 0;
    fuzzing::check(picture.width() > 0 && picture.height() > 0, "a loaded picture has pixels");
    fuzzing::check(qint64(picture.width()) * picture.height() <= imaging::MaxPicturePixels,
                   "a loaded picture stays within the size limit");
    const int bits = picture.bitsPerPixel();
    fuzzing::check(bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32, "a known depth");
    // Touch the corners, where a wrong row length would show.
    imaging::getpixel(picture, 0, 0);
    imaging::getpixel(picture, picture.width() - 1, picture.height() - 1);
    return 0;
}
