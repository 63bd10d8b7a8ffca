#include "print/picture_save.h"

#include "imaging/picture_writer.h"
#include "print/picture_export.h"

#include <QFile>
#include <QFileInfo>

namespace vellamo::print {

bool isJpegFilterIndex(int filterIndex) { return filterIndex == 5 || filterIndex == 6; }

PictureSaveResult savePictureAs(const imaging::DibRecord& picture, const PictureSaveRequest& request,
                                document::Prompter& prompter, const imaging::ProgressCallback& progress)
{
    PictureSaveResult result;
    result.filterIndex = request.filterIndex;
    document::FileRequest fileRequest;
    fileRequest.caption = request.caption;
    fileRequest.filter = imaging::GetDIBSaveFilter();
    fileRequest.folder = request.folder;
    fileRequest.filterIndex = request.filterIndex;
    fileRequest.confirmOverwrite = request.confirmOverwrite;
    const std::optional<document::SaveChoice> choice = prompter.chooseFileAndFilterToSave(fileRequest);
    if (!choice || choice->fileName.isEmpty())
        return result;
    result.filterIndex = choice->filterIndex;
    result.fileName = withExportExtension(choice->fileName, choice->filterIndex);

    if (request.jpegQuality && isJpegFilterIndex(choice->filterIndex)) {
        const std::optional<int> quality = request.jpegQuality->chooseJpegQuality();
        if (!quality)
            return result;
        imaging::SetJPEGQual(*quality);
    }
    if (request.makeWritable) {
        QFile existing(result.fileName);
        if (existing.exists() && !QFileInfo(existing).isWritable())
            existing.setPermissions(existing.permissions() | QFileDevice::WriteOwner |
                                    QFileDevice::WriteUser);
    }
    if (imaging::SaveDib(picture, result.fileName, exportFormatCode(choice->filterIndex), progress)) {
        result.outcome = PictureSaveOutcome::Saved;
    } else {
        result.outcome = PictureSaveOutcome::Failed;
        prompter.inform(QString(), FileCouldNotBeSaved, document::MessageIcon::Information);
    }
    return result;
}

}  // namespace vellamo::print
