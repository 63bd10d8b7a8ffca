#include "imaging/picture_writer.h"
#include "imaging/safe_file_write.h"

#include "sample_pictures.h"
#include "support/file_size_limit.h"
#include "support/files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellamo::imaging;
using namespace vellamo::testing;

TEST(SafeFileWrite, AFullDiskKeepsThePreviousFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("file.dat");
    writeFile(path, "previous contents");
    const QByteArray big(5000, 'x');

    // Below the limit the write goes through, so the limit itself is what fails the next one.
    EXPECT_EQ(runWithFileSizeLimit(100, [&] { return writeFileSafely(path, "short").written() ? 0 : 1; }), 0);
    EXPECT_EQ(readFile(path), QByteArray("short"));

    const int status = runWithFileSizeLimit(100, [&] {
        const SafeWriteResult r = writeFileSafely(path, big);
        return r.outcome == SafeWriteResult::Outcome::WriteFailed && !r.error.isEmpty() ? 0 : 1;
    });
    EXPECT_EQ(status, 0) << "the write must report its failure";
    EXPECT_EQ(readFile(path), QByteArray("short"));
    EXPECT_EQ(folderEntries(dir.path()), QStringList{"file.dat"}) << "no partial file left behind";

    // A new file that cannot be written whole does not appear at all.
    EXPECT_EQ(runWithFileSizeLimit(100, [&] { return writeFileSafely(dir.filePath("new"), big).written(); }),
              0);
    EXPECT_EQ(folderEntries(dir.path()), QStringList{"file.dat"});

    const SafeWriteResult noFolder = writeFileSafely(dir.filePath("no/such/folder/x"), "x");
    EXPECT_EQ(noFolder.outcome, SafeWriteResult::Outcome::CannotCreate);
}

TEST(SafeFileWrite, EveryPictureFormatKeepsTheOldFileOnAFullDisk)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("old.pic");
    for (int code = FormatBmp; code <= FormatPng; ++code) {
        for (const DibRecord& picture : {colourPattern(), palettePicture(8), palettePicture(1)}) {
            writeFile(path, "previous contents");
            const int status = runWithFileSizeLimit(16, [&] { return SaveDib(picture, path, code) ? 1 : 0; });
            EXPECT_EQ(status, 0) << "format code " << code << ", " << picture.bitsPerPixel()
                                 << " bits: the save must fail";
            EXPECT_EQ(readFile(path), QByteArray("previous contents")) << "format code " << code;
            EXPECT_EQ(folderEntries(dir.path()), QStringList{"old.pic"}) << "format code " << code;
        }
    }
}
