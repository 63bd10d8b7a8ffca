#include "app/print_command.h"

#include "app/command_line_support.h"
#include "app/program_folder.h"
#include "document/card_file_commands.h"
#include "print/calibration_file.h"
#include "print/mail_merge.h"
#include "print/print_job.h"
#include "print/print_page.h"
#include "render/picture_operations.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>
#include <cstdio>
#include <optional>

namespace vellamo::app {

namespace {

const char* const PrintUsage =
    "usage: vellamo print CARD.vis (--pdf OUT.pdf | --printer QUEUE) [--used U] "
    "[--copies C | --all-addresses] [--cut-lines] [--address K] [--calibration L,T,W,H] [--dpi D]";

constexpr int DefaultPdfDpi = 1200;
constexpr int MinPdfDpi = 72;
constexpr int MaxPdfDpi = 4800;

struct PrintOptions {
    QString card;
    QString pdf;
    QString queue;
    print::SheetValues values;
    bool cutLines = false;
    bool copiesGiven = false;
    bool allAddresses = false;
    std::optional<int> address;
    std::optional<print::Calibration> calibration;
    std::optional<int> dpi;
};

// The option's value, from "--name VALUE" or "--name=VALUE".
std::optional<QString> valueOf(const QStringList& args, qsizetype& i, const QString& name)
{
    if (args[i] == name)
        return i + 1 < args.size() ? std::optional<QString>(args[++i]) : std::nullopt;
    return args[i].mid(name.size() + 1);
}

bool isOption(const QString& arg, const QString& name) { return arg == name || arg.startsWith(name + u'='); }

std::optional<int> integerIn(const QString& text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= low && value <= high ? std::optional<int>(value) : std::nullopt;
}

std::optional<print::Calibration> calibrationFrom(const QString& text)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != 4)
        return std::nullopt;
    double v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(v[i]))
            return std::nullopt;
    }
    const print::Calibration c{v[0], v[1], v[2], v[3]};
    return print::usableCalibration(c) == c ? std::optional<print::Calibration>(c) : std::nullopt;
}

// Reads the options into `options`; the message when they do not make a job.
QString parse(const QStringList& args, PrintOptions& options)
{
    QStringList positional;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        auto take = [&](const char* name) { return valueOf(args, i, QString::fromLatin1(name)); };
        if (isOption(a, QStringLiteral("--pdf"))) {
            options.pdf = take("--pdf").value_or(QString());
            if (options.pdf.isEmpty())
                return QStringLiteral("--pdf needs a file name");
        } else if (isOption(a, QStringLiteral("--printer"))) {
            options.queue = take("--printer").value_or(QString());
            if (options.queue.isEmpty())
                return QStringLiteral("--printer needs the name of a queue");
        } else if (isOption(a, QStringLiteral("--used"))) {
            const auto v = integerIn(take("--used").value_or(QString()), 0, print::MaxUsed);
            if (!v)
                return QStringLiteral("--used needs a number of already printed cards from 0 to %1")
                    .arg(print::MaxUsed);
            options.values.used = *v;
        } else if (isOption(a, QStringLiteral("--copies"))) {
            const auto v =
                integerIn(take("--copies").value_or(QString()), print::MinCopies, print::MaxCopies);
            if (!v)
                return QStringLiteral("--copies needs a number of copies from %1 to %2")
                    .arg(print::MinCopies)
                    .arg(print::MaxCopies);
            options.values.copies = *v;
            options.copiesGiven = true;
        } else if (a == u"--cut-lines") {
            options.cutLines = true;
        } else if (a == u"--all-addresses") {
            options.allAddresses = true;
        } else if (isOption(a, QStringLiteral("--address"))) {
            options.address =
                integerIn(take("--address").value_or(QString()), 0, std::numeric_limits<int>::max());
            if (!options.address)
                return QStringLiteral("--address needs the 0-based index of an address");
        } else if (isOption(a, QStringLiteral("--calibration"))) {
            options.calibration = calibrationFrom(take("--calibration").value_or(QString()));
            if (!options.calibration)
                return QStringLiteral("--calibration needs four millimetre values L,T,W,H: left and top from "
                                      "0 to 10, width and height from 70 to 130");
        } else if (isOption(a, QStringLiteral("--dpi"))) {
            options.dpi = integerIn(take("--dpi").value_or(QString()), MinPdfDpi, MaxPdfDpi);
            if (!options.dpi)
                return QStringLiteral("--dpi needs a resolution from %1 to %2").arg(MinPdfDpi).arg(MaxPdfDpi);
        } else if (a.startsWith(u"--")) {
            return QString::fromLatin1(PrintUsage);
        } else {
            positional.append(a);
        }
    }
    if (positional.size() != 1 || options.pdf.isEmpty() == options.queue.isEmpty())
        return QString::fromLatin1(PrintUsage);
    if (options.allAddresses && (options.copiesGiven || options.address))
        return QStringLiteral("--all-addresses prints one card per address; it takes neither --copies nor "
                              "--address");
    if (options.dpi && options.pdf.isEmpty())
        return QStringLiteral("--dpi is for --pdf; a printer prints at its own resolution");
    options.card = positional.front();
    return {};
}

}  // namespace

int printCommand(const QStringList& args)
{
    PrintOptions options;
    if (const QString problem = parse(args, options); !problem.isEmpty()) {
        printError(problem);
        return 2;
    }

    const QString folder = ProgramFolder();
    StandardErrorPrompter ask;
    const render::ProgramFolderPictures pictures(folder);
    document::CardFileContext context{ask, pictures, folder};
    document::CardDocument doc;
    if (!document::OpenItNow(doc, options.card, context))
        return 1;

    addressbook::AddressBook addresses;
    if (!chooseCommandLineAddress(addresses, folder, options.address))
        return 1;
    std::vector<render::PlaceholderFields> merged;
    if (options.allAddresses) {
        merged = print::mergeAddresses(addresses);
        if (merged.empty()) {
            printError(QStringLiteral("Error: ") + print::NoAddressToMerge);
            return 1;
        }
    }
    render::PlaceholderFields fields;
    render::RenderContext renderContext;
    if (addresses.hasCurrentAddress()) {
        fields = addresses.placeholderFields();
        renderContext.placeholders = &fields;
    }

    print::PrintJobSettings settings;
    const int perSheet = print::cardsPerSheet(doc.Format);
    settings.values = print::clampedValues(options.values, perSheet);
    if (settings.values.used != options.values.used)
        printError(QStringLiteral("Already used: %1 lowered to %2, so that the first card lands on the first "
                                  "sheet of %3 cards.")
                       .arg(options.values.used)
                       .arg(settings.values.used)
                       .arg(perSheet));
    settings.cutLines = options.cutLines;
    settings.calibration = options.calibration.value_or(
        print::readCalibrationFile(folder + QString::fromLatin1(print::CalibrationFileName)));

    QPrinter printer(QPrinter::HighResolution);
    if (!options.pdf.isEmpty()) {
        print::useDefaultPdfPage(printer);
        printer.setResolution(options.dpi.value_or(DefaultPdfDpi));
        printer.setOutputFileName(options.pdf);
    } else {
        if (QPrinterInfo::printerInfo(options.queue).isNull()) {
            const QStringList known = QPrinterInfo::availablePrinterNames();
            printError(QStringLiteral("Error: there is no printer \"%1\"%2.")
                           .arg(options.queue, known.isEmpty() ? QStringLiteral("; no printer is installed")
                                                               : QStringLiteral("; the printers are: ") +
                                                                     known.join(u", ")));
            return 1;
        }
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(options.queue);
    }
    const print::PrintJobResult result =
        options.allAddresses
            ? print::printMerge(printer, doc, settings, render::RenderContext(), merged, ask)
            : print::printCards(
                  printer, doc, settings, [&](const print::SheetPosition&) { return renderContext; }, ask);
    if (!result.printed) {
        printError(QStringLiteral("Error: ") + result.error);
        return 1;
    }
    return 0;
}

}  // namespace vellamo::app
