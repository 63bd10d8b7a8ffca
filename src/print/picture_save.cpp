#include "print/picture_save.h"

#include "document/paths.h"
#include "imaging/picture_writer.h"
#include "print/picture_export.h"

#include <QFile>
#include <QFileInfo>

namespace vellamo::print {

namespace {

// The extension of the pattern of the `entry`-th entry of `moreFilter` ("*.PDF" gives ".PDF"),
// counting from 13; empty when there is no such entry.
QString moreExtension(const QString& moreFilter, int entry)
{
    const QStringList parts = moreFilter.split(u'|');
    const qsizetype pattern = 2 * qsizetype(entry - LastFilterIndex) - 1;
    if (moreFilter.isEmpty() || pattern < 1 || pattern >= parts.size())
        return {};
    return parts[pattern].section(u';', 0, 0).mid(1);
}

// The entry whose extension the typed name ends in, ignoring case: a picture entry or one of
// `moreFilter`; 0 when none does.
int entryForTypedName(const QString& name, const QString& moreFilter)
{
    if (const int picture = filterIndexForName(name))
        return picture;
    const QString file = document::fileNameWithoutFolder(name);
    for (int entry = LastFilterIndex + 1;; ++entry) {
        const QString extension = moreExtension(moreFilter, entry);
        if (extension.isEmpty())
            return 0;
        if (file.endsWith(extension, Qt::CaseInsensitive))
            return entry;
    }
}

}  // namespace

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
    // A typed extension that an entry has chooses that entry, whatever the filter box shows.
    const int typedEntry = entryForTypedName(choice->fileName, request.moreFilter);
    const int entry = typedEntry > 0 ? typedEntry : choice->filterIndex;
    result.filterIndex = entry;
    if (entry > LastFilterIndex && request.writeMore) {
        result.fileName = choice->fileName;
        if (!document::fileNameWithoutFolder(result.fileName).contains(u'.'))
            result.fileName += moreExtension(request.moreFilter, entry);
        const bool written = request.writeMore(result.fileName, entry);
        result.outcome = written ? PictureSaveOutcome::Saved : PictureSaveOutcome::Failed;
        if (!written)
            prompter.inform(QString(), FileCouldNotBeSaved, document::MessageIcon::Information);
        return result;
    }
    result.fileName = withExportExtension(choice->fileName, entry);

    if (request.jpegQuality && isJpegFilterIndex(entry)) {
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
    if (imaging::SaveDib(picture, result.fileName, exportFormatCode(entry), progress)) {
        result.outcome = PictureSaveOutcome::Saved;
    } else {
        result.outcome = PictureSaveOutcome::Failed;
        prompter.inform(QString(), FileCouldNotBeSaved, document::MessageIcon::Information);
    }
    return result;
}

}  // namespace vellamo::print
