#include "imaging/safe_file_write.h"

#include "imaging/regular_file.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <functional>
#include <limits>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

namespace vellamo::imaging {

bool isReplaceable(const QString& path)
{
    // The new file takes the old one's name, so a FIFO or a device there (say /dev/null for a
    // program run as root) would be replaced by a regular file. A link to a regular file is
    // fine: QSaveFile replaces its target.
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) != 0 || S_ISREG(info.st_mode);
}

namespace {

// Writes the pieces `nextPiece` gives (empty at the end, nothing when it cannot); the file replaces `path`
// only when every piece has reached the disk.
SafeWriteResult writeSafely(const QString& path, const std::function<std::optional<QByteArray>()>& nextPiece)
{
    if (!isReplaceable(path))
        return {SafeWriteResult::Outcome::CannotCreate, QStringLiteral("it is not a regular file")};
    QSaveFile file(path);
    // Unbuffered, so that every failing write is seen here: a buffered QSaveFile may commit
    // (and so replace the old file) although its buffer never reached the disk.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {SafeWriteResult::Outcome::CannotCreate, file.errorString()};
    const auto fail = [&file](const QString& error) {
        file.cancelWriting();  // the temporary file goes with the QSaveFile
        return SafeWriteResult{SafeWriteResult::Outcome::WriteFailed, error};
    };
    for (;;) {
        const std::optional<QByteArray> piece = nextPiece();
        if (!piece)
            return fail(QStringLiteral("the data to write could not be read"));
        if (piece->isEmpty())
            break;
        qint64 done = 0;
        while (done < piece->size()) {
            const qint64 n = file.write(piece->constData() + done, piece->size() - done);
            if (n <= 0)
                return fail(file.errorString());
            done += n;
        }
    }
    if (!file.flush() || file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    // Some file systems report a full disk only when the data is forced out.
    if (::fsync(file.handle()) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    if (!file.commit())
        return {SafeWriteResult::Outcome::WriteFailed, file.errorString()};
    return {SafeWriteResult::Outcome::Written, QString()};
}

}  // namespace

SafeWriteResult writeFileSafely(const QString& path, const QByteArray& bytes)
{
    bool given = false;
    return writeSafely(path, [&]() -> std::optional<QByteArray> {
        if (given)
            return QByteArray();
        given = true;
        return bytes;
    });
}

SafeWriteResult copyFileSafely(const QString& path, const QString& source)
{
    RegularFile in(source, std::numeric_limits<qint64>::max());
    if (!in.isOpen())
        return {SafeWriteResult::Outcome::WriteFailed, QStringLiteral("the data to write could not be read")};
    return writeSafely(path, [&]() -> std::optional<QByteArray> {
        QByteArray piece = in.read(qint64(4) << 20);
        if (in.readFailed())
            return std::nullopt;
        return piece;
    });
}

}  // namespace vellamo::imaging
