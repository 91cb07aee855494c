#pragma once

#include "editor/Editor.h"
#include "editor/recovery/RecoveryBaseFile.h"
#include "editor/recovery/RecoveryRecord.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <map>
#include <memory>

class QLockFile;

namespace korvane {

class RecoveryWriter;

// Keeps a recovery file for every document with unsaved changes, in a folder of this
// run's own below the recovery folder, marked as in use by a lock. A document's file
// is brought up to date at most every two seconds while it is being edited, and within
// two seconds of its last edit. The file is a base (the whole text) and the edits made
// since, appended as they come: what a write costs follows the edit, not the document.
// A new base is written when the document first changes, when its text is replaced as a
// whole, and when the edits outgrow a share of the text; slices of the document's own
// string are copied for the writer's thread (RecoveryBaseFile), between which the
// program goes on as usual, and the base only then takes the old file's place. The file is deleted once the document is
// saved, or closed with 否 at the close prompt; when the edits go any other way (a file opened over them), it is moved
// to discarded/ below the recovery folder. The recovery folder and the state folder above it must be the user's alone:
// otherwise the journal stays off and says so.
class RecoveryJournal : public QObject {
    Q_OBJECT
public:
    static constexpr int WriteDelayMsec = 2000;
    // How a new base is written, and when one is due.
    struct Tuning {
        qsizetype sliceUnits = qsizetype(1) << 19; // at most 1 MB a slice...
        qint64 sliceBudgetNsec = 1'500'000;        // ...and no longer than this
        int sliceDelayMsec = 0;                    // between slices: as soon as idle...
        int behindDelayMsec = 4;                   // ...but this long while the writer is behind
        bool earlyWriteback = true;                // the disk starts on a base as it is written
        qint64 minLogBytes = qint64(4) << 20;      // the log may always grow this far...
        int logShareOfText = 4;                    // ...or to this part of the text...
        qint64 maxLogBytes = qint64(256) << 20;    // ...but never beyond this
    };

    // root is the recovery folder that the run folders of all running programs share.
    RecoveryJournal(Editor &editor, const QString &root, QObject *parent = nullptr);
    // As finish().
    ~RecoveryJournal() override;

    QString root() const { return m_root; }
    QString runFolder() const { return m_runFolder; }
    QString recordPath(int slot) const;

    // Document n now holds the text of a record that an earlier run left at file: the
    // file moves into this run's folder as the document's own. False when it could not.
    bool adopt(int n, const QString &file);
    // The end of the run: changes not yet written are written now; the lock is released,
    // and the run's folder removed when no document left a record in it.
    void finish();
    // Waits for the files in hand to be written or removed (for tests and benchmarks).
    void drain();
    void setTuning(const Tuning &tuning);
    // How much of a new base for document n is written, -1 when none is being written
    // (for tests and benchmarks).
    qsizetype baseWritten(int n) const;
    bool isWritingBase(int n) const { return baseWritten(n) >= 0; }
    // False, with a notice, when the folders are another user's or open to others;
    // the journal is then off. Makes nothing.
    bool checkFolders();

private:
    // What is known of a document's record file.
    struct Record {
        bool onDisk = false;                    // a file may be at recordPath
        bool appendable = false;                // the file, with `pending` after it, holds the document's text
        QByteArray pending;                     // operations not yet handed to the writer
        qint64 logBytes = 0;                    // operations handed over since the file's base
        RecoveryRecord header;                  // what the file says, but the text
        std::unique_ptr<RecoveryBaseFile> base; // a new base being written
    };

    void watch(int n);
    void onReplaced(int n, qsizetype position, qsizetype removed, const QString &added);
    void startBase(int n, const RecoveryRecord &header);
    // Hands more of n's base to the writer: up to units, and unless all is asked for,
    // within the budget and the writer's buffers. False when the writer is behind.
    bool writeSlice(int n, qsizetype units, bool all = false);
    void scheduleSlices(int delayMsec);
    void onSliceTimer();
    void commitBase(int n);
    qint64 logLimit(int n) const;
    RecoveryRecord header(int n) const;
    void onDocumentSignal(int n);
    void onTimer();
    void pump();
    void writeNow(int n);
    void removeRecord(int n);
    // Drops the slot's record from those in hand; true when its file may exist.
    bool forgetRecord(int n);
    void discardRecord(int n);
    // Document n is open and has unsaved edits.
    bool isChanged(int n) const;
    void onSettled(int n, TextDocument::Settled how);
    bool checkFolders(bool create, QString *reason);
    void reportOff(const QString &folder, bool foreign);
    void onWritten(int n, const QString &reason);
    void onBaseFailed(int n, quint64 id, const QString &reason);
    bool openRunFolder(QString *reason);
    void reportFailure(const QString &reason);

    Editor &m_editor;
    QString m_root;
    QString m_runFolder;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<RecoveryWriter> m_writer;
    Tuning m_tuning;
    int m_timer = 0;
    int m_sliceTimer = 0;
    quint64 m_bases = 0; // bases started, for their temporaries' names
    QSet<int> m_dirty;   // edited since their last write was handed out
    QList<int> m_due;    // to be written, lowest slot first
    std::map<int, Record> m_records;
    bool m_off = false;
    bool m_failureShown = false;
    bool m_finished = false;
};

} // namespace korvane
