#pragma once

// Putting picture files into DibRecords, quarter turns, and the picture file filter.

#include "document/picture_loader.h"
#include "imaging/dib_record.h"
#include "imaging/progress.h"

#include <QString>

namespace vellamo::render {

// The file-type list of every picture chooser, in the program's own "text|patterns" form.
extern const QString PictureFileFilter;

// A bare name lies in the program folder; a path with a folder part is used unchanged.
QString resolvePicturePath(const QString& path, const QString& programFolder);

// Reads the picture into `target`. On failure `target` stays as it was; on success its old
// picture is released and it takes the new one.
// The decoded picture takes at most `maxBytes` (see OpenDib).
bool LoadDIBit(imaging::DibRecord& target, const QString& path, const QString& programFolder,
               const imaging::ProgressCallback& progress = {},
               qint64 maxBytes = imaging::MaxDecodedPictureBytes);

// Replace the picture by a turned copy of the same depth and colour table. Progress goes
// 0, then y x 100 / (H - 1) before each row y (for H > 1), then 0. A copy that cannot be
// made leaves the record not loaded.
void RotLeft(imaging::DibRecord& record, const imaging::ProgressCallback& progress = {});
void RotRight(imaging::DibRecord& record, const imaging::ProgressCallback& progress = {});
void Rot180(imaging::DibRecord& record, const imaging::ProgressCallback& progress = {});

// Card files reload pictures through this: the program folder rule and the progress bar.
class ProgramFolderPictures : public document::PictureLoader {
public:
    explicit ProgramFolderPictures(QString programFolder, imaging::ProgressCallback progress = {});
    bool load(imaging::DibRecord& target, const QString& path) const override;
    bool loadWithin(imaging::DibRecord& target, const QString& path, qint64 maxBytes) const override;
    void rotate(imaging::DibRecord& picture, int rotation) const override;

private:
    QString m_programFolder;
    imaging::ProgressCallback m_progress;
};

// Reads a picture file for a preview: `target` becomes the picture as 24-bit colour; a file the
// picture library refuses is tried once more with Qt's own Windows bitmap reader. On failure
// `target` is a blank 100 x 100 picture.
bool LoadBit(QImage& target, const QString& path, const QString& programFolder,
             const imaging::ProgressCallback& progress = {});

}  // namespace vellamo::render
