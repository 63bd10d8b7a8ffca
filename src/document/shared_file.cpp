#include "document/shared_file.h"

#include "imaging/regular_file.h"
#include "imaging/safe_file_write.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>

namespace vellamo::document {

namespace {

// Long enough for a slow disk under another instance's write; a lock left by a crashed
// program is taken over once it is this old.
constexpr int LockWaitMs = 10000;
constexpr int StaleLockMs = 30000;

}  // namespace

FileSnapshot readSnapshot(const QString& path)
{
    FileSnapshot snapshot;
    // A FIFO or device put in the program folder is there but never read: reading could wait
    // forever or never end.
    snapshot.exists = QFileInfo::exists(path) || QFileInfo(path).isSymLink();
    if (!snapshot.exists)
        return snapshot;
    if (auto bytes = imaging::readRegularFile(path, imaging::MaxProgramFolderFileBytes)) {
        snapshot.readable = true;
        snapshot.bytes = std::move(*bytes);
    }
    return snapshot;
}

SharedWriteResult
updateSharedFile(const QString& path,
                 const std::function<std::optional<SharedFileChange>(const FileSnapshot&)>& change)
{
    QLockFile lock(path + QStringLiteral(".lock"));
    lock.setStaleLockTime(StaleLockMs);
    if (!lock.tryLock(LockWaitMs)) {
        const QString why = lock.error() == QLockFile::LockFailedError
                                ? QStringLiteral("another program keeps it locked")
                                : QStringLiteral("its lock file cannot be created");
        return {SharedWriteResult::Outcome::Failed, why, {}};
    }
    const FileSnapshot now = readSnapshot(path);
    const std::optional<SharedFileChange> wanted = change(now);
    if (!wanted || (now.readable && !wanted->keepDamaged && now.bytes == wanted->bytes))
        return {SharedWriteResult::Outcome::Unchanged, {}, {}};
    SharedWriteResult result;
    if (wanted->keepDamaged && now.exists) {
        result.backup = damagedBackupName(path);
        if (!QFile::rename(path, result.backup))
            return {SharedWriteResult::Outcome::Failed,
                    QStringLiteral("the damaged file could not be kept as %1").arg(result.backup),
                    {}};
    }
    const imaging::SafeWriteResult written = imaging::writeFileSafely(path, wanted->bytes);
    result.outcome =
        written.written() ? SharedWriteResult::Outcome::Written : SharedWriteResult::Outcome::Failed;
    result.error = written.error;
    return result;
}

QString damagedBackupName(const QString& path)
{
    const QString first = path + QStringLiteral(".damaged");
    if (!QFileInfo::exists(first))
        return first;
    for (int n = 2;; ++n) {
        const QString numbered = first + QLatin1Char('.') + QString::number(n);
        if (!QFileInfo::exists(numbered))
            return numbered;
    }
}

QString fileNotSavedMessage(const QString& path, const QString& error)
{
    QString text = QStringLiteral("Error: File could not be saved! (") + path + QLatin1Char(')');
    if (!error.isEmpty())
        text += QLatin1Char('\n') + error;
    return text;
}

}  // namespace vellamo::document
