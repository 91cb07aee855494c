#include "editor/file/AnsiCodec.h"
#include "editor/recovery/RecoveryFile.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace korvane;

namespace {

bool waitFor(const std::function<bool()> &done)
{
    QDeadlineTimer deadline(20000);
    while (!done() && !deadline.hasExpired())
        QThread::msleep(100);
    return done();
}

// The real program on a virtual X server, typed into with xdotool: the keys reach it
// through the window system as a user's would.
class RecoveryEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char *tool : {"xvfb-run", "Xvfb", "xdotool"}) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                GTEST_SKIP() << tool << " is missing (apt-get install xvfb xauth xdotool): the program is not started";
        }
        // xvfb-run keeps its X server while the command runs; the command says where the
        // server is and waits for its input to close.
        // Looking for a free display from a number of its own, not from 99 where every other
        // xvfb-run starts: two servers racing for one number can take each other's place.
        const QString from = QString::number(1000 + QRandomGenerator::global()->bounded(20000));
        // Without -noreset the server restarts whenever its last client goes, as the killed
        // program does, and refuses connections meanwhile.
        xvfb.start(QStringLiteral("xvfb-run"),
                   {QStringLiteral("-n"), from, QStringLiteral("-a"), QStringLiteral("-s"),
                    QStringLiteral("-screen 0 1280x1024x24 -noreset"), QStringLiteral("/bin/sh"), QStringLiteral("-c"),
                    QStringLiteral("echo \"$DISPLAY $XAUTHORITY\"; exec cat >/dev/null")});
        ASSERT_TRUE(xvfb.waitForReadyRead(30000)) << "the X server did not start";
        const QStringList where = QString::fromLocal8Bit(xvfb.readLine()).trimmed().split(QLatin1Char(' '));
        ASSERT_EQ(where.size(), 2);
        env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), where[0]);
        env.insert(QStringLiteral("XAUTHORITY"), where[1]);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
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
        program.kill();
        program.waitForFinished();
        xvfb.closeWriteChannel();
        if (!xvfb.waitForFinished(10000))
            xvfb.kill();
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
        return QString::fromLocal8Bit(p.readAllStandardOutput());
    }
    void keys(const QString &keys)
    {
        xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("80")} + keys.split(u' '));
    }
    void type(const QString &text)
    {
        xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("40"), text});
    }

    // Waits for count windows of the program on the screen and gives the newest one the keyboard.
    bool focusNewestOf(int count)
    {
        QList<qulonglong> ids;
        const bool shown = waitFor([&] {
            ids.clear();
            for (const QString &id : xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                              QStringLiteral("--pid"), QString::number(program.processId())})
                                         .split(u'\n', Qt::SkipEmptyParts))
                ids << id.toULongLong();
            return ids.size() >= count;
        });
        if (shown) {
            xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"),
                     QString::number(*std::max_element(ids.begin(), ids.end()))});
            QThread::msleep(300);
        }
        return shown;
    }

    // The records of all run folders, in slot order, when each was written after `since`.
    QList<RecoveryRecord> records(const QDateTime &since = {})
    {
        QMap<int, RecoveryRecord> found;
        for (QDirIterator it(recoveryRoot, {QStringLiteral("*.krec")}, QDir::Files, QDirIterator::Subdirectories);
             it.hasNext();) {
            const QString file = it.next();
            const auto record = RecoveryFile::read(file);
            if (record && !file.contains(QStringLiteral("/discarded/")) && QFileInfo(file).lastModified() > since)
                found.insert(record->slot, *record);
        }
        return found.values();
    }
    bool recordsHold(const QString &first, const QString &second, const QDateTime &since = {})
    {
        const QList<RecoveryRecord> r = records(since);
        return r.size() == 2 && r[0].text == first && r[1].text == second;
    }
    static QByteArray bytes(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir dir;
    QProcess xvfb, program;
    QProcessEnvironment env;
    QString recoveryRoot;
};

TEST_F(RecoveryEndToEndTest, TypedTextSurvivesAKillAndIsSavedExactly)
{
    const QString withFile = dir.filePath(QStringLiteral("a.txt"));
    const QString newFile = dir.filePath(QStringLiteral("b.txt"));
    QFile f(withFile);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("first line\r\n") > 0);
    f.close();
    const QString first = QStringLiteral("typed 甲 first line\r\n");
    const QString second = QStringLiteral("second 乙\r\nline two");

    // First run: one document with a file, one new; killed once the journal has them.
    start({withFile});
    ASSERT_TRUE(focusNewestOf(1)) << "the program's window did not appear";
    type(QStringLiteral("typed 甲 "));
    keys(QStringLiteral("ctrl+n"));
    type(QStringLiteral("second 乙"));
    keys(QStringLiteral("Return"));
    type(QStringLiteral("line two"));
    ASSERT_TRUE(waitFor([&] { return recordsHold(first, second); })) << "the typed text did not reach the journal";
    program.kill(); // SIGKILL
    ASSERT_TRUE(program.waitForFinished());

    // Second run: the question, answered with its default button 是.
    start({});
    ASSERT_TRUE(focusNewestOf(2)) << "the question did not appear";
    const QDateTime answered = QDateTime::currentDateTime();
    QThread::msleep(50);
    keys(QStringLiteral("Return"));
    // What this run's journal writes once the documents are back is the editor's own state.
    ASSERT_TRUE(waitFor([&] { return recordsHold(first, second, answered); })) << "the documents did not come back";
    const QList<RecoveryRecord> back = records();
    EXPECT_EQ(back[0].title, QStringLiteral("a.txt"));
    EXPECT_EQ(back[0].filePath, withFile);
    EXPECT_EQ(back[1].title, QStringLiteral("文档 2"));
    EXPECT_EQ(back[1].filePath, QString());

    // The new document asks for a name, the other is written to its file at once.
    ASSERT_TRUE(focusNewestOf(1));
    keys(QStringLiteral("ctrl+s"));
    ASSERT_TRUE(focusNewestOf(2)) << "the save dialog did not appear";
    type(newFile);
    keys(QStringLiteral("Return"));
    ASSERT_TRUE(waitFor([&] { return QFile::exists(newFile); })) << "the new document was not saved";
    ASSERT_TRUE(focusNewestOf(1));
    keys(QStringLiteral("F1 ctrl+s"));
    ASSERT_TRUE(waitFor([&] { return bytes(withFile) != "first line\r\n"; }));
    EXPECT_EQ(bytes(withFile), AnsiCodec::encode(first) + "\r\n");
    EXPECT_EQ(bytes(newFile), AnsiCodec::encode(second) + "\r\n");

    // Both saved: the program ends without a question and leaves no run folder.
    keys(QStringLiteral("ctrl+q"));
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_TRUE(QDir(recoveryRoot).entryList({QStringLiteral("run-*")}, QDir::Dirs).isEmpty());
}

} // namespace
