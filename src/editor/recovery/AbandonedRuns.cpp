#include "editor/recovery/AbandonedRuns.h"

#include "editor/recovery/RecoveryFile.h"
#include "editor/recovery/RecoveryRunFolder.h"
#include "platform/StateFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <algorithm>
#include <cstdio>

namespace korvane {

// Plain files only: links are neither followed nor counted, and FIFOs, sockets and
// devices are left where they are (reading one could wait for ever).
static QStringList plainFiles(const QDir &dir, const QString &pattern, QDir::SortFlags sort = QDir::Name)
{
    return dir.entryList({pattern}, QDir::Files | QDir::Hidden | QDir::NoSymLinks, sort);
}

static QStringList recordFiles(const QDir &dir) { return plainFiles(dir, QLatin1Char('*') + RecoveryFile::Suffix); }

AbandonedRuns::AbandonedRuns(const QString &root, const QString &ownRunFolder) : m_root(QDir::cleanPath(root))
{
    const QDir rootDir(m_root);
    const QString own = QDir::cleanPath(ownRunFolder);
    // A link among the run folders is not one: what it names may be anybody's, and
    // taking it for an abandoned run would delete it.
    for (const QString &name :
         rootDir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::NoSymLinks, QDir::Name)) {
        const QString folder = rootDir.filePath(name);
        if (name == DiscardedFolder || folder == own)
            continue;
        const QDir dir(folder);
        const QStringList files = recordFiles(dir);
        // Neither lock nor records: a program starting right now is making its folder.
        if (files.isEmpty() && !dir.exists(RecoveryRunFolder::LockName))
            continue;
        // The lock is read to learn who holds it: only a plain file is.
        const QFileInfo lockFile(dir.filePath(RecoveryRunFolder::LockName));
        if (lockFile.isSymLink() || (lockFile.exists() && !lockFile.isFile()))
            continue;
        auto lock = std::make_unique<QLockFile>(lockFile.filePath());
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
        if (!recordFiles(dir).isEmpty())
            continue;
        // Only what a run leaves there goes: temporaries of writes that never finished.
        // Anything else keeps the folder.
        for (const QString &temp : plainFiles(dir, QStringLiteral("*.tmp")))
            dir.remove(temp);
        QDir().rmdir(run.folder);
    }
}

bool AbandonedRuns::moveToDiscarded(const QString &root, const QString &file)
{
    const QString into = root + QLatin1Char('/') + DiscardedFolder;
    if (checkPrivateFolder(into, true).kind != PrivateFolder::Private)
        return false;
    // The run folder's name keeps files of different runs apart, a number those of one run.
    const QFileInfo info(file);
    const QString base = into + QLatin1Char('/') + info.dir().dirName() + QLatin1Char('-') + info.completeBaseName();
    QString target = base + RecoveryFile::Suffix;
    for (int i = 2; QFileInfo(target).exists() || QFileInfo(target).isSymLink(); ++i)
        target = base + QLatin1Char('-') + QString::number(i) + RecoveryFile::Suffix;
    if (std::rename(QFile::encodeName(file).constData(), QFile::encodeName(target).constData()) != 0)
        return false;

    // The newest are the ones last written; a rename keeps that time.
    const QDir dir(into);
    const QStringList kept = plainFiles(dir, QLatin1Char('*') + RecoveryFile::Suffix, QDir::Time);
    for (qsizetype i = KeptDiscarded; i < kept.size(); ++i)
        QFile::remove(dir.filePath(kept[i]));
    return true;
}

void AbandonedRuns::discard(const QString &file)
{
    if (!moveToDiscarded(m_root, file))
        return;
    m_records.removeIf([&file](const Record &r) { return r.file == file; });
    m_unreadable.removeAll(file);
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
