#include "editor/recovery/RecoveryWriter.h"

#include "editor/recovery/AbandonedRuns.h"
#include "editor/recovery/RecoveryFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>

namespace korvane {

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

void RecoveryWriter::commit(int slot, int fd, const QString &temp, const QString &path)
{
    post([this, slot, fd, temp, path] {
        const int error = RecoveryFile::renameFlushed(fd, temp, path);
        report(slot, path, error ? RecoveryFile::reasonOf(error) : QString());
    });
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
