#include "print/picture_save.h"

#include "imaging/picture_writer.h"
#include "support/files.h"
#include "support/scripted_prompter.h"

#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <deque>
#include <gtest/gtest.h>

using namespace vellamo;
using namespace vellamo::print;
using vellamo::testing::ScriptedPrompter;

namespace {

class ScriptedJpegQuality : public JpegQualityChooser {
public:
    std::deque<std::optional<int>> answers;
    int asked = 0;
    std::optional<int> chooseJpegQuality() override
    {
        ++asked;
        if (answers.empty())
            return std::nullopt;
        const auto a = answers.front();
        answers.pop_front();
        return a;
    }
};

// Noise, so that the JPEG quality shows in the file's size.
imaging::DibRecord noisePicture()
{
    QImage image(120, 80, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, random.generate() | 0xFF000000u);
    return imaging::DibRecord(image, 24);
}

}  // namespace

TEST(PictureSave, NameWithoutExtensionGetsTheEntrysAndTheJpegQualityIsAsked)
{
    QTemporaryDir dir;
    const imaging::DibRecord picture = noisePicture();
    ScriptedPrompter ask;
    ScriptedJpegQuality jpeg;
    jpeg.answers = {10, 95};
    ask.saveChoices = {{dir.filePath("low"), 6}, {dir.filePath("high"), 5}};
    PictureSaveRequest request;
    request.caption = "Caption";
    request.folder = dir.path();
    request.filterIndex = 3;
    request.confirmOverwrite = true;
    request.jpegQuality = &jpeg;

    const PictureSaveResult low = savePictureAs(picture, request, ask);
    EXPECT_EQ(low.outcome, PictureSaveOutcome::Saved);
    EXPECT_EQ(low.fileName, dir.filePath("low.JPG"));
    EXPECT_EQ(low.filterIndex, 6);
    const PictureSaveResult high = savePictureAs(picture, request, ask);
    EXPECT_EQ(high.fileName, dir.filePath("high.JIF"));
    EXPECT_EQ(jpeg.asked, 2);
    imaging::SetJPEGQual(75);

    ASSERT_EQ(ask.saveRequests.size(), 2u);
    EXPECT_EQ(ask.saveRequests[0].caption, "Caption");
    EXPECT_EQ(ask.saveRequests[0].filter, imaging::GetDIBSaveFilter());
    EXPECT_EQ(ask.saveRequests[0].folder, dir.path());
    EXPECT_EQ(ask.saveRequests[0].filterIndex, 3);
    EXPECT_TRUE(ask.saveRequests[0].confirmOverwrite);
    EXPECT_TRUE(ask.messages.empty());

    const QByteArray lowBytes = vellamo::testing::readFile(low.fileName);
    const QByteArray highBytes = vellamo::testing::readFile(high.fileName);
    EXPECT_TRUE(lowBytes.startsWith("\xFF\xD8\xFF")) << "a JPEG file";
    EXPECT_TRUE(highBytes.startsWith("\xFF\xD8\xFF"));
    EXPECT_LT(lowBytes.size() * 2, highBytes.size()) << "quality 10 against 95";
    EXPECT_EQ(QImage(low.fileName).size(), QSize(120, 80));
}

TEST(PictureSave, ATypedExtensionOfAnEntryChoosesThatEntry)
{
    QTemporaryDir dir;
    ScriptedPrompter ask;
    ScriptedJpegQuality jpeg;
    jpeg.answers = {50};
    bool moreWritten = false;
    int moreEntry = 0;
    ask.saveChoices = {{dir.filePath("card.png"), 1},
                       {dir.filePath("card.JpG"), 12},
                       {dir.filePath("card.jpeg"), 12},
                       {dir.filePath("vector.svg"), 3},
                       {dir.filePath("card.pdf"), 1}};
    PictureSaveRequest request;
    request.jpegQuality = &jpeg;
    request.moreFilter = "PDF - Portable Document Format|*.PDF|SVG - Scalable Vector Graphics|*.SVG";
    request.writeMore = [&](const QString& name, int entry) {
        vellamo::testing::writeFile(name, "vector");
        moreWritten = true;
        moreEntry = entry;
        return true;
    };

    const PictureSaveResult png = savePictureAs(noisePicture(), request, ask);
    EXPECT_EQ(png.fileName, dir.filePath("card.png"));
    EXPECT_EQ(png.filterIndex, 12);
    EXPECT_TRUE(vellamo::testing::readFile(dir.filePath("card.png")).startsWith("\x89PNG"))
        << "PNG bytes, though the box showed BMP";

    EXPECT_EQ(savePictureAs(noisePicture(), request, ask).filterIndex, 6);
    EXPECT_TRUE(vellamo::testing::readFile(dir.filePath("card.JpG")).startsWith("\xFF\xD8\xFF"));
    EXPECT_EQ(jpeg.asked, 1) << "the JPEG quality is asked for the JPEG entry the name chose";

    // No entry has ".jpeg": the box's entry decides and the name stays.
    EXPECT_EQ(savePictureAs(noisePicture(), request, ask).filterIndex, 12);
    EXPECT_TRUE(vellamo::testing::readFile(dir.filePath("card.jpeg")).startsWith("\x89PNG"));

    EXPECT_EQ(savePictureAs(noisePicture(), request, ask).outcome, PictureSaveOutcome::Saved);
    EXPECT_EQ(moreEntry, 14);
    EXPECT_TRUE(moreWritten);
    EXPECT_EQ(savePictureAs(noisePicture(), request, ask).fileName, dir.filePath("card.pdf"));
    EXPECT_EQ(moreEntry, 13);
    EXPECT_TRUE(ask.messages.empty());
}

TEST(PictureSave, CancelWritesNothing)
{
    QTemporaryDir dir;
    ScriptedPrompter ask;
    ScriptedJpegQuality jpeg;
    PictureSaveRequest request;
    request.jpegQuality = &jpeg;
    request.filterIndex = 4;
    const PictureSaveResult dialogCancelled = savePictureAs(noisePicture(), request, ask);
    EXPECT_EQ(dialogCancelled.outcome, PictureSaveOutcome::Cancelled);
    EXPECT_EQ(dialogCancelled.filterIndex, 4);
    EXPECT_EQ(jpeg.asked, 0);

    ask.saveChoices = {{dir.filePath("card"), 6}};
    const PictureSaveResult qualityCancelled = savePictureAs(noisePicture(), request, ask);
    EXPECT_EQ(qualityCancelled.outcome, PictureSaveOutcome::Cancelled);
    EXPECT_EQ(jpeg.asked, 1);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_TRUE(ask.messages.empty());
}

TEST(PictureSave, WithoutAQualityChooserTheJpegEntriesAskNothing)
{
    QTemporaryDir dir;
    ScriptedPrompter ask;
    ask.saveChoices = {{dir.filePath("card"), 6}};
    EXPECT_EQ(savePictureAs(noisePicture(), {}, ask).outcome, PictureSaveOutcome::Saved);
    EXPECT_TRUE(vellamo::testing::readFile(dir.filePath("card.JPG")).startsWith("\xFF\xD8"));
}

TEST(PictureSave, AFailedWriteIsReportedAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    ScriptedPrompter ask;
    ask.saveChoices = {{dir.filePath("missing/card"), 1}, {dir.filePath("kept.old"), 13}};
    vellamo::testing::writeFile(dir.filePath("kept.old"), "old");
    const PictureSaveResult missing = savePictureAs(noisePicture(), {}, ask);
    EXPECT_EQ(missing.outcome, PictureSaveOutcome::Failed);
    EXPECT_EQ(missing.fileName, dir.filePath("missing/card.BMP"));
    const PictureSaveResult noSuchEntry = savePictureAs(noisePicture(), {}, ask);
    EXPECT_EQ(noSuchEntry.outcome, PictureSaveOutcome::Failed) << "entry 13 has no type";
    EXPECT_EQ(noSuchEntry.fileName, dir.filePath("kept.old"));
    EXPECT_EQ(vellamo::testing::readFile(dir.filePath("kept.old")), "old");

    ASSERT_EQ(ask.messages.size(), 2u);
    EXPECT_EQ(ask.messages[0].text, "Error: File could not be saved!");
    EXPECT_EQ(ask.messages[0].caption, "");
    EXPECT_EQ(ask.messages[0].icon, document::MessageIcon::Information);
    EXPECT_EQ(ask.messages[0].buttons, document::MessageButtons::Ok);
}

TEST(PictureSave, AReadOnlyFileIsMadeWritableWhenAsked)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("old.bmp");
    vellamo::testing::writeFile(name, "old");
    QFile::setPermissions(name, QFileDevice::ReadOwner | QFileDevice::ReadUser);
    ScriptedPrompter ask;
    ask.saveChoices = {{name, 1}};
    PictureSaveRequest request;
    request.makeWritable = true;
    EXPECT_EQ(savePictureAs(noisePicture(), request, ask).outcome, PictureSaveOutcome::Saved);
    EXPECT_TRUE(vellamo::testing::readFile(name).startsWith("BM"));
}
