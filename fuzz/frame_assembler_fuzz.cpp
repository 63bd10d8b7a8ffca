// The scan frame assembler, with what a scanner may announce and send: up to four frames, each
// a parameter block as the device gives it and then its bytes in pieces of any size. Whatever
// the device says, the assembler refuses it or builds a picture of the announced width.
//
// Input: per frame 15 bytes of parameters (format, last frame, depth, bytes per line as 32 bits,
// pixels per line and lines as 16 bits each), a 16-bit byte count, then pieces of that many
// bytes, each preceded by its length byte. Widths and heights stay within 2048: the memory a
// real large scan takes (up to the 1 GB the assembler allows) is not what is looked for here.

#include "fuzz_support.h"
#include "scanning/frame_assembler.h"

#include <algorithm>
#include <cstring>

using namespace vellamo;

namespace {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    std::size_t left() const { return m_size - m_at; }
    std::uint32_t take(int bytes)
    {
        std::uint32_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value = value << 8 | (m_at < m_size ? m_data[m_at++] : 0);
        return value;
    }
    const std::uint8_t* skip(std::size_t n)
    {
        const std::uint8_t* at = m_data + m_at;
        m_at += std::min(n, left());
        return at;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input in(data, size);
    scanning::FrameAssembler frames;
    int width = 0;
    for (int frame = 0; frame < 4 && in.left() >= 15; ++frame) {
        scanning::FrameParameters p;
        p.format = scanning::FrameFormat(in.take(1) % 5);
        p.lastFrame = in.take(1) & 1;
        p.depth = int(std::int8_t(in.take(1)));
        p.bytesPerLine = int(in.take(4));
        p.pixelsPerLine = int(std::int16_t(in.take(2))) % 2049;
        p.lines = int(std::int16_t(in.take(2))) % 2049;
        in.take(4);  // room for later parameters; keeps seeds stable
        if (!frames.beginFrame(p)) {
            fuzzing::check(!frames.error().isEmpty(), "a refused frame says why");
            return 0;
        }
        if (frame == 0)
            width = p.pixelsPerLine;
        std::size_t bytes = std::min<std::size_t>(in.take(2), in.left());
        while (bytes > 0 && in.left() > 0) {
            const std::size_t piece = std::min<std::size_t>({in.take(1) + 1u, bytes, in.left()});
            frames.addBytes(in.skip(piece), piece);
            bytes -= piece;
        }
        frames.endFrame();
        if (p.lastFrame)
            break;
    }
    const imaging::DibRecord picture = frames.takePicture();
    if (picture.isLoaded()) {
        fuzzing::check(picture.width() == width, "the picture has the announced width");
        fuzzing::check(picture.bitsPerPixel() == 24, "a scan is a 24-bit picture");
        imaging::getpixel(picture, picture.width() - 1, picture.height() - 1);
    }
    return 0;
}
