// Transparent pictures on every output: the picture export, the print job, PDF and SVG files
// show the same pixels, with what lies below showing through the key colour.

#include "pdf_job.h"
#include "print/picture_export.h"
#include "print/print_job.h"
#include "print/print_page.h"
#include "print/vector_export.h"
#include "support/files.h"
#include "support/private_cupsd.h"
#include "support/scripted_prompter.h"

#include <QPrinter>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

using namespace vellamo;

namespace {

constexpr QRgb Key = 0xFF00FF00u;
constexpr QRgb Logo = 0xFFFF0000u;
constexpr QRgb Line = 0xFF0000FFu;
constexpr double ExportDotsPerMm = 96 / 25.39995;

std::int32_t colorRef(QRgb rgb) { return std::int32_t(imaging::colorRefFromRgb(rgb)); }

document::Tobs& place(document::CardDocument& doc, int slot, int kind, double xMm, double yMm, double wMm,
                      double hMm)
{
    document::Tobs& o = doc.object(slot);
    o.Kind = kind;
    o.Left = doc.CardExtentX / 3 + document::mmToUnits(xMm);
    o.Top = doc.CardExtentY / 3 + document::mmToUnits(yMm);
    o.Width = document::mmToUnits(wMm);
    o.Height = document::mmToUnits(hMm);
    return o;
}

// A 4 mm blue line across the card under two logos: a 24-bit one with a chosen key colour and a
// palette one keyed by its bottom-left pixel. Each is the key colour around a red block.
document::CardDocument logoOverLineCard()
{
    document::CardDocument doc;
    document::Tobs& line = place(doc, 1, document::ShapeObject, 0, 15, 90, 0);
    line.ShapeKind = document::LineHorizontal;
    line.Color = colorRef(Line);
    line.LineWidth = 20;

    QImage colours(8, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            colours.setPixel(x, y, x >= 2 && x < 6 && y >= 1 && y < 3 ? Logo : Key);
    document::Tobs& chosen = place(doc, 2, document::PictureObject, 5, 5, 40, 20);
    chosen.Picture = imaging::DibRecord(colours, 24);
    chosen.Transparent = true;
    chosen.TransparentKey() = colorRef(Key);

    QImage indexed(8, 4, QImage::Format_Indexed8);
    QList<QRgb> table(256, 0xFF000000u);
    table[0] = Logo;
    table[7] = Key;
    indexed.setColorTable(table);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            indexed.setPixel(x, y, x >= 2 && x < 6 && y >= 1 && y < 3 ? 0 : 7);
    document::Tobs& automatic = place(doc, 3, document::PictureObject, 50, 5, 32, 20);
    automatic.Picture = imaging::DibRecord(indexed, 8);
    automatic.Transparent = true;
    automatic.AutoTransparent = true;
    return doc;
}

// The two pictures' areas on the card at 96 pixels per inch.
std::vector<QRect> pictureAreas()
{
    auto area = [](double x, double y, double w, double h) {
        return QRect(int(x * ExportDotsPerMm), int(y * ExportDotsPerMm), int(w * ExportDotsPerMm),
                     int(h * ExportDotsPerMm));
    };
    return {area(5, 5, 40, 20), area(50, 5, 32, 20)};
}

bool near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= 2 && std::abs(qGreen(a) - qGreen(b)) <= 2 &&
           std::abs(qBlue(a) - qBlue(b)) <= 2;
}

struct Comparison {
    int compared = 0;
    int differing = 0;
    int lineShowing = 0;
    int logoShowing = 0;
    QString first;
};

// Compares the pixels of `area` whose 5 x 5 neighbourhood in `expected` is of one colour, so
// that edges, where the two may round or smooth differently, are left out.
Comparison compareArea(const QImage& expected, const QImage& actual, QRect area)
{
    Comparison c;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb want = expected.pixel(x, y);
            bool uniform = true;
            for (int j = -2; j <= 2 && uniform; ++j)
                for (int i = -2; i <= 2 && uniform; ++i)
                    uniform = expected.valid(x + i, y + j) && expected.pixel(x + i, y + j) == want;
            if (!uniform)
                continue;
            ++c.compared;
            c.lineShowing += want == Line ? 1 : 0;
            c.logoShowing += want == Logo ? 1 : 0;
            const QRgb got = actual.valid(x, y) ? actual.pixel(x, y) : 0u;
            if (!near(want, got)) {
                if (c.differing++ == 0)
                    c.first = QStringLiteral("(%1, %2): %3 instead of %4")
                                  .arg(x)
                                  .arg(y)
                                  .arg(got, 8, 16, QChar('0'))
                                  .arg(want, 8, 16, QChar('0'));
            }
        }
    return c;
}

void expectSamePictures(const QImage& expected, const QImage& actual, const char* what)
{
    ASSERT_FALSE(actual.isNull()) << what;
    for (const QRect& area : pictureAreas()) {
        const Comparison c = compareArea(expected, actual, area);
        EXPECT_GT(c.compared, area.width() * area.height() / 2) << what;
        EXPECT_GT(c.lineShowing, 200) << what << ": the line shows through the key colour";
        EXPECT_GT(c.logoShowing, 200) << what << ": the logo itself";
        EXPECT_EQ(c.differing, 0) << what << ", first at " << c.first.toStdString();
    }
}

QImage exportedPng(document::CardDocument& doc, const QString& folder)
{
    const print::ExportResult png = print::exportCardPicture(doc, {}, folder + "/card.png", 12);
    EXPECT_TRUE(png.saved);
    return QImage(png.path).convertToFormat(QImage::Format_RGB32);
}

// Prints `copies` cards into a PDF at `dpi`.
void printToPdf(document::CardDocument& doc, const QString& pdf, int copies, int dpi)
{
    vellamo::testing::ScriptedPrompter ask;
    vellamo::testing::printCardsToPdf(doc, pdf, copies, dpi, ask);
}

// The pictures a PDF holds, by object number: pdfimages lists every use of one, and a picture's
// mask under the picture's number.
QSet<QString> pdfImageObjects(const QString& pdf)
{
    QProcess p;
    p.start("pdfimages", {"-list", pdf});
    p.waitForFinished(30000);
    QSet<QString> objects;
    for (const QString& line :
         QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts).mid(2)) {
        const QStringList columns = line.split(' ', Qt::SkipEmptyParts);
        if (columns.size() > 11)
            objects.insert(columns[10] + ' ' + columns[11]);
    }
    return objects;
}

// The pictures an SVG embeds, decoded.
std::vector<QImage> svgImages(const QByteArray& svg)
{
    std::vector<QImage> images;
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"image") {
            const QString href = xml.attributes().value("xlink:href").toString();
            const qsizetype comma = href.indexOf(',');
            images.push_back(QImage::fromData(QByteArray::fromBase64(href.mid(comma + 1).toLatin1())));
        }
    }
    return images;
}

}  // namespace

TEST(SeeThroughOutput, PdfPrintJobAndSvgShowWhatThePictureExportShows)
{
    QTemporaryDir dir;
    document::CardDocument doc = logoOverLineCard();
    const QImage png = exportedPng(doc, dir.path());
    ASSERT_FALSE(png.isNull());

    const QString vectorPdf = dir.filePath("card.pdf");
    ASSERT_TRUE(print::exportCardVector(doc, {}, vectorPdf, print::VectorType::Pdf));
    expectSamePictures(png, vellamo::testing::rasterisePdfArea(vectorPdf, 1, 96, png.rect()), "card.pdf");

    // The print job at the picture export's resolution: the first cell holds the same card.
    const QString printed = dir.filePath("printed.pdf");
    printToPdf(doc, printed, 1, 96);
    const QRect cell = print::printCell(doc.Format, print::Calibration(), 96, 96, 0, 0);
    expectSamePictures(png, vellamo::testing::rasterisePdfArea(printed, 1, 96, cell), "printed.pdf");

    const QString svg = dir.filePath("card.svg");
    ASSERT_TRUE(print::exportCardVector(doc, {}, svg, print::VectorType::Svg));
    const std::vector<QImage> embedded = svgImages(vellamo::testing::readFile(svg));
    ASSERT_EQ(embedded.size(), 2u);
    for (const QImage& picture : embedded) {
        ASSERT_EQ(picture.size(), QSize(8, 4));
        EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0) << "the key colour is see-through";
        EXPECT_EQ(picture.pixel(3, 1), Logo);
    }
}

TEST(SeeThroughOutput, AJobHoldsEachTransparentPictureOnce)
{
    QTemporaryDir dir;
    document::CardDocument doc = logoOverLineCard();
    const QString one = dir.filePath("one.pdf");
    const QString twenty = dir.filePath("twenty.pdf");
    printToPdf(doc, one, 1, 300);
    printToPdf(doc, twenty, 20, 300);
    EXPECT_EQ(pdfImageObjects(one).size(), 2) << "the two pictures";
    EXPECT_EQ(pdfImageObjects(twenty).size(), 2);
}
