#include "app/sub_prog_path.h"

#include "document/paths.h"

namespace vellamo::app {

namespace {

QString withForwardSlashes(QString path)
{
    path.replace(u'\\', u'/');
    return path;
}

}  // namespace

QString SubProgPath(const QString& path, const QString& programFolder)
{
    if (programFolder.isEmpty())
        return path;
    const QString folder = withForwardSlashes(document::withTrailingSeparator(programFolder));
    if (withForwardSlashes(document::folderOf(path)) == folder)
        return document::fileNameWithoutFolder(path);
    return path;
}

}  // namespace vellamo::app
