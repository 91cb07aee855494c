#include "editor/recovery/RecoveryBaseFile.h"

#include "editor/recovery/RecoveryFile.h"
#include "editor/recovery/RecoveryLog.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace korvane {

std::unique_ptr<RecoveryBaseFile> RecoveryBaseFile::start(const QString &temp, const RecoveryRecord &header,
                                                          QString *reason)
{
    const QByteArray name = QFile::encodeName(temp);
    // A file of its own, never something put in its place (as RecoveryFile's temporary).
    constexpr int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    int fd = ::open(name.constData(), flags, 0600);
    if (fd < 0 && errno == EEXIST && ::unlink(name.constData()) == 0)
        fd = ::open(name.constData(), flags, 0600);
    if (fd < 0) {
        *reason = RecoveryFile::reasonOf(errno);
        return nullptr;
    }
    const QByteArray head = RecoveryLog::baseHead(header, 0);
    if (const int error = RecoveryFile::writeAll(fd, head.constData(), head.size())) {
        ::close(fd);
        ::unlink(name.constData());
        *reason = RecoveryFile::reasonOf(error);
        return nullptr;
    }
    RecoveryRecord bare = header;
    bare.text = QString();
    return std::unique_ptr<RecoveryBaseFile>(new RecoveryBaseFile(fd, temp, bare, head.size()));
}

RecoveryBaseFile::RecoveryBaseFile(int fd, const QString &temp, const RecoveryRecord &header, qint64 headSize)
    : m_fd(fd), m_temp(temp), m_header(header), m_headSize(headSize)
{}

RecoveryBaseFile::~RecoveryBaseFile()
{
    if (m_fd < 0)
        return;
    ::close(m_fd);
    ::unlink(QFile::encodeName(m_temp).constData());
}

void RecoveryBaseFile::edited(qsizetype position)
{
    // Before position the text is as written; from there on it is not.
    if (position < m_written) {
        m_written = position;
        m_rewound = true;
    }
}

bool RecoveryBaseFile::fail(int error, QString *reason)
{
    *reason = RecoveryFile::reasonOf(error);
    return false;
}

bool RecoveryBaseFile::writeSlice(const QString &text, qsizetype units, QString *reason)
{
    const qint64 at = m_headSize + qint64(m_written) * 2;
    if (m_rewound) {
        // What lies past the rewound point is rewritten, or cut off once the text ends.
        if (::ftruncate(m_fd, at) != 0)
            return fail(errno, reason);
        m_rewound = false;
    }
    if (::lseek(m_fd, at, SEEK_SET) < 0)
        return fail(errno, reason);
    const QStringView slice = QStringView(text).mid(m_written, std::min(units, text.size() - m_written));
    if (const int error = RecoveryFile::writeUnits(m_fd, slice))
        return fail(error, reason);
    m_written += slice.size();
    return true;
}

int RecoveryBaseFile::release(const QString &text, QString *reason)
{
    const QByteArray length = RecoveryLog::lengthField(text.size());
    if (::ftruncate(m_fd, m_headSize + qint64(text.size()) * 2) != 0) {
        fail(errno, reason);
        return -1;
    }
    if (::pwrite(m_fd, length.constData(), size_t(length.size()), RecoveryLog::lengthOffset()) != length.size()) {
        fail(errno, reason);
        return -1;
    }
    return std::exchange(m_fd, -1);
}

} // namespace korvane
