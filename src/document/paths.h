#pragma once

// Path pieces for names read from files, which may come from Windows and use '\'. Both
// separators count everywhere in these functions.

#include <QString>

namespace vellamo::document {

bool isPathSeparator(QChar c);

// The part after the last separator (the whole text when there is none).
QString fileNameWithoutFolder(const QString& path);

// The part up to and including the last separator (empty when there is none).
QString folderOf(const QString& path);

bool hasFolderPart(const QString& path);

// `folder` with a trailing '/' added when it ends in no separator; empty stays empty.
QString withTrailingSeparator(QString folder);

}  // namespace vellamo::document
