#include "imaging/regular_file.h"

#include <QFile>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vellamo::imaging {

namespace {

// Pieces small enough that a file shrinking under us costs no large allocation.
constexpr qint64 PieceBytes = qint64(4) << 20;

}  // namespace

RegularFile::RegularFile(const QString& path, qint64 maxBytes)
{
    const QByteArray name = QFile::encodeName(path);
    if (name.isEmpty())
        return;
    // Non-blocking, so that opening a FIFO returns at once; the type is checked on what was
    // opened, not on the name, which may have changed in between.
    m_fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (m_fd < 0)
        return;
    struct stat info {};
    if (::fstat(m_fd, &info) != 0) {
        m_status = Status::CannotOpen;
        return;
    }
    if (!S_ISREG(info.st_mode)) {
        m_status = Status::NotRegular;
        return;
    }
    if (info.st_size > maxBytes) {
        m_status = Status::TooLarge;
        return;
    }
    const int flags = ::fcntl(m_fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(m_fd, F_SETFL, flags & ~O_NONBLOCK);
    m_size = info.st_size;
    m_remaining = m_size;
    m_status = Status::Open;
}

RegularFile::~RegularFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool RegularFile::append(QByteArray& bytes, qint64 count)
{
    if (!isOpen() || m_readFailed)
        return false;
    // Never more than the size seen at the open: a file growing meanwhile gets no further.
    const qsizetype end = bytes.size() + qsizetype(std::clamp<qint64>(count, 0, m_remaining));
    bytes.reserve(end);
    while (bytes.size() < end) {
        const qsizetype done = bytes.size();
        const qsizetype piece = qsizetype(std::min<qint64>(PieceBytes, end - done));
        bytes.resize(done + piece);
        const ssize_t n = ::read(m_fd, bytes.data() + done, std::size_t(piece));
        bytes.resize(done + qsizetype(std::max<ssize_t>(n, 0)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            m_readFailed = true;
            return false;
        }
        m_remaining -= n;
        if (n == 0)
            break;
    }
    return true;
}

QByteArray RegularFile::read(qint64 count)
{
    QByteArray bytes;
    if (!append(bytes, count))
        return {};
    return bytes;
}

std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes)
{
    RegularFile file(path, maxBytes);
    if (!file.isOpen())
        return std::nullopt;
    QByteArray bytes;
    if (!file.appendRest(bytes))
        return std::nullopt;
    return bytes;
}

}  // namespace vellamo::imaging
