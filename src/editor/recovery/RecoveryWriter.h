#pragma once

#include "editor/recovery/RecoveryRecord.h"

#include <QByteArray>
#include <QObject>
#include <QSet>
#include <functional>

class QThread;

namespace korvane {

// Writes, appends to and removes recovery files on a thread of its own, one job after
// another in the order they were given, so that typing never waits for the disk.
class RecoveryWriter : public QObject {
    Q_OBJECT
public:
    explicit RecoveryWriter(QObject *parent = nullptr);
    // Finishes every job given so far.
    ~RecoveryWriter() override;

    // Writes record whole; its text must not change meanwhile (a snapshot, not the
    // document's own string). `written` reports the outcome.
    void write(const QString &path, RecoveryRecord record);
    // Appends operations to the record at path. Once an append or a new base for path
    // has failed, appends to it are dropped until a new base is in place: they belong
    // after what failed. `written` reports a failure.
    void append(int slot, const QString &path, QByteArray operations);
    // Flushes the new base open at fd (owned from now on) and renames temp over path.
    void commit(int slot, int fd, const QString &temp, const QString &path);
    void remove(const QString &path);
    // Moves the file into discarded/ below root rather than deleting it.
    void discard(const QString &path, const QString &root);
    // Waits until every job given so far is done and their outcomes are reported.
    void drain();

signals:
    // reason is empty when the file was written.
    void written(int slot, const QString &reason);

private:
    void post(std::function<void()> job);
    void report(int slot, const QString &path, const QString &reason);

    QThread *m_thread;
    QObject *m_worker;     // lives on m_thread; jobs run in its event queue
    QSet<QString> m_stale; // used on m_thread only: paths whose appends are dropped
};

} // namespace korvane
