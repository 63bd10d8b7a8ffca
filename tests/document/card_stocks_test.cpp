#include "document/card_stocks.h"

#include "document/card_format_list.h"
#include "support/bytes.h"
#include "support/files.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_prompter.h"

#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>

using namespace vellamo::document;
using vellamo::testing::readFile;
using vellamo::testing::writeFile;

namespace {

const CardFormat* byName(const std::vector<CardFormat>& formats, const std::string& name)
{
    for (const CardFormat& f : formats) {
        if (f.Name == name)
            return &f;
    }
    return nullptr;
}

double f64At(const QByteArray& bytes, qsizetype offset)
{
    double v = 0;
    std::memcpy(&v, bytes.constData() + offset, 8);
    return v;
}

std::int32_t i32At(const QByteArray& bytes, qsizetype offset)
{
    std::int32_t v = 0;
    std::memcpy(&v, bytes.constData() + offset, 4);
    return v;
}

struct FixedChooser : CardStockChooser {
    std::optional<CardFormat> answer;
    int asked = 0;
    std::optional<CardFormat> chooseStock() override
    {
        ++asked;
        return answer;
    }
};

// A stock's card size, margins, pitch and cells as its row in the list gives them.
struct Geometry {
    double width, height, left, top, pitchX, pitchY;
    int columns, rows;
};

void expectGeometry(const CardFormat* f, const Geometry& g)
{
    ASSERT_TRUE(f);
    EXPECT_EQ(f->CardWidth, g.width) << f->Name;
    EXPECT_EQ(f->CardHeight, g.height) << f->Name;
    EXPECT_EQ(f->MarginLeft, g.left) << f->Name;
    EXPECT_EQ(f->MarginTop, g.top) << f->Name;
    EXPECT_EQ(f->PitchX, g.pitchX) << f->Name;
    EXPECT_EQ(f->PitchY, g.pitchY) << f->Name;
    EXPECT_EQ(f->Columns, g.columns) << f->Name;
    EXPECT_EQ(f->Rows, g.rows) << f->Name;
}

}  // namespace

TEST(CardStocks, ShippedRowsBecomeRecordsWithTheTablesMillimetres)
{
    const auto formats = shippedCardFormats();
    ASSERT_EQ(formats.size(), 39u);

    // Avery,5371,...,US-Letter,215.9,279.4,88.9,50.8,19.05,12.7,88.9,50.8,2,5
    expectGeometry(byName(formats, "Avery 5371 US Letter 2x5"), {88.9, 50.8, 19.05, 12.7, 88.9, 50.8, 2, 5});
    // Sattleford,VM-6200,,Business cards,A4,210,297,180,50,15,14,180,55,1,5
    expectGeometry(byName(formats, "Sattleford VM-6200 A4 1x5"), {180, 50, 15, 14, 180, 55, 1, 5});
    // Sigel,DP 830,DP 930,Business cards,A4,210,297,84.984,54.998,14.111,10.936,94.897,55.033,2,5
    expectGeometry(byName(formats, "Sigel DP 830 A4 2x5"),
                   {84.984, 54.998, 14.111, 10.936, 94.897, 55.033, 2, 5});

    for (const CardFormat& f : formats)
        EXPECT_LE(f.Name.size(), 50u) << f.Name;
}

TEST(CardStocks, OrderIsA4ThenLetterThenOthersByBrandAndPartNumber)
{
    const auto formats = shippedCardFormats();
    ASSERT_EQ(formats.size(), 39u);
    EXPECT_EQ(formats.front().Name, "Agipa 119488 A4 2x5");  // "Agipa" before "APLI", case aside
    EXPECT_EQ(formats[1].Name, "APLI 02793 A4 2x5");
    // Avery's A4 parts by number: 7414 before 8414 before 32015, letters after.
    EXPECT_EQ(formats[2].Name, "Avery 7414 A4 2x5");
    EXPECT_EQ(formats[3].Name, "Avery 8414 A4 2x5");
    EXPECT_EQ(formats[4].Name, "Avery 32015 A4 2x4");
    EXPECT_EQ(formats[5].Name, "Avery C32011-10 A4 2x5");
    EXPECT_EQ(formats[35].Name, "Avery 5371 US Letter 2x5");
    EXPECT_EQ(formats[36].Name, "Avery 8373 US Letter 2x4");
    EXPECT_EQ(formats[37].Name, "Southworth BC554 US Letter 2x5");
    EXPECT_EQ(formats[38].Name, "Russian A3 5x9 A3 3x8");
}

TEST(CardStocks, DamagedRowsAreLeftOutAndLongNamesCut)
{
    int bad = 0;
    const auto stocks =
        parseCardStocks("brand,part,eq,d,paper,pw,ph,cw,ch,ml,mt,px,py,c,r\n"
                        "B,1,,x,A4,210,297,85,54,1,2,90,60,2,5\r\n"
                        "B,2,,x,A4,210,297,zero,54,1,2,90,60,2,5\n"
                        "B,3,,x,A4,210,297,85,54,1,2,90,60,0,5\n"
                        "B,4,,x,A4\n"
                        "\n"
                        "Brand with a very long name indeed,Part-1234567890,,x,A4,210,297,85,54,1,2,"
                        "90,60,2,5\n",
                        &bad);
    EXPECT_EQ(bad, 3);
    ASSERT_EQ(stocks.size(), 2u);
    EXPECT_EQ(stocks[0].marginTop, 2);
    EXPECT_EQ(cardStockName(stocks[1]).size(), 50);
    EXPECT_EQ(cardStockFormat(stocks[1]).Name.size(), 50u);
}

TEST(CardStocks, FilterByBrandPartOrSize)
{
    const auto& stocks = shippedCardStocks();
    auto matching = [&](const QString& filter) {
        QStringList names;
        for (const CardStock& s : stocks) {
            if (stockMatches(s, filter))
                names.append(cardStockName(s));
        }
        return names;
    };
    EXPECT_EQ(matching("").size(), 39);
    EXPECT_EQ(matching("rayfilm").size(), 3);
    EXPECT_EQ(matching("8871"), QStringList{"Avery 5371 US Letter 2x5"}) << "an equivalent part";
    EXPECT_EQ(matching("avery letter").size(), 2);
    EXPECT_EQ(matching("170x54"), QStringList{"Rayfilm VIZ3 A4 1x5"});
    EXPECT_EQ(matching("170 x 54"), QStringList{"Rayfilm VIZ3 A4 1x5"});
    EXPECT_EQ(matching("50x90"), QStringList{"Russian A4 5x9 A4 4x3"});
    EXPECT_TRUE(matching("90x52").contains("Avery 7414 A4 2x5")) << "89.994 x 51.999 rounded";
    EXPECT_TRUE(matching("nothing like it").isEmpty());
}

TEST(CardStocks, FirstStartListsTheStocksButAnExistingListIsKept)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("Visiten.dat");
    vellamo::testing::ScriptedFormatEditor editor;
    vellamo::testing::ScriptedPrompter ask;
    {
        CardFormatListLogic logic(file, editor, ask);
        logic.show();
        ASSERT_EQ(logic.entries().size(), 39u);
        EXPECT_EQ(logic.selected(), 0);
        logic.close();
    }
    // Written as usual: magic, count, 112-byte records; the first is Agipa 119488,
    // A4, 89.958 x 50.094 mm, margins 15.169 / 23.636, pitch 89.958 / 50.094, 2 x 5.
    const QByteArray bytes = readFile(file);
    ASSERT_EQ(bytes.size(), 8 + 39 * 112);
    EXPECT_EQ(i32At(bytes, 0), 64687);
    EXPECT_EQ(i32At(bytes, 4), 39);
    EXPECT_EQ(f64At(bytes, 8), 15.169);
    EXPECT_EQ(f64At(bytes, 16), 23.636);
    EXPECT_EQ(f64At(bytes, 24), 89.958);
    EXPECT_EQ(f64At(bytes, 32), 50.094);
    EXPECT_EQ(f64At(bytes, 40), 89.958);
    EXPECT_EQ(f64At(bytes, 48), 50.094);
    EXPECT_EQ(i32At(bytes, 56), 2);
    EXPECT_EQ(i32At(bytes, 60), 5);
    EXPECT_EQ(bytes.mid(64, 20), QByteArray("\x13"
                                            "Agipa 119488 A4 2x5"));

    // An existing empty list is never filled; the user may have deleted every stock.
    const QByteArray empty = vellamo::testing::Bytes().i32(64687).i32(0).data;
    writeFile(file, empty);
    CardFormatListLogic logic(file, editor, ask);
    logic.show();
    EXPECT_TRUE(logic.entries().empty());
    logic.close();
    EXPECT_EQ(readFile(file), empty);
}

TEST(CardStocks, StocksButtonAppendsTheChosenStockAndSelectsIt)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("Visiten.dat");
    writeFile(file, vellamo::testing::Bytes().i32(64687).i32(0).data);
    vellamo::testing::ScriptedFormatEditor editor;
    vellamo::testing::ScriptedPrompter ask;
    CardFormatListLogic logic(file, editor, ask);
    logic.show();
    FixedChooser chooser;
    logic.stocksClicked(chooser);  // cancelled
    EXPECT_TRUE(logic.entries().empty());
    EXPECT_EQ(logic.selected(), -1);
    chooser.answer = cardStockFormat(shippedCardStocks()[5]);
    logic.stocksClicked(chooser);
    chooser.answer = cardStockFormat(shippedCardStocks()[3]);
    logic.stocksClicked(chooser);
    ASSERT_EQ(logic.entries().size(), 2u);
    EXPECT_EQ(logic.selected(), 1);
    EXPECT_EQ(logic.entries()[1].Name, "Avery 8414 A4 2x5");
    EXPECT_EQ(logic.entries()[1].PitchX, 93.133);

    // A stock the list holds already is selected, not added a second time.
    chooser.answer = cardStockFormat(shippedCardStocks()[5]);
    logic.stocksClicked(chooser);
    EXPECT_EQ(logic.entries().size(), 2u);
    EXPECT_EQ(logic.selected(), 0);
    // The same name with a changed layout is another format.
    chooser.answer->PitchX += 1;
    logic.stocksClicked(chooser);
    EXPECT_EQ(logic.entries().size(), 3u);
    EXPECT_EQ(logic.selected(), 2);
}
