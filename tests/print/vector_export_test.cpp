#include "print/vector_export.h"

#include "support/files.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

using namespace vellamo;
using namespace vellamo::print;

namespace {

// The 90 x 55 mm card's top-left corner in object units: one card width and height into the
// editing area.
constexpr int CardLeft = 212598 / 3;
constexpr int CardTop = 129921 / 3;

document::Tobs& place(document::CardDocument& doc, int slot, int kind, int x, int y, int w, int h)
{
    document::Tobs& o = doc.object(slot);
    o.Kind = kind;
    o.Left = CardLeft + x;
    o.Top = CardTop + y;
    o.Width = w;
    o.Height = h;
    return o;
}

// On the 90 x 55 mm card (70866 x 43307 units): a red box, two texts (one with a placeholder) and one
// picture.
document::CardDocument sampleCard()
{
    document::CardDocument doc;
    document::Tobs& box = place(doc, 1, document::ShapeObject, 0, 0, 20000, 10000);
    box.ShapeKind = 3;
    box.Color = 0x0000FF;
    document::Tobs& name = place(doc, 2, document::TextObject, 4000, 12000, 60000, 12000);
    name.Text = "Jane Example\rSenior Engineer";
    name.FontName = "Arial";
    name.FontSize = 12;
    document::Tobs& city = place(doc, 3, document::TextObject, 4000, 28000, 60000, 8000);
    city.Text = "[City]";
    city.FontName = "Arial";
    city.FontSize = 10;
    document::Tobs& logo = place(doc, 4, document::PictureObject, 50000, 2000, 15000, 15000);
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(qRgb(0, 128, 0));
    logo.Picture = imaging::DibRecord(picture, 24);
    return doc;
}

QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

struct Svg {
    QString width, height, viewBox;
    QStringList texts;
    int images = 0;
    int shapes = 0;
    bool wellFormed = false;
};

Svg parseSvg(const QByteArray& bytes)
{
    Svg svg;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == u"svg") {
                svg.width = xml.attributes().value("width").toString();
                svg.height = xml.attributes().value("height").toString();
                svg.viewBox = xml.attributes().value("viewBox").toString();
            } else if (name == u"text") {
                svg.texts.append(xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed());
            } else if (name == u"image") {
                ++svg.images;
            } else if (name == u"path" || name == u"rect" || name == u"polygon") {
                ++svg.shapes;
            }
        }
    }
    svg.wellFormed = !xml.hasError();
    return svg;
}

}  // namespace

TEST(VectorExport, TypesFromNamesAndTheTwoEntriesAfterThePictureTypes)
{
    EXPECT_EQ(vectorTypeForName("card.pdf"), VectorType::Pdf);
    EXPECT_EQ(vectorTypeForName("/x/CARD.SVG"), VectorType::Svg);
    EXPECT_EQ(vectorTypeForName("/x.pdf/card"), VectorType::None) << "a dot in a folder is no extension";
    EXPECT_EQ(vectorTypeForName("card.png"), VectorType::None);
    EXPECT_EQ(vectorTypeForFilterIndex(13), VectorType::Pdf);
    EXPECT_EQ(vectorTypeForFilterIndex(14), VectorType::Svg);
    EXPECT_EQ(vectorTypeForFilterIndex(12), VectorType::None);
    // Trunc(90 / 25.39995 x 1200) = Trunc(4251.977) and Trunc(55 / 25.39995 x 1200) = Trunc(2598.430).
    EXPECT_EQ(vectorCardSize(document::defaultCardFormat()), QSize(4251, 2598));
}

TEST(VectorExport, PdfIsOneCardSizedPageWithTextAsTextAndThePictureOnce)
{
    QTemporaryDir dir;
    document::CardDocument doc = sampleCard();
    const render::PlaceholderFields fields = {{"City", "Springfield", ""}};
    render::RenderContext context;
    context.placeholders = &fields;
    const QString path = dir.filePath("card.pdf");
    ASSERT_TRUE(exportCardVector(doc, context, path, VectorType::Pdf));
    EXPECT_EQ(doc.RenderMode, document::ScreenConversion) << "put back after drawing";

    const QString text = run("pdftotext", {"-layout", path, "-"});
    EXPECT_TRUE(text.contains("Jane Example")) << text.toStdString();
    EXPECT_TRUE(text.contains("Senior Engineer"));
    EXPECT_TRUE(text.contains("Springfield")) << "placeholders filled";

    // 90 x 55 program millimetres are 90 / 25.39995 x 72 = 255.12 by 155.91 points; PDF page
    // sizes come in whole points.
    const QString info = run("pdfinfo", {path});
    const auto size = QRegularExpression(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)").match(info);
    ASSERT_TRUE(size.hasMatch()) << info.toStdString();
    EXPECT_NEAR(size.captured(1).toDouble(), 255.12, 0.5);
    EXPECT_NEAR(size.captured(2).toDouble(), 155.91, 0.5);
    EXPECT_TRUE(info.contains(QRegularExpression(R"(Pages:\s+1\b)")));

    const QStringList images = run("pdfimages", {"-list", path}).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(images.size(), 3) << "two heading lines and the one picture";
    EXPECT_TRUE(images[2].contains(QRegularExpression(R"(\s8\s+8\s)"))) << images[2].toStdString();

    // Rasterised: the red box in the corner, nothing red beyond it.
    ASSERT_EQ(QProcess::execute("pdftoppm", {"-r", "96", "-png", "-singlefile", path, dir.filePath("page")}),
              0);
    const QImage page(dir.filePath("page.png"));
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(page.size(), QSize(340, 208));
    EXPECT_EQ(QColor(page.pixel(10, 10)), QColor(Qt::red));
    EXPECT_EQ(QColor(page.pixel(200, 10)).red(), 255) << "white";
}

TEST(VectorExport, SvgIsCardSizedWithTextElementsAndOneImage)
{
    QTemporaryDir dir;
    document::CardDocument doc = sampleCard();
    const QString path = dir.filePath("card.svg");
    ASSERT_TRUE(exportCardVector(doc, {}, path, VectorType::Svg));
    const Svg svg = parseSvg(vellamo::testing::readFile(path));
    ASSERT_TRUE(svg.wellFormed);
    // 4251 x 2598 dots of 1/1200 inch.
    EXPECT_EQ(svg.viewBox, "0 0 4251 2598");
    ASSERT_TRUE(svg.width.endsWith("mm"));
    EXPECT_NEAR(svg.width.chopped(2).toDouble(), 4251 * 25.4 / 1200, 0.01);
    EXPECT_NEAR(svg.height.chopped(2).toDouble(), 2598 * 25.4 / 1200, 0.01);
    EXPECT_TRUE(svg.texts.contains("Jane Example")) << svg.texts.join('|').toStdString();
    EXPECT_TRUE(svg.texts.contains("Senior Engineer"));
    EXPECT_TRUE(svg.texts.contains("[City]")) << "no address current: the token as typed";
    EXPECT_EQ(svg.images, 1);
    EXPECT_GE(svg.shapes, 1);

    // rsvg-convert, an independent reader, draws the red box in the corner.
    if (!QProcess::execute("rsvg-convert", {"--version"})) {
        ASSERT_EQ(QProcess::execute("rsvg-convert", {"-o", dir.filePath("svg.png"), path}), 0);
        const QImage drawn(dir.filePath("svg.png"));
        ASSERT_FALSE(drawn.isNull());
        EXPECT_EQ(QColor(drawn.pixel(drawn.width() / 100, drawn.height() / 100)), QColor(Qt::red));
    }
}

TEST(VectorExport, AFailedWriteKeepsThePreviousFile)
{
    QTemporaryDir dir;
    document::CardDocument doc = sampleCard();
    EXPECT_FALSE(exportCardVector(doc, {}, dir.filePath("missing/card.pdf"), VectorType::Pdf));
    EXPECT_FALSE(exportCardVector(doc, {}, dir.filePath("card.png"), VectorType::None));
    const QString path = dir.filePath("card.svg");
    vellamo::testing::writeFile(path, "before");
    doc.Format.CardWidth = 0;  // nothing to draw
    EXPECT_FALSE(exportCardVector(doc, {}, path, VectorType::Svg));
    EXPECT_EQ(vellamo::testing::readFile(path), "before");
}
