#include "ScriptedPlatform.h"
#include "editor/Editor.h"
#include "editor/TextDocument.h"
#include "editor/recovery/RecoveryJournal.h"

#include "BenchSupport.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

using namespace korvane;

namespace {

// A document of 20 million UTF-16 units (40 MB in memory, at least 20 MB as a file),
// changed, with the caret at its end; its recovery file written once already.
struct Journaled {
    Journaled() : editor(platform, host), journal(editor, dir.filePath(QStringLiteral("recovery")))
    {
        editor.newDocument();
        const QString line = QStringLiteral("第%1行：这是一段用来测试恢复文件写入速度的中文文字, and some ASCII.\r\n");
        QString text;
        text.reserve(20'000'100);
        for (int i = 0; text.size() < 20'000'000; ++i)
            text += line.arg(i);
        doc().setText(text);
        doc().setSelStart(doc().length());
        platform.advanceTime(RecoveryJournal::WriteDelayMsec);
        journal.drain();
    }
    TextDocument &doc() { return editor.document(1); }
    bool recorded() const { return QFile(journal.recordPath(1)).size() > 40'000'000; }

    QTemporaryDir dir;
    ScriptedPlatform platform;
    SingleDocumentHost host;
    Editor editor;
    RecoveryJournal journal;
};

} // namespace

// What the GUI thread spends on one write of the journal: the timer firing, the record
// taken from the document and handed to the writer's thread.
static void JournalWriteOnGuiThread(benchmark::State &state)
{
    Journaled j;
    for (auto _ : state) {
        j.doc().setSelText(QStringLiteral("x"));
        QElapsedTimer clock;
        clock.start();
        j.platform.advanceTime(RecoveryJournal::WriteDelayMsec);
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        j.journal.drain();
    }
    if (!j.recorded())
        state.SkipWithError("the record was not written");
}
BENCHMARK(JournalWriteOnGuiThread)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

// The same write on the writer's thread: encoding, writing and flushing 40 MB.
static void JournalWriteOnWriterThread(benchmark::State &state)
{
    Journaled j;
    for (auto _ : state) {
        j.doc().setSelText(QStringLiteral("x"));
        j.platform.advanceTime(RecoveryJournal::WriteDelayMsec);
        QElapsedTimer clock;
        clock.start();
        j.journal.drain();
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
    }
    if (!j.recorded())
        state.SkipWithError("the record was not written");
}
BENCHMARK(JournalWriteOnWriterThread)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// How long after a write was handed out the writer still shares the document's text:
// a keypress within this time has to copy the whole text before changing it.
static void TextSharedWithTheWriter(benchmark::State &state)
{
    Journaled j;
    for (auto _ : state) {
        j.doc().setSelText(QStringLiteral("x"));
        j.platform.advanceTime(RecoveryJournal::WriteDelayMsec);
        QElapsedTimer clock;
        clock.start();
        while (!j.doc().text().isDetached())
            QThread::yieldCurrentThread();
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        j.journal.drain();
    }
}
BENCHMARK(TextSharedWithTheWriter)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

// A keypress at the end of the document with no write in progress...
static void KeypressAlone(benchmark::State &state)
{
    Journaled j;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        j.doc().setSelText(QStringLiteral("x"));
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        j.platform.advanceTime(RecoveryJournal::WriteDelayMsec);
        j.journal.drain();
    }
}
BENCHMARK(KeypressAlone)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

// ...and one right after a write was handed out, while the writer still shares the
// text: the worst case, where the keypress has to copy the text before changing it.
static void KeypressRightAfterAWriteStarted(benchmark::State &state)
{
    Journaled j;
    for (auto _ : state) {
        j.doc().setSelText(QStringLiteral("x"));
        j.platform.advanceTime(RecoveryJournal::WriteDelayMsec);
        QElapsedTimer clock;
        clock.start();
        j.doc().setSelText(QStringLiteral("y"));
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        j.journal.drain();
    }
}
BENCHMARK(KeypressRightAfterAWriteStarted)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

int main(int argc, char **argv) { return korvane::runBenchmarks<QCoreApplication>(argc, argv); }
