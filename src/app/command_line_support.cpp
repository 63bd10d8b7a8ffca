#include "app/command_line_support.h"

#include <cstdio>

namespace vellamo::app {

void printError(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
}

document::Answer StandardErrorPrompter::ask(const document::Message& message)
{
    printError(message.text);
    switch (message.buttons) {
    case document::MessageButtons::Ok:
    case document::MessageButtons::OkCancel:
        return document::Answer::Ok;
    default:
        return document::Answer::No;
    }
}

bool chooseCommandLineAddress(addressbook::AddressBook& book, const QString& folder, std::optional<int> index)
{
    book.LoadAllNames(folder + addressbook::AddressDatabaseFileName);
    const int count = book.count();
    if (index && *index >= count) {
        printError(QStringLiteral("Error: there is no address %1; the address book holds %2.")
                       .arg(*index)
                       .arg(count));
        return false;
    }
    const int current = index ? *index : book.standardIndex();
    if (book.inList(current))
        book.ChangeAktName(current);
    return true;
}

}  // namespace vellamo::app
