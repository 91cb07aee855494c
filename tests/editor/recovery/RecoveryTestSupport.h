#pragma once

#include "../files/FileTestSupport.h"
#include "editor/recovery/RecoveryFile.h"
#include "editor/recovery/RecoveryJournal.h"
#include "editor/recovery/RecoveryRunFolder.h"

#include <QLockFile>
#include <QProcess>
#include <memory>

namespace korvane {

// An editor with its file commands, a recovery journal on a temporary state folder,
// and time that moves only when the test moves it.
class RecoveryFixture : public FileFixture {
public:
    // How an earlier run left the lock of its folder.
    enum class Lock { Live, Stale, None };

protected:
    RecoveryFixture()
        : root(state.filePath(QStringLiteral("recovery"))), journal(std::make_unique<RecoveryJournal>(editor, root))
    {}

    // Lets msec of simulated time pass and waits for the writes it caused.
    void wait(int msec)
    {
        platform.advanceTime(msec);
        journal->drain();
    }
    QString recordText(int n) const
    {
        const auto r = RecoveryFile::read(journal->recordPath(n));
        return r ? r->text : QStringLiteral("<no record>");
    }
    QStringList runFolderFiles() const { return QDir(journal->runFolder()).entryList(QDir::Files | QDir::Hidden); }

    // A folder as an earlier run leaves it.
    QString makeRun(Lock lock, const QList<RecoveryRecord> &records)
    {
        const QString folder = root + QStringLiteral("/run-earlier");
        QDir().mkpath(folder);
        for (const RecoveryRecord &r : records)
            RecoveryFile::writeAtomically(folder + QStringLiteral("/slot-%1.krec").arg(r.slot),
                                          RecoveryFile::encode(r));
        const QString lockPath = folder + QLatin1Char('/') + RecoveryRunFolder::LockName;
        if (lock == Lock::None)
            return folder;
        // Held here, as a running program holds its own.
        liveLocks.push_back(std::make_unique<QLockFile>(lockPath));
        liveLocks.back()->tryLock(0);
        QFile file(lockPath);
        if (lock == Lock::Stale) {
            // What a killed program leaves: the lock file naming a process that is gone.
            QProcess shell;
            shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("echo $$")});
            shell.waitForFinished();
            file.open(QIODevice::ReadOnly);
            const QByteArray contents = file.readAll();
            file.close();
            liveLocks.back()->unlock();
            file.open(QIODevice::WriteOnly);
            file.write(shell.readAllStandardOutput().trimmed() + contents.mid(contents.indexOf('\n')));
        }
        return folder;
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
