#pragma once

#include <QString>

namespace korvane {

// The folder below the recovery folder that one running program keeps its record files
// in (RecoveryJournal), and that a later program takes over once that one is gone
// (AbandonedRuns).
struct RecoveryRunFolder {
    // The lock the program holds on its run folder while it runs (QLockFile): a folder
    // whose lock is stale or gone was left behind.
    static inline const QString LockName = QStringLiteral("lock");
};

} // namespace korvane
