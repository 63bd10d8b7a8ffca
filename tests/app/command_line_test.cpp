#include "app/command_line.h"

#include "support/bytes.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellamo::app;
using vellamo::testing::Bytes;
using vellamo::testing::cardSignature;
using vellamo::testing::formatRecord;

namespace {

struct ProcessRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

ProcessRun runVellamo(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(VELLAMO_EXECUTABLE), args);
    p.waitForFinished(60000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(CommandLine, Parsing)
{
    CommandLine line = parseCommandLine({"dump", "--home", "/h", "a.vis"});
    EXPECT_EQ(line.subcommand, "dump");
    EXPECT_EQ(line.arguments, QStringList{"a.vis"});
    EXPECT_EQ(line.homeFolder, "/h");

    line = parseCommandLine({"--home", "/h", "build", "a.json", "a.vis"});
    EXPECT_EQ(line.subcommand, "build");
    EXPECT_EQ(line.arguments, (QStringList{"a.json", "a.vis"}));

    line = parseCommandLine({"card.vis"});
    EXPECT_TRUE(line.subcommand.isEmpty());
    EXPECT_EQ(line.cardFile, "card.vis");

    EXPECT_FALSE(parseCommandLine({"--home"}).error.isEmpty());
    EXPECT_FALSE(parseCommandLine({"--bogus"}).error.isEmpty());
    EXPECT_FALSE(parseCommandLine({"a.vis", "b.vis"}).error.isEmpty());
}

TEST(CommandLine, DumpThenBuildGivesBackTheFile)
{
    QTemporaryDir dir;
    Bytes card;
    card.raw(cardSignature()).raw(formatRecord(1.25, 0, 95, 55, 90, 55, 2, 5, "Gr\xFC\xDF" "e"));
    card.i32(212598).i32(129921).i32(0).zstr("back \x80.jpg").f64(1.0).f64(208.0 / 1.5);
    card.i32(4).i32(1).i32(2).i32(3).i32(4).u8(0).i32(2).i32(255).i32(0).i32(1).i32(0).i32(0);
    card.u8(1).u8(1).i32(5).i32(5).u8(0).u8(0).i32(1).i32(0).zstr("Zeile 1\rZeile \xE9").i32(0).i32(-12);
    card.zstr("Arial").u8(0).i32(10).u8(1).i32(10001);
    writeFile(dir.filePath("card.vis"), card.data);

    const ProcessRun dump = runVellamo({"dump", dir.filePath("card.vis")});
    ASSERT_EQ(dump.status, 0) << dump.err.toStdString();
    EXPECT_TRUE(dump.out.contains("\"Name\": \"Grüße\"")) << dump.out.toStdString();
    EXPECT_TRUE(dump.out.contains("Zeile 1\\rZeile é"));
    writeFile(dir.filePath("card.json"), dump.out);

    const ProcessRun build = runVellamo({"build", dir.filePath("card.json"), dir.filePath("again.vis")});
    ASSERT_EQ(build.status, 0) << build.err.toStdString();
    EXPECT_EQ(readFile(dir.filePath("again.vis")), card.data);
}

TEST(CommandLine, FailuresExitNonZeroWithAMessage)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("not-a-card.vis"), "hello");
    ProcessRun r = runVellamo({"dump", dir.filePath("not-a-card.vis")});
    EXPECT_NE(r.status, 0);
    EXPECT_TRUE(r.err.contains("it is not a Business Card")) << r.err.toStdString();

    r = runVellamo({"dump", dir.filePath("missing.vis")});
    EXPECT_NE(r.status, 0);

    writeFile(dir.filePath("bad.json"), "{ not json");
    r = runVellamo({"build", dir.filePath("bad.json"), dir.filePath("out.vis")});
    EXPECT_NE(r.status, 0);
    EXPECT_FALSE(QFile::exists(dir.filePath("out.vis")));

    writeFile(dir.filePath("ok.json"), "{}");
    r = runVellamo({"build", dir.filePath("ok.json"), dir.filePath("no/such/folder/out.vis")});
    EXPECT_NE(r.status, 0);
    EXPECT_TRUE(r.err.contains("Could not create file")) << r.err.toStdString();

    r = runVellamo({"dump"});
    EXPECT_EQ(r.status, 2);
}
