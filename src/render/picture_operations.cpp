#include "render/picture_operations.h"

#include "document/paths.h"
#include "imaging/picture_reader.h"
#include "imaging/regular_file.h"

namespace vellamo::render {

using imaging::DibRecord;

const QString PictureFileFilter = QStringLiteral(
    "All pictures|*.BMP;*.DIB;*.GIF;*.IFF;*.JIF;*.JPG;*.LBM;*.PCX;*.RLE;*.TGA;*.TIF;*.PNG|"
    "BMP - Windows, OS/2 Bitmap|*.BMP|DIB - Windows, OS/2 DIB|*.DIB|GIF - CompuServe Graphics "
    "Interchange|*.GIF|"
    "IFF - Amiga|*.IFF|JIF - JPEG - JFIF Compilant|*.JIF|JPG - JPEG - JFIF Compilant|*.JPG|"
    "LBM - Deluxe Paint|*.LBM|PCX - ZSoft Paintbrush|*.PCX|RLE - Windows RLE|*.RLE|TGA - Truevision "
    "Targa|*.TGA|"
    "TIF - Tagged image file Format|*.TIF|PNG - Portable Graphics Network|*.PNG|All files (*.*)|*.*");

QString resolvePicturePath(const QString& path, const QString& programFolder)
{
    if (path.isEmpty() || document::hasFolderPart(path))
        return path;
    return document::withTrailingSeparator(programFolder) + path;
}

bool LoadDIBit(DibRecord& target, const QString& path, const QString& programFolder,
               const imaging::ProgressCallback& progress, qint64 maxBytes)
{
    DibRecord fresh;
    if (!imaging::OpenDib(fresh, resolvePicturePath(path, programFolder), progress, maxBytes))
        return false;
    imaging::deldib(target);
    target = fresh;
    return true;
}

namespace {

enum class Turn { Left, Right, Half };

template <typename Pixel> void copyTurnedRow(const QImage& source, QImage& copy, int y, Turn turn)
{
    const int w = source.width();
    const int h = source.height();
    const auto* row = reinterpret_cast<const Pixel*>(source.constScanLine(y));
    switch (turn) {
    case Turn::Left:  // (x, y) -> (y, W - 1 - x)
        for (int x = 0; x < w; ++x)
            reinterpret_cast<Pixel*>(copy.scanLine(w - 1 - x))[y] = row[x];
        break;
    case Turn::Right:  // (x, y) -> (H - 1 - y, x)
        for (int x = 0; x < w; ++x)
            reinterpret_cast<Pixel*>(copy.scanLine(x))[h - 1 - y] = row[x];
        break;
    case Turn::Half: {  // (x, y) -> (W - 1 - x, H - 1 - y)
        auto* target = reinterpret_cast<Pixel*>(copy.scanLine(h - 1 - y));
        for (int x = 0; x < w; ++x)
            target[w - 1 - x] = row[x];
        break;
    }
    }
}

void turn(DibRecord& record, Turn how, const imaging::ProgressCallback& progress)
{
    if (!record.isLoaded())
        return;
    const int w = record.width();
    const int h = record.height();
    const QList<QRgb> table = record.colorTable();
    DibRecord copy;
    const bool quarter = how != Turn::Half;
    const bool created = imaging::newdib(copy, quarter ? h : w, quarter ? w : h, record.bitsPerPixel(),
                                         table.isEmpty() ? nullptr : table.constData(), int(table.size()));
    imaging::report(progress, 0);
    if (created) {
        const QImage& source = record.image();
        QImage& target = copy.image();
        const bool palette = record.isPalettePicture();
        for (int y = 0; y < h; ++y) {
            if (h > 1)
                imaging::report(progress, y * 100 / (h - 1));
            if (palette)
                copyTurnedRow<uchar>(source, target, y, how);
            else
                copyTurnedRow<QRgb>(source, target, y, how);
        }
    }
    imaging::report(progress, 0);
    // The palette is the same after a turn, and so is the meaning of a transparent key.
    copy.setTransparentKeyIsIndex(record.transparentKeyIsIndex());
    imaging::deldib(record);
    record = copy;
}

}  // namespace

void RotLeft(DibRecord& record, const imaging::ProgressCallback& progress)
{
    turn(record, Turn::Left, progress);
}
void RotRight(DibRecord& record, const imaging::ProgressCallback& progress)
{
    turn(record, Turn::Right, progress);
}
void Rot180(DibRecord& record, const imaging::ProgressCallback& progress)
{
    turn(record, Turn::Half, progress);
}

ProgramFolderPictures::ProgramFolderPictures(QString programFolder, imaging::ProgressCallback progress)
    : m_programFolder(std::move(programFolder)), m_progress(std::move(progress))
{
}

bool ProgramFolderPictures::load(DibRecord& target, const QString& path) const
{
    return LoadDIBit(target, path, m_programFolder, m_progress);
}

bool ProgramFolderPictures::loadWithin(DibRecord& target, const QString& path, qint64 maxBytes) const
{
    return LoadDIBit(target, path, m_programFolder, m_progress, maxBytes);
}

void ProgramFolderPictures::rotate(DibRecord& picture, int rotation) const
{
    switch (rotation) {
    case 1:
        RotRight(picture, m_progress);
        break;
    case 2:
        Rot180(picture, m_progress);
        break;
    case 3:
        RotLeft(picture, m_progress);
        break;
    default:
        break;
    }
}

bool LoadBit(QImage& target, const QString& path, const QString& programFolder,
             const imaging::ProgressCallback& progress)
{
    target = QImage(100, 100, QImage::Format_RGB32);
    target.fill(Qt::white);
    const QString resolved = resolvePicturePath(path, programFolder);
    DibRecord picture;
    if (imaging::OpenDib(picture, resolved, progress)) {
        // Colours only: a screen bitmap has no alpha.
        target = picture.image().convertToFormat(QImage::Format_RGB32);
        imaging::deldib(picture);
        return true;
    }
    const std::optional<QByteArray> bytes = imaging::readRegularFile(resolved, imaging::MaxPictureFileBytes);
    QImage own;
    if (!bytes || !own.loadFromData(*bytes, "BMP"))
        return false;
    target = own.convertToFormat(QImage::Format_RGB32);
    return true;
}

}  // namespace vellamo::render
