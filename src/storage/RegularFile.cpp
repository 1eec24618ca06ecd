#include "RegularFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace RegularFile {

namespace {

OpenResult failedWith(int error)
{
    return {error == ENOENT ? Status::Missing : Status::Failed,
            QString::fromLocal8Bit(std::strerror(error))};
}

OpenResult notAFile()
{
    return {Status::NotAFile, QStringLiteral("It is not a regular file.")};
}

} // namespace

OpenResult openForReading(const QString &path, QFile &file)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info = {};
    // A socket cannot even be opened; it is as little a file as a FIFO.
    if (::stat(name.constData(), &info) != 0)
        return failedWith(errno);
    if (!S_ISREG(info.st_mode))
        return notAFile();
    // O_NONBLOCK keeps open() from waiting for a FIFO's writer, should one be
    // put in the file's place after the look above; what was opened is
    // checked once more.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return failedWith(errno);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int error = errno;
        ::close(fd);
        return S_ISREG(info.st_mode) ? failedWith(error) : notAFile();
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {Status::Failed, file.errorString()};
    }
    return {Status::Opened, {}};
}

} // namespace RegularFile
