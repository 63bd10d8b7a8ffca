#pragma once

// Mail merge: one card per address of the book, in address order, at the positions a job fills
// as any other (already used cells skipped, cut lines, calibration); each card's placeholders
// come from its own address.

#include "addressbook/address_book.h"
#include "print/print_job.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace vellamo::print {

inline const QString NoAddressToMerge =
    QStringLiteral("The address book holds no address, so there is no card to print one per address.");

// The placeholder fields of every address in address order. The working copy of the current
// address counts as edited: it goes into its record first.
std::vector<render::PlaceholderFields> mergeAddresses(addressbook::AddressBook& book);

// The same without storing anything: the current address as its working copy has it. What the
// preview shows while the user edits.
std::vector<render::PlaceholderFields> mergeAddressesAsShown(const addressbook::AddressBook& book);

// The values of a merge: as many copies as addresses, every one of them, beyond the copies
// field's limit too; "Already used:" and "Page showed:" clamped as usual.
SheetValues mergeValues(SheetValues values, int addressCount, int perSheet);

// Position U + k gets address k; positions past the last address draw the tokens.
render::RenderContext mergeContext(const render::RenderContext& base,
                                   const std::vector<render::PlaceholderFields>& addresses, int used,
                                   const SheetPosition& position);

// Prints one card per address with `settings` (its copies replaced by the number of
// addresses). Fails with NoAddressToMerge, printing nothing, when there is no address.
PrintJobResult printMerge(QPrinter& printer, document::CardDocument& doc, PrintJobSettings settings,
                          const render::RenderContext& base,
                          const std::vector<render::PlaceholderFields>& addresses, document::Prompter& ask);

// The file name of each address's picture in address order: last name, a space, first name,
// then `extension` (with its dot). Characters that file systems refuse or that end a name badly
// become "_"; an address without either name is "Address N" (N counting from 1); a name taken
// already, ignoring case, gets " (2)", " (3)" ...
QStringList mergeFileNames(const addressbook::AddressBook& book, const QString& extension);

}  // namespace vellamo::print
