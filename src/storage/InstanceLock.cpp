#include "InstanceLock.h"

#include "DataFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char *ProgramLine = "Pillora";
// Larger than any lock file the program writes.
constexpr qsizetype MaxLockBytes = 4096;

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether fd is still the file at path, so that removing path removes the
// file fd holds and no newer one.
bool isAt(int fd, const QByteArray &path)
{
    struct stat opened = {};
    struct stat named = {};
    return ::fstat(fd, &opened) == 0 && ::lstat(path.constData(), &named) == 0 &&
           sameFile(opened, named);
}

QByteArray readAll(int fd)
{
    QByteArray bytes(MaxLockBytes, Qt::Uninitialized);
    qsizetype size = 0;
    while (size < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + size, size_t(bytes.size() - size));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        size += got;
    }
    bytes.truncate(size);
    return bytes;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        done += put;
    }
    return true;
}

} // namespace

QString InstanceLock::localHostName()
{
    return QSysInfo::machineHostName();
}

InstanceLock::InstanceLock(const DataFolder &folder, const QString &hostName)
    : m_path(folder.instanceLockPath()), m_host(hostName)
{}

InstanceLock::~InstanceLock()
{
    if (m_fd < 0)
        return;
    // Another computer's copy may have put its own lock in place of this
    // one's since; that one stays.
    const QByteArray path = QFile::encodeName(m_path);
    if (isAt(m_fd, path))
        ::unlink(path.constData());
    ::close(m_fd);
}

QByteArray InstanceLock::format(const Holder &holder)
{
    return QByteArray::number(holder.pid) + '\n' + ProgramLine + '\n' + holder.host.toUtf8() +
           '\n' + holder.since.toUTC().toString(Qt::ISODate).toLatin1() + '\n';
}

std::optional<InstanceLock::Holder> InstanceLock::parse(QByteArrayView bytes)
{
    const QList<QByteArray> lines = bytes.toByteArray().split('\n');
    if (lines.size() < 3)
        return std::nullopt;
    Holder holder;
    bool number = false;
    holder.pid = lines[0].trimmed().toLongLong(&number);
    holder.host = QString::fromUtf8(lines[2].trimmed());
    if (!number || holder.pid <= 0 || holder.host.isEmpty())
        return std::nullopt;
    if (lines.size() > 3)
        holder.since = QDateTime::fromString(QString::fromLatin1(lines[3].trimmed()), Qt::ISODate);
    return holder;
}

bool InstanceLock::create()
{
    const QByteArray path = QFile::encodeName(m_path);
    // Only one copy can create the file; the system's lock follows at once,
    // so a copy that finds the file still empty sees it taken.
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        ::close(fd);
        errno = EEXIST;
        return false;
    }
    const Holder own{QCoreApplication::applicationPid(), m_host, QDateTime::currentDateTimeUtc()};
    // A write cut short leaves a file the next copy takes over.
    writeAll(fd, format(own));
    ::fsync(fd);
    m_fd = fd;
    m_holder = own;
    return true;
}

InstanceLock::Look InstanceLock::lookAtExisting()
{
    const QByteArray path = QFile::encodeName(m_path);
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? Look::Free : Look::Unusable;
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return Look::Unusable;
    }
    // File systems without the system's locks answer other than
    // EWOULDBLOCK; there the file's content alone decides.
    const bool busy = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    const std::optional<Holder> holder = parse(readAll(fd));
    if (holder) {
        m_holder = *holder;
        if (!m_holder.since.isValid())
            m_holder.since = QFileInfo(m_path).lastModified().toUTC();
    }
    if (holder && holder->host != m_host) {
        ::close(fd);
        return Look::Foreign;
    }
    if (busy) {
        ::close(fd);
        return Look::Busy;
    }
    // Left by a copy on this computer that is gone, or empty or damaged:
    // removed while held, so that no copy that took it meanwhile loses its
    // lock.
    if (isAt(fd, path))
        ::unlink(path.constData());
    ::close(fd);
    return Look::Free;
}

InstanceLock::Claim InstanceLock::claim()
{
    if (m_fd >= 0)
        return Claim::Claimed;
    // Each round either creates the lock or clears one left behind; a few
    // rounds cover copies that start at the same moment.
    for (int round = 0; round < 4; ++round) {
        if (create())
            return Claim::Claimed;
        if (errno != EEXIST)
            return Claim::Unavailable;
        switch (lookAtExisting()) {
        case Look::Free:
            continue;
        case Look::Busy:
            return Claim::HeldHere;
        case Look::Foreign:
            return Claim::HeldElsewhere;
        case Look::Unusable:
            return Claim::Unavailable;
        }
    }
    return Claim::HeldHere;
}

bool InstanceLock::takeOver()
{
    if (m_fd >= 0)
        return true;
    const QByteArray path = QFile::encodeName(m_path);
    struct stat info = {};
    if (::lstat(path.constData(), &info) == 0 && S_ISREG(info.st_mode))
        ::unlink(path.constData());
    return create();
}
