#include "tools/media/MediaWindow.h"
#include "ToolWindowTest.h"
#include "tools/media/MediaPlayerWidget.h"

#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <cmath>
#include <gtest/gtest.h>

using namespace korvane;

namespace {

// A quarter second of a 440 Hz tone, 8 kHz mono 16-bit PCM.
bool writeTone(const QString &path)
{
    constexpr quint32 rate = 8000, samples = rate / 4;
    QByteArray pcm;
    for (quint32 i = 0; i < samples; ++i) {
        const qint16 v = qint16(8000 * std::sin(2 * M_PI * 440 * i / rate));
        pcm.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
    }
    auto u32 = [](quint32 v) {
        QByteArray b(4, '\0');
        qToLittleEndian(v, b.data());
        return b;
    };
    auto u16 = [](quint16 v) {
        QByteArray b(2, '\0');
        qToLittleEndian(v, b.data());
        return b;
    };
    QByteArray wav = "RIFF" + u32(36 + pcm.size()) + "WAVEfmt " + u32(16) + u16(1) + u16(1) + u32(rate) +
                     u32(rate * 2) + u16(2) + u16(16) + "data" + u32(pcm.size()) + pcm;
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(wav) == wav.size();
}

class MediaWindowTest : public ::testing::Test {
protected:
    MediaWindowTest() : window(platform)
    {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    QAction *action(const char *name) { return window.findChild<QAction *>(QString::fromLatin1(name)); }

    ScriptedPlatform platform;
    MediaWindow window;
    QTemporaryDir dir;
};

TEST(MediaLayout, PlayerLeavesTheStripAndNeverGoesNegative)
{
    EXPECT_EQ(MediaWindow::playerGeometry(QSize(312, 206)), QRect(0, 0, 312, 189)); // 2840 twips
    EXPECT_EQ(MediaWindow::playerGeometry(QSize(600, 400)), QRect(0, 0, 600, 383));
    EXPECT_EQ(MediaWindow::playerGeometry(QSize(100, 17)), QRect(0, 0, 100, 0)); // 5 twips
    EXPECT_EQ(MediaWindow::playerGeometry(QSize(100, 10)), QRect(0, 0, 100, 0));
    EXPECT_EQ(MediaWindow::playerGeometry(QSize(0, 0)), QRect(0, 0, 0, 0));
}

TEST_F(MediaWindowTest, OpensWithItsCaptionMenuAndSize)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("多媒体"));
    EXPECT_EQ(window.objectName(), QStringLiteral("Form6"));
    ASSERT_TRUE(action("mnuopen"));
    ASSERT_TRUE(action("mnuExit"));
    EXPECT_EQ(action("mnuopen")->text(), QStringLiteral("打开"));
    EXPECT_EQ(action("mnuExit")->text(), QStringLiteral("退出"));
    EXPECT_EQ(window.menuBar()->actions().size(), 2);
    EXPECT_EQ(window.client()->size(), QSize(312, 206));
    EXPECT_EQ(window.player()->geometry(), QRect(0, 0, 312, 189));
    EXPECT_EQ(window.player()->fileName(), QString());
}

TEST_F(MediaWindowTest, PlayerFollowsEveryResize)
{
    window.resize(700, 500);
    QCoreApplication::processEvents();
    const QSize client = window.client()->size();
    EXPECT_EQ(window.player()->geometry(), MediaWindow::playerGeometry(client));
    EXPECT_EQ(client.height() - window.player()->height(), 17); // 250 twips, rounded
    window.resize(200, window.menuBar()->height() + 5);
    QCoreApplication::processEvents();
    ASSERT_LT(window.client()->height(), 17); // smaller than the strip: no room left for the player
    EXPECT_EQ(window.player()->height(), 0);
    EXPECT_EQ(window.player()->geometry(), MediaWindow::playerGeometry(window.client()->size()));
}

TEST_F(MediaWindowTest, CancelledDialogLeavesThePlayerAlone)
{
    ASSERT_TRUE(dir.isValid());
    const QString tone = dir.filePath(QStringLiteral("tone.wav"));
    ASSERT_TRUE(writeTone(tone));
    platform.openAnswers = {tone};
    action("mnuopen")->trigger();
    EXPECT_EQ(platform.openFilters, QStringList{QString()}); // no filter
    EXPECT_EQ(window.player()->fileName(), tone);
    EXPECT_EQ(window.player()->player()->source(), QUrl::fromLocalFile(tone));
    EXPECT_TRUE(window.player()->isPlaying());
    window.player()->stop();

    action("mnuopen")->trigger(); // empty queue: the user cancels
    EXPECT_EQ(platform.openFilters.size(), 2);
    EXPECT_EQ(window.player()->fileName(), tone);
    EXPECT_FALSE(window.player()->isPlaying()); // not started again
}

TEST_F(MediaWindowTest, UnplayableFileShowsTheReasonInsideThePlayer)
{
    ASSERT_TRUE(dir.isValid());
    const QString bad = dir.filePath(QStringLiteral("broken.mp3"));
    {
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
    }
    const QRect before = window.geometry();
    platform.openAnswers = {bad};
    action("mnuopen")->trigger();
    // The media framework gives up on the file in its own time.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return window.player()->statusText().startsWith(QStringLiteral("无法播放")); }, 10000))
        << window.player()->statusText().toStdString();
    EXPECT_TRUE(window.player()->statusText().contains(QStringLiteral("broken.mp3")));
    EXPECT_EQ(window.geometry(), before);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(platform.shownMessages.isEmpty());

    platform.openAnswers = {dir.filePath(QStringLiteral("missing.wav"))};
    action("mnuopen")->trigger();
    EXPECT_TRUE(window.player()->statusText().startsWith(QStringLiteral("找不到文件")));
    EXPECT_EQ(window.player()->player()->playbackState(), QMediaPlayer::StoppedState);
}

TEST_F(MediaWindowTest, OpeningAnotherFileReplacesTheOneThatPlays)
{
    ASSERT_TRUE(dir.isValid());
    const QString first = dir.filePath(QStringLiteral("first.wav"));
    const QString second = dir.filePath(QStringLiteral("second.wav"));
    ASSERT_TRUE(writeTone(first));
    ASSERT_TRUE(writeTone(second));
    platform.openAnswers = {first, second};
    action("mnuopen")->trigger();
    action("mnuopen")->trigger();
    EXPECT_EQ(window.player()->player()->source(), QUrl::fromLocalFile(second));
    EXPECT_TRUE(window.player()->isPlaying());
    EXPECT_EQ(window.player()->statusText(), QStringLiteral("♪  second.wav"));
}

TEST_F(MediaWindowTest, ExitClosesTheWindow)
{
    action("mnuExit")->trigger();
    EXPECT_FALSE(window.isVisible());
}

} // namespace

namespace {

using MediaMenu = test::ToolWindowTest<MediaWindow, Tool::Media>;

TEST_F(MediaMenu, TheMenuItemOpensTheMediaWindow)
{
    MediaWindow *w = open();
    ASSERT_TRUE(w);
    EXPECT_EQ(open(), w);
}

} // namespace
