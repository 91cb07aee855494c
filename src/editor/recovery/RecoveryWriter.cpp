#include "editor/recovery/RecoveryWriter.h"

#include "editor/TextFile.h"
#include "editor/recovery/AbandonedRuns.h"
#include "editor/recovery/RecoveryFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>
#include <cerrno>
#include <new>

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

void RecoveryWriter::write(const QString &path, RecoveryRecord record)
{
    ++m_sharedTexts;
    post([this, path, record = std::move(record)]() mutable {
        const int slot = record.slot;
        QString reason;
        try {
            RecoveryFile::encodeInto(record, m_buffer);
        } catch (const std::bad_alloc &) {
            m_buffer = QByteArray();
            reason = TextFile::reasonFor(ENOMEM);
        }
        // The document's text goes before the slow part: while it is shared, a keypress
        // would have to copy the whole text, or wait.
        record = RecoveryRecord();
        --m_sharedTexts;
        m_sharedTexts.notify_all();
        if (reason.isEmpty())
            reason = RecoveryFile::writeAtomically(path, m_buffer);
        QMetaObject::invokeMethod(
            this, [this, slot, reason] { emit written(slot, reason); }, Qt::QueuedConnection);
    });
}

void RecoveryWriter::remove(const QString &path)
{
    post([path] { QFile::remove(path); });
}

void RecoveryWriter::discard(const QString &path, const QString &root)
{
    post([path, root] { AbandonedRuns::moveToDiscarded(root, path); });
}

void RecoveryWriter::releaseBuffer()
{
    post([this] { m_buffer = QByteArray(); });
}

void RecoveryWriter::waitForTexts()
{
    for (int shared = m_sharedTexts.load(); shared != 0; shared = m_sharedTexts.load())
        m_sharedTexts.wait(shared);
}

void RecoveryWriter::drain()
{
    QMetaObject::invokeMethod(
        m_worker, [] {}, Qt::BlockingQueuedConnection);
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

} // namespace korvane
