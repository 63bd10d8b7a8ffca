#include "editor/insertion.h"

#include "support/scripted_prompter.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellamo::editor;
using vellamo::document::CardDocument;
using vellamo::testing::ScriptedPrompter;

namespace {

class FixedPicture : public PictureChooser {
public:
    std::optional<QString> answer;
    std::optional<QString> choosePicture() override { return answer; }
};

struct Insert {
    CardDocument doc;
    ScriptedPrompter ask;
    FixedPicture pictures;
    QTemporaryDir program;
    InsertionContext context{ask, &pictures, program.path() + "/", 96, FontChoice(), {}};
};

}  // namespace

TEST(Insertion, ATextAtTheReleasePoint)
{
    Insert i;
    i.doc.object(1).Kind = 1;
    i.doc.object(2).Shadow = true;  // left by an earlier occupant
    i.doc.object(2).Text = "old";
    i.context.font = {"Arial", 14, -19, 2, 3, 0x0000FF};
    const int slot = insertObject(i.doc, NewObjectKind::Text, 200, 80, i.context);
    ASSERT_EQ(slot, 2);
    const auto& o = i.doc.object(2);
    EXPECT_EQ(i.doc.SelectedObject, 2);
    EXPECT_EQ(o.Kind, 2);
    EXPECT_EQ(o.Left, 200 * 208);
    EXPECT_EQ(o.Top, 80 * 208);
    EXPECT_EQ(o.Width, 50 * 208);
    EXPECT_EQ(o.Height, 50 * 208);
    EXPECT_TRUE(o.KeepAspect);
    EXPECT_EQ(o.ShapeKind, 3);
    EXPECT_EQ(o.Color, 0);
    EXPECT_EQ(o.Text, "");
    EXPECT_TRUE(o.Shadow) << "fields not set keep the slot's";
    EXPECT_EQ(o.FontName, "Arial");
    EXPECT_EQ(o.FontSize, 14);
    EXPECT_EQ(o.FontHeight, -19);
    EXPECT_EQ(o.FontPitch, 2);
    EXPECT_EQ(o.FontStyle, 3);
    EXPECT_EQ(o.FontColor, 0x0000FF);
}

TEST(Insertion, APictureTakesTenThousandUnitsPerDpiPerPixel)
{
    Insert i;
    QImage image(300, 150, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(i.program.filePath("logo.png")));
    i.pictures.answer = QStringLiteral("logo.png");
    const int slot = insertObject(i.doc, NewObjectKind::Picture, 10, 10, i.context);
    ASSERT_EQ(slot, 1);
    const auto& o = i.doc.object(1);
    EXPECT_EQ(o.Kind, 3);
    EXPECT_EQ(o.Width, 31200);
    EXPECT_EQ(o.Height, 15600);
    EXPECT_EQ(o.PictureFile(), "logo.png");
    EXPECT_TRUE(o.Picture.isLoaded());
}

TEST(Insertion, NothingIsCreatedWhenItCannotBe)
{
    Insert i;
    EXPECT_EQ(insertObject(i.doc, NewObjectKind::Picture, 10, 10, i.context), 0) << "cancelled";
    EXPECT_TRUE(i.ask.messages.empty());

    i.pictures.answer = QStringLiteral("missing.png");
    EXPECT_EQ(insertObject(i.doc, NewObjectKind::Picture, 10, 10, i.context), 0);
    ASSERT_EQ(i.ask.messages.size(), 1u);
    EXPECT_EQ(i.ask.messages[0].text, "Could not open picture (missing.png).");
    EXPECT_EQ(i.ask.messages[0].icon, vellamo::document::MessageIcon::Error);
    EXPECT_EQ(i.doc.object(1).Kind, 0);
    EXPECT_EQ(i.doc.SelectedObject, 0);

    for (int slot = 1; slot <= 10000; ++slot)
        i.doc.object(slot).Kind = 1;
    EXPECT_EQ(insertObject(i.doc, NewObjectKind::Shape, 10, 10, i.context), 0);
    ASSERT_EQ(i.ask.messages.size(), 2u);
    EXPECT_EQ(i.ask.messages[1].caption, "Error: No more free object available");
    EXPECT_EQ(i.ask.messages[1].text, "To much objects created!");
    EXPECT_EQ(i.ask.messages[1].icon, vellamo::document::MessageIcon::Information);
}
