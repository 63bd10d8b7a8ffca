#include "templates/template_page.h"

#include "render/picture_operations.h"
#include "support/scripted_prompter.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace vellamo;
using namespace vellamo::templates;
using document::Answer;

namespace {

struct Assistant {
    QTemporaryDir dir;
    QString folder = dir.path() + "/";
    document::CardDocument doc;
    addressbook::AddressBook book;
    vellamo::testing::ScriptedPrompter ask;
    render::ProgramFolderPictures pictures{folder};
    std::vector<TemplateCard> adopted;
    std::deque<bool> saves;
    QWidget window;
    QTabWidget* tabs = nullptr;
    TemplatePage* page = nullptr;

    Assistant()
    {
        TemplatePageContext context;
        context.programFolder = folder;
        context.ask = &ask;
        context.pictures = &pictures;
        context.seed = 42;
        context.save = [this] {
            const bool ok = !saves.empty() && saves.front();
            if (!saves.empty())
                saves.pop_front();
            return ok;
        };
        context.adopt = [this](TemplateCard card) { adopted.push_back(std::move(card)); };
        tabs = new QTabWidget(&window);
        page = new TemplatePage(doc, book, std::move(context), tabs);
        tabs->addTab(page, "Template assistant");
        tabs->addTab(new QWidget(tabs), "Editor");
        (new QVBoxLayout(&window))->addWidget(tabs);
        window.resize(700, 700);
    }

    void onlyText()
    {
        page->radio("TextRadio")->setChecked(true);
        page->check("BkGndCheck")->setChecked(false);
    }

    QImage paintGallery()
    {
        page->gallery()->fitSurface();
        QImage image(page->gallery()->size(), QImage::Format_RGB32);
        image.fill(QColor(1, 2, 3));
        QPainter p(&image);
        page->gallery()->paintBand(p, image.rect());
        return image;
    }
};

QColor at(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)); }

}  // namespace

TEST(TemplatePage, CaptionsAndDefaults)
{
    Assistant a;
    EXPECT_EQ(a.page->check("TitelCheck")->text(), "Title, Last, First name");
    EXPECT_TRUE(a.page->check("TitelCheck")->isChecked());
    EXPECT_TRUE(a.page->check("BerufCheck")->isChecked());
    EXPECT_FALSE(a.page->check("FirmaCheck")->isChecked());
    EXPECT_EQ(a.page->check("emailCheck")->text(), "WWW and Email");
    EXPECT_TRUE(a.page->radio("PrivatRadio")->isChecked());
    EXPECT_EQ(a.page->radio("geschRadio")->text(), "Company Address");
    EXPECT_TRUE(a.page->radio("LogoRadio")->isChecked());
    EXPECT_EQ(a.page->GrafikFileEd()->text(), "logo.jpg");
    EXPECT_EQ(a.page->BkGndFileED()->text(), "sky.jpg");
    EXPECT_EQ(a.page->RenderBtn()->text(), "&Render templates");
    EXPECT_EQ(a.page->UseTemplateBtn()->text(), "Use selected &template");
    EXPECT_EQ(a.page->Label3()->text(), "This is a random selection of 0 cards of 0 possible cards.");
    EXPECT_EQ(a.page->galleryBox()->verticalScrollBar()->singleStep(), 160);

    a.page->BkGndFileED()->setText("\"" + a.folder + "sky.png\"");
    EXPECT_EQ(a.page->BkGndFileED()->text(), a.folder + "sky.png") << "quotes go; no shortening given";
}

TEST(TemplatePage, RenderShowsTheResultAndNothingSelectedEmptiesTheTable)
{
    Assistant a;
    // The address's logo and the sky are damaged files: left out without a word.
    for (const char* name : {"logo.jpg", "sky.jpg"}) {
        QFile damaged(a.folder + name);
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write("\xFF\xD8\xFF\xE0 not really a picture");
    }
    a.book.setLogoFileName("logo.jpg");
    a.page->RenderBtnClick();  // the two default text blocks alone
    EXPECT_EQ(a.page->Label3()->text(), "This is a random selection of 72 cards of 72 possible cards.");
    EXPECT_TRUE(a.ask.messages.empty()) << "damaged pictures are silent";
    EXPECT_FALSE(a.page->templates().backgroundPresent);
    a.page->gallery()->setSelected(50);

    for (const char* name : {"TitelCheck", "BerufCheck", "AnschriftCheck", "TelCheck"})
        a.page->check(name)->setChecked(false);
    a.onlyText();
    a.page->RenderBtnClick();
    ASSERT_EQ(a.ask.messages.size(), 1u);
    EXPECT_EQ(a.ask.messages[0].caption, "Error: No objects selected!");
    EXPECT_EQ(a.ask.messages[0].text, "Please select first the elements to be placed on the Business Card.");
    EXPECT_EQ(a.ask.messages[0].icon, document::MessageIcon::Error);
    EXPECT_EQ(a.page->Label3()->text(), "This is a random selection of 72 cards of 72 possible cards.");
    EXPECT_TRUE(a.page->templates().layouts.empty());
    EXPECT_EQ(a.page->gallery()->selected(), 0) << "every generation starts at the first";
    a.page->UseTemplateBtnClick();
    EXPECT_TRUE(a.adopted.empty()) << "nothing to adopt";
    EXPECT_EQ(a.paintGallery().pixel(15, 15), QColor(1, 2, 3).rgb()) << "the gallery shows nothing";
}

TEST(TemplatePage, ThumbnailPixelsAndSelectionByMouse)
{
    Assistant a;
    a.onlyText();
    a.page->check("AnschriftCheck")->setChecked(false);
    a.page->check("TelCheck")->setChecked(false);
    a.page->RenderBtnClick();  // one element: nine layouts
    a.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&a.window));
    const QImage plain = a.paintGallery();
    // Selected thumbnail 0: red frame from (5, 5), black outline, then the white card with
    // its black border at (10, 10).
    EXPECT_EQ(at(plain, 5, 80), QColor(Qt::black));
    EXPECT_EQ(at(plain, 7, 80), QColor(Qt::red));
    EXPECT_EQ(at(plain, 10, 80), QColor(Qt::black));
    EXPECT_EQ(at(plain, 15, 15), QColor(Qt::white));
    EXPECT_EQ(at(plain, 254, 159), QColor(Qt::black)) << "right and bottom exclusive";
    const int second = 10 + a.page->gallery()->geometryNow().TW + 10;
    EXPECT_EQ(at(plain, second - 3, 80), QColor(1, 2, 3)) << "no frame around the others";
    EXPECT_EQ(at(plain, second + 5, 15), QColor(Qt::white));

    // A background covering the card face: twice as wide as the thumbnail's proportions.
    QImage sky(2 * 246, 151, QImage::Format_RGB32);
    sky.fill(Qt::blue);
    for (int x = 0; x < 123; ++x)
        for (int y = 0; y < 151; ++y)
            sky.setPixel(x, y, qRgb(0, 255, 0));  // the part shifted out on the left
    ASSERT_TRUE(sky.save(a.folder + "sky.png"));
    a.page->check("BkGndCheck")->setChecked(true);
    a.page->BkGndFileED()->setText("sky.png");
    a.page->RenderBtnClick();
    ASSERT_TRUE(a.page->templates().backgroundPresent);
    const QImage covered = a.paintGallery();
    EXPECT_EQ(at(covered, 10, 10), QColor(Qt::blue));
    EXPECT_EQ(at(covered, 254, 159), QColor(Qt::blue));
    EXPECT_EQ(at(covered, 7, 80), QColor(Qt::red)) << "the frame stays outside the cell";
    EXPECT_EQ(at(covered, 255, 80), QColor(Qt::red)) << "the picture is cut at the cell";
    EXPECT_EQ(at(covered, 259, 80), QColor(Qt::black)) << "the frame's outline";

    // A click selects the thumbnail under the mouse.
    a.page->gallery()->fitSurface();
    QTest::mouseClick(a.page->gallery(), Qt::LeftButton, {}, QPoint(second + 20, 40));
    EXPECT_EQ(a.page->gallery()->selected(), 1);
    QTest::mouseClick(a.page->gallery(), Qt::RightButton, {}, QPoint(second - 4, 40));
    EXPECT_EQ(a.page->gallery()->selected(), 1) << "between thumbnails nothing changes";
}

TEST(TemplatePage, AdoptionAsksOnlyForACardWithObjects)
{
    Assistant a;
    a.onlyText();
    a.page->RenderBtnClick();
    a.page->UseTemplateBtnClick();
    EXPECT_TRUE(a.ask.messages.empty()) << "an empty card is not asked about";
    ASSERT_EQ(a.adopted.size(), 1u);
    EXPECT_EQ(a.adopted[0].objects.size(), 2u);

    a.doc.object(7).Kind = document::ShapeObject;
    a.ask.answers = {Answer::Cancel, Answer::Yes, Answer::No};
    a.saves = {false};
    a.page->UseTemplateBtnClick();
    ASSERT_EQ(a.ask.messages.size(), 1u);
    EXPECT_EQ(a.ask.messages[0].caption, "Opens the template in the editor");
    EXPECT_EQ(a.ask.messages[0].text, "Do you want to save before?");
    EXPECT_EQ(a.ask.messages[0].buttons, document::MessageButtons::YesNoCancel);
    a.page->UseTemplateBtnClick();
    EXPECT_EQ(a.adopted.size(), 1u) << "Cancel, and Yes with a failed save, adopt nothing";
    a.page->UseTemplateBtnClick();
    EXPECT_EQ(a.adopted.size(), 2u) << "No goes on";
}

TEST(TemplatePage, WheelScrollsTheGalleryOnlyWhileShown)
{
    Assistant a;
    a.page->RenderBtnClick();
    a.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&a.window));
    a.page->gallery()->fitSurface();
    QApplication::processEvents();
    QScrollBar* bar = a.page->galleryBox()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 100);
    const auto wheel = [&](QWidget* over, int delta) {
        QWheelEvent event(QPointF(5, 5), over->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &event);
    };
    wheel(a.page->RenderBtn(), -120);
    EXPECT_EQ(bar->value(), 20) << "wheel down anywhere: 20 pixels";
    wheel(a.page->gallery(), -120);
    wheel(a.page->gallery(), -360);
    EXPECT_EQ(bar->value(), 60) << "one step per event";
    wheel(a.page->gallery(), 120);
    EXPECT_EQ(bar->value(), 40);
    a.tabs->setCurrentIndex(1);
    wheel(a.tabs->widget(1), -120);
    EXPECT_EQ(bar->value(), 40) << "not on other pages";
}
