#pragma once

#include "editor/recovery/RecoveryRecord.h"

#include <QList>
#include <QStringList>
#include <memory>
#include <vector>

class QLockFile;

namespace korvane {

// The run folders that programs left behind when they ended without closing their
// documents: killed, crashed, cut off by a power failure (their lock is stale), or
// ended at once without the close prompts (their lock is gone). A folder whose lock a
// running program holds is never touched. The locks taken stay held while this object
// lives, so that a second program starting at the same time leaves the folders alone.
class AbandonedRuns {
public:
    static constexpr int KeptDiscarded = 20;
    static inline const QString DiscardedFolder = QStringLiteral("discarded");

    struct Record {
        QString file;
        RecoveryRecord header; // without the text
    };

    // ownRunFolder is skipped: it belongs to the program asking.
    AbandonedRuns(const QString &root, const QString &ownRunFolder);
    // Releases the locks; folders left without records are removed.
    ~AbandonedRuns();

    // Complete records, folder by folder, each folder's in slot order.
    const QList<Record> &records() const { return m_records; }
    // Files that are not complete records; they are never offered.
    const QStringList &unreadable() const { return m_unreadable; }

    // Moves the file into discarded/ below the recovery folder, where only the newest
    // KeptDiscarded files are kept.
    void discard(const QString &file);
    void discardAll();
    // Moves file into discarded/ below root, keeping the newest KeptDiscarded there.
    // False when it stayed where it was.
    static bool moveToDiscarded(const QString &root, const QString &file);

private:
    struct Run {
        QString folder;
        std::unique_ptr<QLockFile> lock;
    };

    QString m_root;
    std::vector<Run> m_runs;
    QList<Record> m_records;
    QStringList m_unreadable;
};

} // namespace korvane
