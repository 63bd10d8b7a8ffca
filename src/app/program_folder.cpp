#include "app/program_folder.h"

#include "document/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vellamo::app {

namespace {

QString& homeFolder()
{
    static QString folder;
    return folder;
}

}  // namespace

void setHomeFolder(const QString& folder)
{
    homeFolder() = folder.isEmpty() ? QString() : QDir(folder).absolutePath();
}

QString ProgramFolder()
{
    if (!homeFolder().isEmpty())
        return document::withTrailingSeparator(homeFolder());
    const QString programDir = QCoreApplication::applicationDirPath();
    if (!programDir.isEmpty() && QFileInfo(programDir).isWritable())
        return document::withTrailingSeparator(programDir);
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return document::withTrailingSeparator(data);
}

}  // namespace vellamo::app
