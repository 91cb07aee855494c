#include "editor/recovery/RecoveryWriter.h"

#include "editor/file/InPlaceWrite.h"
#include "editor/recovery/AbandonedRuns.h"
#include "editor/recovery/RecoveryFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>
#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace korvane {

// Used on the writer's thread only, but for its making.
struct RecoveryWriter::Base {
    Base(int slot, quint64 id, const QString &temp) : slot(slot), id(id), temp(QFile::encodeName(temp)) {}
    ~Base() { close(true); }
    Base(const Base &) = delete;
    Base &operator=(const Base &) = delete;
    void close(bool unlink)
    {
        if (fd >= 0)
            ::close(std::exchange(fd, -1));
        if (unlink && !gone)
            ::unlink(temp.constData());
        gone = gone || unlink;
    }

    const int slot;
    const quint64 id;
    const QByteArray temp;
    int fd = -1;
    int error = 0;
    bool gone = false; // the temporary was renamed or deleted
    // Written since the kernel was last asked to start writing pages out.
    qint64 unsentFrom = 0;
    qint64 unsentTo = 0;
};

RecoveryWriter::RecoveryWriter(QObject *parent) : QObject(parent), m_thread(new QThread(this)), m_worker(new QObject)
{
    m_thread->setObjectName(QStringLiteral("RecoveryWriter"));
    m_worker->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread->start();
}

RecoveryWriter::~RecoveryWriter()
{
    // The thread's event loop ends only after the jobs already queued in it.
    m_thread->quit();
    m_thread->wait();
}

void RecoveryWriter::post(std::function<void()> job)
{
    QMetaObject::invokeMethod(m_worker, std::move(job), Qt::QueuedConnection);
}

void RecoveryWriter::report(int slot, const QString &path, const QString &reason)
{
    if (reason.isEmpty())
        m_stale.remove(path);
    else
        m_stale.insert(path);
    QMetaObject::invokeMethod(
        this, [this, slot, reason] { emit written(slot, reason); }, Qt::QueuedConnection);
}

void RecoveryWriter::write(const QString &path, RecoveryRecord record)
{
    post([this, path, record = std::move(record)] {
        report(record.slot, path, RecoveryFile::writeRecord(path, record));
    });
}

void RecoveryWriter::append(int slot, const QString &path, QByteArray operations)
{
    post([this, slot, path, operations = std::move(operations)] {
        if (m_stale.contains(path))
            return;
        const QString reason = RecoveryFile::append(path, operations);
        if (!reason.isEmpty())
            report(slot, path, reason);
    });
}

void RecoveryWriter::failBase(Base &base, int error)
{
    if (base.error)
        return;
    base.error = error ? error : EIO;
    // Nothing more goes into it, and a full disk gets its room back at once.
    base.close(true);
    const QString reason = RecoveryFile::reasonOf(error);
    QMetaObject::invokeMethod(
        this, [this, slot = base.slot, id = base.id, reason] { emit baseFailed(slot, id, reason); },
        Qt::QueuedConnection);
}

RecoveryWriter::BaseHandle RecoveryWriter::startBase(int slot, quint64 id, const QString &temp, QByteArray head)
{
    auto base = std::make_shared<Base>(slot, id, temp);
    post([this, base, head = std::move(head)] {
        ++m_openBases;
        // A file of its own, never something put in its place (as RecoveryFile's temporary).
        constexpr int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
        int fd = ::open(base->temp.constData(), flags, 0600);
        if (fd < 0 && errno == EEXIST && ::unlink(base->temp.constData()) == 0)
            fd = ::open(base->temp.constData(), flags, 0600);
        if (fd < 0) {
            base->gone = true; // not made, so not to be deleted
            failBase(*base, errno);
            return;
        }
        base->fd = fd;
        if (const int error = InPlaceWrite::writeAt(fd, head, 0))
            failBase(*base, error);
    });
    return base;
}

bool RecoveryWriter::writeBase(const BaseHandle &base, qint64 offset, QStringView units, bool wait)
{
    const qint64 size = qint64(units.size()) * 2;
    Q_ASSERT(size <= SliceBuffers::Bytes);
    const int buffer = m_buffers.take(wait);
    if (buffer < 0)
        return false;
    // On a little-endian host, a plain copy of the string's memory.
    qToLittleEndian<quint16>(units.utf16(), units.size(), m_buffers.data(buffer));
    post([this, base, buffer, offset, size] {
        writeSlice(*base, m_buffers.data(buffer), size, offset);
        m_buffers.giveBack(buffer);
    });
    return true;
}

void RecoveryWriter::writeSlice(Base &base, const char *data, qint64 size, qint64 offset)
{
    if (base.error)
        return;
    if (const int error = InPlaceWrite::writeAt(base.fd, QByteArrayView(data, size), offset))
        failBase(base, error);
    else if (m_earlyWriteback)
        startWriteback(base, offset, size);
}

void RecoveryWriter::endBase(Base &base)
{
    base.close(true);
    // The buffers stay while another base may want them.
    if (--m_openBases == 0)
        m_buffers.trim();
}

void RecoveryWriter::startWriteback(Base &base, qint64 offset, qint64 size)
{
    // A few MB at a time: the disk gets on with the base while it is being written, and
    // the flush at its end waits for the last few MB rather than the whole of it.
    constexpr qint64 Batch = qint64(8) << 20;
    auto send = [&base] {
        if (base.unsentTo > base.unsentFrom)
            ::sync_file_range(base.fd, base.unsentFrom, base.unsentTo - base.unsentFrom, SYNC_FILE_RANGE_WRITE);
    };
    if (offset != base.unsentTo) {
        send();
        base.unsentFrom = offset;
    }
    base.unsentTo = offset + size;
    if (base.unsentTo - base.unsentFrom >= Batch) {
        send();
        base.unsentFrom = base.unsentTo;
    }
}

void RecoveryWriter::cutBase(const BaseHandle &base, qint64 size)
{
    post([this, base, size] {
        if (base->error)
            return;
        if (::ftruncate(base->fd, size) != 0)
            failBase(*base, errno);
        base->unsentFrom = std::min(base->unsentFrom, size);
        base->unsentTo = std::min(base->unsentTo, size);
    });
}

void RecoveryWriter::commitBase(const BaseHandle &base, qint64 size, QByteArray lengthField, qint64 lengthAt,
                                const QString &path)
{
    post([this, base, size, lengthField = std::move(lengthField), lengthAt, path] {
        int error = base->error;
        if (!error && ::ftruncate(base->fd, size) != 0)
            error = errno;
        if (!error)
            error = InPlaceWrite::writeAt(base->fd, lengthField, lengthAt);
        if (!error) {
            // It closes the file, and deletes it when it fails.
            error = RecoveryFile::renameFlushed(std::exchange(base->fd, -1), QFile::decodeName(base->temp), path);
            base->gone = true;
        }
        endBase(*base);
        report(base->slot, path, error ? RecoveryFile::reasonOf(error) : QString());
    });
}

void RecoveryWriter::dropBase(const BaseHandle &base)
{
    post([this, base] { endBase(*base); });
}

void RecoveryWriter::remove(const QString &path)
{
    post([this, path] {
        m_stale.remove(path);
        QFile::remove(path);
    });
}

void RecoveryWriter::discard(const QString &path, const QString &root)
{
    post([this, path, root] {
        m_stale.remove(path);
        AbandonedRuns::moveToDiscarded(root, path);
    });
}

void RecoveryWriter::drain()
{
    QMetaObject::invokeMethod(
        m_worker, [] {}, Qt::BlockingQueuedConnection);
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

} // namespace korvane
