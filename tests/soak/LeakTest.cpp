#include "../app/RegisteredTools.h"
#include "ScriptedPlatform.h"
#include "app/MainFrame.h"
#include "app/ToolCatalog.h"
#include "app/ToolContext.h"
#include "app/ToolWindows.h"
#include "editor/Editor.h"
#include "editor/document/TextDocument.h"
#include "tools/saver/SaverLauncher.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <gtest/gtest.h>
#include <malloc.h>
#include <optional>
#include <unistd.h>

using namespace korvane;

// Opening and closing documents and tool windows over and over must give the memory
// back. Under the sanitized build LeakSanitizer checks every allocation at exit; in the
// normal build the resident size is compared. KORVANE_LEAK_ROUNDS makes the run longer.
namespace {

// GCC says so with __SANITIZE_ADDRESS__, clang with __has_feature.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool Sanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool Sanitized = true;
#else
constexpr bool Sanitized = false;
#endif
#else
constexpr bool Sanitized = false;
#endif

// Nothing when /proc cannot tell.
std::optional<double> residentMegabytes()
{
    malloc_trim(0); // freed memory the allocator still holds is not a leak
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    bool ok = false;
    const double pages = fields.size() > 1 ? fields[1].toDouble(&ok) : 0;
    if (!ok)
        return std::nullopt;
    return pages * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
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
template <typename Round>
void expectMemoryReturned(const char *what, int defaultRounds, Round round)
{
    for (int i = 0; i < 3; ++i)
        round();
    const std::optional<double> before = residentMegabytes();
    const int n = rounds(defaultRounds);
    for (int i = 0; i < n && !::testing::Test::HasFatalFailure(); ++i)
        round();
    const std::optional<double> after = residentMegabytes();
    if (Sanitized)
        return; // LeakSanitizer judges every allocation at exit
    if (!before || !after)
        GTEST_SKIP() << "/proc/self/statm cannot be read: resident memory was not measured";
    std::printf("%s x %d: resident %.1f MB -> %.1f MB\n", what, n, *before, *after);
    EXPECT_LT(*after - *before, 8.0) << what;
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
    test::RegisteredTools registered;
    ToolWindows &tools = registered.tools;
    auto round = [&] {
        for (const Tool tool : test::RegisteredTools::all) {
            const std::string name = toolMenuName(tool).toStdString();
            QWidget *w = tools.show(tool);
            ASSERT_NE(w, nullptr) << name;
            settle();
            w->close();
            settle();
            ASSERT_EQ(tools.window(tool), nullptr) << name;
        }
    };
    expectMemoryReturned("6 tool windows", 15, round);
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
