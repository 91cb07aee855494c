#include "editor/file/InPlaceWrite.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <unistd.h>

namespace korvane {

namespace {

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
    if (const int error = InPlaceWrite::writeAll(fd, bytes))
        return error;
    if (::ftruncate(fd, off_t(bytes.size())) != 0 || ::fsync(fd) != 0)
        return errno;
    return 0;
}

// Makes the file `size` bytes long before anything is written: blocks reserved on disk
// where the file system can (a full disk or quota fails here), else the size set, which
// still meets the file-size limit (EFBIG). On failure the file is as it was.
int makeRoom(int fd, off_t oldSize, off_t size)
{
    if (size <= oldSize)
        return 0;
    int error = ::fallocate(fd, 0, 0, size) == 0 ? 0 : errno;
    if (error == EOPNOTSUPP)
        error = ::ftruncate(fd, size) == 0 ? 0 : errno;
    if (error) {
        struct stat now {};
        if (::fstat(fd, &now) == 0 && now.st_size != oldSize && ::ftruncate(fd, oldSize) != 0)
            return error; // as much as can be done
    }
    return error;
}

} // namespace

bool InPlaceWrite::mustKeepFile(const struct stat &info)
{
    return S_ISREG(info.st_mode) && (info.st_nlink > 1 || info.st_uid != ::geteuid());
}

int InPlaceWrite::write(const QByteArray &nativePath, const QByteArray &bytes, FileIdentity *written)
{
    // Without waiting on, or writing into, whatever may have taken the regular file's place.
    const int fd = ::open(nativePath.constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return errno == ELOOP ? EINVAL : errno;
    struct stat before {};
    int error = ::fstat(fd, &before) != 0 ? errno : S_ISREG(before.st_mode) ? 0 : EINVAL;
    QByteArray old;
    if (!error) {
        try {
            error = readAll(fd, old);
        } catch (const std::bad_alloc &) {
            error = ENOMEM;
        }
    }
    if (!error)
        error = makeRoom(fd, before.st_size, off_t(bytes.size()));
    if (!error) {
        error = replaceContents(fd, bytes);
        // As much of the old text goes back as the disk takes; it fitted there before.
        if (error)
            replaceContents(fd, old);
    }
    struct stat after {};
    if (::fstat(fd, &after) == 0) {
        // A write by a user without the right to keep them clears the set-ID bits.
        const bool modeLost = (after.st_mode & 07777) != (before.st_mode & 07777) &&
                              ::fchmod(fd, before.st_mode & 07777) != 0;
        if (written && !error && !modeLost && ::fstat(fd, &after) == 0)
            *written = FileIdentity::of(after);
    }
    ::close(fd);
    return error;
}

int InPlaceWrite::writeAt(int fd, QByteArrayView bytes, qint64 offset)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, size_t(bytes.size() - done), off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        done += n;
    }
    return 0;
}

} // namespace korvane
