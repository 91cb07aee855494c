#include "editor/InPlaceWrite.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace korvane {

namespace {

// errno of the first failure, 0 when everything was written.
int writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.constData() + done, size_t(bytes.size() - done), off_t(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        done += n;
    }
    return 0;
}

int readAll(int fd, QByteArray &bytes)
{
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::pread(fd, chunk, sizeof chunk, off_t(bytes.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return 0;
        bytes.append(chunk, n);
    }
}

int replaceContents(int fd, const QByteArray &bytes)
{
    if (const int error = writeAll(fd, bytes))
        return error;
    if (::ftruncate(fd, off_t(bytes.size())) != 0 || ::fsync(fd) != 0)
        return errno;
    return 0;
}

} // namespace

bool InPlaceWrite::mustKeepFile(const QString &path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    return info.st_nlink > 1 || info.st_uid != ::geteuid();
}

int InPlaceWrite::write(const QString &path, const QByteArray &bytes)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return errno;
    QByteArray old;
    int error = 0;
    try {
        error = readAll(fd, old);
    } catch (const std::bad_alloc &) {
        error = ENOMEM;
    }
    if (!error) {
        error = replaceContents(fd, bytes);
        // As much of the old text goes back as the disk takes; it fitted there before.
        if (error)
            replaceContents(fd, old);
    }
    ::close(fd);
    return error;
}

} // namespace korvane
