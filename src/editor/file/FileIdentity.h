#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <sys/stat.h>

namespace korvane {

// What tells one state of a file from another: which file it is (device and inode), how
// long it is and when it was last written, to the nanosecond. Another program that
// writes, replaces or truncates the file changes at least one of them.
struct FileIdentity {
    bool exists = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedSec = 0;
    qint64 modifiedNsec = 0;

    static FileIdentity of(const struct stat &info)
    {
        return {true,
                quint64(info.st_dev),
                quint64(info.st_ino),
                qint64(info.st_size),
                info.st_mtim.tv_sec,
                info.st_mtim.tv_nsec};
    }
    // The file a path names now, following symbolic links; not existing when there is none.
    static FileIdentity ofPath(const QByteArray &nativePath)
    {
        struct stat info {};
        return ::stat(nativePath.constData(), &info) == 0 ? of(info) : FileIdentity();
    }
    bool operator==(const FileIdentity &) const = default;
};

} // namespace korvane
