#pragma once

#include "editor/recovery/RecoveryRecord.h"

#include <QByteArray>
#include <QObject>
#include <atomic>
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
    // Moves the file into discarded/ below root rather than deleting it.
    void discard(const QString &path, const QString &root);
    // Gives back the memory kept for encoding, once no document needs a record.
    void releaseBuffer();
    // Waits until every job given so far is done and their outcomes are reported.
    void drain();
    // Waits until the writer no longer shares any document's text: only as long as it
    // takes to copy a text into the writer's own memory.
    void waitForTexts();

signals:
    // reason is empty when the file was written.
    void written(int slot, const QString &reason);

private:
    void post(std::function<void()> job);

    QThread *m_thread;
    QObject *m_worker;   // lives on m_thread; jobs run in its event queue
    QByteArray m_buffer; // used on m_thread only
    std::atomic<int> m_sharedTexts{0};
};

} // namespace korvane
