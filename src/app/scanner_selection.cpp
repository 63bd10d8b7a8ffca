#include "app/scanner_selection.h"

#include "app/settings.h"

namespace vellamo::app {

std::optional<QString> TWAIN_SelectScanner(ScannerChooser& chooser, document::Prompter& ask)
{
    return TWAIN_SelectScanner(scanning::listScanners(), chooser, ask);
}

std::optional<QString> TWAIN_SelectScanner(const scanning::DeviceList& list, ScannerChooser& chooser,
                                           document::Prompter& ask)
{
    if (!list.error.isEmpty()) {
        ask.inform(QString(), list.error, document::MessageIcon::Error);
        return std::nullopt;
    }
    if (list.devices.empty()) {
        ask.inform(QString(), NoScannerMessage, document::MessageIcon::Information);
        return std::nullopt;
    }
    const auto chosen = chooser.choose(list.devices, savedScannerName());
    if (chosen)
        saveScannerName(*chosen);
    return chosen;
}

std::optional<QString> scannerWithoutAsking(const std::vector<scanning::ScannerDevice>& devices,
                                            const QString& saved)
{
    for (const auto& device : devices) {
        if (!saved.isEmpty() && device.name == saved)
            return saved;
    }
    if (devices.size() == 1)
        return devices.front().name;
    return std::nullopt;
}

}  // namespace vellamo::app
