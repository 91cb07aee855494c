#include "editor/commands/DocumentSearch.h"
#include "editor/document/LineIndex.h"

#include "BenchFrame.h"
#include "BenchSupport.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>

#include <benchmark/benchmark.h>
#include <memory>
#include <sys/resource.h>

using namespace korvane;

// The editor on a document of a gigabyte: everything after the file is read. The text is
// decoded here and handed to the editor as Open hands it over, so these figures do not
// depend on how a file of that size is read. The file comes from KORVANE_BIGDOC_FILE.

namespace {

const QString Marker = QStringLiteral("EndMarker");

QString bigPath()
{
    const QString env = qEnvironmentVariable("KORVANE_BIGDOC_FILE");
    return env.isEmpty() ? QStringLiteral("/tmp/peerbench/data/text_1G_utf8.txt") : env;
}

double currentRssMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

double peakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// The text of the file (UTF-8) with a marker line at its end for Find Next; empty when the
// file is missing.
QString readBigText()
{
    QFile file(bigPath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // Mapped, not read: the bytes are not a second gigabyte of private memory.
    uchar *bytes = file.map(0, file.size());
    if (!bytes)
        return {};
    QString text = QString::fromUtf8(reinterpret_cast<const char *>(bytes), file.size());
    file.unmap(bytes);
    text += Marker;
    return text;
}

// The frame with one document window holding the big text, as the user sees it.
struct Frame : BenchFrame {
    qsizetype loadedLength = 0;
};

std::unique_ptr<Frame> g_frame;

// The loaded frame, shared by every benchmark (loading it takes seconds); nullptr and a
// skip when there is no file.
Frame *loadedFrame(benchmark::State &state)
{
    if (!g_frame) {
        QString text = readBigText();
        if (text.isEmpty()) {
            state.SkipWithError(
                qPrintable(QStringLiteral("no big file at %1 (set KORVANE_BIGDOC_FILE)").arg(bigPath())));
            return nullptr;
        }
        g_frame = std::make_unique<Frame>();
        g_frame->loadedLength = text.size();
        // What Open does: the snapshot first, then the text replaces the document's.
        g_frame->editor().document(1).beginCommand();
        g_frame->editor().document(1).load(text);
        g_frame->editor().document(1).settle(TextDocument::Settled::Replaced);
        text.clear();
        g_frame->paint();
    }
    return g_frame.get();
}

void reportMemory(benchmark::State &state)
{
    state.counters["rss_MB"] = currentRssMb();
    state.counters["peak_rss_MB"] = peakRssMb();
}

} // namespace

// The decoded text handed to the editor until the text box has painted it, and the memory
// that takes: the text, its line index and the view.
static void LoadAndPaint(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        const double before = currentRssMb();
        QString text = readBigText();
        if (text.isEmpty()) {
            state.SkipWithError(
                qPrintable(QStringLiteral("no big file at %1 (set KORVANE_BIGDOC_FILE)").arg(bigPath())));
            return;
        }
        g_frame.reset();
        g_frame = std::make_unique<Frame>();
        g_frame->loadedLength = text.size();
        g_frame->paint();
        state.ResumeTiming();
        g_frame->editor().document(1).beginCommand();
        g_frame->editor().document(1).load(text);
        g_frame->editor().document(1).settle(TextDocument::Settled::Replaced);
        text.clear();
        g_frame->paint();
        state.PauseTiming();
        state.counters["text_MB"] = double(g_frame->loadedLength) * 2 / 1024 / 1024;
        state.counters["rss_over_start_MB"] = currentRssMb() - before;
        state.ResumeTiming();
    }
    const LineIndex &lines = g_frame->doc().lines();
    state.counters["lines"] = double(lines.lineCount());
    state.counters["index_bytes_per_line"] = double(lines.memoryBytes()) / double(lines.lineCount());
    reportMemory(state);
}
BENCHMARK(LoadAndPaint)->Unit(benchmark::kMillisecond)->Iterations(1);

// The line index of the whole text, as built once after Open.
static void BuildLineIndex(benchmark::State &state)
{
    Frame *f = loadedFrame(state);
    if (!f)
        return;
    for (auto _ : state) {
        const LineIndex index(f->doc().text());
        benchmark::DoNotOptimize(index.lineCount());
    }
}
BENCHMARK(BuildLineIndex)->Unit(benchmark::kMillisecond)->Iterations(3);

// One character typed at the end: key press to repainted text box.
static void TypeAtTheEnd(benchmark::State &state)
{
    Frame *f = loadedFrame(state);
    if (!f)
        return;
    f->doc().setSelStart(f->doc().length());
    f->paint();
    const qsizetype before = f->doc().length();
    for (auto _ : state) {
        f->key(Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        f->paint();
    }
    if (f->doc().length() != before + qsizetype(state.iterations()))
        state.SkipWithError("not every key was typed");
    reportMemory(state);
}
BENCHMARK(TypeAtTheEnd)->Unit(benchmark::kMillisecond);

// The first character typed after a command took the undo snapshot (Open, Paste, ...):
// the keystroke that would pay for a copy of the whole text if the snapshot shared it.
static void TypeAfterSnapshot(benchmark::State &state)
{
    Frame *f = loadedFrame(state);
    if (!f)
        return;
    for (auto _ : state) {
        state.PauseTiming();
        f->doc().setSelStart(f->doc().length());
        f->editor().document(1).beginCommand();
        f->paint();
        state.ResumeTiming();
        f->key(Qt::Key_Y, Qt::NoModifier, QStringLiteral("y"));
        f->paint();
    }
    if (!f->doc().text().endsWith(QLatin1Char('y')))
        state.SkipWithError("nothing was typed");
    reportMemory(state);
}
BENCHMARK(TypeAfterSnapshot)->Unit(benchmark::kMillisecond)->Iterations(5);

// One character typed at the very start: everything after it moves.
static void TypeAtTheStart(benchmark::State &state)
{
    Frame *f = loadedFrame(state);
    if (!f)
        return;
    f->doc().setSelStart(0);
    f->paint();
    for (auto _ : state) {
        f->key(Qt::Key_S, Qt::NoModifier, QStringLiteral("s"));
        f->paint();
    }
    if (!f->doc().text().startsWith(QLatin1Char('s')))
        state.SkipWithError("nothing was typed");
    reportMemory(state);
}
BENCHMARK(TypeAtTheStart)->Unit(benchmark::kMillisecond)->Iterations(10);

// Backspace at the end of the longest line, which then is no longer the longest one
// (a character is typed there first, untimed).
static void BackspaceOnTheLongestLine(benchmark::State &state)
{
    Frame *f = loadedFrame(state);
    if (!f)
        return;
    const LineIndex &lines = f->doc().lines();
    qsizetype line = lines.lineCount() - 1;
    while (line > 0 && lines.lineLength(line) != lines.longestLine())
        --line;
    for (auto _ : state) {
        state.PauseTiming();
        f->doc().setSelStart(f->doc().lines().lineEnd(line));
        f->key(Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        f->paint();
        state.ResumeTiming();
        f->key(Qt::Key_Backspace);
        f->paint();
    }
    reportMemory(state);
}
BENCHMARK(BackspaceOnTheLongestLine)->Unit(benchmark::kMillisecond)->Iterations(20);

// Ctrl+End from the top, until painted there.
static void CtrlEnd(benchmark::State &state)
{
    Frame *f = loadedFrame(state);
    if (!f)
        return;
    for (auto _ : state) {
        state.PauseTiming();
        f->doc().setSelStart(0);
        f->paint();
        state.ResumeTiming();
        f->key(Qt::Key_End, Qt::ControlModifier);
        f->paint();
    }
    if (f->doc().selStart() != f->doc().length())
        state.SkipWithError("the caret is not at the end");
    reportMemory(state);
}
BENCHMARK(CtrlEnd)->Unit(benchmark::kMillisecond)->Iterations(10);

// "查找下一个" from the top to the marker on the last line, until painted there: the
// needle as typed, with and without match case, and of 3 letters (a different way of
// searching). A needle of one character that is nowhere is searched for through the whole
// text, to "Cannot Find".
static void FindNextToTheEnd(benchmark::State &state, const char16_t *needle, bool matchCase)
{
    Frame *f = loadedFrame(state);
    if (!f)
        return;
    DocumentSearch &search = f->editor().search();
    const QString text = QString::fromUtf16(needle);
    search.setText(text);
    search.setMatchCase(matchCase);
    for (auto _ : state) {
        state.PauseTiming();
        search.setPosition(0);
        f->doc().setSelStart(0);
        f->paint();
        state.ResumeTiming();
        f->trigger("mnuFindNext");
        f->paint();
    }
    const bool found = search.position() > 0;
    if (found != Marker.contains(text, Qt::CaseInsensitive) ||
        (found && f->doc().selText().compare(text, Qt::CaseInsensitive) != 0))
        state.SkipWithError("the search went wrong");
    reportMemory(state);
}
BENCHMARK_CAPTURE(FindNextToTheEnd, match_case, u"EndMarker", true)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(FindNextToTheEnd, any_case, u"endmarker", false)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(FindNextToTheEnd, any_case_3, u"dma", false)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(FindNextToTheEnd, match_case_3, u"dMa", true)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(FindNextToTheEnd, any_case_absent_1, u"\u00a7", false)->Unit(benchmark::kMillisecond)->Iterations(3);

// The whole text replaced by "全选" and one command, then brought back by "撤销": one of
// the two halves is timed, the other one runs untimed. clipboard is what "粘贴" finds.
enum class Timed { Replace, Undo };
static void replaceWholeTextAndUndo(benchmark::State &state, Timed timed, const char *command, const QString &expected,
                                    const QString &clipboard = QString())
{
    Frame *f = loadedFrame(state);
    if (!f)
        return;
    f->platform.setClipboardText(clipboard);
    const qsizetype length = f->doc().length();
    for (auto _ : state) {
        if (timed == Timed::Undo)
            state.PauseTiming();
        f->trigger("mnuSelectAll");
        f->trigger(command);
        f->paint();
        if (timed == Timed::Replace)
            state.PauseTiming();
        if (f->doc().text() != expected)
            state.SkipWithError("the text was not replaced");
        if (timed == Timed::Undo)
            state.ResumeTiming();
        f->trigger("mnuUndo");
        f->paint();
        if (timed == Timed::Replace)
            state.ResumeTiming();
    }
    if (f->doc().length() != length)
        state.SkipWithError("Undo did not bring the text back");
    reportMemory(state);
}

// "全选" and "删除" of the whole text, then "撤销" to bring it back (each timed on its own).
static void SelectAllDelete(benchmark::State &state)
{
    replaceWholeTextAndUndo(state, Timed::Replace, "mnuDelete", QString());
}
BENCHMARK(SelectAllDelete)->Unit(benchmark::kMillisecond)->Iterations(2);

// "全选" and "粘贴" of a line over the whole text ("撤销" after it untimed).
static void SelectAllPaste(benchmark::State &state)
{
    const QString line = QStringLiteral("pasted\r\n");
    replaceWholeTextAndUndo(state, Timed::Replace, "mnuPaste", line, line);
}
BENCHMARK(SelectAllPaste)->Unit(benchmark::kMillisecond)->Iterations(2);

static void UndoWholeText(benchmark::State &state)
{
    replaceWholeTextAndUndo(state, Timed::Undo, "mnuDelete", QString());
}
BENCHMARK(UndoWholeText)->Unit(benchmark::kMillisecond)->Iterations(2);

// The first character typed after "撤销" brought back the whole text.
static void TypeAfterUndo(benchmark::State &state)
{
    Frame *f = loadedFrame(state);
    if (!f)
        return;
    for (auto _ : state) {
        state.PauseTiming();
        f->trigger("mnuSelectAll");
        f->trigger("mnuDelete");
        f->trigger("mnuUndo");
        f->doc().setSelStart(f->doc().length());
        f->paint();
        state.ResumeTiming();
        f->key(Qt::Key_W, Qt::NoModifier, QStringLiteral("w"));
        f->paint();
    }
    if (!f->doc().text().endsWith(QLatin1Char('w')))
        state.SkipWithError("nothing was typed");
    reportMemory(state);
}
BENCHMARK(TypeAfterUndo)->Unit(benchmark::kMillisecond)->Iterations(2);

// Undo after typing at the end: the snapshot is the text as Open left it.
static void UndoAfterTyping(benchmark::State &state)
{
    Frame *f = loadedFrame(state);
    if (!f)
        return;
    for (auto _ : state) {
        state.PauseTiming();
        f->doc().setSelStart(f->doc().length());
        f->editor().document(1).beginCommand();
        for (int i = 0; i < 20; ++i)
            f->key(Qt::Key_Z, Qt::NoModifier, QStringLiteral("z"));
        f->paint();
        state.ResumeTiming();
        f->trigger("mnuUndo");
        f->paint();
    }
    if (f->doc().text().endsWith(QLatin1Char('z')))
        state.SkipWithError("Undo did not remove the typing");
    reportMemory(state);
}
BENCHMARK(UndoAfterTyping)->Unit(benchmark::kMillisecond)->Iterations(2);

int main(int argc, char **argv)
{
    // The windows go before the application does.
    return runBenchmarks<QApplication>(argc, argv, [] { g_frame.reset(); });
}
