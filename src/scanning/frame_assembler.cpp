#include "scanning/frame_assembler.h"

#include <algorithm>
#include <cstring>

namespace vellamo::scanning {

namespace {

int channelsOf(FrameFormat format) { return format == FrameFormat::Rgb ? 3 : 1; }

bool isSinglePass(FrameFormat format)
{
    return format == FrameFormat::Red || format == FrameFormat::Green || format == FrameFormat::Blue;
}

// A sample reduced to 8 bits; grey line art inverted so that a set bit is black.
template <int Depth> inline std::uint8_t sampleAt(const std::uint8_t* line, int index)
{
    if constexpr (Depth == 8) {
        return line[index];
    } else if constexpr (Depth == 16) {
        std::uint16_t value;
        std::memcpy(&value, line + 2 * index, 2);
        return std::uint8_t(value >> 8);
    } else {
        return (line[index >> 3] & (0x80 >> (index & 7))) ? 255 : 0;
    }
}

template <int Depth> void convertRgb(const std::uint8_t* line, QRgb* out, int width)
{
    for (int x = 0; x < width; ++x)
        out[x] = qRgb(sampleAt<Depth>(line, 3 * x), sampleAt<Depth>(line, 3 * x + 1),
                      sampleAt<Depth>(line, 3 * x + 2));
}

template <int Depth> void convertGray(const std::uint8_t* line, QRgb* out, int width)
{
    for (int x = 0; x < width; ++x) {
        std::uint8_t v = sampleAt<Depth>(line, x);
        if constexpr (Depth == 1)
            v = std::uint8_t(255 - v);
        out[x] = qRgb(v, v, v);
    }
}

template <int Depth> void convertPlane(const std::uint8_t* line, QRgb* out, int width, int shift)
{
    const QRgb keep = ~(QRgb(0xFF) << shift);
    for (int x = 0; x < width; ++x)
        out[x] = (out[x] & keep) | (QRgb(sampleAt<Depth>(line, x)) << shift);
}

template <typename F> void byDepth(int depth, F&& f)
{
    switch (depth) {
    case 1:
        f(std::integral_constant<int, 1>());
        break;
    case 8:
        f(std::integral_constant<int, 8>());
        break;
    default:
        f(std::integral_constant<int, 16>());
        break;
    }
}

}  // namespace

bool FrameAssembler::fail(const QString& text)
{
    m_error = text;
    return false;
}

bool FrameAssembler::beginFrame(const FrameParameters& p)
{
    m_error.clear();
    if (p.depth != 1 && p.depth != 8 && p.depth != 16)
        return fail(QStringLiteral("the scanner sends %1-bit samples, which cannot be read").arg(p.depth));
    const qint64 lineBits = qint64(p.pixelsPerLine) * channelsOf(p.format) * p.depth;
    // A line may be padded, but never beyond what 16-bit colour samples of its pixels would
    // take: a device announcing more (up to 2 GB for one pixel) is not believed.
    const qint64 mostLineBytes = qint64(p.pixelsPerLine) * 6 + 64;
    if (p.pixelsPerLine <= 0 || p.bytesPerLine < (lineBits + 7) / 8 || p.bytesPerLine > mostLineBytes ||
        p.lines < -1)
        return fail(QStringLiteral("the scanner announced an unusable picture geometry"));
    if (p.lines > 0 && qint64(p.pixelsPerLine) * p.lines > imaging::MaxPicturePixels)
        return fail(QStringLiteral("the scanned picture would be too large"));
    if (m_started && p.pixelsPerLine != m_image.width())
        return fail(QStringLiteral("the scanner's colour passes differ in width"));

    if (!m_started) {
        const int rows = p.lines >= 0 ? p.lines : std::min(p.pixelsPerLine, 1024);
        m_image = QImage(p.pixelsPerLine, std::max(rows, 1), QImage::Format_RGB32);
        if (m_image.isNull())
            return fail(QStringLiteral("there is not enough memory for the scanned picture"));
        // A one-pass frame of known height writes whole rows: only rows it never sends are
        // whitened, at the end. Other frames build on what is there.
        m_whiteFromRow = p.lines >= 0 && !isSinglePass(p.format) ? 0 : -1;
        if (m_whiteFromRow < 0)
            m_image.fill(0xFFFFFFFF);
        m_rowsKnown = std::max(p.lines, 0);
        m_expectedBytes =
            p.lines > 0 ? qint64(p.bytesPerLine) * p.lines * (isSinglePass(p.format) ? 3 : 1) : 0;
        m_started = true;
    } else {
        // A further frame builds on the rows the first one skipped: they must be white by now.
        whitenUnsentRows(m_image);
    }
    m_frame = p;
    m_row = 0;
    m_partial.assign(std::size_t(p.bytesPerLine), 0);
    m_partialSize = 0;
    return true;
}

bool FrameAssembler::ensureRow(int row)
{
    if (m_frame.lines >= 0)
        return row < m_frame.lines && row < m_image.height();
    // Hand scanners: the picture grows as lines arrive, doubling to keep copies rare.
    if (row >= m_image.height()) {
        const int height = m_image.height() * 2;
        if (qint64(m_image.width()) * height > imaging::MaxPicturePixels)
            return false;
        QImage grown(m_image.width(), height, QImage::Format_RGB32);
        if (grown.isNull())
            return false;
        grown.fill(0xFFFFFFFF);
        for (int y = 0; y < m_rowsKnown; ++y)
            std::memcpy(grown.scanLine(y), m_image.constScanLine(y), std::size_t(m_image.bytesPerLine()));
        m_image = std::move(grown);
    }
    m_rowsKnown = std::max(m_rowsKnown, row + 1);
    return true;
}

void FrameAssembler::convertLine(const std::uint8_t* line)
{
    if (!ensureRow(m_row))
        return;
    QRgb* out = reinterpret_cast<QRgb*>(m_image.scanLine(m_row));
    const int width = m_image.width();
    ++m_row;
    if (m_whiteFromRow >= 0)
        m_whiteFromRow = std::max(m_whiteFromRow, m_row);
    byDepth(m_frame.depth, [&](auto depth) {
        constexpr int D = decltype(depth)::value;
        switch (m_frame.format) {
        case FrameFormat::Rgb:
            convertRgb<D>(line, out, width);
            break;
        case FrameFormat::Gray:
            convertGray<D>(line, out, width);
            break;
        case FrameFormat::Red:
            convertPlane<D>(line, out, width, 16);
            break;
        case FrameFormat::Green:
            convertPlane<D>(line, out, width, 8);
            break;
        case FrameFormat::Blue:
            convertPlane<D>(line, out, width, 0);
            break;
        }
    });
}

void FrameAssembler::addBytes(const std::uint8_t* data, std::size_t size)
{
    if (!m_started || m_partial.empty())
        return;
    const std::size_t lineSize = m_partial.size();
    if (m_partialSize > 0) {
        const std::size_t take = std::min(size, lineSize - m_partialSize);
        std::memcpy(m_partial.data() + m_partialSize, data, take);
        m_partialSize += take;
        data += take;
        size -= take;
        if (m_partialSize < lineSize)
            return;
        convertLine(m_partial.data());
        m_partialSize = 0;
    }
    for (; size >= lineSize; data += lineSize, size -= lineSize)
        convertLine(data);
    if (size > 0) {
        std::memcpy(m_partial.data(), data, size);
        m_partialSize = size;
    }
}

void FrameAssembler::whitenUnsentRows(QImage& image)
{
    for (int y = std::max(m_whiteFromRow, 0); m_whiteFromRow >= 0 && y < image.height(); ++y)
        std::fill_n(reinterpret_cast<QRgb*>(image.scanLine(y)), image.width(), QRgb(0xFFFFFFFF));
    m_whiteFromRow = -1;
}

void FrameAssembler::endFrame()
{
    m_partialSize = 0;
    if (m_frame.lines < 0)
        m_frame.lines = m_rowsKnown;
}

imaging::DibRecord FrameAssembler::takePicture()
{
    QImage image = std::move(m_image);
    whitenUnsentRows(image);
    if (!image.isNull() && m_rowsKnown < image.height())
        image = m_rowsKnown > 0 ? image.copy(0, 0, image.width(), m_rowsKnown) : QImage();
    *this = FrameAssembler();
    return image.isNull() ? imaging::DibRecord() : imaging::DibRecord(image, 24);
}

}  // namespace vellamo::scanning
