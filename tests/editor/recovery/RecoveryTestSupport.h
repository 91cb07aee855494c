#pragma once

#include "../files/FileTestSupport.h"
#include "editor/recovery/RecoveryFile.h"
#include "editor/recovery/RecoveryJournal.h"

#include <QLockFile>
#include <QProcess>
#include <memory>

namespace korvane {

// An editor with its file commands, a recovery journal on a temporary state folder,
// and time that moves only when the test moves it.
class RecoveryFixture : public FileFixture {
public:
    // How an earlier run left the lock of its folder.
    enum class Lock { Live, LiveForAnHour, Stale, None };

protected:
    RecoveryFixture() : root(state.filePath(QStringLiteral("recovery"))), journal(std::make_unique<RecoveryJournal>(editor, root)) {}

    // Lets msec of simulated time pass and waits for the writes it caused.
    void wait(int msec)
    {
        platform.advanceTime(msec);
        journal->drain();
    }
    std::optional<RecoveryRecord> record(int n) const { return RecoveryFile::read(journal->recordPath(n)); }
    QString recordText(int n) const
    {
        const auto r = record(n);
        return r ? r->text : QStringLiteral("<no record>");
    }
    QStringList runFolderFiles() const
    {
        return QDir(journal->runFolder()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }

    // A folder as an earlier run leaves it: records, and a lock as its end left it.
    QString makeRun(const QString &name, Lock lock, const QList<RecoveryRecord> &records)
    {
        const QString folder = root + QLatin1Char('/') + name;
        QDir().mkpath(folder);
        for (const RecoveryRecord &r : records)
            RecoveryFile::writeAtomically(folder + QStringLiteral("/slot-%1.krec").arg(r.slot), RecoveryFile::encode(r));
        const QString lockPath = folder + QLatin1Char('/') + RecoveryJournal::LockName;
        if (lock == Lock::Live || lock == Lock::LiveForAnHour) {
            // Held here as a running program holds its own.
            liveLocks.push_back(std::make_unique<QLockFile>(lockPath));
            liveLocks.back()->tryLock(0);
            if (lock == Lock::LiveForAnHour) {
                QFile f(lockPath);
                f.open(QIODevice::ReadWrite);
                f.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime);
            }
        } else if (lock == Lock::Stale) {
            writeStaleLock(lockPath);
        }
        return folder;
    }

    // The lock file a killed program leaves: written by QLockFile, naming a process that
    // no longer exists.
    static void writeStaleLock(const QString &path)
    {
        QProcess shell;
        shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("echo $$")});
        shell.waitForFinished();
        const QByteArray deadPid = shell.readAllStandardOutput().trimmed();
        QByteArray contents;
        {
            QLockFile model(path);
            model.tryLock(0);
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            contents = f.readAll();
            model.unlock();
        }
        contents = deadPid + contents.mid(contents.indexOf('\n'));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(contents);
    }

    static RecoveryRecord sample(int slot, const QString &text, const QString &path = QString())
    {
        RecoveryRecord r;
        r.slot = slot;
        r.filePath = path;
        r.fileTitle = path.isEmpty() ? QString() : QFileInfo(path).fileName();
        r.title = path.isEmpty() ? QStringLiteral("文档 %1").arg(slot) : r.fileTitle;
        r.text = text;
        return r;
    }

    QTemporaryDir state;
    QString root;
    std::vector<std::unique_ptr<QLockFile>> liveLocks;
    std::unique_ptr<RecoveryJournal> journal;
};

} // namespace korvane
