#pragma once

// Saving a picture the user names: the save dialog with the picture library's filter, the
// extension of the chosen entry for a name without one, the entry's format code, the JPEG
// quality question for the JPEG entries, and the message when the write fails. The picture
// export and the scanned-picture save both go this way.

#include "document/prompter.h"
#include "imaging/dib_record.h"
#include "imaging/progress.h"

#include <QString>
#include <functional>
#include <optional>

namespace vellamo::print {

// The filter entries whose files are JPEG: 5 JIF and 6 JPG.
bool isJpegFilterIndex(int filterIndex);

// The JPEG quality dialog as the save sees it: the quality 1..99 on OK, nothing on Cancel.
class JpegQualityChooser {
public:
    virtual ~JpegQualityChooser() = default;
    virtual std::optional<int> chooseJpegQuality() = 0;
};

inline const QString FileCouldNotBeSaved = QStringLiteral("Error: File could not be saved!");

struct PictureSaveRequest {
    // The save dialog's title; empty gives the platform's own.
    QString caption;
    // Where the dialog starts: a folder, or the file name of its last use.
    QString folder;
    // The filter entry shown first.
    int filterIndex = 1;
    // Whether the dialog asks before an existing file is replaced.
    bool confirmOverwrite = false;
    // Asked for the JPEG entries before the write; without it, the quality the picture library
    // holds is used.
    JpegQualityChooser* jpegQuality = nullptr;
    // A read-only file of the chosen name is made writable before the write.
    bool makeWritable = false;
    // Entries offered after the picture types, in the filter's form ("PDF ...|*.PDF|..."), and
    // what writes them: the file name (given the entry's extension when it has none) and the
    // entry, 13 for the first. A false result is reported as a failed write.
    QString moreFilter;
    std::function<bool(const QString& fileName, int filterIndex)> writeMore;
};

enum class PictureSaveOutcome { Cancelled, Saved, Failed };

struct PictureSaveResult {
    PictureSaveOutcome outcome = PictureSaveOutcome::Cancelled;
    // The name written or tried, extension included; empty when the dialog was cancelled.
    QString fileName;
    // The filter entry written (see savePictureAs), or the one asked with when cancelled.
    int filterIndex = 1;
};

// Asks for a file name and filter entry. A name ending in the extension of an entry (in any
// case, `moreFilter`'s included) is written as that entry, whatever entry was chosen; any other
// name is written as the chosen entry, which appends its extension to a name without one. Asks
// the JPEG quality for the JPEG entries (Cancel there drops the save), writes `picture`
// with format code entry + 2 and reports a failed write with "Error: File could not be saved!"
// (information icon, the message box's default caption). A failed write leaves an existing file
// as it was. The picture stays the caller's.
PictureSaveResult savePictureAs(const imaging::DibRecord& picture, const PictureSaveRequest& request,
                                document::Prompter& prompter, const imaging::ProgressCallback& progress = {});

}  // namespace vellamo::print
