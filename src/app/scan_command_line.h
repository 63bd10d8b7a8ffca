#pragma once

// "vellamo scan OUT [--device NAME] [--format-index N] [--quality Q]" and "vellamo scan --list":
// a scan without a window, saved as the program saves a scanned picture.

#include <QStringList>

namespace vellamo::app {

// The arguments after "scan"; the process's exit status. Messages go to standard error.
int runScanCommand(const QStringList& args);

}  // namespace vellamo::app
