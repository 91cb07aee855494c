#include "editor/AnsiCodec.h"
#include "editor/recovery/RecoveryFile.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace korvane;

namespace {

// The real program on a virtual X server, typed into with xdotool: the key presses
// reach it through the window system as a user's would.
class RecoveryEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char *tool : {"xvfb-run", "Xvfb", "xdotool"}) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                GTEST_SKIP() << tool << " is missing (apt-get install xvfb xauth xdotool): the program is not started";
        }
        // xvfb-run keeps its X server while the command runs; the command tells where
        // the server is and then waits for its input to close.
        xvfb.start(QStringLiteral("xvfb-run"),
                   {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1280x1024x24"),
                    QStringLiteral("/bin/sh"), QStringLiteral("-c"),
                    QStringLiteral("echo \"$DISPLAY $XAUTHORITY\"; exec cat >/dev/null")});
        ASSERT_TRUE(xvfb.waitForStarted());
        ASSERT_TRUE(xvfb.waitForReadyRead(30000)) << "the X server did not start";
        const QStringList where = QString::fromLocal8Bit(xvfb.readLine()).trimmed().split(QLatin1Char(' '));
        ASSERT_EQ(where.size(), 2);

        env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), where[0]);
        env.insert(QStringLiteral("XAUTHORITY"), where[1]);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.remove(QStringLiteral("QT_QPA_PLATFORMTHEME"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        for (const char *name : {"HOME", "XDG_STATE_HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"}) {
            const QString folder = dir.filePath(QString::fromLatin1(name));
            QDir().mkpath(folder);
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            env.insert(QString::fromLatin1(name), folder);
        }
        recoveryRoot = dir.filePath(QStringLiteral("XDG_STATE_HOME/Korvane/recovery"));
    }

    void TearDown() override
    {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished();
        }
        if (xvfb.state() != QProcess::NotRunning) {
            xvfb.closeWriteChannel();
            if (!xvfb.waitForFinished(10000))
                xvfb.kill();
        }
    }

    void start(const QStringList &args)
    {
        program.setProcessEnvironment(env);
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(QStringLiteral(KORVANE_PROGRAM), args);
        ASSERT_TRUE(program.waitForStarted());
    }

    QString xdotool(const QStringList &args)
    {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral("xdotool"), args);
        p.waitForFinished(30000);
        return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    }

    // The program's windows that are on the screen, oldest first.
    QStringList windows()
    {
        QStringList ids = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                                   QString::number(program.processId())})
                              .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        std::sort(ids.begin(), ids.end(), [](const QString &a, const QString &b) { return a.toULongLong() < b.toULongLong(); });
        return ids;
    }

    // Waits until there are at least count windows and gives the newest the keyboard.
    bool focusNewestOf(int count)
    {
        QStringList ids;
        if (!waitFor([&] { return (ids = windows()).size() >= count; }))
            return false;
        xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), ids.last()});
        QThread::msleep(300);
        return true;
    }

    void keys(const QString &sequence)
    {
        xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("80")} +
                sequence.split(QLatin1Char(' ')));
    }
    void type(const QString &text)
    {
        xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("40"), text});
        QThread::msleep(200);
    }

    static bool waitFor(const std::function<bool()> &done, int msec = 20000)
    {
        QDeadlineTimer deadline(msec);
        while (!done()) {
            if (deadline.hasExpired())
                return false;
            QThread::msleep(100);
        }
        return true;
    }

    // The records of every run folder, by file path.
    QMap<QString, RecoveryRecord> records()
    {
        QMap<QString, RecoveryRecord> found;
        const QDir root(recoveryRoot);
        for (const QString &run : root.entryList({QStringLiteral("run-*")}, QDir::Dirs)) {
            const QDir folder(root.filePath(run));
            for (const QString &file : folder.entryList({QStringLiteral("*.krec")}, QDir::Files)) {
                if (auto r = RecoveryFile::read(folder.filePath(file)))
                    found.insert(folder.filePath(file), *r);
            }
        }
        return found;
    }
    bool recordsHold(const QString &first, const QString &second, const QDateTime &writtenAfter = {})
    {
        const QMap<QString, RecoveryRecord> all = records();
        if (all.size() != 2)
            return false;
        for (auto it = all.begin(); it != all.end(); ++it) {
            if (writtenAfter.isValid() && QFileInfo(it.key()).lastModified() <= writtenAfter)
                return false;
        }
        const QList<RecoveryRecord> r = all.values();
        const RecoveryRecord &one = r[0].slot == 1 ? r[0] : r[1];
        const RecoveryRecord &two = r[0].slot == 1 ? r[1] : r[0];
        return one.slot == 1 && two.slot == 2 && one.text == first && two.text == second;
    }
    QByteArray fileBytes(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir dir;
    QProcess xvfb;
    QProcess program;
    QProcessEnvironment env;
    QString recoveryRoot;
};

TEST_F(RecoveryEndToEndTest, TypedTextSurvivesAKillAndIsSavedExactly)
{
    const QString withFile = dir.filePath(QStringLiteral("a.txt"));
    const QString newFile = dir.filePath(QStringLiteral("b.txt"));
    {
        QFile f(withFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("first line\r\n");
    }
    const QString first = QStringLiteral("typed 甲 first line\r\n");
    const QString second = QStringLiteral("second 乙\r\nline two");

    // First run: one document with a file, one new; then killed.
    start({withFile});
    ASSERT_TRUE(focusNewestOf(1)) << "the program's window did not appear";
    type(QStringLiteral("typed 甲 "));
    keys(QStringLiteral("ctrl+n"));
    type(QStringLiteral("second 乙"));
    keys(QStringLiteral("Return"));
    type(QStringLiteral("line two"));
    ASSERT_TRUE(waitFor([&] { return recordsHold(first, second); })) << "the typed text did not reach the journal";
    program.kill(); // SIGKILL: no chance to clean anything up
    ASSERT_TRUE(program.waitForFinished());

    // Second run: the question, answered 是 with its default button.
    start({});
    ASSERT_TRUE(focusNewestOf(2)) << "the question did not appear";
    const QDateTime answered = QDateTime::currentDateTime();
    QThread::msleep(50); // file times are finer than this, clocks of a busy machine not always
    keys(QStringLiteral("Return"));

    // The editor's own state, as this run's journal writes it once the documents are back.
    ASSERT_TRUE(waitFor([&] { return recordsHold(first, second, answered); }))
        << "the documents did not come back";
    QList<RecoveryRecord> back = records().values();
    std::sort(back.begin(), back.end(), [](const auto &a, const auto &b) { return a.slot < b.slot; });
    EXPECT_EQ(back[0].title, QStringLiteral("a.txt"));
    EXPECT_EQ(back[0].fileTitle, QStringLiteral("a.txt"));
    EXPECT_EQ(back[0].filePath, withFile);
    EXPECT_EQ(back[1].title, QStringLiteral("文档 2"));
    EXPECT_EQ(back[1].filePath, QString());

    // Saving: the new document asks for a name, the other goes to its file at once.
    ASSERT_TRUE(focusNewestOf(1));
    keys(QStringLiteral("ctrl+s"));
    ASSERT_TRUE(focusNewestOf(2)) << "the save dialog did not appear";
    type(newFile);
    keys(QStringLiteral("Return"));
    ASSERT_TRUE(waitFor([&] { return QFile::exists(newFile); })) << "the new document was not saved";
    ASSERT_TRUE(focusNewestOf(1));
    keys(QStringLiteral("F1 ctrl+s"));
    ASSERT_TRUE(waitFor([&] { return fileBytes(withFile) != "first line\r\n"; }));

    EXPECT_EQ(fileBytes(withFile), AnsiCodec::encode(first) + "\r\n");
    EXPECT_EQ(fileBytes(newFile), AnsiCodec::encode(second) + "\r\n");

    // Both saved: the program ends without a question and leaves no run folder.
    keys(QStringLiteral("ctrl+q"));
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_TRUE(QDir(recoveryRoot).entryList({QStringLiteral("run-*")}, QDir::Dirs).isEmpty());
}

} // namespace
