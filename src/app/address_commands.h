#pragma once

// "vellamo addresses import FILE" and "vellamo addresses export OUT": the program folder's
// "AdrDB.dat" to and from vCard and CSV files, without a window.

#include <QStringList>

namespace vellamo::app {

// `args` after "addresses"; returns the exit status.
int runAddressesCommand(const QStringList& args);

}  // namespace vellamo::app
