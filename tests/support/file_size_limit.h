#pragma once

// A full disk, for tests: work runs in a child process whose files cannot grow beyond a limit.
// Writes past it fail with EFBIG (SIGXFSZ is ignored), as writes to a full file system fail.

#include <QByteArray>
#include <QDir>
#include <QStringList>

#include <csignal>
#include <cstdio>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vellamo::testing {

// The child's exit status, or 128 + the signal that ended it.
inline int runWithFileSizeLimit(rlim_t limitBytes, const std::function<int()>& work)
{
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{limitBytes, limitBytes};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::_Exit(work());
    }
    if (pid < 0)
        return -1;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Every entry of `folder`, hidden ones included, so that a temporary file left behind shows.
inline QStringList folderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

}  // namespace vellamo::testing
