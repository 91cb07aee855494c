#pragma once

#include "editor/recovery/RecoveryRecord.h"

#include <QObject>
#include <functional>

class QThread;

namespace korvane {

// Writes and removes recovery files on a thread of its own, one job after another in
// the order they were given, so that typing never waits for the disk.
class RecoveryWriter : public QObject {
    Q_OBJECT
public:
    explicit RecoveryWriter(QObject *parent = nullptr);
    // Finishes every job given so far.
    ~RecoveryWriter() override;

    // The record, whose text is shared with the document rather than copied, is encoded
    // and written on the writer's thread; `written` reports the outcome.
    void write(const QString &path, RecoveryRecord record);
    void remove(const QString &path);
    // Waits until every job given so far is done and their outcomes are reported.
    void drain();

signals:
    // reason is empty when the file was written.
    void written(int slot, const QString &reason);

private:
    void post(std::function<void()> job);

    QThread *m_thread;
    QObject *m_worker; // lives on m_thread; jobs run in its event queue
};

} // namespace korvane
