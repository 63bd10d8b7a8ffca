#include "document/paths.h"

namespace vellamo::document {

bool isPathSeparator(QChar c) { return c == u'/' || c == u'\\'; }

namespace {

qsizetype lastSeparator(const QString& path)
{
    for (qsizetype i = path.size(); i > 0; --i) {
        if (isPathSeparator(path[i - 1]))
            return i - 1;
    }
    return -1;
}

}  // namespace

QString fileNameWithoutFolder(const QString& path) { return path.mid(lastSeparator(path) + 1); }

QString folderOf(const QString& path)
{
    const qsizetype at = lastSeparator(path);
    return at < 0 ? QString() : path.left(at + 1);
}

bool hasFolderPart(const QString& path) { return lastSeparator(path) >= 0; }

QString withTrailingSeparator(QString folder)
{
    if (!folder.isEmpty() && !isPathSeparator(folder.back()))
        folder.append(u'/');
    return folder;
}

}  // namespace vellamo::document
