#include "app/MainFrame.h"
#include "app/ToolWindows.h"
#include "editor/AnsiCodec.h"
#include "editor/Editor.h"
#include "editor/TextDocument.h"
#include "platform/ScriptedPlatform.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include "BenchSupport.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

using namespace korvane;

namespace {

constexpr qsizetype FileSize = 20 * 1000 * 1000;

// 20 MB of GB18030: lines of Chinese, of ASCII, and of both, about 60 bytes each.
QByteArray sampleFile()
{
    static const QByteArray bytes = [] {
        const QStringList lines = {
            QStringLiteral("第%1行：这是一段用来测试打开和保存速度的中文文字。"),
            QStringLiteral("line %1: plain ASCII text, the kind a log file holds."),
            QStringLiteral("混合 %1 mixed 中文 and English 文字 in one line 行。"),
        };
        QByteArray out;
        out.reserve(FileSize + 100);
        for (int i = 0; out.size() < FileSize; ++i)
            out += AnsiCodec::encode(lines[i % 3].arg(i) + QStringLiteral("\r\n"));
        return out;
    }();
    return bytes;
}

QString samplePath(const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("sample.txt"));
    if (!QFile::exists(path)) {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(sampleFile());
    }
    return path;
}

void reportMemory(benchmark::State &state)
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MB"] = double(usage.ru_maxrss) / 1024.0;
    state.SetBytesProcessed(int64_t(state.iterations()) * sampleFile().size());
}

struct Frame {
    Frame() : frame(platform, tools, {})
    {
        frame.show();
        QApplication::processEvents();
    }
    void trigger(const char *name) { frame.findChild<QAction *>(QString::fromLatin1(name))->trigger(); }
    // The text shown: events handled and the document window painted.
    void showIt()
    {
        QApplication::processEvents();
        if (QMdiSubWindow *w = frame.mdiArea()->currentSubWindow())
            w->repaint();
    }

    ScriptedPlatform platform;
    ToolWindows tools;
    MainFrame frame;
};

} // namespace

static void DecodeGb18030(benchmark::State &state)
{
    const QByteArray bytes = sampleFile();
    for (auto _ : state)
        benchmark::DoNotOptimize(AnsiCodec::decode(bytes));
    reportMemory(state);
}
BENCHMARK(DecodeGb18030)->Unit(benchmark::kMillisecond);

static void EncodeGb18030(benchmark::State &state)
{
    const QString text = AnsiCodec::decode(sampleFile());
    for (auto _ : state)
        benchmark::DoNotOptimize(AnsiCodec::encode(text));
    reportMemory(state);
}
BENCHMARK(EncodeGb18030)->Unit(benchmark::kMillisecond);

// "打开" of a 20 MB file until its text is painted in the document window.
static void OpenIntoDocumentWindow(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = samplePath(dir);
    Frame f;
    for (auto _ : state) {
        f.platform.openAnswers.push_back(path);
        f.trigger("mnuOpen");
        f.showIt();
        state.PauseTiming();
        f.frame.editor().closeAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the old window goes now
        f.frame.editor().newDocument();
        f.showIt();
        state.ResumeTiming();
    }
    if (f.frame.editor().document(1).length() != 0)
        state.SkipWithError("the document was not replaced");
    reportMemory(state);
}
BENCHMARK(OpenIntoDocumentWindow)->Unit(benchmark::kMillisecond)->Iterations(3);

// "保存" of the 20 MB text of a document window to its file.
static void SaveFromDocumentWindow(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = samplePath(dir);
    Frame f;
    f.platform.openAnswers.push_back(path);
    f.trigger("mnuOpen");
    f.showIt();
    f.frame.editor().document(1).setSelText(QStringLiteral("x"));
    for (auto _ : state) {
        f.trigger("mnuSave");
        f.showIt();
    }
    if (!f.platform.shownMessages.isEmpty())
        state.SkipWithError("saving failed");
    reportMemory(state);
}
BENCHMARK(SaveFromDocumentWindow)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char **argv) { return korvane::runBenchmarks<QApplication>(argc, argv); }
