#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// The real program, started from a shell under a file-size limit (ulimit -f) with the
// signal's default disposition, as a user's shell would start it. It is given names that
// are not UTF-8 in a folder that also holds the names Qt would decode them to; it types
// into both documents, saves one and waits for the recovery journal to write the other,
// which is larger than the limit allows.
TEST(SaveEndToEndTest, ExactNamesAndAFileSizeLimit)
{
    for (const char *tool : {"xvfb-run", "Xvfb", "xdotool"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            GTEST_SKIP() << tool << " is missing (apt-get install xvfb xauth xdotool): the program is not started";
    }
    QTemporaryDir dir;
    auto put = [&](const QString &name, const QByteArray &bytes) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    };
    put(QStringLiteral("big.txt"), QByteArray(100000, 'b'));
    put(QStringLiteral("caf\uFFFD.txt"), "other\r\n");
    for (const char *name : {"state", "config", "home"})
        QDir(dir.path()).mkdir(QString::fromLatin1(name));
    const QString script = QStringLiteral(
        "ulimit -f 64\n" // KiB: the big document's recovery copy does not fit
        "printf 'mine\\r\\n' > \"$(printf 'caf\\351.txt')\"\n"
        "\"$0\" big.txt \"$(printf 'caf\\351.txt')\" & p=$!\n"
        "w=$(xdotool search --sync --onlyvisible --pid $p | tail -n 1)\n"
        "xdotool windowfocus --sync $w; sleep 1\n"
        "xdotool type --delay 40 saved; xdotool key --delay 80 ctrl+s F1; xdotool type --delay 40 x\n"
        "sleep 5; kill -0 $p && echo alive; kill $p; wait $p\n");
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_STATE_HOME"), dir.filePath(QStringLiteral("state")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("HOME"), dir.filePath(QStringLiteral("home")));
    run.setProcessEnvironment(env);
    run.setWorkingDirectory(dir.path());
    run.setChildProcessModifier([] { std::signal(SIGXFSZ, SIG_DFL); });
    run.start(QStringLiteral("xvfb-run"), {QStringLiteral("-a"), QStringLiteral("sh"), QStringLiteral("-c"), script,
                                           QStringLiteral(KORVANE_PROGRAM)});
    ASSERT_TRUE(run.waitForFinished(90000));
    EXPECT_EQ(run.readAllStandardOutput().trimmed(), QByteArray("alive"));
    QFile exact;
    const QByteArray exactName = QFile::encodeName(dir.path()) + "/caf\xe9.txt";
    FILE *f = std::fopen(exactName.constData(), "rb");
    ASSERT_TRUE(f && exact.open(f, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
    EXPECT_EQ(exact.readAll(), QByteArray("savedmine\r\n\r\n"));
    ::unlink(exactName.constData()); // QTemporaryDir would not find it by its name
    QFile other(dir.filePath(QStringLiteral("caf\uFFFD.txt")));
    ASSERT_TRUE(other.open(QIODevice::ReadOnly));
    EXPECT_EQ(other.readAll(), QByteArray("other\r\n"));
}

} // namespace
