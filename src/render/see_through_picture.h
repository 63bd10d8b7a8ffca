#pragma once

// Transparent pictures for surfaces whose pixels cannot be read back (printers, PDF and SVG
// files, widgets): the picture itself with its key colour see-through, so that the surface
// composes it as the editor does pixel by pixel.

#include "imaging/dib_record.h"

#include <cstdint>
#include <map>
#include <tuple>

namespace vellamo::render {

// A 32-bit copy of `picture`: pixels whose getpixel value equals `key` have alpha 0, all others
// are opaque in the colour the editor shows (a palette entry, or the pixel's colour without its
// alpha). Not loaded when the picture is not, or the memory cannot be had.
imaging::DibRecord seeThroughPicture(const imaging::DibRecord& picture, std::uint32_t key);

// The see-through copies of one job. A card drawn a thousand times hands the very same image
// over each time, which a PDF then holds once. Pictures are told apart by their pixels' identity,
// so a turned or replaced picture gets a copy of its own.
class SeeThroughPictures {
public:
    const imaging::DibRecord& picture(const imaging::DibRecord& picture, std::uint32_t key);

private:
    std::map<std::tuple<qint64, int, std::uint32_t>, imaging::DibRecord> m_copies;
};

}  // namespace vellamo::render
