#include "app/scan_command_line.h"

#include "app/command_line_support.h"
#include "app/scanner_selection.h"
#include "app/settings.h"
#include "imaging/picture_writer.h"
#include "print/picture_export.h"
#include "scanning/sane_scanner.h"

#include <cstdio>
#include <optional>

namespace vellamo::app {

namespace {

const char* const ScanUsage = "usage: vellamo scan OUT [--device NAME] [--format-index N] [--quality Q]\n"
                              "       vellamo scan --list";

struct ScanArguments {
    QString out;
    QString device;
    int filterIndex = 0;
    int quality = 75;
    bool list = false;
    QString error;
};

ScanArguments parse(const QStringList& args)
{
    ScanArguments a;
    QStringList positional;
    // "--name value" or "--name=value"; nothing when the value is missing.
    const auto value = [&](qsizetype& i, const QString& name) -> std::optional<QString> {
        if (args[i] == name)
            return i + 1 < args.size() ? std::optional<QString>(args[++i]) : std::nullopt;
        return args[i].mid(name.size() + 1);
    };
    const auto isOption = [&](const QString& arg, const QString& name) {
        return arg == name || arg.startsWith(name + u'=');
    };
    const auto number = [](const std::optional<QString>& text, int low, int high) -> std::optional<int> {
        bool ok = false;
        const int n = text ? text->toInt(&ok) : 0;
        return ok && n >= low && n <= high ? std::optional<int>(n) : std::nullopt;
    };
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == u"--list") {
            a.list = true;
        } else if (isOption(arg, QStringLiteral("--device"))) {
            const auto name = value(i, QStringLiteral("--device"));
            if (!name || name->isEmpty()) {
                a.error = QStringLiteral("--device needs the name of a scanner (see vellamo scan --list)");
                return a;
            }
            a.device = *name;
        } else if (isOption(arg, QStringLiteral("--format-index"))) {
            const auto n = number(value(i, QStringLiteral("--format-index")), print::FirstFilterIndex,
                                  print::LastFilterIndex);
            if (!n) {
                a.error =
                    QStringLiteral("--format-index needs an entry of the save filter, 1 (BMP) to 12 (PNG)");
                return a;
            }
            a.filterIndex = *n;
        } else if (isOption(arg, QStringLiteral("--quality"))) {
            const auto n = number(value(i, QStringLiteral("--quality")), 1, 99);
            if (!n) {
                a.error = QStringLiteral("--quality needs a JPEG quality from 1 to 99");
                return a;
            }
            a.quality = *n;
        } else if (arg.startsWith(u"--")) {
            a.error = QString::fromLatin1(ScanUsage);
            return a;
        } else {
            positional.append(arg);
        }
    }
    if (a.list ? !positional.isEmpty() : positional.size() != 1) {
        a.error = QString::fromLatin1(ScanUsage);
        return a;
    }
    if (!a.list)
        a.out = positional.front();
    return a;
}

}  // namespace

int runScanCommand(const QStringList& args)
{
    ScanArguments a = parse(args);
    if (!a.error.isEmpty()) {
        printError(a.error);
        return 2;
    }
    if (!a.list && a.filterIndex == 0) {
        a.filterIndex = print::filterIndexForName(a.out);
        if (a.filterIndex == 0) {
            printError("The picture type cannot be told from the name (" + a.out + "); give --format-index.");
            return 2;
        }
    }

    QString device = a.device;
    if (a.list || device.isEmpty()) {
        const scanning::DeviceList found = scanning::listScanners();
        if (!found.error.isEmpty()) {
            printError(found.error);
            return 1;
        }
        if (found.devices.empty()) {
            printError(NoScannerMessage);
            return 1;
        }
        if (a.list) {
            for (const auto& d : found.devices) {
                const QString line = QStringList{d.name, d.vendor, d.model, d.type}.join(u'\t') + u'\n';
                std::fputs(line.toLocal8Bit().constData(), stdout);
            }
            return 0;
        }
        const auto chosen = scannerWithoutAsking(found.devices, savedScannerName());
        if (!chosen) {
            printError(QStringLiteral("Several scanners were found; give one with --device "
                                      "(see vellamo scan --list)."));
            return 2;
        }
        device = *chosen;
    }

    const scanning::ScanResult scan = scanning::scanPicture(device, {});
    if (scan.status != scanning::ScanStatus::Scanned) {
        printError(scan.message.isEmpty() ? QStringLiteral("The scan was cancelled.") : scan.message);
        return 1;
    }
    const QString path = print::withExportExtension(a.out, a.filterIndex);
    if (a.filterIndex == 5 || a.filterIndex == 6)
        imaging::SetJPEGQual(a.quality);
    if (!imaging::SaveDib(scan.picture, path, print::exportFormatCode(a.filterIndex))) {
        printError(QStringLiteral("Error: File could not be saved!"));
        return 1;
    }
    return 0;
}

}  // namespace vellamo::app
