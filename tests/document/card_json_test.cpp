#include "document/card_json.h"

#include "document/card_file.h"
#include "support/bytes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

using namespace vellamo::document;

namespace {

CardDocument richCard()
{
    CardDocument doc;
    doc.Format.MarginLeft = 0.1 + 0.2;  // a double that needs all its digits
    doc.Format.Columns = 3;
    setCardFormatName(doc.Format, "Caf\xE9 \x80");
    doc.Format.NameArea[40] = 0x55;  // left behind the name
    doc.BackgroundMode = 1;
    doc.BackgroundFile = "D:\\Bilder\\Stra\xDF"
                         "e.jpg";
    doc.ZoomDen = 208.0 / 1.5 / 1.5;
    for (int slot : {1, 77, 10000}) {
        Tobs& o = doc.object(slot);
        o.Kind = slot == 1 ? 1 : slot == 77 ? 2 : 3;
        o.Left = -slot;
        o.Top = slot * 3;
        o.Width = 1000;
        o.Height = 2000;
        o.KeepAspect = true;
        o.Rotation = 3;
        o.TextAlign = 1;
        o.LineWidth = 0x00FF00FF;
        o.BorderColor = 0x123456;
        o.FillMode = 2;
        o.Color = -1;
        o.Transparent = true;
        o.Outline = true;
        o.ShadowDX = 11;
        o.ShadowDY = -12;
        o.ShapeKind = 9;
        o.Text = "line 1\rline 2 [First Name] \xE9\xDF\x80";
        o.FontColor = 0x0000FF;
        o.FontHeight = -13;
        o.FontName = "Times New Roman";
        o.FontPitch = 2;
        o.FontSize = 10;
        o.FontStyle = 15;
    }
    return doc;
}

}  // namespace

TEST(CardJson, DumpThenBuildGivesTheSameBytes)
{
    const CardDocument doc = richCard();
    const QByteArray original = cardToBytes(doc);
    const QByteArray text = QJsonDocument(cardToJson(doc)).toJson();

    CardDocument rebuilt;
    const auto result = cardFromJson(QJsonDocument::fromJson(text).object(), rebuilt);
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_EQ(cardToBytes(rebuilt), original);
}

TEST(CardJson, FieldsAreKeyedByTheirNamesAndStringsAreUnicode)
{
    const QJsonObject json = cardToJson(richCard());
    EXPECT_EQ(json["CardFormat"].toObject()["Name"].toString(), QString::fromUtf8("Café €"));
    EXPECT_EQ(json["CardFormat"].toObject()["Columns"].toInt(), 3);
    EXPECT_EQ(json["BackgroundFile"].toString(), QString::fromUtf8("D:\\Bilder\\Straße.jpg"));
    const QJsonArray objects = json["Objects"].toArray();
    ASSERT_EQ(objects.size(), 3);
    const QJsonObject text = objects[1].toObject();
    EXPECT_EQ(text["Slot"].toInt(), 77);
    EXPECT_EQ(text["Kind"].toInt(), 2);
    EXPECT_EQ(text["FontName"].toString(), "Times New Roman");
    EXPECT_TRUE(text["Text"].toString().contains(QString::fromUtf8("éß€")));
    for (const char* key :
         {"Left",        "Top",        "Width",       "Height",   "KeepAspect", "Rotation",
          "TextAlign",   "LineWidth",  "BorderColor", "FillMode", "Color",      "AutoTransparent",
          "Transparent", "Shadow",     "Outline",     "ShadowDX", "ShadowDY",   "ShapeKind",
          "FontColor",   "FontHeight", "FontPitch",   "FontSize", "FontStyle"})
        EXPECT_TRUE(text.contains(key)) << key;
}

TEST(CardJson, NonFiniteNumbersSurvive)
{
    CardDocument doc;
    doc.ZoomNum = std::numeric_limits<double>::quiet_NaN();
    doc.ZoomDen = -std::numeric_limits<double>::infinity();
    const QByteArray text = QJsonDocument(cardToJson(doc)).toJson();
    CardDocument rebuilt;
    ASSERT_TRUE(cardFromJson(QJsonDocument::fromJson(text).object(), rebuilt).ok);
    EXPECT_TRUE(std::isnan(rebuilt.ZoomNum));
    EXPECT_EQ(rebuilt.ZoomDen, -std::numeric_limits<double>::infinity());
}

TEST(CardJson, BadDataIsRefusedWithAReason)
{
    CardDocument doc;
    QJsonObject json;
    json["Objects"] = QJsonArray{QJsonObject{{"Slot", 0}, {"Kind", 1}}};
    EXPECT_FALSE(cardFromJson(json, doc).ok);
    json["Objects"] = QJsonArray{QJsonObject{{"Slot", 10001}}};
    EXPECT_FALSE(cardFromJson(json, doc).ok);
    json["Objects"] = 5;
    EXPECT_FALSE(cardFromJson(json, doc).ok);
    EXPECT_TRUE(cardFromJson(QJsonObject(), doc).ok) << "an empty object is the empty card";
    EXPECT_EQ(cardToBytes(doc).size(), 180);
}

TEST(CardJson, EveryDoubleComesBackWithItsExactBits)
{
    const auto fromBits = [](std::uint64_t bits) {
        double d;
        std::memcpy(&d, &bits, 8);
        return d;
    };
    const double values[] = {-0.0,
                             fromBits(0x7FF8000000000123),  // a quiet NaN with a payload
                             fromBits(0xFFF8000000000000),  // the negative default NaN
                             fromBits(0x7FF0000000000001),  // a signalling NaN
                             std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::denorm_min(),
                             -std::numeric_limits<double>::max(),
                             0.1 + 0.2};
    for (const double value : values) {
        CardDocument doc;
        doc.ZoomNum = value;
        doc.ZoomDen = value;
        doc.Format.MarginLeft = value;
        doc.Format.CardHeight = value;
        const QByteArray text = QJsonDocument(cardToJson(doc)).toJson();
        CardDocument rebuilt;
        ASSERT_TRUE(cardFromJson(QJsonDocument::fromJson(text).object(), rebuilt).ok);
        EXPECT_EQ(cardToBytes(rebuilt), cardToBytes(doc)) << text.toStdString();
    }
    // The bit pattern form: "0x" and 16 hexadecimal digits.
    CardDocument doc;
    doc.ZoomNum = -0.0;
    EXPECT_EQ(cardToJson(doc)["ZoomNum"].toString(), "0x8000000000000000");
    QJsonObject json;
    json["ZoomDen"] = "0x3ff8000000000000";
    ASSERT_TRUE(cardFromJson(json, doc).ok);
    EXPECT_EQ(doc.ZoomDen, 1.5);
}

TEST(CardJson, ZeroCharactersInStringsAreRefusedNamingTheField)
{
    CardDocument doc;
    const auto refusal = [&](const QByteArray& text) {
        const auto result = cardFromJson(QJsonDocument::fromJson(text).object(), doc);
        EXPECT_FALSE(result.ok) << text.toStdString();
        return result.message.toStdString();
    };
    std::string message = refusal(R"({"Objects": [{"Slot": 5, "Kind": 2, "Text": "a\u0000b"}]})");
    EXPECT_NE(message.find("\"Text\""), std::string::npos) << message;
    EXPECT_NE(message.find("slot 5"), std::string::npos) << message;
    message = refusal(R"({"Objects": [{"Slot": 9, "Kind": 2, "FontName": "\u0000"}]})");
    EXPECT_NE(message.find("\"FontName\""), std::string::npos) << message;
    message = refusal(R"({"BackgroundFile": "x\u0000"})");
    EXPECT_NE(message.find("\"BackgroundFile\""), std::string::npos) << message;
    message = refusal(R"({"CardFormat": {"Name": "n\u0000"}})");
    EXPECT_NE(message.find("\"Name\" of \"CardFormat\""), std::string::npos) << message;
}

// A number its field cannot hold would be stored as another number without a word.
TEST(CardJson, NumbersAFieldCannotHoldAreRefusedNamingTheField)
{
    CardDocument doc;
    const auto refusal = [&](const QByteArray& text) {
        const auto result = cardFromJson(QJsonDocument::fromJson(text).object(), doc);
        EXPECT_FALSE(result.ok) << text.toStdString();
        return result.message.toStdString();
    };
    std::string message = refusal(R"({"Objects": [{"Slot": 3, "Kind": 1, "Left": 4294967396}]})");
    EXPECT_NE(message.find("\"Left\" of the object in slot 3"), std::string::npos) << message;
    EXPECT_NE(message.find("-2147483648 to 2147483647"), std::string::npos) << message;
    message = refusal(R"({"Objects": [{"Slot": 3, "Kind": 1, "Width": 1.5}]})");
    EXPECT_NE(message.find("\"Width\""), std::string::npos) << message;
    message = refusal(R"({"Objects": [{"Slot": 4, "Kind": 2, "FontStyle": 256}]})");
    EXPECT_NE(message.find("\"FontStyle\""), std::string::npos) << message;
    message = refusal(R"({"CardFormat": {"Columns": -3000000000}})");
    EXPECT_NE(message.find("\"Columns\" of \"CardFormat\""), std::string::npos) << message;

    const auto built = cardFromJson(
        QJsonDocument::fromJson(
            R"({"CardExtentX": -2147483648, "Objects": [{"Slot": 2, "Kind": 1, "Top": 2147483647, "FontPitch": 255}]})")
            .object(),
        doc);
    ASSERT_TRUE(built.ok) << built.message.toStdString();
    EXPECT_EQ(doc.CardExtentX, std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(doc.object(2).Top, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(doc.object(2).FontPitch, 255);
}

TEST(CardJson, TheDumpWrittenInPiecesIsTheWholeDocumentsText)
{
    CardDocument doc = richCard();
    doc.object(77).Text = std::string(200000, 'a') + "\"\\\t\x01\xE9" + std::string(70000, 'b');
    doc.object(5).Kind = 2;  // empty strings
    doc.object(5).FontName.clear();
    QByteArray pieces;
    int count = 0;
    writeCardJson(doc, [&](const QByteArray& piece) {
        pieces += piece;
        ++count;
    });
    EXPECT_EQ(pieces, QJsonDocument(cardToJson(doc)).toJson(QJsonDocument::Indented));
    EXPECT_GT(count, 10) << "the long text is written a slice at a time";
}
