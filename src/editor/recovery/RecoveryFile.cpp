#include "editor/recovery/RecoveryFile.h"

#include "editor/file/TextFile.h"
#include "editor/recovery/RecoveryLog.h"
#include "platform/PlainFileReader.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvane {

QString RecoveryFile::reasonOf(int error) { return TextFile::reasonFor(error ? error : EIO); }

QByteArray RecoveryFile::encode(const RecoveryRecord &record)
{
    QByteArray out = RecoveryLog::baseHead(record, record.text.size());
    const qsizetype at = out.size();
    out.resize(at + record.text.size() * 2);
    if (!record.text.isEmpty())
        qToLittleEndian<quint16>(record.text.utf16(), record.text.size(), out.data() + at);
    return out;
}

int RecoveryFile::writeAll(int fd, const char *data, qint64 size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(std::min<qint64>(size, qint64(1) << 30)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        data += n;
        size -= n;
    }
    return 0;
}

int RecoveryFile::writeUnits(int fd, QStringView text)
{
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    // The string's own memory already is UTF-16LE.
    return writeAll(fd, reinterpret_cast<const char *>(text.utf16()), qint64(text.size()) * 2);
#else
    QByteArray chunk;
    for (qsizetype at = 0; at < text.size(); at += 1 << 16) {
        const QStringView part = text.mid(at, 1 << 16);
        chunk.resize(part.size() * 2);
        qToLittleEndian<quint16>(part.utf16(), part.size(), chunk.data());
        if (const int error = writeAll(fd, chunk.constData(), chunk.size()))
            return error;
    }
    return 0;
#endif
}

int RecoveryFile::renameFlushed(int fd, const QString &temp, const QString &path)
{
    const QByteArray from = QFile::encodeName(temp);
    // Renamed before its data is on the disk, a power cut could leave an empty file
    // where the previous record was.
    int error = ::fsync(fd) != 0 ? errno : 0;
    if (::close(fd) != 0 && !error)
        error = errno;
    if (!error && ::rename(from.constData(), QFile::encodeName(path).constData()) != 0)
        error = errno;
    if (error) {
        ::unlink(from.constData());
        return error;
    }
    // The rename is an entry of the folder: it is on the disk once the folder is.
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return 0;
}

QString RecoveryFile::writeAtomically(const QString &path, const QByteArray &head, QStringView text)
{
    const QByteArray temp = QFile::encodeName(path) + ".tmp";
    // Always a file of its own, never one that something put in its place: a temporary
    // that a killed write left behind is unlinked (a link itself, not what it names).
    constexpr int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    int fd = ::open(temp.constData(), flags, 0600);
    if (fd < 0 && errno == EEXIST && ::unlink(temp.constData()) == 0)
        fd = ::open(temp.constData(), flags, 0600);
    if (fd < 0)
        return reasonOf(errno);
    int error = writeAll(fd, head.constData(), head.size());
    if (!error)
        error = writeUnits(fd, text);
    if (error) {
        ::close(fd);
        ::unlink(temp.constData());
        return reasonOf(error);
    }
    error = renameFlushed(fd, QFile::decodeName(temp), path);
    return error ? reasonOf(error) : QString();
}

QString RecoveryFile::writeRecord(const QString &path, const RecoveryRecord &record)
{
    return writeAtomically(path, RecoveryLog::baseHead(record, record.text.size()), record.text);
}

QString RecoveryFile::append(const QString &path, const QByteArray &bytes)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return reasonOf(errno);
    struct stat st {};
    int error = ::fstat(fd, &st) != 0 ? errno : (S_ISREG(st.st_mode) ? 0 : EINVAL);
    if (!error)
        error = writeAll(fd, bytes.constData(), bytes.size());
    if (!error && ::fdatasync(fd) != 0)
        error = errno;
    if (error && S_ISREG(st.st_mode))
        (void)::ftruncate(fd, st.st_size);
    ::close(fd);
    return error ? reasonOf(error) : QString();
}

std::optional<RecoveryRecord> RecoveryFile::read(const QString &path, bool withText)
{
    // Only a plain file is a record, and a link is not followed.
    QFile file;
    if (!PlainFileReader::open(file, path, PlainFileReader::Links::Refuse))
        return std::nullopt;
    return RecoveryLog::read(file, withText);
}

} // namespace korvane
