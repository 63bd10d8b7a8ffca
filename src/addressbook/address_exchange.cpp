#include "addressbook/address_exchange.h"

#include "addressbook/csv_format.h"
#include "addressbook/vcard_format.h"
#include "document/ansi_text.h"
#include "document/paths.h"
#include "imaging/regular_file.h"
#include "imaging/safe_file_write.h"

#include <QFile>

namespace vellamo::addressbook {

namespace {

// An address file larger than this is no address book.
constexpr qint64 MaxAddressFileBytes = 256 * 1024 * 1024;

QString quotedName(const QString& path) { return u'"' + document::fileNameWithoutFolder(path) + u'"'; }

}  // namespace

void ImportedAddresses::addUnplaced(const QString& name, int count)
{
    const auto known = unplacedIndex.constFind(name);
    if (known != unplacedIndex.constEnd()) {
        unplaced[*known].second += count;
        return;
    }
    unplacedIndex.insert(name, unplaced.size());
    unplaced.emplace_back(name, count);
}

std::string ImportedAddresses::toAnsi(const QString& text)
{
    std::string bytes = document::toAnsi(text);
    const auto questionMarks = [](auto begin, auto end, auto mark) { return std::count(begin, end, mark); };
    replacedCharacters += int(questionMarks(bytes.begin(), bytes.end(), '?') -
                              questionMarks(text.begin(), text.end(), QChar(u'?')));
    return bytes;
}

QString importSummary(const ImportedAddresses& imported)
{
    const int n = int(imported.records.size());
    QString text = n == 1 ? QStringLiteral("1 address was imported.")
                          : QStringLiteral("%1 addresses were imported.").arg(n);
    if (!imported.unplaced.empty()) {
        QStringList names;
        const std::size_t shown = std::min(imported.unplaced.size(), std::size_t(UnplacedNamesShown));
        for (std::size_t i = 0; i < shown; ++i)
            names.append(
                QStringLiteral("%1 (%2)").arg(imported.unplaced[i].first).arg(imported.unplaced[i].second));
        if (imported.unplaced.size() > shown)
            names.append(QStringLiteral("and %1 more").arg(imported.unplaced.size() - shown));
        text += QStringLiteral("\n\nThese fields have no place in the address book and were not imported: ") +
                names.join(QStringLiteral(", ")) + u'.';
    }
    if (imported.replacedCharacters > 0) {
        text += imported.replacedCharacters == 1
                    ? QStringLiteral("\n\n1 character that Windows-1252 cannot hold became \"?\".")
                    : QStringLiteral("\n\n%1 characters that Windows-1252 cannot hold became \"?\".")
                          .arg(imported.replacedCharacters);
    }
    return text;
}

AddressFileType addressFileType(const QString& path, const QByteArray& start)
{
    const QString name = document::fileNameWithoutFolder(path).toLower();
    if (name.endsWith(u".vcf") || name.endsWith(u".vcard"))
        return AddressFileType::VCard;
    if (name.endsWith(u".csv") || name.endsWith(u".txt"))
        return AddressFileType::Csv;
    return start.left(1024).toUpper().contains("BEGIN:VCARD") ? AddressFileType::VCard : AddressFileType::Csv;
}

std::optional<AddressList> importAddressFile(const QString& path, document::Prompter& ask,
                                             CsvMappingChooser* mapping)
{
    const std::optional<QByteArray> read = imaging::readRegularFile(path, MaxAddressFileBytes);
    if (!read) {
        ask.inform(ImportCaption, QStringLiteral("The file %1 could not be read.").arg(quotedName(path)),
                   document::MessageIcon::Error);
        return std::nullopt;
    }
    const QByteArray& bytes = *read;
    ImportedAddresses imported;
    if (addressFileType(path, bytes) == AddressFileType::VCard) {
        imported = readVcards(bytes);
    } else {
        const CsvTable table = readCsvTable(bytes, CsvSampleRows);
        if (table.header.isEmpty()) {
            ask.inform(ImportCaption,
                       QStringLiteral("The file %1 is damaged in line %2: %3.")
                           .arg(quotedName(path))
                           .arg(table.damagedLine)
                           .arg(table.damage),
                       document::MessageIcon::Error);
            return std::nullopt;
        }
        CsvMapping columns = guessCsvMapping(table.header);
        if (mapping) {
            const auto chosen = mapping->chooseMapping(table, columns);
            if (!chosen)
                return std::nullopt;
            columns = *chosen;
        }
        imported = readCsvAddresses(bytes, columns);
    }

    if (imported.damagedLine > 0) {
        const QString where = QStringLiteral("The file %1 is damaged in line %2: %3.")
                                  .arg(quotedName(path))
                                  .arg(imported.damagedLine)
                                  .arg(imported.damage);
        if (imported.records.empty()) {
            ask.inform(ImportCaption, where + QStringLiteral("\n\nNo address was imported."),
                       document::MessageIcon::Error);
            return std::nullopt;
        }
        const int n = int(imported.records.size());
        const QString keep = n == 1 ? QStringLiteral("Keep the 1 address read before that line?")
                                    : QStringLiteral("Keep the %1 addresses read before that line?").arg(n);
        if (ask.ask({ImportCaption, where + QStringLiteral("\n\n") + keep, document::MessageButtons::YesNo,
                     document::MessageIcon::Warning}) != document::Answer::Yes)
            return std::nullopt;
    }
    const bool clean = imported.unplaced.empty() && imported.replacedCharacters == 0;
    ask.inform(ImportCaption, importSummary(imported),
               clean ? document::MessageIcon::Information : document::MessageIcon::Warning);
    return std::move(imported.records);
}

bool exportAddressFile(const AddressList& records, const QString& path, document::Prompter& ask)
{
    const bool csv = addressFileType(path, "BEGIN:VCARD") == AddressFileType::Csv;
    const QByteArray bytes = csv ? writeCsv(records) : writeVcards(records);
    const imaging::SafeWriteResult written = imaging::writeFileSafely(path, bytes);
    if (!written.written()) {
        ask.inform(
            ExportCaption,
            QStringLiteral("The file %1 could not be written: %2.").arg(quotedName(path), written.error),
            document::MessageIcon::Error);
        return false;
    }
    return true;
}

int importAddresses(AddressBook& book, document::Prompter& ask, CsvMappingChooser& mapping)
{
    const auto path = ask.chooseFileToOpen({ImportCaption, AddressFileFilter, QString(), QString()});
    if (!path)
        return 0;
    auto records = importAddressFile(*path, ask, &mapping);
    if (!records)
        return 0;
    const int count = int(records->size());
    const bool wasEmpty = book.count() == 0;
    book.appendRecords(std::move(*records));
    if (wasEmpty && count > 0) {
        // Cards show the first imported address instead of their placeholders.
        book.setStandardIndex(0);
        book.ChangeAktName(0);
    }
    return count;
}

bool exportAddresses(AddressBook& book, document::Prompter& ask)
{
    const auto path =
        ask.chooseFileToSave({ExportCaption, AddressFileFilter, QStringLiteral("vcf"), QString()});
    if (!path)
        return false;
    // What the grid shows is part of the book.
    book.SaveToDB(book.currentIndex());
    return exportAddressFile(book.records(), *path, ask);
}

}  // namespace vellamo::addressbook
