#include "app/MainFrame.h"
#include "app/ToolCatalog.h"
#include "app/ToolContext.h"
#include "app/ToolWindows.h"
#include "editor/Editor.h"
#include "editor/TextDocument.h"
#include "platform/ScriptedPlatform.h"
#include "tools/saver/SaverLauncher.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <malloc.h>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace korvane;

// Opening and closing documents and tool windows over and over must give the memory
// back. Under the sanitized build LeakSanitizer checks every allocation at exit; in the
// normal build the resident size is compared. KORVANE_LEAK_ROUNDS makes the run longer.
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool Sanitized = true;
#else
constexpr bool Sanitized = false;
#endif

double residentMegabytes()
{
    malloc_trim(0); // freed memory the allocator still holds is not a leak
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0;
}

void settle()
{
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

int rounds(int defaultRounds)
{
    return qEnvironmentVariableIsSet("KORVANE_LEAK_ROUNDS") ? qEnvironmentVariableIntValue("KORVANE_LEAK_ROUNDS")
                                                            : defaultRounds;
}

// Runs a few warm-up rounds, then the measured ones, and compares resident memory.
template <typename Round> void expectMemoryReturned(const char *what, int defaultRounds, Round round)
{
    for (int i = 0; i < 3; ++i)
        round();
    const double before = residentMegabytes();
    const int n = rounds(defaultRounds);
    for (int i = 0; i < n && !::testing::Test::HasFatalFailure(); ++i)
        round();
    const double after = residentMegabytes();
    std::printf("%s x %d: resident %.1f MB -> %.1f MB\n", what, n, before, after);
    if (!Sanitized)
        EXPECT_LT(after - before, 8.0) << what;
}

} // namespace

TEST(Leaks, ThirtyDocumentsOpenedAndClosedAgainAndAgain)
{
    ScriptedPlatform platform;
    ToolWindows tools;
    MainFrame frame(platform, tools, {});
    frame.show();
    auto round = [&] {
        for (int i = 0; i < 29; ++i)
            frame.editor().newDocument();
        for (int n = 1; n <= Editor::SlotCount; n += 3)
            frame.editor().document(n).setSelText(QStringLiteral("文本 %1\r\n").arg(n).repeated(50));
        for (int i = 0; i < Editor::SlotCount; ++i)
            platform.messageAnswers.push_back(MsgAnswer::No);
        ASSERT_TRUE(frame.editor().closeAll());
        settle();
        frame.editor().newDocument();
        settle();
    };
    expectMemoryReturned("30 documents", 40, round);
    EXPECT_EQ(frame.editor().openCount(), 1);
}

TEST(Leaks, EveryToolWindowOpenedAndClosedAgainAndAgain)
{
    QTemporaryDir dir; // the puzzle looks for its score files in the current folder
    const QString oldCurrent = QDir::currentPath();
    QDir::setCurrent(dir.path());
    ScriptedPlatform platform;
    ToolWindows tools;
    ToolContext context{platform, [] { return false; }};
    registerTools(tools, context);
    const QStringList names = {"fankai", "pt", "rily", "jsq", "mnuMP3", "mnuAbout"};
    auto round = [&] {
        for (const QString &name : names) {
            QWidget *w = tools.show(name);
            ASSERT_NE(w, nullptr) << name.toStdString();
            settle();
            w->close();
            settle();
            ASSERT_EQ(tools.window(name), nullptr) << name.toStdString();
        }
    };
    expectMemoryReturned("6 tool windows", 15, round);
    QDir::setCurrent(oldCurrent);
}

TEST(Leaks, ScreenSaverStartedAndClosedAgainAndAgain)
{
    ScriptedPlatform platform;
    SaverLauncher launcher(platform);
    auto round = [&] {
        launcher.startSaver();
        settle();
        QPointer<QWidget> w = launcher.window();
        ASSERT_TRUE(w);
        QTest::keyClick(w, Qt::Key_Space); // any key ends it
        settle();
        ASSERT_TRUE(w.isNull() || !w->isVisible());
    };
    expectMemoryReturned("screen saver", 15, round);
}
