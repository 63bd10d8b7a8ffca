#include "editor/object_clipboard.h"

#include "document/card_file.h"
#include "document/object_entry.h"
#include "editor/editor_commands.h"
#include "render/picture_operations.h"

#include "support/bytes.h"
#include "support/scripted_prompter.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellamo;
using namespace vellamo::editor;
using document::CardChange;
using document::CardModel;
using document::Tobs;

namespace {

// Slot 7: a text "Hi" in Arial, every field with its own value, in the file's field order.
QByteArray handMadeEntry()
{
    return vellamo::testing::Bytes()
        .i32(7)         // slot
        .i32(100)       // Left
        .i32(200)       // Top
        .i32(300)       // Width
        .i32(400)       // Height
        .u8(1)          // KeepAspect
        .i32(2)         // Kind
        .i32(0x112233)  // Color
        .i32(3)         // ShapeKind
        .i32(1)         // TextAlign
        .i32(5)         // BorderColor
        .i32(6)         // FillMode / ShadowColor
        .u8(1)          // Shadow
        .u8(0)          // Outline
        .i32(15)        // ShadowDX
        .i32(16)        // ShadowDY
        .u8(0)          // Transparent
        .u8(1)          // AutoTransparent
        .i32(9)         // LineWidth / TransparentKey
        .i32(2)         // Rotation
        .zstr("Hi")     // Text
        .i32(1)         // FontColor
        .i32(-16)       // FontHeight
        .zstr("Arial")  // FontName
        .u8(2)          // FontPitch
        .i32(12)        // FontSize
        .u8(1)          // FontStyle
        .data;
}

struct Clip {
    QTemporaryDir folder;
    vellamo::testing::ScriptedPrompter ask;
    render::ProgramFolderPictures pictures{folder.path() + "/"};
    PasteContext context{ask, pictures, folder.path() + "/", 96, FontChoice(), {}};
};

QMimeData* record(const QByteArray& bytes)
{
    auto* data = new QMimeData;
    data->setData(ObjectMimeType, bytes);
    return data;
}

}  // namespace

TEST(ObjectEntry, ReadsTheFileLayoutWholeOrNotAtAll)
{
    const QByteArray bytes = handMadeEntry();
    ASSERT_EQ(bytes.size(), 81 + 2 + 5);
    const auto entry = document::objectEntryFromBytes(bytes);
    ASSERT_TRUE(entry);
    const Tobs& o = entry->object;
    EXPECT_EQ(entry->slot, 7);
    EXPECT_EQ(o.Left, 100);
    EXPECT_EQ(o.Height, 400);
    EXPECT_TRUE(o.KeepAspect);
    EXPECT_EQ(o.Kind, document::TextObject);
    EXPECT_EQ(o.Color, 0x112233);
    EXPECT_EQ(o.TextAlign, 1);
    EXPECT_EQ(o.ShadowColor(), 6);
    EXPECT_TRUE(o.Shadow);
    EXPECT_EQ(o.ShadowDY, 16);
    EXPECT_TRUE(o.AutoTransparent);
    EXPECT_FALSE(o.Transparent);
    EXPECT_EQ(o.LineWidth, 9);
    EXPECT_EQ(o.Rotation, 2);
    EXPECT_EQ(o.Text, "Hi");
    EXPECT_EQ(o.FontHeight, -16);
    EXPECT_EQ(o.FontName, "Arial");
    EXPECT_EQ(o.FontPitch, 2);
    EXPECT_EQ(o.FontSize, 12);
    EXPECT_EQ(o.FontStyle, 1);
    EXPECT_EQ(document::objectEntryToBytes(7, o), bytes) << "written back byte for byte";

    for (int cut = 0; cut < bytes.size(); ++cut)
        EXPECT_FALSE(document::objectEntryFromBytes(bytes.left(cut))) << "cut to " << cut;
    EXPECT_FALSE(document::objectEntryFromBytes(bytes + '\0')) << "bytes left over";
    QByteArray freeKind = bytes;
    freeKind[21] = 0;  // Kind lies at offset 21
    EXPECT_FALSE(document::objectEntryFromBytes(freeKind));
    for (std::int32_t slot : {0, 10001, -3}) {
        QByteArray badSlot = bytes;
        badSlot.replace(0, 4, vellamo::testing::Bytes().i32(slot).data);
        EXPECT_FALSE(document::objectEntryFromBytes(badSlot)) << slot;
    }
}

TEST(ObjectClipboard, CopyAndPasteBetweenTwoCardsKeepsTheRecord)
{
    Clip s;
    CardModel from;
    Tobs& original = from.doc().object(5);
    original = document::objectEntryFromBytes(handMadeEntry())->object;
    const auto data = objectMimeData(from.doc(), 5, {});
    ASSERT_TRUE(data);
    ASSERT_TRUE(data->hasFormat(ObjectMimeType));
    EXPECT_TRUE(data->hasFormat("image/png"));
    const QByteArray copied = data->data(ObjectMimeType);
    EXPECT_EQ(copied.mid(4), handMadeEntry().mid(4));
    EXPECT_EQ(vellamo::testing::int32At(copied, 0), 5) << "the slot it came from";

    CardModel to;
    to.doc().object(1).Kind = document::ShapeObject;
    to.doc().object(2).Kind = document::ShapeObject;
    const QByteArray before = document::cardToBytes(to.doc());
    {
        CardChange change(to, StepNames::Paste);
        EXPECT_EQ(pasteInto(change, *data, s.context), 3) << "the lowest free slot";
        change.commit();
    }
    EXPECT_EQ(to.doc().SelectedObject, 3);
    EXPECT_EQ(document::objectEntryToBytes(5, to.doc().object(3)), copied) << "its place was free";

    // Into the card it came from, where its place is taken: 2 mm right and down, and again.
    const std::int32_t twoMm = 1574;  // Trunc(2 x 20000 / 25.39995)
    for (int n = 1; n <= 2; ++n) {
        CardChange change(from, StepNames::Paste);
        const int slot = pasteInto(change, *data, s.context);
        change.commit();
        ASSERT_GT(slot, 0);
        EXPECT_EQ(from.doc().object(slot).Left, 100 + n * twoMm);
        EXPECT_EQ(from.doc().object(slot).Top, 200 + n * twoMm);
    }

    to.history().undo();
    EXPECT_EQ(document::cardToBytes(to.doc()), before);
    EXPECT_TRUE(s.ask.messages.empty());
}

TEST(ObjectClipboard, APastedPictureIsWrittenIntoTheProgramFolder)
{
    Clip s;
    CardModel card;
    QImage red(20, 10, QImage::Format_RGB32);
    red.fill(Qt::red);
    QMimeData data;
    data.setImageData(red);
    ASSERT_TRUE(canPaste(&data));
    std::int32_t slot = 0;
    {
        CardChange change(card, StepNames::Paste);
        slot = pasteInto(change, data, s.context);
        change.commit();
    }
    ASSERT_EQ(slot, 1);
    const Tobs& o = card.doc().object(1);
    EXPECT_EQ(o.Kind, document::PictureObject);
    EXPECT_EQ(o.PictureFile(), "Clipboard1.png");
    const QImage written(s.folder.filePath("Clipboard1.png"));
    ASSERT_FALSE(written.isNull());
    EXPECT_EQ(written.size(), QSize(20, 10));
    EXPECT_EQ(written.pixel(3, 3), qRgb(255, 0, 0));
    EXPECT_TRUE(o.Picture.isLoaded());
    // 20 pixels at 10000 / 96 units each, through the screen at ZoomDen 208: Trunc(10.016) = 10
    // pixels, stored as 10 x 208 units; the card's top-left corner is area pixel 1022 div 3.
    EXPECT_EQ(o.Width, 10 * 208);
    EXPECT_EQ(o.Left, 340 * 208);
    EXPECT_EQ(card.doc().SelectedObject, 1);

    CardChange again(card, StepNames::Paste);
    EXPECT_EQ(pasteInto(again, data, s.context), 2);
    again.commit();
    EXPECT_EQ(card.doc().object(2).PictureFile(), "Clipboard2.png") << "a fresh name every time";
}

TEST(ObjectClipboard, BadRecordsAndFullCardsPasteNothing)
{
    Clip s;
    CardModel card;
    std::unique_ptr<QMimeData> bad(record(handMadeEntry().left(40)));
    {
        CardChange change(card, StepNames::Paste);
        EXPECT_EQ(pasteInto(change, *bad, s.context), 0);
    }
    EXPECT_TRUE(s.ask.messages.empty());

    for (int slot = 1; slot <= 10000; ++slot)
        card.doc().object(slot).Kind = document::ShapeObject;
    const QByteArray before = document::cardToBytes(card.doc());
    std::unique_ptr<QMimeData> good(record(handMadeEntry()));
    QMimeData picture;
    picture.setImageData(QImage(4, 4, QImage::Format_RGB32));
    for (const QMimeData* data : {good.get(), &picture}) {
        CardChange change(card, StepNames::Paste);
        EXPECT_EQ(pasteInto(change, *data, s.context), 0);
        EXPECT_FALSE(change.commit());
    }
    EXPECT_EQ(document::cardToBytes(card.doc()), before);
    EXPECT_EQ(card.history().count(), 0);
    ASSERT_EQ(s.ask.messages.size(), 2u);
    EXPECT_EQ(s.ask.messages[1].caption, "Error: No more free object available");
    EXPECT_EQ(s.ask.messages[1].text, "To much objects created!");
    EXPECT_FALSE(QFileInfo::exists(s.folder.filePath("Clipboard1.png"))) << "nothing written for a full card";
}

TEST(ObjectClipboard, ThePictureShowsTheObjectAt96PixelsPerInch)
{
    CardModel card;
    Tobs& o = card.doc().object(1);
    o.Kind = document::ShapeObject;
    o.ShapeKind = document::ShapeRectangle;
    o.FillMode = document::FillFilled;
    o.Color = 0x0000FF;  // red as a Windows colour value
    o.LineWidth = 1;
    o.Left = 40000;
    o.Top = 30000;
    // A little over one inch by half an inch: 96.48 x 48.48 device pixels, truncated.
    o.Width = 20100;
    o.Height = 10100;
    const QImage image = objectPicture(card.doc(), 1, {});
    // 96 x 48 pixels and one pixel of room on every side for the pen.
    ASSERT_EQ(image.size(), QSize(98, 50));
    EXPECT_EQ(image.pixel(49, 25), qRgb(255, 0, 0));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "transparent around it";
}

TEST(ObjectClipboard, AHugeObjectIsDrawnSmallerToFitTheBoundedPicture)
{
    CardModel card;
    auto add = [&](int slot, int kind, int shapeKind, std::int32_t width, std::int32_t height) -> Tobs& {
        Tobs& o = card.doc().object(slot);
        o.Kind = kind;
        o.ShapeKind = shapeKind;
        o.FillMode = document::FillFilledWithBorder;
        o.Color = 0x0000FF;        // red inside
        o.BorderColor = 0xFF0000;  // a blue pen
        o.LineWidth = 1;
        o.Left = 50000;
        o.Top = 50000;
        o.Width = width;
        o.Height = height;
        return o;
    };
    add(1, document::ShapeObject, document::ShapeEllipse, 3000000, 3000000);
    add(2, document::ShapeObject, document::ShapeRoundedRectangle, 3000000, 600000);
    Tobs& text = add(3, document::TextObject, 0, 3000000, 300000);
    text.Text = "Huge";
    text.FontName = "Arial";
    text.FontSize = 500;
    text.Color = 0;
    // Reaching back from their corners, with a pen of 4 m and one of the largest width a file holds.
    add(4, document::ShapeObject, document::ShapeEllipse, -3000000, 3000000).LineWidth = 20000;
    add(5, document::ShapeObject, document::ShapeRoundedRectangle, -3000000, -600000).LineWidth = INT32_MAX;

    const auto data = objectMimeData(card.doc(), 1, {});
    ASSERT_TRUE(data && data->hasFormat("image/png"));
    const QImage copied = QImage::fromData(data->data("image/png"));
    // 14400 pixels at 96 per inch; at most 2048 on a side, and the PNG tells at what resolution.
    ASSERT_FALSE(copied.isNull());
    EXPECT_LE(copied.width(), 2048);
    EXPECT_GE(copied.width(), 2000);
    const double pixelsPerInch = copied.dotsPerMeterX() * 0.0254;
    EXPECT_NEAR(copied.width(), 3000000 * pixelsPerInch / 20000, 4) << pixelsPerInch;
    EXPECT_EQ(copied.pixel(copied.width() / 2, copied.height() / 2), qRgb(255, 0, 0));

    for (int slot = 2; slot <= 5; ++slot) {
        const QImage image = objectPicture(card.doc(), slot, {});
        ASSERT_FALSE(image.isNull()) << slot;
        EXPECT_LE(std::max(image.width(), image.height()), 2048) << slot;
        EXPECT_GE(std::max(image.width(), image.height()), 1000) << slot;
        const QRgb middle = image.pixel(image.width() / 2, image.height() / 2);
        if (slot == 2) {
            EXPECT_EQ(middle, qRgb(255, 0, 0));
        } else if (slot == 4) {
            // A pen wider than the circle covers all of it; the stroke leaves no hole.
            int unpainted = 0;
            for (int y = image.height() / 4; y < image.height() * 3 / 4; ++y)
                for (int x = image.width() / 4; x < image.width() * 3 / 4; ++x)
                    unpainted += image.pixel(x, y) != qRgb(0, 0, 255) ? 1 : 0;
            EXPECT_EQ(unpainted, 0) << "the pen covers the whole figure";
        }
    }
    const QImage huge = objectPicture(card.doc(), 3, {});
    int dark = 0;
    for (int y = 0; y < huge.height(); ++y)
        for (int x = 0; x < huge.width(); ++x)
            dark += qAlpha(huge.pixel(x, y)) > 128 && qGray(huge.pixel(x, y)) < 128 ? 1 : 0;
    EXPECT_GT(dark, 1000) << "the text is drawn";
}

TEST(ObjectClipboard, CutDuplicateAndPasteThroughTheCommands)
{
    Clip s;
    CardModel card;
    int repaints = 0;
    EditorCommands commands(card, s.ask, [&] { ++repaints; });
    commands.setClipboardContext(s.folder.path() + "/", 96, {});
    Tobs& o = card.doc().object(4);
    o.Kind = document::ShapeObject;
    o.Left = 5000;
    o.Top = 6000;
    card.doc().SelectedObject = 4;

    commands.duplicateObject();
    EXPECT_EQ(card.doc().SelectedObject, 1);
    EXPECT_EQ(card.doc().object(1).Left, 5000 + 1574);
    EXPECT_EQ(card.history().undoText(), "Duplicate");

    card.doc().SelectedObject = 4;
    commands.cutObject();
    EXPECT_TRUE(s.ask.messages.empty()) << "no delete question";
    EXPECT_EQ(card.doc().object(4).Kind, document::FreeSlot);
    EXPECT_EQ(card.history().undoText(), "Cut");
    EXPECT_TRUE(canPaste(QGuiApplication::clipboard()->mimeData()));

    commands.pasteObject();
    EXPECT_EQ(card.doc().SelectedObject, 2);
    EXPECT_EQ(card.doc().object(2).Left, 5000) << "its own place is free again";
    EXPECT_EQ(card.history().undoText(), "Paste");
    commands.undo();
    commands.undo();
    EXPECT_EQ(card.doc().object(4).Kind, document::ShapeObject);
    EXPECT_EQ(card.doc().SelectedObject, 4);
    EXPECT_EQ(repaints, 5);
}

TEST(ObjectClipboard, APastedPictureRecordReloadsItsFileAndItsTurn)
{
    Clip s;
    QImage wide(6, 2, QImage::Format_RGB32);
    wide.fill(Qt::blue);
    ASSERT_TRUE(wide.save(s.folder.filePath("logo.png")));
    CardModel card;
    Tobs& o = card.doc().object(2);
    o.Kind = document::PictureObject;
    o.PictureFile() = "logo.png";  // a bare name lies in the program folder
    o.Rotation = 1;                // turned once to the right
    o.Width = 2 * 208;
    o.Height = 6 * 208;
    const auto data = objectMimeData(card.doc(), 2, {});
    CardModel other;
    CardChange change(other, StepNames::Paste);
    ASSERT_EQ(pasteInto(change, *data, s.context), 1);
    change.commit();
    const Tobs& pasted = other.doc().object(1);
    ASSERT_TRUE(pasted.Picture.isLoaded());
    EXPECT_EQ(pasted.Picture.width(), 2) << "the stored turn is applied to the fresh pixels";
    EXPECT_EQ(pasted.Picture.height(), 6);

    // A picture file that is gone: the program's message, and nothing pasted.
    ASSERT_TRUE(QFile::remove(s.folder.filePath("logo.png")));
    CardChange again(other, StepNames::Paste);
    EXPECT_EQ(pasteInto(again, *data, s.context), 0);
    ASSERT_EQ(s.ask.messages.size(), 1u);
    EXPECT_EQ(s.ask.messages[0].text, "Could not open picture (logo.png).");
    EXPECT_FALSE(again.commit());
}
