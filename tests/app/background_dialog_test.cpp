#include "app/background_dialog.h"

#include "app/picture_open_dialog.h"
#include "render/picture_operations.h"
#include "support/scripted_prompter.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <deque>
#include <gtest/gtest.h>

using namespace vellamo;
using app::Tbkgndform;
using document::CardDocument;

namespace {

const QRgb Green = qRgb(0, 255, 0);

// The picture dialog answered from a script: a path, or nothing for Cancel. `whileOpen` runs
// while it "is open".
class ScriptedPictureChooser : public editor::PictureChooser {
public:
    std::deque<std::optional<QString>> answers;
    std::function<void()> whileOpen;
    int shown = 0;

    std::optional<QString> choosePicture() override
    {
        ++shown;
        if (whileOpen)
            whileOpen();
        if (answers.empty())
            return std::nullopt;
        const auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

struct Background {
    QTemporaryDir dir;
    QString home = dir.path() + "/";
    CardDocument doc;
    ScriptedPictureChooser pictures;
    vellamo::testing::ScriptedPrompter ask;
    int repaints = 0;
    std::vector<int> progress;
    Tbkgndform dialog{
        doc, pictures, home, ask, [this](int p) { progress.push_back(p); }, [this] { ++repaints; }};

    Background()
    {
        save("old.png", 30, 10);
        save("new.png", 12, 8);
    }
    void save(const QString& name, int w, int h)
    {
        QImage picture(w, h, QImage::Format_RGB32);
        picture.fill(Green);
        ASSERT_TRUE(picture.save(home + name));
    }
    // The card already has old.png as its background, placed as given.
    void withBackground(int mode)
    {
        ASSERT_TRUE(render::LoadDIBit(doc.BackgroundPicture, "old.png", home));
        doc.BackgroundFile = "old.png";
        doc.BackgroundMode = mode;
    }
    // Opens the dialog; the steps run while it is open and, unless they close it, "&Back..."
    // closes it afterwards.
    void open(std::function<void()> steps)
    {
        QTimer::singleShot(0, &dialog, [this, steps = std::move(steps)] {
            steps();
            if (dialog.isVisible())
                dialog.OkBitBtn1->click();
        });
        dialog.Hintergrundbild1Click();
    }
};

}  // namespace

TEST(BackgroundDialog, CardWithoutBackgroundShowsTheLastPlacement)
{
    Background b;
    EXPECT_EQ(b.dialog.windowTitle(), "Choose background picture");
    b.open([&] {
        EXPECT_TRUE(b.dialog.ZoomedInRadio->isChecked()) << "the first time";
        EXPECT_FALSE(b.dialog.working().picture.isLoaded());
        b.dialog.TileRadio->click();
    });
    EXPECT_EQ(b.doc.BackgroundMode, document::NoBackground) << "no picture, no background";
    EXPECT_EQ(b.repaints, 1);

    b.open([&] { EXPECT_TRUE(b.dialog.TileRadio->isChecked()); });
    EXPECT_EQ(b.repaints, 2);

    b.withBackground(document::CenterZoomedOut);
    b.open([&] {
        EXPECT_TRUE(b.dialog.ZoomedOutRadio->isChecked()) << "the card's own placement";
        EXPECT_TRUE(b.dialog.working().picture.isLoaded());
        EXPECT_EQ(b.dialog.working().file, "old.png");
    });
    EXPECT_EQ(b.doc.BackgroundMode, document::CenterZoomedOut);
    EXPECT_EQ(b.doc.BackgroundFile, "old.png");
}

TEST(BackgroundDialog, PictureDialogReturningBringsBackTheCardsPlacement)
{
    Background b;
    b.withBackground(document::StretchToCard);
    b.pictures.answers = {QString("new.png")};
    b.pictures.whileOpen = [&] {
        // The old picture is gone from the card at once.
        EXPECT_FALSE(b.doc.BackgroundPicture.isLoaded());
        EXPECT_EQ(b.doc.BackgroundFile, "");
        EXPECT_FALSE(b.dialog.working().picture.isLoaded());
    };
    b.open([&] {
        EXPECT_TRUE(b.dialog.StretchRadio->isChecked());
        b.dialog.TileRadio->click();
        b.dialog.OpenBtn->click();
        EXPECT_EQ(b.pictures.shown, 1);
        EXPECT_TRUE(b.dialog.StretchRadio->isChecked()) << "the choice before Open... is replaced";
        EXPECT_EQ(b.dialog.working().picture.width(), 12);
        EXPECT_EQ(b.doc.BackgroundPicture.width(), 12) << "the new picture reaches the card at once";
        EXPECT_EQ(b.doc.BackgroundFile, "new.png");
        EXPECT_EQ(b.repaints, 0);
    });
    EXPECT_EQ(b.doc.BackgroundMode, document::StretchToCard);
    EXPECT_EQ(b.doc.BackgroundFile, "new.png");
    EXPECT_EQ(b.doc.BackgroundPicture.width(), 12);
    EXPECT_TRUE(b.ask.messages.empty());
    EXPECT_FALSE(b.progress.empty()) << "reading reports progress";
}

TEST(BackgroundDialog, OpenThenCancelLeavesNoBackground)
{
    Background b;
    b.withBackground(document::CenterZoomedIn);
    b.open([&] {
        b.dialog.OpenBtn->click();
        EXPECT_FALSE(b.doc.BackgroundPicture.isLoaded());
        EXPECT_TRUE(b.dialog.ZoomedInRadio->isChecked());
    });
    EXPECT_EQ(b.doc.BackgroundMode, document::NoBackground);
    EXPECT_EQ(b.doc.BackgroundFile, "");
    EXPECT_FALSE(b.doc.BackgroundPicture.isLoaded());
}

TEST(BackgroundDialog, TileAndTheCloseBoxAppliesTile)
{
    Background b;
    b.withBackground(document::CenterZoomedIn);
    b.open([&] {
        b.dialog.TileRadio->click();
        b.dialog.close();
    });
    EXPECT_FALSE(b.dialog.isVisible());
    EXPECT_EQ(b.doc.BackgroundMode, document::TileBackground);
    EXPECT_EQ(b.doc.BackgroundFile, "old.png");
    EXPECT_TRUE(b.doc.BackgroundPicture.isLoaded());
    EXPECT_EQ(b.repaints, 1);

    // The Escape key is a way of closing too; there is no cancel.
    b.open([&] {
        b.dialog.StretchRadio->click();
        b.dialog.reject();
    });
    EXPECT_EQ(b.doc.BackgroundMode, document::StretchToCard);
}

TEST(BackgroundDialog, UnreadablePictureIsReportedAndLeavesNoBackground)
{
    Background b;
    b.withBackground(document::TileBackground);
    b.pictures.answers = {QString("missing.png")};
    b.open([&] {
        b.dialog.OpenBtn->click();
        EXPECT_FALSE(b.dialog.working().picture.isLoaded());
        EXPECT_EQ(b.dialog.working().file, "");
        EXPECT_EQ(b.doc.BackgroundFile, "");
    });
    ASSERT_EQ(b.ask.messages.size(), 1u);
    EXPECT_EQ(b.ask.messages[0].text, "Could not open the picture file (missing.png).");
    EXPECT_EQ(b.ask.messages[0].caption, "");
    EXPECT_EQ(b.ask.messages[0].icon, document::MessageIcon::Error);
    EXPECT_EQ(b.doc.BackgroundMode, document::NoBackground);
    EXPECT_FALSE(b.doc.BackgroundPicture.isLoaded());
}

TEST(BackgroundDialog, NoneRemovesThePictureAtOnce)
{
    Background b;
    b.withBackground(document::CenterZoomedOut);
    b.open([&] {
        b.dialog.NoBkGndBtn->click();
        EXPECT_FALSE(b.doc.BackgroundPicture.isLoaded());
        EXPECT_EQ(b.doc.BackgroundFile, "");
        EXPECT_FALSE(b.dialog.working().picture.isLoaded());
        EXPECT_EQ(b.doc.BackgroundMode, document::CenterZoomedOut) << "the placement waits for the close";
    });
    EXPECT_EQ(b.doc.BackgroundMode, document::NoBackground);
    EXPECT_EQ(b.doc.BackgroundFile, "");
}

TEST(BackgroundDialog, TallPictureIsPreviewedCentredAtFullHeight)
{
    EXPECT_EQ(app::centredPreview({270, 165}, {20, 60}), QRect(107, 0, 55, 165));
    EXPECT_EQ(app::centredPreview({270, 165}, {100, 20}), QRect(0, 55, 270, 54));
    EXPECT_EQ(app::centredPreview({270, 165}, {270, 165}), QRect(0, 0, 270, 165));
    EXPECT_EQ(app::centredPreview({270, 165}, {100000, 3}), QRect(0, 82, 270, 0));

    Background b;
    b.save("tall.png", 20, 60);
    b.pictures.answers = {QString("tall.png")};
    QImage pane;
    b.open([&] {
        b.dialog.PaintBox1->setFixedSize(270, 165);
        b.dialog.OpenBtn->click();
        pane = QImage(b.dialog.PaintBox1->size(), QImage::Format_RGB32);
        pane.fill(Qt::black);
        b.dialog.PaintBox1->render(&pane);
    });
    const QRgb workspace = app::workspaceColor().rgb();
    // 165 high, 20 * 165 / 60 = 55 wide, from (270 - 55) / 2 = 107.
    EXPECT_EQ(pane.pixel(107, 0), Green);
    EXPECT_EQ(pane.pixel(161, 164), Green);
    EXPECT_EQ(pane.pixel(106, 80), workspace);
    EXPECT_EQ(pane.pixel(162, 80), workspace);
}
