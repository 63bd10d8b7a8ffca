#include "app/command_line.h"

#include "addressbook/address_book.h"
#include "app/address_commands.h"
#include "app/command_line_support.h"
#include "app/print_command.h"
#include "app/program_folder.h"
#include "app/scan_command_line.h"
#include "document/card_file.h"
#include "document/card_file_commands.h"
#include "document/card_json.h"
#include "document/paths.h"
#include "imaging/regular_file.h"
#include "imaging/safe_file_write.h"
#include "print/mail_merge.h"
#include "print/picture_export.h"
#include "print/vector_export.h"
#include "render/picture_operations.h"

#include <QDir>
#include <QJsonDocument>
#include <cstdio>
#include <optional>

namespace vellamo::app {

namespace {

const char* const Usage =
    "usage: vellamo [--home DIR] [CARD.vis]\n"
    "       vellamo dump CARD.vis\n"
    "       vellamo build CARD.json CARD.vis\n"
    "       vellamo export CARD.vis OUT [--format-index N] [--address K]\n"
    "       vellamo export CARD.vis OUT.pdf|OUT.svg [--address K]\n"
    "       vellamo export CARD.vis OUTDIR --all-addresses [--format-index N]\n"
    "       vellamo print CARD.vis (--pdf OUT.pdf | --printer QUEUE) [--used U] [--copies C]\n"
    "                     [--cut-lines] [--address K] [--calibration L,T,W,H] [--dpi D]\n"
    "       vellamo print CARD.vis (--pdf OUT.pdf | --printer QUEUE) --all-addresses [--used U]\n"
    "                     [--cut-lines] [--calibration L,T,W,H] [--dpi D]\n"
    "       vellamo scan OUT [--device NAME] [--format-index N] [--quality Q]\n"
    "       vellamo scan --list\n"
    "       vellamo addresses import FILE.vcf|FILE.csv\n"
    "       vellamo addresses export OUT.vcf|OUT.csv";

int dump(const QStringList& args)
{
    if (args.size() != 1) {
        printError(QString::fromLatin1(Usage));
        return 2;
    }
    const document::CardFileBytes file = document::readCardFile(args[0]);
    if (file.outcome == document::CardFileBytes::Outcome::CannotOpen) {
        printError("Error: Could not open file! (" + args[0] + ")");
        return 1;
    }
    if (file.outcome == document::CardFileBytes::Outcome::NotACard) {
        printError(QStringLiteral("it is not a Business Card in the Korvend Vellamo 3.5-Format!"));
        return 1;
    }
    document::CardDocument doc;
    const auto result = document::readCardBytes(file.bytes, doc);
    document::writeCardJson(doc, [](const QByteArray& piece) {
        std::fwrite(piece.constData(), 1, std::size_t(piece.size()), stdout);
    });
    if (!result.complete) {
        printError(QStringLiteral("warning: the card file ends before its last entry"));
    } else if (result.extensionDamaged) {
        printError(QStringLiteral("warning: what the card file holds after its terminator is damaged; "
                                  "the chunks before the damage are kept"));
    }
    return 0;
}

int build(const QStringList& args)
{
    if (args.size() != 2) {
        printError(QString::fromLatin1(Usage));
        return 2;
    }
    const std::optional<QByteArray> text = imaging::readRegularFile(args[0], imaging::MaxCardFileBytes);
    if (!text) {
        printError("Error: Could not open file! (" + args[0] + ")");
        return 1;
    }
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(*text, &parseError);
    if (!json.isObject()) {
        printError(args[0] + ": " +
                   (parseError.error != QJsonParseError::NoError ? parseError.errorString()
                                                                 : QStringLiteral("not a JSON object")));
        return 1;
    }
    document::CardDocument doc;
    const auto result = document::cardFromJson(json.object(), doc);
    if (!result.ok) {
        printError(args[0] + ": " + result.message);
        return 1;
    }
    const imaging::SafeWriteResult written = imaging::writeFileSafely(args[1], document::cardToBytes(doc));
    if (!written.written()) {
        printError("Error: Could not create file! (" + args[1] + ": " + written.error + ")");
        return 1;
    }
    return 0;
}

std::optional<int> optionValue(const QStringList& args, qsizetype& i, const QString& name)
{
    QString text;
    if (args[i] == name) {
        if (i + 1 >= args.size())
            return std::nullopt;
        text = args[++i];
    } else {
        text = args[i].mid(name.size() + 1);
    }
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

bool isOption(const QString& arg, const QString& name) { return arg == name || arg.startsWith(name + u'='); }

// Writes the card once per address into `folder`, named after each address.
int exportAllAddresses(document::CardDocument& doc, addressbook::AddressBook& book, const QString& folder,
                       int filterIndex)
{
    const std::vector<render::PlaceholderFields> merged = print::mergeAddresses(book);
    if (merged.empty()) {
        printError(QStringLiteral("Error: ") + print::NoAddressToMerge);
        return 1;
    }
    if (!QDir().mkpath(folder)) {
        printError("Error: the folder " + folder + " could not be made.");
        return 1;
    }
    const print::VectorType vector = print::vectorTypeForFilterIndex(filterIndex);
    const QString extension = vector == print::VectorType::Pdf ? QStringLiteral(".pdf")
                              : vector == print::VectorType::Svg
                                  ? QStringLiteral(".svg")
                                  : print::exportExtension(filterIndex).toLower();
    const QStringList names = print::mergeFileNames(book, extension);
    const QDir dir(folder);
    for (std::size_t k = 0; k < merged.size(); ++k) {
        render::RenderContext context;
        context.placeholders = &merged[k];
        const QString path = dir.filePath(names[qsizetype(k)]);
        const bool saved = vector != print::VectorType::None
                               ? print::exportCardVector(doc, context, path, vector)
                               : print::exportCardPicture(doc, context, path, filterIndex).saved;
        if (!saved) {
            printError("Error: File could not be saved! (" + path + ")");
            return 1;
        }
    }
    return 0;
}

int exportPicture(const QStringList& args)
{
    const QString formatIndexOption = QStringLiteral("--format-index");
    const QString addressOption = QStringLiteral("--address");
    QStringList positional;
    int filterIndex = 0;
    std::optional<int> address;
    bool allAddresses = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == u"--all-addresses") {
            allAddresses = true;
        } else if (isOption(args[i], formatIndexOption)) {
            const auto value = optionValue(args, i, formatIndexOption);
            if (!value || *value < print::FirstFilterIndex || *value > print::SvgFilterIndex) {
                printError(QStringLiteral("--format-index needs an entry of the save filter, 1 (BMP) to 12 "
                                          "(PNG), 13 (PDF) or 14 (SVG)"));
                return 2;
            }
            filterIndex = *value;
        } else if (isOption(args[i], addressOption)) {
            address = optionValue(args, i, addressOption);
            if (!address || *address < 0) {
                printError(QStringLiteral("--address needs the 0-based index of an address"));
                return 2;
            }
        } else if (args[i].startsWith(u"--")) {
            printError(QString::fromLatin1(Usage));
            return 2;
        } else {
            positional.append(args[i]);
        }
    }
    if (positional.size() != 2) {
        printError(QString::fromLatin1(Usage));
        return 2;
    }
    if (allAddresses && address) {
        printError(QStringLiteral("--all-addresses writes one file per address; it takes no --address"));
        return 2;
    }
    const QString& cardPath = positional[0];
    QString outPath = positional[1];
    if (allAddresses && filterIndex == 0)
        filterIndex = print::LastFilterIndex;  // PNG
    if (filterIndex == 0)
        filterIndex = print::vectorTypeForName(outPath) == print::VectorType::Pdf   ? print::PdfFilterIndex
                      : print::vectorTypeForName(outPath) == print::VectorType::Svg ? print::SvgFilterIndex
                                                                                    : 0;
    if (filterIndex == 0) {
        filterIndex = print::filterIndexForName(outPath);
        if (filterIndex == 0) {
            printError("The picture type cannot be told from the name (" + outPath +
                       "); give --format-index.");
            return 2;
        }
    }

    if (!allAddresses && !imaging::isReplaceable(outPath)) {
        printError("Error: File could not be saved! (" + outPath + " is not a regular file)");
        return 1;
    }

    const QString folder = ProgramFolder();
    StandardErrorPrompter ask;
    const render::ProgramFolderPictures pictures(folder);
    document::CardFileContext context{ask, pictures, folder};
    document::CardDocument doc;
    if (!document::OpenItNow(doc, cardPath, context))
        return 1;

    addressbook::AddressBook addresses;
    if (!chooseCommandLineAddress(addresses, folder, address))
        return 1;
    if (allAddresses)
        return exportAllAddresses(doc, addresses, outPath, filterIndex);
    render::PlaceholderFields fields;
    render::RenderContext renderContext;
    if (addresses.hasCurrentAddress()) {
        fields = addresses.placeholderFields();
        renderContext.placeholders = &fields;
    }

    if (const auto vector = print::vectorTypeForFilterIndex(filterIndex); vector != print::VectorType::None) {
        if (!document::fileNameWithoutFolder(outPath).contains(u'.'))
            outPath += vector == print::VectorType::Pdf ? QStringLiteral(".pdf") : QStringLiteral(".svg");
        if (!print::exportCardVector(doc, renderContext, outPath, vector)) {
            printError(QStringLiteral("Error: File could not be saved!"));
            return 1;
        }
        return 0;
    }
    if (!print::exportCardPicture(doc, renderContext, outPath, filterIndex).saved) {
        printError(QStringLiteral("Error: File could not be saved!"));
        return 1;
    }
    return 0;
}

}  // namespace

bool isSubcommand(const QString& word)
{
    return word == u"dump" || word == u"build" || word == u"export" || word == u"print" || word == u"scan" ||
           word == u"addresses";
}

CommandLine parseCommandLine(const QStringList& arguments)
{
    CommandLine line;
    QStringList rest;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == u"--home") {
            if (i + 1 >= arguments.size()) {
                line.error = QStringLiteral("--home needs a folder");
                return line;
            }
            line.homeFolder = arguments[++i];
        } else if (a.startsWith(u"--home=")) {
            line.homeFolder = a.mid(7);
        } else {
            rest.append(a);
        }
    }
    if (!rest.isEmpty() && isSubcommand(rest.front())) {
        line.subcommand = rest.takeFirst();
        line.arguments = rest;
        return line;
    }
    if (rest.size() > 1 || (!rest.isEmpty() && rest.front().startsWith(u"-"))) {
        line.error = QString::fromLatin1(Usage);
        return line;
    }
    if (!rest.isEmpty())
        line.cardFile = rest.front();
    return line;
}

int runSubcommand(const CommandLine& line)
{
    if (line.subcommand == u"dump")
        return dump(line.arguments);
    if (line.subcommand == u"build")
        return build(line.arguments);
    if (line.subcommand == u"export")
        return exportPicture(line.arguments);
    if (line.subcommand == u"print")
        return printCommand(line.arguments);
    if (line.subcommand == u"scan")
        return runScanCommand(line.arguments);
    if (line.subcommand == u"addresses")
        return runAddressesCommand(line.arguments);
    printError(QString::fromLatin1(Usage));
    return 2;
}

}  // namespace vellamo::app
