#pragma once

// vCard 2.1, 3.0 and 4.0 to address records, and the book as vCard 4.0.
//
// Names, organisation, title, addresses by type, phones and faxes by type, e-mails and URLs
// have their fields; partner names, the slogan and the logo travel in X-VELLAMO- properties.
// Folded lines, quoted-printable and the CHARSET parameter are understood; text without a
// charset is UTF-8 when it is valid UTF-8, Windows-1252 otherwise. Photos are ignored.

#include "addressbook/address_exchange.h"

#include <QByteArray>

namespace vellamo::addressbook {

// Every vCard in `bytes`. Reading stops at the first line that cannot be a vCard line;
// the cards completed before it are kept in the result with the line named. A card that
// fills no field gives no record.
ImportedAddresses readVcards(const QByteArray& bytes);

// vCard 4.0, UTF-8, lines folded at 75 bytes, CRLF.
QByteArray writeVcards(const AddressList& records);

}  // namespace vellamo::addressbook
