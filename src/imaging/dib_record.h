#pragma once

// A picture as the program passes it around: a value over an implicitly shared QImage plus the
// bit depth the picture had in its file. Copies share pixels until one of them writes.
//
// Representation: 1-, 4- and 8-bit pictures are Format_Indexed8 with a colour table of
// exactly 2, 16 or 256 entries; 24-bit pictures are Format_RGB32; 32-bit pictures (with alpha)
// are Format_ARGB32. Row 0 is the top row.

#include <QImage>
#include <QList>
#include <cstdint>

namespace vellamo::imaging {

class DibRecord {
public:
    DibRecord() = default;
    // Adopts an image already in the representation above; anything else is converted.
    DibRecord(const QImage& image, int bitsPerPixel);

    bool isLoaded() const { return !m_image.isNull(); }
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    int bitsPerPixel() const { return m_bits; }
    bool isPalettePicture() const { return m_bits > 0 && m_bits <= 8; }
    // The picture's colour table (2^bits entries) for palette pictures, empty otherwise.
    QList<QRgb> colorTable() const;

    const QImage& image() const { return m_image; }
    QImage& image() { return m_image; }

    void clear();

    // Set once a picture object's chosen transparent colour has been turned into an index of
    // this picture's palette, so that the index is not taken for a colour again. It belongs to
    // the picture as loaded in this run: a picture read afresh starts without it.
    bool transparentKeyIsIndex() const { return m_keyIsIndex; }
    void setTransparentKeyIsIndex(bool isIndex) { m_keyIsIndex = isIndex; }

private:
    QImage m_image;
    int m_bits = 0;
    bool m_keyIsIndex = false;
};

// Entries in a colour table of a picture of this depth: 1 -> 2, 4 -> 16, 8 -> 256, else 0.
int colorTableSize(int bitsPerPixel);

// The Windows colour value 0x00BBGGRR of an RGB triple and back.
std::uint32_t colorRefFromRgb(QRgb rgb);
QRgb rgbFromColorRef(std::uint32_t colorRef);

// Releases the picture; harmless on a record that is not loaded.
void deldib(DibRecord& record);

// A blank picture of the given geometry. Palette pictures take up to `colorCount` entries of
// `colorTable` (the rest black). False, and `out` not loaded, when the geometry is unusable
// or the memory cannot be had.
bool newdib(DibRecord& out, int width, int height, int bitsPerPixel, const QRgb* colorTable, int colorCount);

// Palette pictures: the palette index. 24-bit pictures: the colour as 0x00BBGGRR. 32-bit
// pictures: the same with 255 - alpha in the top byte, so an opaque pixel compares equal to a
// Windows colour value. Outside the picture: 0.
std::uint32_t getpixel(const DibRecord& record, int x, int y);
// Stores a value read by getpixel from a picture of the same depth; outside the picture: nothing.
void setpixel(DibRecord& record, int x, int y, std::uint32_t value);

// The largest picture the library creates or reads, in pixels; beyond it a picture is refused.
inline constexpr qint64 MaxPicturePixels = qint64(1) << 28;

// What one picture read from a file may take once decoded. A file of a few kilobytes can declare
// a gigapixel; such a picture is read smaller where its format allows, otherwise refused.
inline constexpr qint64 MaxDecodedPictureBytes = qint64(256) << 20;
// All pictures of one card together, so that a card with many such pictures stays usable too.
inline constexpr qint64 MaxCardPicturesBytes = qint64(512) << 20;
// The pixels a decoded picture of `bytes` may have: at most 4 bytes each.
constexpr qint64 decodedPixelsFor(qint64 bytes) { return bytes / 4; }

}  // namespace vellamo::imaging
