#pragma once

// The one way the program replaces a file: the new bytes go to a temporary file beside it, reach
// the disk, and only then take the old file's name. A full disk, a size limit or any other write
// error leaves the previous file exactly as it was and no partial new file behind.

#include <QByteArray>
#include <QString>

namespace vellamo::imaging {

struct SafeWriteResult {
    enum class Outcome { Written, CannotCreate, WriteFailed };
    Outcome outcome = Outcome::CannotCreate;
    // The system's description of what went wrong; empty when written.
    QString error;

    bool written() const { return outcome == Outcome::Written; }
};

// False when `path` names something other than a regular file (or a link to one), such as a FIFO
// or a device: writeFileSafely does not replace it.
bool isReplaceable(const QString& path);

SafeWriteResult writeFileSafely(const QString& path, const QByteArray& bytes);

// The same with the bytes of the file `source`, copied in pieces (for files written by others,
// such as Qt's PDF engine, that may be too large to hold in memory).
SafeWriteResult copyFileSafely(const QString& path, const QString& source);

}  // namespace vellamo::imaging
