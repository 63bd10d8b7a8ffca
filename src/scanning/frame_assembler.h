#pragma once

// Turns the frames a scanner sends into one 24-bit picture, line by line as the bytes arrive,
// so that a scan never needs a second whole copy of itself. No SANE calls here: the scanner
// hands over the frame parameters and the bytes, tests hand over their own.

#include "imaging/dib_record.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vellamo::scanning {

// The colour planes a frame carries: all three interleaved, grey, or one of three passes.
enum class FrameFormat { Gray, Rgb, Red, Green, Blue };

struct FrameParameters {
    FrameFormat format = FrameFormat::Gray;
    bool lastFrame = true;
    int bytesPerLine = 0;
    int pixelsPerLine = 0;
    // -1 when the scanner does not know the height beforehand (hand scanners).
    int lines = 0;
    // Bits per sample: 1, 8 or 16. Grey 1-bit is line art, where a set bit is black; in every
    // other format a set bit is full intensity. 16-bit samples are in the host's byte order.
    int depth = 8;
};

class FrameAssembler {
public:
    // Starts the next frame. False, with error() set, when the parameters cannot describe a
    // picture or a later pass does not match the first pass's width.
    bool beginFrame(const FrameParameters& parameters);
    // Converts every complete line; an incomplete line waits for the next call. Lines beyond
    // the frame's announced height are ignored.
    void addBytes(const std::uint8_t* data, std::size_t size);
    // Closes the frame; a hand-scanner frame ends at the lines received.
    void endFrame();

    // Bytes the whole scan will carry (three frames for a three-pass scan); 0 when unknown.
    std::int64_t expectedBytes() const { return m_expectedBytes; }
    const QString& error() const { return m_error; }

    // The picture so far, 24-bit; lines never sent stay white. The assembler is empty afterwards.
    imaging::DibRecord takePicture();

private:
    bool fail(const QString& text);
    void convertLine(const std::uint8_t* line);
    bool ensureRow(int row);
    void whitenUnsentRows(QImage& image);

    FrameParameters m_frame;
    QImage m_image;
    int m_rowsKnown = 0;      // rows of m_image that belong to the picture
    int m_row = 0;            // next row of the current frame
    int m_whiteFromRow = -1;  // rows from here on are still to be whitened; -1: the picture is filled
    std::vector<std::uint8_t> m_partial;
    std::size_t m_partialSize = 0;
    std::int64_t m_expectedBytes = 0;
    bool m_started = false;
    QString m_error;
};

}  // namespace vellamo::scanning
