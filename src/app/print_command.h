#pragma once

// `vellamo print`: the Print page's job without a window, to a CUPS queue or a PDF file.

#include <QStringList>

namespace vellamo::app {

// CARD.vis (--pdf OUT.pdf | --printer QUEUE) [--used U] [--copies C] [--cut-lines]
// [--address K] [--calibration L,T,W,H] [--dpi D]. Errors go to standard error; the result is
// the exit status.
int printCommand(const QStringList& args);

}  // namespace vellamo::app
