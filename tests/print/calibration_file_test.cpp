#include "print/calibration_file.h"

#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cmath>
#include <csignal>
#include <gtest/gtest.h>
#include <limits>
#include <sys/resource.h>

using namespace vellamo;
using namespace vellamo::print;
using vellamo::testing::readFile;
using vellamo::testing::writeFile;

namespace {

QByteArray hex(const char* text) { return QByteArray::fromHex(text); }

// 4.5 = 0x4012000000000000, 0.25 = 0x3FD0000000000000, 101 = 0x4059400000000000,
// 99.5 = 0x4058E00000000000, 100 = 0x4059000000000000, little-endian.
const char* const Measured = "0000000000001240"
                             "000000000000d03f"
                             "0000000000405940"
                             "0000000000e05840";

}  // namespace

TEST(CalibrationFile, ThirtyTwoBytesInFieldOrder)
{
    EXPECT_EQ(calibrationToBytes({4.5, 0.25, 101, 99.5}), hex(Measured));
    EXPECT_EQ(calibrationToBytes({}), hex("0000000000000000"
                                          "0000000000000000"
                                          "0000000000005940"
                                          "0000000000005940"));

    QTemporaryDir dir;
    const QString path = dir.filePath("options.dat");
    ASSERT_TRUE(writeCalibrationFile(path, {4.5, 0.25, 101, 99.5}));
    EXPECT_EQ(readFile(path), hex(Measured));
    EXPECT_EQ(readCalibrationFile(path), (Calibration{4.5, 0.25, 101, 99.5}));
    ASSERT_TRUE(writeCalibrationFile(path, {}));
    EXPECT_EQ(readFile(path).size(), 32) << "replaced, not appended";
}

TEST(CalibrationFile, DamagedFilesGiveTheFirstValuesOrTheLimits)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("options.dat");
    EXPECT_EQ(readCalibrationFile(path), Calibration{}) << "missing";
    writeFile(path, hex(Measured).left(31));
    EXPECT_EQ(readCalibrationFile(path), Calibration{}) << "short";
    writeFile(path, hex(Measured) + "x");
    EXPECT_EQ(readCalibrationFile(path), Calibration{}) << "longer than ours";
    writeFile(path, QByteArray());
    EXPECT_EQ(readCalibrationFile(path), Calibration{}) << "empty";

    // -1 = 0xBFF0..., 11 = 0x4026..., 50 = 0x4049..., 1000 = 0x408F40...
    writeFile(path, hex("000000000000f0bf"
                        "0000000000002640"
                        "0000000000004940"
                        "0000000000408f40"));
    EXPECT_EQ(readCalibrationFile(path), (Calibration{0, 10, 70, 130}));

    // NaN and infinities.
    writeFile(path, hex("000000000000f87f"
                        "000000000000f07f"
                        "000000000000f0ff"
                        "000000000000f87f"));
    EXPECT_EQ(readCalibrationFile(path), (Calibration{0, 10, 70, 100}));
}

TEST(CalibrationFile, AWriteCutShortIsAFailure)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("options.dat");
    writeFile(path, hex(Measured));
    // Files of this process may hold 16 bytes: the buffered data fail when they are flushed.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = writeCalibrationFile(path, {});
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(readFile(path), hex(Measured));
}

TEST(CalibrationFile, AWriteThatCannotHappenKeepsTheOldFile)
{
    QTemporaryDir dir;
    EXPECT_FALSE(writeCalibrationFile(dir.filePath("no/such/options.dat"), {}));
    // A folder that may not be written to (root may write anywhere).
    const QString path = dir.filePath("options.dat");
    writeFile(path, hex(Measured));
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (QFileInfo(dir.path()).isWritable())
        GTEST_SKIP() << "running with rights to write anywhere";
    EXPECT_FALSE(writeCalibrationFile(path, {}));
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(readFile(path), hex(Measured));
}
