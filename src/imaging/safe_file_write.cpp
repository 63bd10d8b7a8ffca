#include "imaging/safe_file_write.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace vellamo::imaging {

SafeWriteResult writeFileSafely(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    // Unbuffered, so that every failing write is seen here: a buffered QSaveFile may commit
    // (and so replace the old file) although its buffer never reached the disk.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {SafeWriteResult::Outcome::CannotCreate, file.errorString()};
    const auto fail = [&file](const QString& error) {
        file.cancelWriting();  // the temporary file goes with the QSaveFile
        return SafeWriteResult{SafeWriteResult::Outcome::WriteFailed, error};
    };
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            return fail(file.errorString());
        done += n;
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

}  // namespace vellamo::imaging
