#include "render/see_through_picture.h"

namespace vellamo::render {

using imaging::DibRecord;

DibRecord seeThroughPicture(const DibRecord& picture, std::uint32_t key)
{
    if (!picture.isLoaded())
        return {};
    QImage out(picture.width(), picture.height(), QImage::Format_ARGB32);
    if (out.isNull())
        return {};
    const bool palette = picture.isPalettePicture();
    const QList<QRgb> table = picture.colorTable();
    for (int y = 0; y < out.height(); ++y) {
        auto* target = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const std::uint32_t v = imaging::getpixel(picture, x, y);
            if (v == key)
                target[x] = qRgba(0, 0, 0, 0);
            else if (palette)
                target[x] = (v < std::uint32_t(table.size()) ? table[qsizetype(v)] : 0u) | 0xFF000000u;
            else
                target[x] = imaging::rgbFromColorRef(v & 0xFFFFFFu);
        }
    }
    return DibRecord(out, 32);
}

const DibRecord& SeeThroughPictures::picture(const DibRecord& picture, std::uint32_t key)
{
    const auto id = std::make_tuple(picture.image().cacheKey(), picture.bitsPerPixel(), key);
    auto found = m_copies.find(id);
    if (found == m_copies.end())
        found = m_copies.emplace(id, seeThroughPicture(picture, key)).first;
    return found->second;
}

}  // namespace vellamo::render
