#pragma once

#include "editor/Editor.h"
#include "editor/recovery/RecoveryRecord.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <memory>

class QLockFile;

namespace korvane {

class RecoveryWriter;

// Keeps a recovery file for every document with unsaved changes, in a folder of this
// run's own below the recovery folder, marked as in use by a lock. A document's file
// is written at most every two seconds while it is being edited, and within two
// seconds of its last edit. It is deleted once the document is saved, or closed with 否
// at the close prompt; when the edits go any other way (a file opened over them), it is
// moved to discarded/ below the recovery folder. The recovery folder and the state
// folder above it must be the user's alone: otherwise the journal stays off and says so.
class RecoveryJournal : public QObject {
    Q_OBJECT
public:
    static constexpr int WriteDelayMsec = 2000;
    static inline const QString LockName = QStringLiteral("lock");

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
    // False, with a notice, when the folders are another user's or open to others;
    // the journal is then off. Makes nothing.
    bool checkFolders();

private:
    void watch(int n);
    void onDocumentSignal(int n);
    void onTimer();
    void pump();
    void writeNow(int n);
    void removeRecord(int n);
    void discardRecord(int n);
    void rememberHeader(const RecoveryRecord &record);
    void onSettled(int n, Editor::Settled how);
    bool checkFolders(bool create, QString *reason);
    void reportOff(const QString &folder, bool foreign);
    void onWritten(int n, const QString &reason);
    RecoveryRecord capture(int n) const;
    bool openRunFolder(QString *reason);
    void reportFailure(const QString &reason);

    Editor &m_editor;
    QString m_root;
    QString m_runFolder;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<RecoveryWriter> m_writer;
    int m_timer = 0;
    QSet<int> m_dirty;                    // edited since their last write was handed out
    QList<int> m_due;                     // waiting for the writer, lowest slot first
    int m_writing = 0;                    // slot being written, 0 for none
    QSet<int> m_recorded;                 // slots whose file may exist
    QHash<int, RecoveryRecord> m_headers; // each record's last write, without the text
    bool m_off = false;
    bool m_failureShown = false;
    bool m_finished = false;
};

} // namespace korvane
