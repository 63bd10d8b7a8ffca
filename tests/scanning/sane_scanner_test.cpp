#include "scanning/sane_scanner.h"

#include "support/sane_test_backend.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace vellamo::scanning;
using vellamo::testing::SaneTestBackend;
using Options = std::map<std::string, std::string>;

namespace {

// scanimage's PNM (P4, P5, P6; 8- or 16-bit, 16-bit reduced to its high byte) as RGB32.
QImage parseScanimagePnm(const QByteArray& bytes)
{
    if (bytes.size() < 3 || bytes[0] != 'P' || bytes[1] < '4' || bytes[1] > '6')
        return {};
    const char kind = bytes[1];
    qsizetype at = 2;
    auto number = [&]() -> long {
        while (at < bytes.size() && (bytes[at] == '#' || QChar(bytes[at]).isSpace())) {
            if (bytes[at] == '#')
                while (at < bytes.size() && bytes[at] != '\n')
                    ++at;
            else
                ++at;
        }
        long value = 0;
        while (at < bytes.size() && bytes[at] >= '0' && bytes[at] <= '9')
            value = value * 10 + (bytes[at++] - '0');
        return value;
    };
    const int width = int(number());
    const int height = int(number());
    const long maxValue = kind == '4' ? 1 : number();
    ++at;
    const int sampleBytes = maxValue > 255 ? 2 : 1;
    const int channels = kind == '6' ? 3 : 1;
    const qsizetype rowBytes = kind == '4' ? (width + 7) / 8 : qsizetype(width) * channels * sampleBytes;
    if (width <= 0 || height <= 0 || bytes.size() - at < rowBytes * height)
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData()) + at;
    for (int y = 0; y < height; ++y) {
        const uchar* row = data + rowBytes * y;
        QRgb* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        // 16-bit PNM samples are big-endian: the first byte is the high byte.
        auto sample = [&](int i) { return row[i * sampleBytes]; };
        for (int x = 0; x < width; ++x) {
            if (kind == '4')
                out[x] = (row[x / 8] >> (7 - x % 8)) & 1 ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
            else if (kind == '5')
                out[x] = qRgb(sample(x), sample(x), sample(x));
            else
                out[x] = qRgb(sample(3 * x), sample(3 * x + 1), sample(3 * x + 2));
        }
    }
    return image;
}

QImage scanned(const ScanResult& result) { return result.picture.image(); }

// The scan of our scanner and of scanimage with the same settings agree in size and pixels.
void expectSameAsScanimage(const ScanResult& ours, const SaneTestBackend& backend, const QStringList& args,
                           const std::string& what)
{
    ASSERT_EQ(ours.status, ScanStatus::Scanned) << what << ": " << ours.message.toStdString();
    EXPECT_EQ(ours.picture.bitsPerPixel(), 24) << what;
    const QImage expected = parseScanimagePnm(backend.scanimage(args));
    ASSERT_FALSE(expected.isNull()) << what;
    ASSERT_EQ(scanned(ours).size(), expected.size()) << what;
    int differing = 0;
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            differing += (scanned(ours).pixel(x, y) & 0xFFFFFF) != (expected.pixel(x, y) & 0xFFFFFF);
    EXPECT_EQ(differing, 0) << what;
}

}  // namespace

TEST(SaneScanner, ListsTheTestDevices)
{
    {
        SaneTestBackend backend({}, 3);
        const DeviceList list = listScanners();
        EXPECT_TRUE(list.error.isEmpty()) << list.error.toStdString();
        ASSERT_EQ(list.devices.size(), 3u);
        EXPECT_EQ(list.devices[0].name, "test:0");
        EXPECT_EQ(list.devices[2].name, "test:2");
        EXPECT_EQ(list.devices[1].vendor, "Noname");
        EXPECT_EQ(list.devices[1].model, "frontend-tester");
        EXPECT_EQ(list.devices[1].type, "virtual device");
    }
    SaneTestBackend none({}, 0);
    const DeviceList empty = listScanners();
    EXPECT_TRUE(empty.error.isEmpty());
    EXPECT_TRUE(empty.devices.empty());
}

TEST(SaneScanner, EveryTestPictureInColourAndGreyMatchesScanimage)
{
    for (const char* picture : {"Solid black", "Solid white", "Color pattern", "Grid"}) {
        SaneTestBackend backend(Options{{"test-picture", "\"" + std::string(picture) + "\""}});
        expectSameAsScanimage(scanPicture("test:0", {ScanColour::Colour, 50}), backend,
                              {"-d", "test:0", "--mode", "Color", "--resolution", "50"},
                              std::string(picture) + " in colour");
        expectSameAsScanimage(scanPicture("test:0", {ScanColour::Grey, 50}), backend,
                              {"-d", "test:0", "--mode", "Gray", "--resolution", "50"},
                              std::string(picture) + " in grey");
    }
}

TEST(SaneScanner, GridHasTenMillimetreSquaresAndSolidPicturesAreSolid)
{
    // 80 x 100 mm at 254 dpi: 800 x 1000 pixels in squares of 100 pixels, alternating black
    // and white from a white square at the top left; looked at in the middle of each square.
    {
        SaneTestBackend backend(Options{{"test-picture", "\"Grid\""}});
        for (const ScanColour colour : {ScanColour::Colour, ScanColour::Grey}) {
            const ScanResult grid = scanPicture("test:0", {colour, 254});
            ASSERT_EQ(grid.status, ScanStatus::Scanned) << grid.message.toStdString();
            ASSERT_EQ(scanned(grid).size(), QSize(800, 1000));
            for (int row = 0; row < 10; ++row)
                for (int column = 0; column < 8; ++column)
                    ASSERT_EQ(scanned(grid).pixel(50 + 100 * column, 50 + 100 * row),
                              (row + column) % 2 ? qRgb(0, 0, 0) : qRgb(255, 255, 255))
                        << "square " << column << "," << row;
        }
    }
    for (const auto& [picture, colour] :
         {std::pair{"\"Solid black\"", qRgb(0, 0, 0)}, std::pair{"\"Solid white\"", qRgb(255, 255, 255)}}) {
        SaneTestBackend backend(Options{{"test-picture", picture}});
        const ScanResult solid = scanPicture("test:1", {ScanColour::Grey, 100});
        ASSERT_EQ(solid.status, ScanStatus::Scanned);
        // 80 mm at 100 dpi is 314.96 pixels.
        EXPECT_EQ(scanned(solid).width(), 314);
        EXPECT_EQ(scanned(solid).pixel(0, 0), colour);
        EXPECT_EQ(scanned(solid).pixel(313, scanned(solid).height() - 1), colour);
    }
}

TEST(SaneScanner, LineArtSixteenBitThreePassAndHandScannerFrames)
{
    const std::string pattern = "\"Color pattern\"";
    {
        SaneTestBackend backend(Options{{"test-picture", pattern}, {"depth", "1"}});
        expectSameAsScanimage(scanPicture("test:0", {ScanColour::Grey, 60}), backend,
                              {"-d", "test:0", "--mode", "Gray", "--depth", "1", "--resolution", "60"},
                              "line art");
    }
    {
        SaneTestBackend backend(Options{{"test-picture", pattern}, {"depth", "16"}});
        expectSameAsScanimage(scanPicture("test:0", {ScanColour::Colour, 60}), backend,
                              {"-d", "test:0", "--mode", "Color", "--depth", "16", "--resolution", "60"},
                              "16-bit colour");
        expectSameAsScanimage(scanPicture("test:0", {ScanColour::Grey, 60}), backend,
                              {"-d", "test:0", "--mode", "Gray", "--depth", "16", "--resolution", "60"},
                              "16-bit grey");
    }
    for (const char* order : {"RGB", "BRG", "GBR"}) {
        SaneTestBackend backend(
            Options{{"test-picture", pattern}, {"three-pass", "true"}, {"three-pass-order", order}});
        expectSameAsScanimage(scanPicture("test:0", {ScanColour::Colour, 60}), backend,
                              {"-d", "test:0", "--mode", "Color", "--resolution", "60"},
                              std::string("three passes ") + order);
    }
    {
        // A hand scanner does not announce its height; the picture ends where the lines do.
        SaneTestBackend backend(Options{{"test-picture", pattern}, {"hand-scanner", "true"}});
        expectSameAsScanimage(scanPicture("test:0", {ScanColour::Colour, 60}), backend,
                              {"-d", "test:0", "--mode", "Color", "--resolution", "60"}, "hand scanner");
    }
}

TEST(SaneScanner, ProgressRunsUpToAHundredAndCancelLeavesNoPicture)
{
    SaneTestBackend backend(
        Options{{"test-picture", "\"Grid\""}, {"read-limit", "true"}, {"read-limit-size", "4096"}});
    std::vector<int> seen;
    const ScanResult done =
        scanPicture("test:0", {ScanColour::Colour, 100}, [&](int p) { seen.push_back(p); });
    ASSERT_EQ(done.status, ScanStatus::Scanned);
    ASSERT_GT(seen.size(), 10u);
    EXPECT_EQ(seen.front(), 0);
    EXPECT_EQ(seen.back(), 100);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));

    std::atomic<bool> cancel = false;
    int last = 0;
    const ScanResult stopped = scanPicture(
        "test:0", {ScanColour::Colour, 100},
        [&](int p) {
            last = p;
            if (p >= 30)
                cancel = true;
        },
        &cancel);
    EXPECT_EQ(stopped.status, ScanStatus::Cancelled);
    EXPECT_FALSE(stopped.picture.isLoaded());
    EXPECT_TRUE(stopped.message.isEmpty());
    EXPECT_LT(last, 40);
}

TEST(SaneScanner, DeviceErrorsNameTheDeviceAndSanesStatus)
{
    {
        SaneTestBackend backend(Options{{"read-status-code", "\"SANE_STATUS_JAMMED\""}});
        const ScanResult jammed = scanPicture("test:1", {});
        EXPECT_EQ(jammed.status, ScanStatus::Failed);
        EXPECT_FALSE(jammed.picture.isLoaded());
        EXPECT_TRUE(jammed.message.contains("\"test:1\"")) << jammed.message.toStdString();
        EXPECT_TRUE(jammed.message.contains("Document feeder jammed")) << jammed.message.toStdString();
    }
    SaneTestBackend backend;
    const ScanResult missing = scanPicture("test:7", {});
    EXPECT_EQ(missing.status, ScanStatus::Failed);
    EXPECT_TRUE(missing.message.contains("\"test:7\"")) << missing.message.toStdString();
    EXPECT_TRUE(missing.message.contains("Invalid argument")) << missing.message.toStdString();
}
