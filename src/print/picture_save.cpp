#include "print/picture_save.h"

#include "document/paths.h"
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
    if (!request.moreFilter.isEmpty())
        fileRequest.filter += u'|' + request.moreFilter;
    fileRequest.folder = request.folder;
    fileRequest.filterIndex = request.filterIndex;
    fileRequest.confirmOverwrite = request.confirmOverwrite;
    const std::optional<document::SaveChoice> choice = prompter.chooseFileAndFilterToSave(fileRequest);
    if (!choice || choice->fileName.isEmpty())
        return result;
    result.filterIndex = choice->filterIndex;
    if (choice->filterIndex > LastFilterIndex && request.writeMore) {
        // The entry's pattern "*.PDF" gives its extension.
        const QStringList parts = request.moreFilter.split(u'|');
        const qsizetype pattern = 2 * qsizetype(choice->filterIndex - LastFilterIndex) - 1;
        result.fileName = choice->fileName;
        if (pattern < parts.size() && !document::fileNameWithoutFolder(result.fileName).contains(u'.'))
            result.fileName += parts[pattern].section(u';', 0, 0).mid(1);
        const bool written = request.writeMore(result.fileName, choice->filterIndex);
        result.outcome = written ? PictureSaveOutcome::Saved : PictureSaveOutcome::Failed;
        if (!written)
            prompter.inform(QString(), FileCouldNotBeSaved, document::MessageIcon::Information);
        return result;
    }
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
