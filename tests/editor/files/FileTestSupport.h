#pragma once

#include "EditorFixture.h"
#include "editor/commands/FileCommands.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>

namespace korvane {

// Like a full disk while it lives: each write fails after its first few kilobytes.
class FileSizeLimit {
public:
    FileSizeLimit() : handler(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limited = saved;
        limited.rlim_cur = 8192;
        applied = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, handler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool applied = false;

private:
    void (*handler)(int);
    rlimit saved{};
};

// An editor with its file commands and a real temporary folder.
class FileFixture : public EditorFixture {
protected:
    QString path(const QString &name) const { return dir.filePath(name); }
    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray readFile(const QString &name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    // Opens the named file into the active document through the open dialog.
    void openFile(const QString &name)
    {
        platform.openAnswers.push_back(path(name));
        files.open(editor.activeDocument());
    }
    QStringList filesInDir() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System); }

    FileCommands &files = editor.files();
    QTemporaryDir dir;
};

} // namespace korvane
