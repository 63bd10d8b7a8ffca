#include "scanning/frame_assembler.h"

#include <cstring>
#include <gtest/gtest.h>
#include <vector>

using namespace vellamo::scanning;

namespace {

void feedByteByByte(FrameAssembler& frames, const std::vector<std::uint8_t>& bytes)
{
    for (const std::uint8_t b : bytes)
        frames.addBytes(&b, 1);
}

}  // namespace

TEST(FrameAssembler, PaddedRgbLinesArrivingInPieces)
{
    FrameAssembler frames;
    // Two pixels of three samples, then two bytes of padding per line.
    ASSERT_TRUE(frames.beginFrame({FrameFormat::Rgb, true, 8, 2, 2, 8}));
    EXPECT_EQ(frames.expectedBytes(), 16);
    feedByteByByte(frames, {10, 20, 30, 40, 50, 60, 99, 99, 1, 2, 3, 4, 5, 6, 99, 99});
    frames.endFrame();
    const auto picture = frames.takePicture();
    ASSERT_TRUE(picture.isLoaded());
    EXPECT_EQ(picture.bitsPerPixel(), 24);
    EXPECT_EQ(picture.image().pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(picture.image().pixel(1, 0), qRgb(40, 50, 60));
    EXPECT_EQ(picture.image().pixel(0, 1), qRgb(1, 2, 3));
    EXPECT_EQ(picture.image().pixel(1, 1), qRgb(4, 5, 6));
}

TEST(FrameAssembler, SampleDepths)
{
    {
        // Grey line art: a set bit is black; nine pixels take two bytes.
        FrameAssembler frames;
        ASSERT_TRUE(frames.beginFrame({FrameFormat::Gray, true, 2, 9, 1, 1}));
        const std::uint8_t line[] = {0b10100000, 0b10000000};
        frames.addBytes(line, 2);
        const QImage image = frames.takePicture().image();
        EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
        EXPECT_EQ(image.pixel(1, 0), qRgb(255, 255, 255));
        EXPECT_EQ(image.pixel(2, 0), qRgb(0, 0, 0));
        EXPECT_EQ(image.pixel(7, 0), qRgb(255, 255, 255));
        EXPECT_EQ(image.pixel(8, 0), qRgb(0, 0, 0));
    }
    {
        // Colour at one bit: a set bit is full intensity.
        FrameAssembler frames;
        ASSERT_TRUE(frames.beginFrame({FrameFormat::Rgb, true, 1, 2, 1, 1}));
        const std::uint8_t line[] = {0b10001100};
        frames.addBytes(line, 1);
        const QImage image = frames.takePicture().image();
        EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
        EXPECT_EQ(image.pixel(1, 0), qRgb(0, 255, 255));
    }
    {
        // 16-bit samples in the host's order keep their high byte.
        FrameAssembler frames;
        ASSERT_TRUE(frames.beginFrame({FrameFormat::Gray, true, 4, 2, 1, 16}));
        const std::uint16_t samples[] = {0xABFF, 0x0100};
        std::uint8_t line[4];
        std::memcpy(line, samples, 4);
        frames.addBytes(line, 4);
        const QImage image = frames.takePicture().image();
        EXPECT_EQ(image.pixel(0, 0), qRgb(0xAB, 0xAB, 0xAB));
        EXPECT_EQ(image.pixel(1, 0), qRgb(1, 1, 1));
    }
}

TEST(FrameAssembler, ThreePassesInAnyOrderFillTheirOwnChannel)
{
    FrameAssembler frames;
    const std::uint8_t blue[] = {7, 8}, red[] = {1, 2}, green[] = {4, 5};
    ASSERT_TRUE(frames.beginFrame({FrameFormat::Blue, false, 1, 1, 2, 8}));
    EXPECT_EQ(frames.expectedBytes(), 6);
    frames.addBytes(blue, 2);
    frames.endFrame();
    ASSERT_TRUE(frames.beginFrame({FrameFormat::Red, false, 1, 1, 2, 8}));
    frames.addBytes(red, 2);
    frames.endFrame();
    EXPECT_FALSE(frames.beginFrame({FrameFormat::Green, true, 2, 2, 2, 8}));  // a wider pass
    ASSERT_TRUE(frames.beginFrame({FrameFormat::Green, true, 1, 1, 2, 8}));
    frames.addBytes(green, 2);
    frames.endFrame();
    const QImage image = frames.takePicture().image();
    EXPECT_EQ(image.pixel(0, 0), qRgb(1, 4, 7));
    EXPECT_EQ(image.pixel(0, 1), qRgb(2, 5, 8));
}

TEST(FrameAssembler, HeightsAndBadParameters)
{
    {
        // Unknown height: the picture is as high as the lines that came, across a growth step.
        FrameAssembler frames;
        ASSERT_TRUE(frames.beginFrame({FrameFormat::Gray, true, 1, 1, -1, 8}));
        EXPECT_EQ(frames.expectedBytes(), 0);
        std::vector<std::uint8_t> lines(5);
        for (int i = 0; i < 5; ++i)
            lines[i] = std::uint8_t(i * 10);
        frames.addBytes(lines.data(), lines.size());
        frames.endFrame();
        const QImage image = frames.takePicture().image();
        ASSERT_EQ(image.size(), QSize(1, 5));
        EXPECT_EQ(image.pixel(0, 4), qRgb(40, 40, 40));
    }
    {
        // Lines beyond the announced height are dropped; lines never sent stay white.
        FrameAssembler frames;
        ASSERT_TRUE(frames.beginFrame({FrameFormat::Gray, true, 1, 1, 3, 8}));
        const std::uint8_t two[] = {0, 0};
        frames.addBytes(two, 2);
        QImage image = frames.takePicture().image();
        ASSERT_EQ(image.size(), QSize(1, 3));
        EXPECT_EQ(image.pixel(0, 2), qRgb(255, 255, 255));
        ASSERT_TRUE(frames.beginFrame({FrameFormat::Gray, true, 1, 1, 1, 8}));
        const std::uint8_t three[] = {0, 9, 9};
        frames.addBytes(three, 3);
        image = frames.takePicture().image();
        EXPECT_EQ(image.size(), QSize(1, 1));
        EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
    }
    FrameAssembler frames;
    EXPECT_FALSE(frames.beginFrame({FrameFormat::Gray, true, 1, 1, 1, 4}));
    EXPECT_FALSE(frames.error().isEmpty());
    EXPECT_FALSE(frames.beginFrame({FrameFormat::Rgb, true, 5, 2, 1, 8}));  // six bytes needed
    EXPECT_FALSE(frames.beginFrame({FrameFormat::Gray, true, 1, 0, 1, 8}));
    EXPECT_FALSE(frames.beginFrame({FrameFormat::Gray, true, 100000, 100000, 100000, 8}));
    // A one-pixel line announced as 2 GB long.
    EXPECT_FALSE(frames.beginFrame({FrameFormat::Gray, true, 0x7FFFFFFF, 1, 1, 8}));
    EXPECT_FALSE(frames.beginFrame({FrameFormat::Rgb, true, 0x7FFFFFFF, 1, -1, 16}));
    EXPECT_FALSE(frames.takePicture().isLoaded());
}
