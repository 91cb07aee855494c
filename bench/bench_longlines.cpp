// The text box's slow corners: one line of 20 MB, and a 2 MB binary-like file whose every
// other character is shown as a labelled box. Each measures from the key press (or the
// open) until the text box has painted.

#include "BenchFrame.h"
#include "BenchSupport.h"
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace korvane;

namespace {

constexpr qsizetype LongLineSize = 20 * 1000 * 1000;
constexpr qsizetype BinarySize = 2 * 1000 * 1000;

// One line of 20 MB of words and tabs, then a short line (or nothing).
QString longLinePath(const QTemporaryDir &dir, bool nextLine = true)
{
    const QString path = dir.filePath(nextLine ? QStringLiteral("long.txt") : QStringLiteral("longonly.txt"));
    if (QFile::exists(path))
        return path;
    QByteArray out;
    out.reserve(LongLineSize + 16);
    while (out.size() < LongLineSize)
        out += "lorem ipsum\tdolor sit amet ";
    if (nextLine)
        out += "\nnext line\n";
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(out);
    return path;
}

// "a", a control character and a byte that does not decode, over and over: a binary
// file opened by mistake.
QString binaryPath(const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("binary.bin"));
    if (QFile::exists(path))
        return path;
    QByteArray out;
    out.reserve(BinarySize + 3);
    while (out.size() < BinarySize)
        out += "a\x01\xff";
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(out);
    return path;
}

struct Frame : BenchFrame {
    void type() { key(Qt::Key_X, Qt::NoModifier, QStringLiteral("x")); }
};

} // namespace

static void BinaryOpen(benchmark::State &state)
{
    Frame f;
    const QString path = binaryPath(f.dir);
    for (auto _ : state) {
        state.PauseTiming();
        f.frame.editor().closeAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        f.frame.editor().newDocument();
        f.paint();
        state.ResumeTiming();
        f.open(path);
    }
    if (f.doc().length() < BinarySize / 2)
        state.SkipWithError("the file was not loaded");
}
BENCHMARK(BinaryOpen)->Unit(benchmark::kMillisecond)->Iterations(3);

// A character typed at the start of the binary-like file.
static void BinaryKeystroke(benchmark::State &state)
{
    Frame f;
    f.open(binaryPath(f.dir));
    for (auto _ : state) {
        f.type();
        f.paint();
    }
    if (!f.doc().text().startsWith(QStringLiteral("x")))
        state.SkipWithError("nothing was typed");
}
BENCHMARK(BinaryKeystroke)->Unit(benchmark::kMillisecond);

// What one blink of the caret costs: its rectangle painted again.
static void BinaryCaretBlink(benchmark::State &state)
{
    Frame f;
    f.open(binaryPath(f.dir));
    f.key(Qt::Key_Right);
    f.paint();
    const QRect caret = f.box()->caretRect(f.box()->caretPosition()).adjusted(-1, 0, 2, 0);
    for (auto _ : state)
        f.box()->viewport()->repaint(caret);
}
BENCHMARK(BinaryCaretBlink)->Unit(benchmark::kMicrosecond);

static void LongLineTypeAtItsEnd(benchmark::State &state)
{
    Frame f;
    f.open(longLinePath(f.dir));
    f.doc().setSelStart(f.doc().lines().lineEnd(0));
    f.paint();
    for (auto _ : state) {
        f.type();
        f.paint();
    }
    if (f.doc().lines().lineLength(0) <= LongLineSize)
        state.SkipWithError("nothing was typed");
}
BENCHMARK(LongLineTypeAtItsEnd)->Unit(benchmark::kMillisecond);

static void LongLineTypeAtItsStart(benchmark::State &state)
{
    Frame f;
    f.open(longLinePath(f.dir));
    for (auto _ : state) {
        f.type();
        f.paint();
    }
    if (!f.doc().text().startsWith(QStringLiteral("x")))
        state.SkipWithError("nothing was typed");
}
BENCHMARK(LongLineTypeAtItsStart)->Unit(benchmark::kMillisecond);

// Typing on the short line after the long one, with the long line on screen.
static void LongLineTypeOnTheNextLine(benchmark::State &state)
{
    Frame f;
    f.open(longLinePath(f.dir));
    f.doc().setSelStart(f.doc().lines().lineStart(1));
    f.paint();
    for (auto _ : state) {
        f.type();
        f.paint();
    }
    if (!f.doc().text().mid(f.doc().lines().lineStart(1), 2).startsWith(QStringLiteral("x")))
        state.SkipWithError("nothing was typed");
}
BENCHMARK(LongLineTypeOnTheNextLine)->Unit(benchmark::kMillisecond);

// Ctrl+End from the start of a document that is one line of 20 MB (Open ends it with a
// line end), then Left to the line's end, until painted there. Each run is the first
// after the open: nothing of the line's end has been laid out yet.
static void LongLineCtrlEnd(benchmark::State &state)
{
    Frame f;
    f.open(longLinePath(f.dir, false));
    for (auto _ : state) {
        f.key(Qt::Key_End, Qt::ControlModifier);
        f.key(Qt::Key_Left);
        f.paint();
    }
    if (f.doc().selStart() != f.doc().lines().lineEnd(0) || f.doc().lines().lineLength(0) < LongLineSize)
        state.SkipWithError("the caret is not at the end of the long line");
}
BENCHMARK(LongLineCtrlEnd)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

int main(int argc, char **argv) { return korvane::runBenchmarks<QApplication>(argc, argv); }
