#include "platform/StateFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace korvane {

QString stateFolder()
{
    // A relative value is invalid and must be ignored.
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::cleanPath(base + QStringLiteral("/Korvane"));
}

PrivateFolder checkPrivateFolder(const QString &path, bool create)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    // Followed when it is a link: a user may keep the folder elsewhere, and a link in a
    // folder of the user's can only be the user's own.
    if (::stat(name.constData(), &st) != 0) {
        if (errno != ENOENT)
            return {PrivateFolder::Unusable, errno};
        if (!create)
            return {PrivateFolder::Private, 0};
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
            return {PrivateFolder::Unusable, errno};
        if (::stat(name.constData(), &st) != 0)
            return {PrivateFolder::Unusable, errno};
    }
    if (!S_ISDIR(st.st_mode))
        return {PrivateFolder::Unusable, ENOTDIR};
    if (st.st_uid != ::geteuid())
        return {PrivateFolder::Foreign, 0};
    if ((st.st_mode & 077) == 0)
        return {PrivateFolder::Private, 0};
    if ((st.st_mode & S_ISVTX) || ::chmod(name.constData(), 0700) != 0)
        return {PrivateFolder::Shared, 0};
    return {PrivateFolder::Private, 0};
}

} // namespace korvane
