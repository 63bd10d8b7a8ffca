#include "document/card_file_commands.h"

#include "document/card_file.h"
#include "render/picture_operations.h"
#include "support/bytes.h"
#include "support/file_size_limit.h"
#include "support/files.h"
#include "support/scripted_prompter.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellamo::document;
using vellamo::document::Answer;
using vellamo::testing::ScriptedPrompter;

using vellamo::testing::readFile;
using vellamo::testing::writeFile;

namespace {

// A 3 x 2 picture whose top-left pixel is red and the rest white.
void writePicture(const QString& path)
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    ASSERT_TRUE(image.save(path, "PNG"));
}

class CardFileCommands : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QTemporaryDir programDir;
    ScriptedPrompter ask;
    vellamo::render::ProgramFolderPictures pictures{programDir.path() + "/"};
    CardFileContext context{ask, pictures, programDir.path() + "/"};
    CardDocument doc;

    QString path(const QString& name) const { return dir.filePath(name); }
};

}  // namespace

TEST_F(CardFileCommands, SaveOnUnnamedCardIsSaveAs)
{
    EXPECT_FALSE(SaveItemClick(doc, context)) << "a cancelled dialog reports failure";
    ASSERT_EQ(ask.saveRequests.size(), 1u);
    EXPECT_EQ(ask.saveRequests[0].filter, "Business cards (*.vis)|*.vis");
    EXPECT_EQ(ask.saveRequests[0].defaultSuffix, "vis");
    EXPECT_EQ(ask.saveRequests[0].folder, programDir.path() + "/");

    ask.saveFiles.push_back(path("new.vis"));
    EXPECT_TRUE(SaveItemClick(doc, context));
    EXPECT_EQ(doc.DocumentFileName, path("new.vis"));
    EXPECT_EQ(windowTitle(doc), "Korvend Vellamo 3.5 - new.vis");
    EXPECT_EQ(readFile(path("new.vis")), cardToBytes(doc));
    EXPECT_TRUE(ask.messages.empty());

    // Named now: Save writes without a dialog.
    doc.object(1).Kind = ShapeObject;
    EXPECT_TRUE(SaveItemClick(doc, context));
    EXPECT_EQ(ask.saveRequests.size(), 2u);
    EXPECT_EQ(readFile(path("new.vis")).size(), 180 + 81);
}

TEST_F(CardFileCommands, SaveAsAsksBeforeOverwriting)
{
    writeFile(path("old.vis"), "previous");
    ask.saveFiles = {path("old.vis"), path("old.vis")};
    ask.answers = {Answer::No, Answer::Yes};
    EXPECT_FALSE(Speichernunter1Click(doc, context));
    ASSERT_EQ(ask.messages.size(), 1u);
    EXPECT_EQ(ask.messages[0].caption, "Overwrite existing file?");
    EXPECT_EQ(ask.messages[0].text, "An file with this name exists! Overwrite this file?");
    EXPECT_EQ(ask.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(ask.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(readFile(path("old.vis")), "previous");
    EXPECT_TRUE(doc.DocumentFileName.isEmpty());

    EXPECT_TRUE(Speichernunter1Click(doc, context));
    EXPECT_EQ(readFile(path("old.vis")).size(), 180);
}

TEST_F(CardFileCommands, SaveThatCannotCreateReportsAndKeepsTheName)
{
    writeFile(path("plain"), "x");
    doc.DocumentFileName = path("kept.vis");
    EXPECT_FALSE(Saveit(doc, path("plain/card.vis"), ask));
    ASSERT_EQ(ask.messages.size(), 1u);
    EXPECT_EQ(ask.messages[0].caption, "Error: Could not create the file");
    EXPECT_EQ(ask.messages[0].text, "Error: Could not create file!");
    EXPECT_EQ(ask.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(doc.DocumentFileName, path("kept.vis"));
}

TEST_F(CardFileCommands, OpenAsksToSaveOnlyWhenTheCardHasObjects)
{
    CardDocument other;
    other.object(2).Kind = TextObject;
    other.object(2).Text = "from file";
    ASSERT_TRUE(Saveit(other, path("other.vis"), ask));

    EXPECT_TRUE(OpenItNow(doc, path("other.vis"), context));
    EXPECT_TRUE(ask.messages.empty());
    EXPECT_EQ(doc.object(2).Text, "from file");
    EXPECT_EQ(doc.DocumentFileName, path("other.vis"));

    CardDocument busy;
    busy.object(5).Kind = ShapeObject;
    ask.answers = {Answer::Cancel};
    EXPECT_FALSE(OpenItNow(busy, path("other.vis"), context));
    ASSERT_EQ(ask.messages.size(), 1u);
    EXPECT_EQ(ask.messages[0].caption, "Business Card open");
    EXPECT_EQ(ask.messages[0].text, "Do you want to save before?");
    EXPECT_EQ(ask.messages[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(busy.object(5).Kind, ShapeObject);

    ask.answers = {Answer::Yes};  // the save dialog is then cancelled: no open
    EXPECT_FALSE(OpenItNow(busy, path("other.vis"), context));
    EXPECT_EQ(busy.object(5).Kind, ShapeObject);

    ask.answers = {Answer::No};
    EXPECT_TRUE(OpenItNow(busy, path("other.vis"), context));
    EXPECT_EQ(busy.object(5).Kind, 0);
    EXPECT_EQ(busy.object(2).Kind, TextObject);
}

TEST_F(CardFileCommands, OpenFailuresKeepTheCard)
{
    doc.object(1).Kind = ShapeObject;
    ask.answers = {Answer::No, Answer::Ok, Answer::No, Answer::Ok};
    EXPECT_FALSE(OpenItNow(doc, path("missing.vis"), context));
    ASSERT_EQ(ask.messages.size(), 2u);
    EXPECT_EQ(ask.messages[1].caption, "Error: Could not open the file");
    EXPECT_EQ(ask.messages[1].text, "Error: Could not open file!");

    writeFile(path("text.vis"), QByteArray("Korvend Quillstone-Cardcrafter 2.0X and more"));
    EXPECT_FALSE(OpenItNow(doc, path("text.vis"), context));
    ASSERT_EQ(ask.messages.size(), 4u);
    EXPECT_EQ(ask.messages[3].caption, "Unknown file extension");
    EXPECT_EQ(ask.messages[3].text, "it is not a Business Card in the Korvend Vellamo 3.5-Format!");
    EXPECT_EQ(ask.messages[3].icon, MessageIcon::Information);
    EXPECT_EQ(doc.object(1).Kind, ShapeObject);
}

TEST_F(CardFileCommands, PicturesMovedBesideTheCardAreFound)
{
    CardDocument card;
    card.object(1).Kind = PictureObject;
    card.object(1).PictureFile() = "C:\\Bilder\\logo.png";  // made on another machine
    card.BackgroundMode = StretchToCard;
    card.BackgroundFile = "/no/such/folder/back.png";
    ASSERT_TRUE(Saveit(card, path("card.vis"), ask));
    writePicture(path("logo.png"));
    writePicture(path("back.png"));

    EXPECT_TRUE(OpenItNow(doc, path("card.vis"), context));
    EXPECT_TRUE(ask.messages.empty()) << ask.texts().join('|').toStdString();
    EXPECT_TRUE(doc.object(1).Picture.isLoaded());
    EXPECT_TRUE(doc.BackgroundPicture.isLoaded());
    EXPECT_EQ(doc.object(1).PictureFile(), "C:\\Bilder\\logo.png");
}

TEST_F(CardFileCommands, BareNamesComeFromTheProgramFolder)
{
    writePicture(programDir.filePath("logo.png"));
    CardDocument card;
    card.object(1).Kind = PictureObject;
    card.object(1).PictureFile() = "logo.png";
    ASSERT_TRUE(Saveit(card, path("card.vis"), ask));
    EXPECT_TRUE(OpenItNow(doc, path("card.vis"), context));
    EXPECT_TRUE(doc.object(1).Picture.isLoaded());
}

TEST_F(CardFileCommands, MissingPicturesAreReportedAndKeptAsPictureObjects)
{
    CardDocument card;
    card.object(1).Kind = PictureObject;
    card.object(1).PictureFile() = "gone.png";
    card.BackgroundMode = TileBackground;
    card.BackgroundFile = "alsogone.png";
    card.object(2).Kind = TextObject;
    ASSERT_TRUE(Saveit(card, path("card.vis"), ask));

    EXPECT_TRUE(OpenItNow(doc, path("card.vis"), context));
    ASSERT_EQ(ask.messages.size(), 2u);
    EXPECT_EQ(ask.messages[0].text, "Could not open picture (alsogone.png).");
    EXPECT_EQ(ask.messages[0].caption, "Error");
    EXPECT_EQ(ask.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(ask.messages[1].text, "Could not open picture (gone.png).");
    EXPECT_EQ(doc.object(1).Kind, PictureObject);
    EXPECT_FALSE(doc.object(1).Picture.isLoaded());
    EXPECT_EQ(doc.BackgroundMode, TileBackground);
    EXPECT_EQ(doc.object(2).Kind, TextObject) << "reading goes on";
}

TEST_F(CardFileCommands, StoredRotationIsAppliedToTheFreshPixels)
{
    writePicture(path("p.png"));
    CardDocument card;
    Tobs& o = card.object(1);
    o.Kind = PictureObject;
    o.PictureFile() = path("p.png").toStdString();
    o.Rotation = 1;
    o.Width = 4160;  // stored already turned
    o.Height = 6240;
    ASSERT_TRUE(Saveit(card, path("card.vis"), ask));

    EXPECT_TRUE(OpenItNow(doc, path("card.vis"), context));
    const auto& picture = doc.object(1).Picture;
    ASSERT_TRUE(picture.isLoaded());
    EXPECT_EQ(picture.width(), 2);
    EXPECT_EQ(picture.height(), 3);
    // Turned right, the red top-left pixel is now at the top-right.
    EXPECT_EQ(picture.image().pixel(1, 0), qRgb(255, 0, 0));
    EXPECT_EQ(doc.object(1).Width, 4160);
    EXPECT_EQ(doc.object(1).Height, 6240);
}

TEST_F(CardFileCommands, AnUnusableStoredZoomKeepsTheCurrentOne)
{
    CardDocument card;
    card.ZoomNum = 0.0;
    ASSERT_TRUE(Saveit(card, path("card.vis"), ask));
    doc.ZoomDen = 138.67;
    EXPECT_TRUE(OpenItNow(doc, path("card.vis"), context));
    EXPECT_EQ(doc.ZoomNum, 1.0);
    EXPECT_EQ(doc.ZoomDen, 138.67);
}

TEST_F(CardFileCommands, AFullDiskKeepsTheSavedCardAndSaysSo)
{
    writeFile(path("card.vis"), "previous card");
    doc.object(1).Kind = TextObject;
    doc.object(1).Text = std::string(4000, 'x');
    doc.DocumentFileName = path("before.vis");
    const int status = vellamo::testing::runWithFileSizeLimit(1000, [&] {
        const bool saved = Saveit(doc, path("card.vis"), ask);
        const bool told = ask.messages.size() == 1 && ask.messages[0].caption == ApplicationTitle &&
                          ask.messages[0].icon == MessageIcon::Error && !ask.messages[0].text.isEmpty();
        return !saved && told && doc.DocumentFileName == path("before.vis") ? 0 : 1;
    });
    EXPECT_EQ(status, 0) << "the save must fail with the system's message and keep the card's name";
    EXPECT_EQ(readFile(path("card.vis")), QByteArray("previous card"));
    EXPECT_EQ(vellamo::testing::folderEntries(dir.path()), QStringList{"card.vis"});
}

TEST_F(CardFileCommands, ADamagedCardOpensWithWhatWasReadAndOneMessage)
{
    using vellamo::testing::Bytes;
    // Header: signature, card format, extents, no background, zoom 1 / 208.
    Bytes header;
    header.raw(vellamo::testing::cardSignature())
        .raw(vellamo::testing::formatRecord(0, 0, 90, 55, 90, 55, 2, 5, "None Business Cardstype"))
        .i32(212598)
        .i32(129921)
        .i32(-1)
        .zstr("")
        .f64(1)
        .f64(208);
    // One shape entry of 81 bytes: slot, box, flags and values, two empty strings.
    auto shape = [](int slot) {
        Bytes e;
        e.i32(slot).i32(100).i32(200).i32(3000).i32(4000).u8(1).i32(1).i32(0).i32(3).i32(0).i32(0).i32(0);
        e.u8(0).u8(0).i32(5).i32(5).u8(0).u8(0).i32(1).i32(0).zstr("").i32(0).i32(-16).zstr("").u8(0);
        e.i32(12).u8(0);
        return e.data;
    };
    ASSERT_EQ(shape(1).size(), 81);
    const QByteArray whole = Bytes(header).raw(shape(1)).raw(shape(2)).raw(shape(7)).i32(10001).data;

    writeFile(path("whole.vis"), whole);
    ASSERT_TRUE(OpenItNow(doc, path("whole.vis"), context));
    EXPECT_TRUE(ask.messages.empty()) << "a whole file opens silently";

    // Cut inside the third entry, after its kind: three objects, the last one partly read.
    writeFile(path("cut.vis"), whole.left(whole.size() - 4 - 81 + 30));
    ask.answers = {Answer::No};
    int shown = 0;
    context.cardShown = [&] {
        ++shown;
        EXPECT_EQ(ask.messages.size(), 1u) << "the card is shown before the message";
        EXPECT_EQ(doc.DocumentFileName, path("cut.vis"));
    };
    ASSERT_TRUE(OpenItNow(doc, path("cut.vis"), context));
    EXPECT_EQ(shown, 1);
    context.cardShown = {};
    ASSERT_EQ(ask.messages.size(), 2u) << "the save question, then the one message";
    EXPECT_EQ(ask.messages[1].caption, "Error: Damaged file");
    EXPECT_EQ(ask.messages[1].text, "The Business Card file is damaged! Only 3 objects could be read.");
    EXPECT_EQ(ask.messages[1].icon, MessageIcon::Warning);
    EXPECT_EQ(doc.object(2).Top, 200);
    EXPECT_EQ(doc.object(7).Kind, ShapeObject);
    EXPECT_EQ(windowTitle(doc), "Korvend Vellamo 3.5 - cut.vis") << "the card keeps the file's name";

    // Without the terminator and with one object; then with none.
    writeFile(path("one.vis"), Bytes(header).raw(shape(4)).data);
    ask.answers = {Answer::No};
    ASSERT_TRUE(OpenItNow(doc, path("one.vis"), context));
    EXPECT_EQ(ask.messages.back().text, "The Business Card file is damaged! Only 1 object could be read.");
    writeFile(path("none.vis"), header.data.left(header.data.size() - 3));
    ask.answers = {Answer::No};
    ASSERT_TRUE(OpenItNow(doc, path("none.vis"), context));
    EXPECT_EQ(ask.messages.back().text, "The Business Card file is damaged! No object could be read.");
    EXPECT_EQ(ask.messages.size(), 6u);
}

TEST_F(CardFileCommands, ADamagedPartAfterTheObjectsOpensTheCardAndSaysSo)
{
    CardDocument card;
    card.object(1).Kind = ShapeObject;
    ASSERT_TRUE(Saveit(card, path("card.vis"), ask));
    // Our part's magic and version, then a chunk that claims more bytes than follow.
    vellamo::testing::Bytes part;
    part.raw(QByteArray("\x89KVX\r\n\x1a\n", 8)).i32(1).raw("TEXT").i32(99).raw("short");
    writeFile(path("card.vis"), readFile(path("card.vis")) + part.data);
    EXPECT_TRUE(OpenItNow(doc, path("card.vis"), context));
    ASSERT_EQ(ask.messages.size(), 1u);
    EXPECT_EQ(ask.messages[0].caption, "Error: Damaged file");
    EXPECT_EQ(ask.messages[0].text,
              "The Business Card file is damaged! Every object could be read, but not all that was stored "
              "after them.");
    EXPECT_EQ(doc.object(1).Kind, ShapeObject);
}
