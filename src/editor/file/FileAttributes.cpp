#include "editor/file/FileAttributes.h"

#include <QByteArray>
#include <QList>
#include <cerrno>
#include <sys/xattr.h>
#include <unistd.h>

namespace korvane {

namespace {

// The names of a file's extended attributes; false when they cannot be read. A file system
// without extended attributes has none.
bool attributeNames(int fd, QList<QByteArray> &names)
{
    for (;;) {
        const ssize_t size = ::flistxattr(fd, nullptr, 0);
        if (size < 0)
            return errno == ENOTSUP;
        QByteArray list(size, Qt::Uninitialized);
        const ssize_t got = size ? ::flistxattr(fd, list.data(), size_t(size)) : 0;
        if (got < 0 && errno == ERANGE)
            continue; // grew meanwhile
        if (got < 0)
            return false;
        list.truncate(got);
        for (const QByteArray &name : list.split('\0')) {
            if (!name.isEmpty())
                names << name;
        }
        return true;
    }
}

bool attributeValue(int fd, const QByteArray &name, QByteArray &value)
{
    for (;;) {
        const ssize_t size = ::fgetxattr(fd, name.constData(), nullptr, 0);
        if (size < 0)
            return false;
        value.resize(size);
        const ssize_t got = size ? ::fgetxattr(fd, name.constData(), value.data(), size_t(size)) : 0;
        if (got < 0 && errno == ERANGE)
            continue;
        if (got < 0)
            return false;
        value.truncate(got);
        return true;
    }
}

bool copyExtendedAttributes(int from, int to)
{
    QList<QByteArray> wanted, present;
    if (!attributeNames(from, wanted) || !attributeNames(to, present))
        return false;
    // A new file may have been given attributes of its own, such as the folder's default ACL.
    for (const QByteArray &name : present) {
        if (!wanted.contains(name) && ::fremovexattr(to, name.constData()) != 0)
            return false;
    }
    for (const QByteArray &name : wanted) {
        QByteArray value, own;
        if (!attributeValue(from, name, value))
            return false;
        // A security label the system gave the new file already may be one we may not set.
        if (present.contains(name) && attributeValue(to, name, own) && own == value)
            continue;
        if (::fsetxattr(to, name.constData(), value.constData(), size_t(value.size()), 0) != 0)
            return false;
    }
    return true;
}

} // namespace

bool FileAttributes::copy(int from, const struct stat &fromInfo, int to)
{
    struct stat now {};
    if (::fstat(to, &now) != 0)
        return false;
    // Owner and group first: changing them clears the set-user-ID and set-group-ID bits.
    if ((now.st_uid != fromInfo.st_uid || now.st_gid != fromInfo.st_gid) &&
        ::fchown(to, fromInfo.st_uid, fromInfo.st_gid) != 0)
        return false;
    // The ACL sets the group bits too; the mode, set last, then agrees with it.
    if (!copyExtendedAttributes(from, to) || ::fchmod(to, fromInfo.st_mode & 07777) != 0)
        return false;
    if (::fstat(to, &now) != 0)
        return false;
    return now.st_uid == fromInfo.st_uid && now.st_gid == fromInfo.st_gid &&
           (now.st_mode & 07777) == (fromInfo.st_mode & 07777);
}

} // namespace korvane
