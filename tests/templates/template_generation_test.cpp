#include "templates/template_generation.h"

#include "support/files.h"
#include "templates/sample_pictures.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>

using namespace vellamo::templates;
using vellamo::imaging::DibRecord;

namespace {

// Loads any name listed as existing, as a 40 x 20 picture.
TemplatePictureLoader picturesNamed(std::set<QString> existing, std::vector<QString>* asked = nullptr)
{
    return [existing, asked](DibRecord& target, const QString& path) {
        if (asked)
            asked->push_back(path);
        if (!existing.count(path))
            return false;
        QImage image(40, 20, QImage::Format_RGB32);
        image.fill(Qt::blue);
        target = DibRecord(image, 24);
        return true;
    };
}

TemplateChoices nothingTicked()
{
    TemplateChoices c;
    c.TitelCheck = c.BerufCheck = c.AnschriftCheck = c.TelCheck = false;
    c.graphic = GraphicChoice::OnlyText;
    return c;
}

}  // namespace

TEST(TemplateGeneration, DefaultBlocksAreExact)
{
    const auto blocks = templateTextBlocks(TemplateChoices());
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0], "[Title] [First Name] [Last Name]\r[Profession]");
    EXPECT_EQ(blocks[1], std::string("[Street]\r[Zip] [City]") + "\r" +
                             "<Phone private 1> [Phone private 1]" + "\r" + "<FAX private> [FAX private]");
    EXPECT_EQ(blocks[1].find('\n'), std::string::npos) << "carriage return only";

    TemplateChoices c = nothingTicked();
    c.TelCheck = true;
    c.PrivatRadio = false;
    EXPECT_EQ(templateTextBlocks(c),
              std::vector<std::string>{"<Phone company 1> [Phone company 1]\r<FAX company> [FAX company]"});

    c = nothingTicked();
    c.Free2Check = true;
    EXPECT_EQ(templateTextBlocks(c), std::vector<std::string>{"Free text line 1"});
    c.FreeCheck = true;
    EXPECT_EQ(templateTextBlocks(c), std::vector<std::string>{"Free text line 1\rFree text line 2"});

    c = nothingTicked();
    c.BerufCheck = c.SloganCheck = c.emailCheck = c.AnschriftCheck = true;
    c.PrivatRadio = false;
    EXPECT_EQ(templateTextBlocks(c),
              (std::vector<std::string>{"[Profession]",
                                        "[Street company]\r[Zip company] [City company]\r<Email company> "
                                        "[Email company]\r<Homepage company> [Homepage company]",
                                        "[Company slogan]"}));
    c = nothingTicked();
    c.TitelCheck = c.FirmaCheck = true;
    EXPECT_EQ(templateTextBlocks(c),
              (std::vector<std::string>{"[Title] [First Name] [Last Name]", "[Company]"}));
}

TEST(TemplateGeneration, LayoutCountsAndDistinctLayouts)
{
    EXPECT_EQ(possibleLayouts(1), 9);
    EXPECT_EQ(possibleLayouts(2), 72);
    EXPECT_EQ(possibleLayouts(3), 504);
    EXPECT_EQ(possibleLayouts(4), 3024);
    EXPECT_EQ(possibleLayouts(5), 15120);
    EXPECT_EQ(layoutCount(2), 72);
    EXPECT_EQ(layoutCount(3), 100);
    EXPECT_EQ(resultLine(9, 9), "This is a random selection of 9 cards of 9 possible cards.");

    for (int e = 1; e <= 5; ++e) {
        LayoutRandom random(1234u + unsigned(e));
        const auto layouts = generateLayouts(e, random);
        ASSERT_EQ(int(layouts.size()), layoutCount(e));
        for (std::size_t i = 0; i < layouts.size(); ++i) {
            std::multiset<int> used;
            for (const auto& column : layouts[i].cells)
                for (int cell : column)
                    if (cell)
                        used.insert(cell);
            ASSERT_EQ(int(used.size()), e);
            for (int k = 1; k <= e; ++k)
                EXPECT_EQ(used.count(k), 1u) << "element " << k << " in exactly one cell";
            for (std::size_t j = 0; j < i; ++j)
                ASSERT_FALSE(layouts[i] == layouts[j]) << e << " elements: layouts " << i << " and " << j;
        }
    }
    // One element: each of the nine cells once.
    LayoutRandom random(7);
    std::set<std::pair<int, int>> cells;
    for (const auto& layout : generateLayouts(1, random))
        for (int c = 0; c < 3; ++c)
            for (int r = 0; r < 3; ++r)
                if (layout.cells[c][r] == 1)
                    cells.insert({c, r});
    EXPECT_EQ(cells.size(), 9u);

    // The same seed gives the same layouts.
    LayoutRandom a(99), b(99);
    EXPECT_EQ(generateLayouts(3, a), generateLayouts(3, b));
}

TEST(TemplateGeneration, PicturesBackgroundAndNothingSelected)
{
    const QString folder = "/home/p/";
    TemplateSet set;
    LayoutRandom random(5);
    std::vector<QString> asked;
    // The default choices with a logo that exists: three elements, 100 of 504.
    ASSERT_TRUE(RenderTemplates(set, TemplateChoices(), "me.png", folder,
                                picturesNamed({folder + "me.png", folder + "sky.jpg"}, &asked), random));
    ASSERT_EQ(set.elements.size(), 3u);
    EXPECT_TRUE(set.elements[2].isPicture);
    EXPECT_EQ(set.elements[2].text, "/home/p/me.png");
    EXPECT_EQ(set.layouts.size(), 100u);
    EXPECT_EQ(set.possible, 504);
    EXPECT_TRUE(set.backgroundPresent);
    EXPECT_EQ(set.backgroundFile, "sky.jpg");

    // A logo that cannot be read is left out without a word; so is the background.
    ASSERT_TRUE(
        RenderTemplates(set, TemplateChoices(), "/elsewhere/gone.png", folder, picturesNamed({}), random));
    EXPECT_EQ(set.elements.size(), 2u);
    EXPECT_EQ(set.layouts.size(), 72u);
    EXPECT_FALSE(set.backgroundPresent);

    // "Only Text": no picture, whatever the names say; "Insert picture" uses its own edit.
    TemplateChoices c;
    c.graphic = GraphicChoice::OnlyText;
    ASSERT_TRUE(RenderTemplates(set, c, "me.png", folder, picturesNamed({folder + "me.png"}), random));
    EXPECT_EQ(set.elements.size(), 2u);
    c.graphic = GraphicChoice::InsertPicture;
    c.GrafikFileEd = "/abs/pic.png";
    c.BkGndCheck = false;
    ASSERT_TRUE(RenderTemplates(set, c, "me.png", folder, picturesNamed({"/abs/pic.png", folder + "sky.jpg"}),
                                random));
    EXPECT_EQ(set.elements.back().text, "/abs/pic.png");
    EXPECT_FALSE(set.backgroundPresent) << "unticked";

    // Nothing at all: the table is emptied so that nothing stale is shown or adopted.
    c = nothingTicked();
    c.graphic = GraphicChoice::IncludeLogo;
    EXPECT_FALSE(RenderTemplates(set, c, "gone.png", folder, picturesNamed({}), random));
    EXPECT_TRUE(set.elements.empty());
    EXPECT_TRUE(set.layouts.empty());
}

TEST(SamplePictures, CopiedOnlyIntoAFolderHoldingNeither)
{
    QTemporaryDir empty;
    const QString folder = empty.path() + "/";
    ASSERT_TRUE(provideSamplePictures(folder));
    const QImage logo(folder + "logo.jpg");
    const QImage sky(folder + "sky.jpg");
    EXPECT_FALSE(logo.isNull());
    EXPECT_FALSE(sky.isNull());
    EXPECT_GT(sky.width(), sky.height()) << "a card-shaped sky";
    QFile writable(folder + "sky.jpg");
    EXPECT_TRUE(writable.open(QIODevice::ReadWrite)) << "the user's own copy";

    QTemporaryDir one;
    QFile own(one.path() + "/logo.jpg");
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.write("mine");
    own.close();
    ASSERT_TRUE(provideSamplePictures(one.path() + "/"));
    EXPECT_FALSE(QFile::exists(one.path() + "/sky.jpg"));
    EXPECT_EQ(vellamo::testing::readFile(one.path() + "/logo.jpg"), "mine");
}
