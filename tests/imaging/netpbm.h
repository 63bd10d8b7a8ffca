#pragma once

// The independent decoders and encoders of the picture tests: netpbm's programs, run on files.

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <optional>

namespace vellamo::testing {

// Runs `program args... file` on a file holding `input`; its standard output, or nothing on failure.
inline std::optional<QByteArray> runNetpbm(const QString& program, const QStringList& args,
                                           const QByteArray& input)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("input");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(input) != input.size())
        return std::nullopt;
    file.close();
    QProcess process;
    process.start(program, QStringList(args) << path);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput();
}

// A raw PBM, PGM or PPM (P4, P5, P6) as an RGB32 image; null when it is none of these.
inline QImage parsePnm(const QByteArray& bytes)
{
    if (bytes.size() < 3 || bytes[0] != 'P' || bytes[1] < '4' || bytes[1] > '6')
        return {};
    const char kind = bytes[1];
    qsizetype at = 2;
    auto number = [&]() -> long {
        while (at < bytes.size()) {
            if (bytes[at] == '#')
                while (at < bytes.size() && bytes[at] != '\n')
                    ++at;
            else if (QChar(bytes[at]).isSpace())
                ++at;
            else
                break;
        }
        long value = 0;
        while (at < bytes.size() && bytes[at] >= '0' && bytes[at] <= '9')
            value = value * 10 + (bytes[at++] - '0');
        return value;
    };
    const int width = int(number());
    const int height = int(number());
    const long maxValue = kind == '4' ? 1 : number();
    ++at;  // the single white-space byte before the pixels
    if (width <= 0 || height <= 0 || maxValue != (kind == '4' ? 1 : 255))
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    const qsizetype rowBytes = kind == '4' ? (width + 7) / 8 : kind == '5' ? width : qsizetype(width) * 3;
    if (bytes.size() - at < rowBytes * height)
        return {};
    for (int y = 0; y < height; ++y) {
        const uchar* row = data + at + rowBytes * y;
        QRgb* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            if (kind == '4')
                out[x] = (row[x / 8] >> (7 - x % 8)) & 1 ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
            else if (kind == '5')
                out[x] = qRgb(row[x], row[x], row[x]);
            else
                out[x] = qRgb(row[3 * x], row[3 * x + 1], row[3 * x + 2]);
        }
    }
    return image;
}

// Decodes picture bytes with a netpbm decoder such as "pcxtoppm"; null when it refuses them.
inline QImage decodeWithNetpbm(const QString& decoder, const QByteArray& bytes, const QStringList& args = {})
{
    const std::optional<QByteArray> out = runNetpbm(decoder, args, bytes);
    return out ? parsePnm(*out) : QImage();
}

inline QByteArray toPpm(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QByteArray out = QByteArray("P6\n") + QByteArray::number(rgb.width()) + ' ' +
                     QByteArray::number(rgb.height()) + "\n255\n";
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = rgb.pixel(x, y);
            out.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
        }
    return out;
}

// Encodes an image with a netpbm encoder such as "ppmtopcx"; empty when it fails.
inline QByteArray encodeWithNetpbm(const QString& encoder, const QImage& image, const QStringList& args = {})
{
    return runNetpbm(encoder, args, toPpm(image)).value_or(QByteArray());
}

// Every pixel as RGB32 for comparing pictures of any depth.
inline QImage asRgb(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

// The largest difference of one colour component between two images of the same size; -1 when the sizes
// differ.
inline int largestDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return -1;
    const QImage x = asRgb(a), y = asRgb(b);
    int worst = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))});
        }
    return worst;
}

// The mean absolute component difference; a large number when the sizes differ.
inline double meanDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 1e9;
    const QImage x = asRgb(a), y = asRgb(b);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            sum +=
                std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * x.width() * x.height());
}

}  // namespace vellamo::testing
