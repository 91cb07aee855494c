#include "editor/recovery/RecoveryWriter.h"

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

void RecoveryWriter::write(const QString &path, RecoveryRecord record)
{
    post([this, path, record = std::move(record)]() mutable {
        const int slot = record.slot;
        const QByteArray bytes = RecoveryFile::encode(record);
        // Let go of the document's text before the slow part, so that a keypress in the
        // meantime does not have to copy the whole text to change it.
        record = RecoveryRecord();
        const QString reason = RecoveryFile::writeAtomically(path, bytes);
        QMetaObject::invokeMethod(this, [this, slot, reason] { emit written(slot, reason); }, Qt::QueuedConnection);
    });
}

void RecoveryWriter::remove(const QString &path)
{
    post([path] { QFile::remove(path); });
}

void RecoveryWriter::drain()
{
    QMetaObject::invokeMethod(m_worker, [] {}, Qt::BlockingQueuedConnection);
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

} // namespace korvane
