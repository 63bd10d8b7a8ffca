#pragma once

#include <QString>

namespace vellamo::app {

// Shortens a picture path inside the program folder: a file lying directly in the folder
// becomes its bare name, anything else (a subfolder, another folder) stays as it is. Both
// separators count; letters must match exactly, because file names here are case-sensitive
// and /Home/x.jpg is not /home/x.jpg.
QString SubProgPath(const QString& path, const QString& programFolder);

}  // namespace vellamo::app
