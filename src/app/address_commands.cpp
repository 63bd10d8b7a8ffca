#include "app/address_commands.h"

#include "addressbook/address_exchange.h"
#include "app/command_line_support.h"
#include "app/program_folder.h"
#include "document/shared_file.h"

#include <QFile>
#include <cstdio>

namespace vellamo::app {

namespace {

const char* const Usage = "usage: vellamo addresses import FILE.vcf|FILE.csv\n"
                          "       vellamo addresses export OUT.vcf|OUT.csv";

// Messages go to standard error; a question nobody can answer keeps nothing.
class NothingConfirmedPrompter : public document::Prompter {
public:
    document::Answer ask(const document::Message& message) override
    {
        printError(message.text);
        if (message.buttons == document::MessageButtons::Ok)
            return document::Answer::Ok;
        printError(QStringLiteral("(answered No: nothing was changed)"));
        return message.buttons == document::MessageButtons::OkCancel ? document::Answer::Cancel
                                                                     : document::Answer::No;
    }
    std::optional<QString> chooseFileToOpen(const document::FileRequest&) override { return std::nullopt; }
    std::optional<QString> chooseFileToSave(const document::FileRequest&) override { return std::nullopt; }
};

struct Book {
    addressbook::AddressBookFile file;
    bool exists = false;
};

// The book as the program would read it; a damaged one is not worked on, so that writing it
// back cannot lose what lies behind the damage.
std::optional<Book> readBook(const QString& path)
{
    Book book;
    const document::FileSnapshot file = document::readSnapshot(path);
    if (!file.exists)
        return book;
    if (!file.readable) {
        printError("Error: " + path + " could not be read: it is not a regular file, or it is too large.");
        return std::nullopt;
    }
    book.exists = true;
    book.file = addressbook::addressBookFromBytes(file.bytes);
    if (!book.file.complete) {
        printError("Error: " + path + " is damaged; it was left as it is.");
        return std::nullopt;
    }
    return book;
}

}  // namespace

int runAddressesCommand(const QStringList& args)
{
    if (args.size() != 2 || (args[0] != u"import" && args[0] != u"export")) {
        printError(QString::fromLatin1(Usage));
        return 2;
    }
    const QString bookPath = ProgramFolder() + addressbook::AddressDatabaseFileName;
    auto book = readBook(bookPath);
    if (!book)
        return 1;
    NothingConfirmedPrompter ask;
    if (args[0] == u"export")
        return addressbook::exportAddressFile(book->file.records, args[1], ask) ? 0 : 1;

    const auto imported = addressbook::importAddressFile(args[1], ask, nullptr);
    if (!imported)
        return 1;
    // The book is read again under the lock: what another program wrote meanwhile stays.
    bool damaged = false;
    const document::SharedWriteResult written =
        document::updateSharedFile(bookPath, [&](const document::FileSnapshot& now) {
            addressbook::AddressBookFile current = book->file;
            if (now.exists) {
                current = now.readable ? addressbook::addressBookFromBytes(now.bytes)
                                       : addressbook::AddressBookFile();
                if (!current.complete) {
                    damaged = true;
                    return std::optional<document::SharedFileChange>();
                }
            }
            auto& records = current.records;
            records.append(*imported);
            return std::optional<document::SharedFileChange>(document::SharedFileChange{
                addressbook::addressBookToBytes(records, current.labels, current.standardIndex)});
        });
    if (damaged) {
        printError("Error: " + bookPath + " is damaged; it was left as it is.");
        return 1;
    }
    if (written.failed()) {
        printError("Error: " + bookPath + " could not be written: " + written.error);
        return 1;
    }
    return 0;
}

}  // namespace vellamo::app
