#pragma once

// Which scanner a scan uses, and "Choose scanner...": no widgets here. The choice is kept in
// the user's settings between runs; the dialog behind ScannerChooser only shows the list.

#include "document/prompter.h"
#include "scanning/sane_scanner.h"

#include <optional>

namespace vellamo::app {

inline const QString NoScannerMessage =
    QStringLiteral("No scanner was found.\nYour scanner must be visible to \"scanimage -L\".");

class ScannerChooser {
public:
    virtual ~ScannerChooser() = default;
    // Shows the devices with `preselected` (a device name, possibly not listed) selected; the
    // chosen device's name, or nothing when cancelled.
    virtual std::optional<QString> choose(const std::vector<scanning::ScannerDevice>& devices,
                                          const QString& preselected) = 0;
};

// "Choose scanner...": lists the devices SANE sees and lets the user pick one, the last
// choice preselected; the pick is saved. With no device (or SANE failing) a message instead.
std::optional<QString> TWAIN_SelectScanner(ScannerChooser& chooser, document::Prompter& ask);
// The same on a list already asked for.
std::optional<QString> TWAIN_SelectScanner(const scanning::DeviceList& list, ScannerChooser& chooser,
                                           document::Prompter& ask);

// The device a scan uses without asking: the saved choice while it is listed, otherwise the
// only device there is; nothing when the user has to choose.
std::optional<QString> scannerWithoutAsking(const std::vector<scanning::ScannerDevice>& devices,
                                            const QString& saved);

}  // namespace vellamo::app
