#pragma once

#include "editor/recovery/RecoveryRecord.h"
#include "editor/recovery/SliceBuffers.h"

#include <QByteArray>
#include <QObject>
#include <QSet>
#include <QStringView>
#include <atomic>
#include <functional>
#include <memory>

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

    // A new base, written into a temporary of its own by the writer's thread from slices
    // of text that the program's thread copies into buffers (see SliceBuffers). The jobs
    // of a base run in the order given, after everything given before them. Once one of
    // them has failed, the rest of that base is skipped, and `baseFailed` says so once.
    struct Base;
    using BaseHandle = std::shared_ptr<Base>;
    // Makes temp (never through a link) and writes head at its start.
    BaseHandle startBase(int slot, quint64 id, const QString &temp, QByteArray head);
    // Copies units (at most SliceBuffers::Bytes) into a buffer and writes them at offset.
    // False, with nothing done, when every buffer is in use and wait is false: the writer
    // is behind.
    bool writeBase(const BaseHandle &base, qint64 offset, QStringView units, bool wait);
    // Cuts the file to size, for what follows to be written again.
    void cutBase(const BaseHandle &base, qint64 size);
    // Cuts the file to size, puts lengthField at lengthAt, flushes the file and renames it
    // over path. `written` reports the outcome, as for write().
    void commitBase(const BaseHandle &base, qint64 size, QByteArray lengthField, qint64 lengthAt, const QString &path);
    // Gives the base up: its temporary is deleted.
    void dropBase(const BaseHandle &base);
    // Whether the writer asks the kernel to start writing a base's pages out as they are
    // written, so that its final flush has less left to do.
    void setEarlyWriteback(bool on) { m_earlyWriteback = on; }
    void remove(const QString &path);
    // Moves the file into discarded/ below root rather than deleting it.
    void discard(const QString &path, const QString &root);
    // Waits until every job given so far is done and their outcomes are reported.
    void drain();

signals:
    // reason is empty when the file was written.
    void written(int slot, const QString &reason);
    // A base failed before its commit; the record at the path stays as it was.
    void baseFailed(int slot, quint64 id, const QString &reason);

private:
    void post(std::function<void()> job);
    void report(int slot, const QString &path, const QString &reason);
    // On m_thread: base's failure with error, reported once.
    void failBase(Base &base, int error);
    void writeSlice(Base &base, const char *data, qint64 size, qint64 offset);
    void endBase(Base &base);
    void startWriteback(Base &base, qint64 offset, qint64 size);

    QThread *m_thread;
    QObject *m_worker;     // lives on m_thread; jobs run in its event queue
    QSet<QString> m_stale; // used on m_thread only: paths whose appends are dropped
    SliceBuffers m_buffers;
    int m_openBases = 0; // used on m_thread only: bases started and not ended
    std::atomic<bool> m_earlyWriteback = true;
};

} // namespace korvane
