#include "addressbook/address_book_store.h"

#include "document/shared_file.h"

#include <QFileInfo>

namespace vellamo::addressbook {

namespace {

QByteArray recordKey(const AddressRecord& record) { return addressBookToBytes({record}, {}, 0); }

QString damagedText(const QString& path, const AddressBookFile& read, const QString& backup)
{
    const QString name = QFileInfo(path).fileName();
    const int got = int(read.records.size());
    QString what;
    if (read.statedCount >= 0)
        what = QStringLiteral("%1 of its %2 addresses could be read").arg(got).arg(read.statedCount);
    else
        what = QStringLiteral("no address could be read");
    return QStringLiteral("The address book \"%1\" is damaged: %2. Before the book is written again, the "
                          "file is kept as \"%3\".")
        .arg(name, what, backup);
}

bool sameContent(const AddressBookFile& a, const AddressBookFile& b)
{
    return a.records == b.records && a.labels == b.labels && a.standardIndex == b.standardIndex;
}

}  // namespace

AddressBookStore::AddressBookStore(AddressBook& book, QString path, document::Prompter* ask, QObject* parent)
    : QObject(parent), m_book(book), m_path(std::move(path)), m_ask(ask)
{
    m_pending.setSingleShot(true);
    m_pending.setInterval(0);
    connect(&m_pending, &QTimer::timeout, this, [this] { save(); });
    connect(&m_book, &AddressBook::changed, this, [this] {
        if (!m_adopting)
            m_pending.start();
    });
}

void AddressBookStore::load()
{
    const document::FileSnapshot file = document::readSnapshot(m_path);
    if (!file.exists)
        return;
    AddressBookFile read;
    if (file.readable)
        read = addressBookFromBytes(file.bytes);
    m_damaged = !read.complete;
    m_adopting = true;
    if (file.readable)
        m_book.LoadAllNames(read);
    m_adopting = false;
    m_baseline = m_book.storedContent();
    if (m_damaged && m_ask)
        m_ask->inform(QStringLiteral("Error: Damaged file"),
                      damagedText(m_path, read, document::damagedBackupName(m_path)),
                      document::MessageIcon::Warning);
}

void AddressBookStore::merge(AddressBookFile& ours, const AddressBookFile& theirs,
                             std::vector<int>& oursToMerged) const
{
    ours.records = document::mergeListChanges(m_baseline.records, ours.records, theirs.records, recordKey,
                                              &oursToMerged);
    for (std::size_t k = 0; k < ours.labels.size(); ++k) {
        if (ours.labels[k] == m_baseline.labels[k])
            ours.labels[k] = theirs.labels[k];
    }
    if (ours.standardIndex == m_baseline.standardIndex)
        ours.standardIndex = theirs.standardIndex;
}

bool AddressBookStore::save(bool lastChance)
{
    m_pending.stop();
    AddressBookFile merged = m_book.storedContent();
    const AddressBookFile ours = merged;
    std::vector<int> oursToMerged;
    AddressBookFile theirs = m_baseline;
    bool damagedOnDisk = false;
    const document::SharedWriteResult result =
        document::updateSharedFile(m_path, [&](const document::FileSnapshot& now) {
            // A missing or damaged file has nothing to merge: what this program holds is written.
            if (now.exists) {
                const AddressBookFile read =
                    now.readable ? addressBookFromBytes(now.bytes) : AddressBookFile();
                if (read.complete)
                    theirs = read;
                else
                    damagedOnDisk = true;
            }
            merge(merged, theirs, oursToMerged);
            // Without a change here there is nothing to write, least of all over a damaged file.
            if (sameContent(ours, m_baseline))
                return std::optional<document::SharedFileChange>();
            return std::optional<document::SharedFileChange>(document::SharedFileChange{
                addressBookToBytes(merged.records, merged.labels, merged.standardIndex), damagedOnDisk});
        });
    if (!sameContent(merged, ours)) {
        m_adopting = true;
        m_book.takeMerged(merged, oursToMerged);
        m_adopting = false;
    }
    if (!result.backup.isEmpty())
        m_damaged = false;
    if (result.failed()) {
        m_baseline = theirs;
        if (m_ask && (lastChance || !m_lastWriteFailed))
            m_ask->inform(document::DefaultCaption, document::fileNotSavedMessage(m_path, result.error),
                          document::MessageIcon::Error);
        m_lastWriteFailed = true;
        return false;
    }
    m_baseline = merged;
    m_damaged = false;
    m_lastWriteFailed = false;
    return true;
}

}  // namespace vellamo::addressbook
