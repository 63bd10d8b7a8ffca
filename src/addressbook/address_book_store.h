#pragma once

// Keeps "AdrDB.dat" in step with the address book model: read at start, written whenever a
// change is complete (so a crash loses nothing and the command line sees the addresses), merged
// with what another program wrote since, and written only when the bytes differ. A file found
// damaged is reported once and kept as a backup before it is replaced; a failed write is
// reported and the book stays in memory for the next try.

#include "addressbook/address_book.h"
#include "document/prompter.h"

#include <QObject>
#include <QString>
#include <QTimer>

namespace vellamo::addressbook {

class AddressBookStore : public QObject {
public:
    // `ask` may be null: then nothing is reported.
    AddressBookStore(AddressBook& book, QString path, document::Prompter* ask, QObject* parent = nullptr);

    // Reads the file into the book; a missing file leaves the book as it is.
    void load();
    // Writes what the book holds now. False when it could not be written; the failure is
    // reported unless the previous write failed as well and `lastChance` is false.
    bool save(bool lastChance = false);
    // A change waits for the event loop, so that one user action is one write.
    bool savePending() const { return m_pending.isActive(); }

    // Would be written over: the file as read, kept before the first write.
    bool foundDamaged() const { return m_damaged; }

private:
    void merge(AddressBookFile& ours, const AddressBookFile& theirs, std::vector<int>& oursToMerged) const;

    AddressBook& m_book;
    QString m_path;
    document::Prompter* m_ask = nullptr;
    // What the file held when this program last read or wrote it.
    AddressBookFile m_baseline;
    bool m_damaged = false;
    bool m_lastWriteFailed = false;
    bool m_adopting = false;
    QTimer m_pending;
};

}  // namespace vellamo::addressbook
