#include "editor/commands/DocumentSearch.h"
#include "editor/file/AnsiCodec.h"

#include "BenchFrame.h"
#include "BenchSupport.h"
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sys/resource.h>

using namespace korvane;

namespace {

constexpr qsizetype FileSize = 20 * 1000 * 1000;

// 20 MB of GB18030 text in lines of Chinese, ASCII and both, with the given line end,
// and a marker on the last line.
QString samplePath(const QTemporaryDir &dir, const char *lineEnd)
{
    const QString path = dir.filePath(QString::fromLatin1(lineEnd).toUtf8().toHex() + QStringLiteral(".txt"));
    if (QFile::exists(path))
        return path;
    const QStringList lines = {
        QStringLiteral("第%1行：这是一段用来测试打开和保存速度的中文文字。"),
        QStringLiteral("line %1: plain ASCII text, the kind a log file holds."),
        QStringLiteral("混合 %1 mixed 中文 and English 文字 in one line 行。"),
    };
    QByteArray out;
    out.reserve(FileSize + 100);
    for (int i = 0; out.size() < FileSize; ++i)
        out += AnsiCodec::encode(lines[i % 3].arg(i) + QLatin1String(lineEnd));
    out += "EndMarker";
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(out);
    return path;
}

void reportMemory(benchmark::State &state)
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MB"] = double(usage.ru_maxrss) / 1024.0;
}

// The frame with one document window holding a 20 MB file, as the user sees it.
struct Frame : BenchFrame {
    explicit Frame(const char *lineEnd = "\n") { open(samplePath(dir, lineEnd)); }
};

} // namespace

// "打开" of a 20 MB file until its text is painted, with either line end.
static void OpenAndPaint(benchmark::State &state, const char *lineEnd)
{
    Frame f(lineEnd);
    const QString path = samplePath(f.dir, lineEnd);
    for (auto _ : state) {
        state.PauseTiming();
        f.frame.editor().closeAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        f.frame.editor().newDocument();
        f.paint();
        f.platform.openAnswers.push_back(path);
        state.ResumeTiming();
        f.trigger("mnuOpen");
        f.paint();
    }
    if (f.doc().length() < FileSize / 2)
        state.SkipWithError("the file was not loaded");
    reportMemory(state);
}
BENCHMARK_CAPTURE(OpenAndPaint, lf, "\n")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(OpenAndPaint, crlf, "\r\n")->Unit(benchmark::kMillisecond)->Iterations(3);

// One character typed at the end of a 20 MB document: key press to repainted text box.
static void TypeAtTheEnd(benchmark::State &state)
{
    Frame f;
    f.doc().setSelStart(f.doc().length());
    f.paint();
    for (auto _ : state) {
        f.key(Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        f.paint();
    }
    if (!f.doc().text().endsWith(QStringLiteral("\nx")) && !f.doc().text().endsWith(QStringLiteral("xx")))
        state.SkipWithError("nothing was typed");
    reportMemory(state);
}
BENCHMARK(TypeAtTheEnd)->Unit(benchmark::kMillisecond);

// Ctrl+End from the top of a 20 MB document, until painted there.
static void CtrlEnd(benchmark::State &state)
{
    Frame f;
    for (auto _ : state) {
        state.PauseTiming();
        f.doc().setSelStart(0);
        f.paint();
        state.ResumeTiming();
        f.key(Qt::Key_End, Qt::ControlModifier);
        f.paint();
    }
    if (f.doc().selStart() != f.doc().length())
        state.SkipWithError("the caret is not at the end");
    reportMemory(state);
}
BENCHMARK(CtrlEnd)->Unit(benchmark::kMillisecond);

// "查找下一个" from the top to the match on the last line, until painted there.
static void FindNextToTheEnd(benchmark::State &state)
{
    Frame f;
    f.frame.editor().search().setText(QStringLiteral("endmarker"));
    for (auto _ : state) {
        state.PauseTiming();
        f.frame.editor().search().setPosition(0);
        f.doc().setSelStart(0);
        f.paint();
        state.ResumeTiming();
        f.trigger("mnuFindNext");
        f.paint();
    }
    if (f.doc().selText() != QStringLiteral("EndMarker"))
        state.SkipWithError("the match was not selected");
    reportMemory(state);
}
BENCHMARK(FindNextToTheEnd)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) { return korvane::runBenchmarks<QApplication>(argc, argv); }
