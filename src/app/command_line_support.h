#pragma once

// What every subcommand shares: messages on standard error, questions answered without a window,
// and the address that fills the card's placeholders.

#include "addressbook/address_book.h"
#include "document/prompter.h"

#include <QString>
#include <optional>

namespace vellamo::app {

void printError(const QString& text);

// Without a window the program's messages go to standard error; Ok questions get "Ok", the others "No".
class StandardErrorPrompter : public document::Prompter {
public:
    document::Answer ask(const document::Message& message) override;
    std::optional<QString> chooseFileToOpen(const document::FileRequest&) override { return std::nullopt; }
    std::optional<QString> chooseFileToSave(const document::FileRequest&) override { return std::nullopt; }
};

// Loads the program folder's address book into `book` and makes `index` current, or the standard
// address as after the program's start. False, with the message printed, when `index` is not in the book.
bool chooseCommandLineAddress(addressbook::AddressBook& book, const QString& folder,
                              std::optional<int> index);

}  // namespace vellamo::app
