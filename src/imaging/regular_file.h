#pragma once

// Reading files that came from someone else. A path may name a FIFO (reading it waits forever),
// a device such as /dev/zero (it never ends) or a huge sparse file; only regular files are read,
// without ever blocking on the open, up to a limit and in bounded pieces.

#include <QByteArray>
#include <QString>
#include <optional>

namespace vellamo::imaging {

// The largest files the program reads whole: a card, and a picture file.
inline constexpr qint64 MaxCardFileBytes = qint64(256) << 20;
inline constexpr qint64 MaxPictureFileBytes = qint64(272) << 20;
// The program folder's own files ("AdrDB.dat", "Visiten.dat"): a book of millions of addresses.
inline constexpr qint64 MaxProgramFolderFileBytes = qint64(1) << 30;

class RegularFile {
public:
    enum class Status { Open, CannotOpen, NotRegular, TooLarge };

    // Opens `path` for reading when it is a regular file (or a link to one) of at most
    // `maxBytes` bytes.
    RegularFile(const QString& path, qint64 maxBytes);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    Status status() const { return m_status; }
    bool isOpen() const { return m_status == Status::Open; }
    qint64 size() const { return m_size; }
    // Appends up to `count` further bytes (fewer at the end of the file) to `bytes`, in place,
    // so that a large file needs no second copy; false on a read error.
    bool append(QByteArray& bytes, qint64 count);
    // Up to `count` further bytes; empty on a read error.
    QByteArray read(qint64 count);
    // Everything from the current position on.
    bool appendRest(QByteArray& bytes) { return append(bytes, m_remaining); }
    bool readFailed() const { return m_readFailed; }

private:
    int m_fd = -1;
    Status m_status = Status::CannotOpen;
    qint64 m_size = 0;
    qint64 m_remaining = 0;
    bool m_readFailed = false;
};

// The whole file, or nothing when it is not a readable regular file of at most `maxBytes`.
std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes);

}  // namespace vellamo::imaging
