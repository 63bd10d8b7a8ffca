#include "templates/sample_pictures.h"

#include <QFile>

namespace vellamo::templates {

bool provideSamplePictures(const QString& programFolder)
{
    if (QFile::exists(programFolder + SampleLogoName) || QFile::exists(programFolder + SampleSkyName))
        return true;
    bool written = true;
    for (const QString& name : {SampleLogoName, SampleSkyName}) {
        const QString target = programFolder + name;
        // Copies of resources are read-only; the user owns these.
        written = QFile::copy(QStringLiteral(":/samples/") + name, target) &&
                  QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                                    QFile::ReadOther) &&
                  written;
    }
    return written;
}

}  // namespace vellamo::templates
