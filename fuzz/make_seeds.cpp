// Writes the seed corpora in fuzz/corpus/: small valid files of every kind the fuzz targets
// read, made by the program's own writers. Run from the repository's top folder:
// build-fuzz/fuzz/fuzz_make_seeds fuzz/corpus

#include "addressbook/address_database.h"
#include "addressbook/csv_format.h"
#include "addressbook/vcard_format.h"
#include "document/card_file.h"
#include "document/card_format_list.h"
#include "document/card_json.h"
#include "document/extension_part.h"
#include "document/object_entry.h"
#include "imaging/bmp_rle_codec.h"
#include "imaging/ilbm_codec.h"
#include "imaging/pcx_codec.h"
#include "imaging/picture_writer.h"
#include "print/calibration_file.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>

using namespace vellamo;

namespace {

QString root;

void put(const char* target, const QString& name, const QByteArray& bytes)
{
    QDir().mkpath(root + "/" + target);
    QFile file(root + "/" + target + "/" + name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
}

document::CardDocument sampleCard(int objects)
{
    document::CardDocument doc;
    doc.BackgroundMode = objects > 1 ? 1 : -1;
    doc.BackgroundFile = objects > 1 ? "logo.bmp" : "";
    for (int i = 1; i <= objects; ++i) {
        document::Tobs& o = doc.object(i * 3);
        o.Kind = 1 + (i - 1) % 3;
        o.ShapeKind = i % 10;
        o.Left = 60000 + 1000 * i;
        o.Top = 40000 + 800 * i;
        o.Width = 20000;
        o.Height = 8000;
        o.Outline = i % 2 == 0;
        o.Shadow = i % 3 == 0;
        o.ShadowDX = 2;
        o.ShadowDY = 2;
        o.Rotation = i % 4;
        o.Text = o.Kind == document::PictureObject ? "picture.png"
                                                   : "[First Name] [Last Name]\rLine " + std::to_string(i);
        o.FontName = "Arial";
        o.FontSize = 10;
        o.FontHeight = -13;
    }
    return doc;
}

imaging::DibRecord picture(int bits)
{
    const int w = 13, h = 7;
    if (bits > 8) {
        QImage image(w, h, bits == 32 ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                image.setPixel(x, y, qRgba(x * 19, y * 36, (x + y) * 12, bits == 32 ? 128 + x : 255));
        return imaging::DibRecord(image, bits);
    }
    QImage image(w, h, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < (1 << bits); ++i)
        table.append(qRgb(i * 53 % 256, 255 - i, i * 7 % 256));
    image.setColorTable(table);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, uint((x / 2 + y) % (1 << bits)));
    return imaging::DibRecord(image, bits);
}

QByteArray saved(const imaging::DibRecord& p, int code)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p");
    if (!imaging::SaveDib(p, path, code))
        return {};
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// One frame in frame_assembler_fuzz's input layout, its lines in pieces of at most 64 bytes.
QByteArray scanFrame(int format, bool last, int depth, int bytesPerLine, int pixels, int lines,
                     const QByteArray& bytes)
{
    QByteArray out;
    const auto add = [&out](std::uint32_t value, int size) {
        for (int i = size - 1; i >= 0; --i)
            out.append(char(value >> (8 * i)));
    };
    add(std::uint32_t(format), 1);
    add(last ? 1 : 0, 1);
    add(std::uint32_t(depth), 1);
    add(std::uint32_t(bytesPerLine), 4);
    add(std::uint32_t(pixels), 2);
    add(std::uint32_t(lines), 2);
    add(0, 4);
    add(std::uint32_t(bytes.size()), 2);
    for (qsizetype at = 0; at < bytes.size(); at += 64) {
        const QByteArray piece = bytes.mid(at, 64);
        add(std::uint32_t(piece.size() - 1), 1);
        out += piece;
    }
    return out;
}

QByteArray ramp(int size)
{
    QByteArray bytes;
    for (int i = 0; i < size; ++i)
        bytes.append(char(i * 37));
    return bytes;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_make_seeds CORPUS_FOLDER\n");
        return 2;
    }
    root = QString::fromLocal8Bit(argv[1]);

    {
        document::ExtensionPart part;
        part.appendChunk("TEXT", QByteArray("\x03\0\0\0K\xc3\xb6ln", 9));
        part.appendChunk("ZZZZ", QByteArray(40, 'z'));
        put("extension_part", "two_chunks.bin", document::extensionToBytes(part));
        document::CardDocument doc = sampleCard(1);
        doc.Extension = part;
        put("card_file", "card_with_extension.vis", document::cardToBytes(doc));
    }

    for (int objects : {0, 1, 3, 7}) {
        const document::CardDocument doc = sampleCard(objects);
        const QString name = QStringLiteral("card%1").arg(objects);
        put("card_file", name + ".vis", document::cardToBytes(doc));
        put("draw_card", name + ".vis", document::cardToBytes(doc));
        QByteArray json;
        document::writeCardJson(doc, [&](const QByteArray& piece) { json += piece; });
        put("card_json", name + ".json", json);
    }

    std::vector<document::CardFormat> formats(3);
    document::setCardFormatName(formats[1], "Avery 90 x 55");
    formats[2].Columns = 3;
    put("card_format_list", "empty.dat", document::cardFormatListToBytes({}));
    put("card_format_list", "three.dat", document::cardFormatListToBytes(formats));

    std::array<std::string, addressbook::LabelCount> labels;
    labels[0] = "First Name";
    labels[29] = "Notes";
    addressbook::AddressRecord anna;
    anna.strings[0] = "Anna";
    anna.strings[1] = "Berg";
    anna.strings[addressbook::LogoStringIndex] = "logo.bmp";
    put("address_book", "empty.dat", addressbook::addressBookToBytes({}, labels, 0));
    put("address_book", "two.dat",
        addressbook::addressBookToBytes({anna, addressbook::AddressRecord()}, labels, 1));
    addressbook::AddressRecord jussi;
    jussi.strings[0] = "Jussi";
    jussi.strings[1] = "M\xE4kel\xE4";
    jussi.strings[2] = "Line one\r\nLine two, \"quoted\"; and more";
    put("address_import", "book.vcf", addressbook::writeVcards({anna, jussi}));
    put("address_import", "book.csv", addressbook::writeCsv({anna, jussi}));

    const char* extensions[] = {"bmp", "dib", "gif", "iff", "jif", "jpg",
                                "lbm", "pcx", "rle", "tga", "tif", "png"};
    for (int bits : {1, 4, 8, 24, 32}) {
        const imaging::DibRecord p = picture(bits);
        for (int code = imaging::FormatBmp; code <= imaging::FormatPng; ++code) {
            const QByteArray bytes = saved(p, code);
            if (!bytes.isEmpty())
                put("open_dib", QStringLiteral("p%1.%2").arg(bits).arg(extensions[code - imaging::FormatBmp]),
                    bytes);
        }
        if (p.isPalettePicture()) {
            put("iff_codec", QStringLiteral("planar%1.iff").arg(bits),
                *imaging::writeIff(p, imaging::IffLayout::Planar));
            put("iff_codec", QStringLiteral("chunky%1.lbm").arg(bits),
                *imaging::writeIff(p, imaging::IffLayout::Chunky));
            put("rle_codec", QStringLiteral("p%1.rle").arg(bits), *imaging::writeRle8Bitmap(p));
        }
        put("pcx_codec", QStringLiteral("p%1.pcx").arg(bits), *imaging::writePcx(p));
    }

    const document::CardDocument objects = sampleCard(7);
    for (int i = 1; i <= 7; ++i)
        put("object_entry", QStringLiteral("object%1.bin").arg(i),
            document::objectEntryToBytes(i * 3, objects.object(i * 3)));

    put("calibration_file", "first.dat", print::calibrationToBytes({}));
    put("calibration_file", "shifted.dat", print::calibrationToBytes({2.5, 1.25, 99.5, 100.75}));

    // Grey, colour, 16-bit and line art frames; three passes; a hand scanner of unknown height.
    put("frame_assembler", "gray8.bin", scanFrame(0, true, 8, 5, 5, 4, ramp(20)));
    put("frame_assembler", "rgb8-padded.bin", scanFrame(1, true, 8, 8, 2, 3, ramp(24)));
    put("frame_assembler", "rgb16.bin", scanFrame(1, true, 16, 12, 2, 2, ramp(24)));
    put("frame_assembler", "lineart.bin", scanFrame(0, true, 1, 2, 13, 3, ramp(6)));
    put("frame_assembler", "three-pass.bin",
        scanFrame(2, false, 8, 3, 3, 2, ramp(6)) + scanFrame(3, false, 8, 3, 3, 2, ramp(6)) +
            scanFrame(4, true, 8, 3, 3, 2, ramp(6)));
    put("frame_assembler", "hand.bin", scanFrame(0, true, 8, 2, 2, -1, ramp(40)));
    return 0;
}
