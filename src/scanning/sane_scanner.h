#pragma once

// Scanning over SANE, blocking and without widgets: the device list, and one scan from opening
// the device to closing it. The asynchronous layer runs scanPicture on its own thread.

#include "imaging/dib_record.h"
#include "imaging/progress.h"

#include <QString>
#include <atomic>
#include <vector>

namespace vellamo::scanning {

struct ScannerDevice {
    QString name;  // what sane_open takes, e.g. "test:0"
    QString vendor;
    QString model;
    QString type;
};

struct DeviceList {
    std::vector<ScannerDevice> devices;
    // Set when SANE itself could not be started or asked.
    QString error;
};

// The devices SANE sees now, local and on the network, in SANE's order.
DeviceList listScanners();

enum class ScanColour { Colour, Grey, LineArt };

struct ScanSettings {
    // The mode asked for where the device offers it; otherwise the device's own mode stays.
    ScanColour colour = ScanColour::Colour;
    // Used where the device lets the resolution be chosen (the nearest it allows); a device
    // without a choice scans at its own.
    int resolution = 300;
};

enum class ScanStatus { Scanned, Cancelled, Failed };

struct ScanResult {
    ScanStatus status = ScanStatus::Failed;
    // 24-bit, loaded only when status is Scanned.
    imaging::DibRecord picture;
    // For Failed: names the device and says what went wrong, with SANE's own status text.
    QString message;
};

// Opens `device`, sets mode and resolution, reads every frame into one picture and closes the
// device again, whatever happens. `cancel` is polled between reads; once it is set the scan is
// cancelled on the device and the result is Cancelled without a picture. Progress runs 0..100
// where the scanner announces the picture's size.
ScanResult scanPicture(const QString& device, const ScanSettings& settings,
                       const imaging::ProgressCallback& progress = {},
                       const std::atomic<bool>* cancel = nullptr);

}  // namespace vellamo::scanning
