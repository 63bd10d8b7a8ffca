#include "document/card_format.h"

#include "support/bytes.h"

#include <gtest/gtest.h>
#include <limits>

using namespace vellamo::document;
using vellamo::testing::formatRecord;

TEST(CardFormat, DefaultDescription)
{
    EXPECT_EQ(FormatDescription(defaultCardFormat(), QLocale::c()),
              "2 x 5 Business Cards at 3.54 in x 2.17 in per sheet [Spaces 3.54 in ; 2.17 in][Margin 0.00 in "
              "; 0.00 in]");
}

TEST(CardFormat, DescriptionUsesLocaleSeparatorWithoutGrouping)
{
    CardFormat f = defaultCardFormat();
    f.MarginLeft = 2000 * 25.39995;  // 2000 inches
    const QString text = FormatDescription(f, QLocale(QLocale::German, QLocale::Germany));
    EXPECT_TRUE(text.startsWith("2 x 5 Business Cards at 3,54 in x 2,17 in")) << text.toStdString();
    EXPECT_TRUE(text.endsWith("[Margin 2000,00 in ; 0,00 in]")) << text.toStdString();
}

TEST(CardFormat, RecordLayout)
{
    CardFormat f = defaultCardFormat();
    f.MarginLeft = 1.5;
    const QByteArray bytes = cardFormatToBytes(f);
    EXPECT_EQ(bytes, formatRecord(1.5, 0, 90, 55, 90, 55, 2, 5, "None Business Cardstype"));
    EXPECT_EQ(cardFormatFromBytes(bytes.constData()), f);
}

TEST(CardFormat, BytesBehindTheNameSurvive)
{
    QByteArray record = formatRecord(0, 0, 90, 55, 90, 55, 2, 5, "AB");
    record[56 + 1 + 2] = 'x';  // left over from a longer name
    record[111] = char(0x7F);  // padding
    const CardFormat f = cardFormatFromBytes(record.constData());
    EXPECT_EQ(f.Name, "AB");
    EXPECT_EQ(cardFormatToBytes(f), record);
}

TEST(CardFormat, NameIsCutToFiftyBytes)
{
    CardFormat f;
    setCardFormatName(f, std::string(60, 'n'));
    EXPECT_EQ(f.Name.size(), 50u);
    QByteArray record = formatRecord(0, 0, 1, 1, 1, 1, 1, 1, "");
    record[56] = char(200);  // a length no record can hold
    EXPECT_EQ(cardFormatFromBytes(record.constData()).Name.size(), 50u);
}

TEST(CardFormat, UnusableValuesAreCorrected)
{
    CardFormat f = defaultCardFormat();
    EXPECT_TRUE(isUsableCardFormat(f));
    f.Columns = 0;
    f.Rows = -3;
    f.CardWidth = 0;
    f.CardHeight = std::numeric_limits<double>::quiet_NaN();
    f.MarginLeft = std::numeric_limits<double>::infinity();
    f.MarginTop = 1e300;
    f.PitchX = -5;
    EXPECT_FALSE(isUsableCardFormat(f));
    const CardFormat u = usableCardFormat(f);
    EXPECT_EQ(u.Columns, 1);
    EXPECT_EQ(u.Rows, 1);
    EXPECT_EQ(u.CardWidth, 1.0);
    EXPECT_EQ(u.CardHeight, 1.0);
    EXPECT_EQ(u.MarginLeft, 0.0);
    EXPECT_DOUBLE_EQ(u.MarginTop, 3000 * 25.39995);
    EXPECT_EQ(u.PitchX, 1.0) << "a corrected card width keeps the cards from overlapping";
    EXPECT_EQ(u.PitchY, 55.0) << "a pitch larger than the corrected height stays";
    EXPECT_EQ(u.Name, f.Name);
    f.Columns = 51;
    EXPECT_EQ(usableCardFormat(f).Columns, 50);

    // A card of 0 x 0 mm with pitch 0: 1 x 1 mm cards 1 mm apart, the next one right beside.
    CardFormat zero = defaultCardFormat();
    zero.CardWidth = 0;
    zero.CardHeight = 0;
    zero.PitchX = 0;
    zero.PitchY = 0;
    const CardFormat z = usableCardFormat(zero);
    EXPECT_EQ(z.PitchX, 1.0);
    EXPECT_EQ(z.PitchY, 1.0);
    EXPECT_DOUBLE_EQ(cardPosition(z, 1, 1).x, 1.0);
    // A usable card keeps even a pitch smaller than itself, as stored.
    CardFormat tight = defaultCardFormat();
    tight.PitchX = 80;
    EXPECT_EQ(usableCardFormat(tight).PitchX, 80.0);
}

TEST(CardFormat, PositionRule)
{
    CardFormat f = defaultCardFormat();
    f.MarginLeft = 10;
    f.MarginTop = 5;
    f.PitchX = 95;
    const SheetPoint p = cardPosition(f, 1, 3);
    EXPECT_DOUBLE_EQ(p.x, 105);
    EXPECT_DOUBLE_EQ(p.y, 170);
}
