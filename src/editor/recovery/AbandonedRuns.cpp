#include "editor/recovery/AbandonedRuns.h"

#include "editor/recovery/RecoveryFile.h"
#include "editor/recovery/RecoveryJournal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <algorithm>
#include <cstdio>

namespace korvane {

static QStringList recordFiles(const QDir &dir)
{
    return dir.entryList({QLatin1Char('*') + RecoveryFile::Suffix}, QDir::Files | QDir::Hidden | QDir::System,
                         QDir::Name);
}

AbandonedRuns::AbandonedRuns(const QString &root, const QString &ownRunFolder) : m_root(QDir::cleanPath(root))
{
    const QDir rootDir(m_root);
    const QString own = QDir::cleanPath(ownRunFolder);
    for (const QString &name : rootDir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name)) {
        const QString folder = rootDir.filePath(name);
        if (name == DiscardedFolder || folder == own)
            continue;
        const QDir dir(folder);
        const QStringList files = recordFiles(dir);
        // Neither lock nor records: a program starting right now is making its folder.
        if (files.isEmpty() && !dir.exists(RecoveryJournal::LockName))
            continue;
        auto lock = std::make_unique<QLockFile>(dir.filePath(RecoveryJournal::LockName));
        lock->setStaleLockTime(0); // alive is decided by the process id, never by age
        if (!lock->tryLock(0))
            continue;
        m_runs.push_back({folder, std::move(lock)});

        QList<Record> found;
        for (const QString &file : files) {
            const QString path = dir.filePath(file);
            if (std::optional<RecoveryRecord> header = RecoveryFile::read(path, false))
                found.append({path, *header});
            else
                m_unreadable.append(path);
        }
        std::stable_sort(found.begin(), found.end(),
                         [](const Record &a, const Record &b) { return a.header.slot < b.header.slot; });
        m_records += found;
    }
}

AbandonedRuns::~AbandonedRuns()
{
    for (Run &run : m_runs) {
        run.lock->unlock();
        QDir dir(run.folder);
        if (recordFiles(dir).isEmpty())
            dir.removeRecursively(); // what is left are temporaries of writes that never finished
    }
}

void AbandonedRuns::discard(const QString &file)
{
    const QDir into(m_root + QLatin1Char('/') + DiscardedFolder);
    if (!into.mkpath(QStringLiteral(".")))
        return;
    // The run folder's name keeps files of different runs apart.
    const QFileInfo info(file);
    const QString target = into.filePath(info.dir().dirName() + QLatin1Char('-') + info.fileName());
    if (std::rename(QFile::encodeName(file).constData(), QFile::encodeName(target).constData()) != 0)
        return;
    m_records.removeIf([&file](const Record &r) { return r.file == file; });
    m_unreadable.removeAll(file);

    // The newest are the ones last written; a rename keeps that time.
    const QFileInfoList kept = into.entryInfoList({QLatin1Char('*') + RecoveryFile::Suffix},
                                                  QDir::Files | QDir::Hidden | QDir::System, QDir::Time);
    for (qsizetype i = KeptDiscarded; i < kept.size(); ++i)
        QFile::remove(kept[i].filePath());
}

void AbandonedRuns::discardAll()
{
    QStringList files = m_unreadable;
    for (const Record &r : std::as_const(m_records))
        files.append(r.file);
    for (const QString &file : std::as_const(files))
        discard(file);
}

} // namespace korvane
