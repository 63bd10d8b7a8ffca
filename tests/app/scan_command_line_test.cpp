#include "imaging/netpbm.h"
#include "support/files.h"
#include "support/sane_test_backend.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using vellamo::testing::SaneTestBackend;
using Options = std::map<std::string, std::string>;

namespace {

struct ProcessRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// The program with the test backend's configuration and settings of its own.
ProcessRun runVellamo(const QStringList& args, const QString& configHome)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", configHome);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VELLAMO_EXECUTABLE), QStringList{"scan"} + args);
    p.waitForFinished(60000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

}  // namespace

TEST(ScanCommandLine, ListsDevicesAndSaysWhenThereIsNone)
{
    QTemporaryDir home;
    {
        SaneTestBackend backend;
        const ProcessRun list = runVellamo({"--list"}, home.path());
        EXPECT_EQ(list.status, 0) << list.err.toStdString();
        EXPECT_EQ(list.out, "test:0\tNoname\tfrontend-tester\tvirtual device\n"
                            "test:1\tNoname\tfrontend-tester\tvirtual device\n");
        // Two scanners and none chosen: the user has to name one.
        const ProcessRun ambiguous = runVellamo({home.filePath("a.bmp")}, home.path());
        EXPECT_NE(ambiguous.status, 0);
        EXPECT_TRUE(ambiguous.err.contains("--device")) << ambiguous.err.toStdString();
        EXPECT_FALSE(QFile::exists(home.filePath("a.bmp")));
    }
    SaneTestBackend none(Options{}, 0);
    for (const QStringList& args : {QStringList{"--list"}, QStringList{home.filePath("b.bmp")}}) {
        const ProcessRun run = runVellamo(args, home.path());
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.contains("No scanner was found")) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains("scanimage -L"));
    }
}

TEST(ScanCommandLine, SavesWithTheExtensionRuleAndTheQuality)
{
    SaneTestBackend backend(Options{{"test-picture", "\"Color pattern\""}}, 1);
    QTemporaryDir dir;
    // The only scanner is used; no extension and entry 6 gives ".JPG", written as JPEG.
    ProcessRun run = runVellamo({dir.filePath("low"), "--format-index", "6", "--quality", "20"}, dir.path());
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QByteArray low = vellamo::testing::readFile(dir.filePath("low.JPG"));
    const auto decoded = vellamo::testing::runNetpbm("jpegtopnm", {}, low);
    ASSERT_TRUE(decoded.has_value());
    // 80 x 100 mm at 300 dpi.
    EXPECT_EQ(vellamo::testing::parsePnm(*decoded).size(), QSize(944, 1181));
    run = runVellamo({dir.filePath("high"), "--format-index=6", "--quality=95", "--device", "test:0"},
                     dir.path());
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_GT(vellamo::testing::readFile(dir.filePath("high.JPG")).size(), low.size() * 2);

    // A name with an extension keeps it; the entry alone decides the type (8 = PCX).
    run = runVellamo({dir.filePath("keep.bmp"), "--format-index", "8"}, dir.path());
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(vellamo::testing::readFile(dir.filePath("keep.bmp")).left(1), QByteArray(1, '\x0A'));
    EXPECT_TRUE(
        vellamo::testing::runNetpbm("pcxtoppm", {}, vellamo::testing::readFile(dir.filePath("keep.bmp"))));

    // Without an entry the extension chooses it.
    run = runVellamo({dir.filePath("plain.BMP")}, dir.path());
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(vellamo::testing::readFile(dir.filePath("plain.BMP")).left(2), "BM");

    for (const QStringList& bad : {QStringList{dir.filePath("x.jpg"), "--quality", "100"},
                                   QStringList{dir.filePath("x.jpg"), "--format-index", "13"},
                                   QStringList{dir.filePath("x.unknown")}, QStringList{}}) {
        EXPECT_EQ(runVellamo(bad, dir.path()).status, 2) << bad.join(' ').toStdString();
    }
}

TEST(ScanCommandLine, DeviceErrorNamesTheDeviceAndSavesNothing)
{
    SaneTestBackend backend(Options{{"read-status-code", "\"SANE_STATUS_JAMMED\""}});
    QTemporaryDir dir;
    const ProcessRun run = runVellamo({dir.filePath("x.bmp"), "--device", "test:1"}, dir.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("\"test:1\"")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("Document feeder jammed")) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("x.bmp")));
}
