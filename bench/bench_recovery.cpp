#include "ScriptedPlatform.h"
#include "editor/Editor.h"
#include "editor/document/TextDocument.h"
#include "editor/recovery/RecoveryJournal.h"

#include "BenchSupport.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <ctime>
#include <unistd.h>

#include <benchmark/benchmark.h>

using namespace korvane;

namespace {

// The document's length in UTF-16 units: KORVANE_BENCH_UNITS, else 20 million (40 MB in
// memory). 536870912 (512 Mi units) is a document of 1 GiB in memory.
qsizetype documentUnits()
{
    bool ok = false;
    const qsizetype units = qgetenv("KORVANE_BENCH_UNITS").toLongLong(&ok);
    return ok && units > 0 ? units : 20'000'000;
}

qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * ::sysconf(_SC_PAGESIZE) : 0;
}

double threadCpuSeconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// A changed document with the caret at its end; its recovery file written once already.
struct Journaled {
    Journaled() : editor(platform, host), journal(editor, dir.filePath(QStringLiteral("recovery")))
    {
        editor.newDocument();
        const QString line = QStringLiteral("第%1行：这是一段用来测试恢复文件写入速度的中文文字, and some ASCII.\n");
        const qsizetype units = documentUnits();
        QString text;
        // Room to type into: the string's own growth is the document's cost, not the journal's.
        text.reserve(units + 100000);
        for (int i = 0; text.size() < units; ++i)
            text += line.arg(i);
        doc().setText(text);
        text = QString();
        doc().setSelStart(doc().length());
        platform.advanceTime(RecoveryJournal::WriteDelayMsec);
        journal.drain();
        // The first base goes on while the writer hands its buffers back.
        while (journal.isWritingBase(1)) {
            platform.advanceTime(10);
            journal.drain();
        }
    }
    TextDocument &doc() { return editor.document(1); }
    bool recorded() { return QFile(journal.recordPath(1)).size() >= doc().length() * 2; }
    // What two seconds of typing bring: 20 keys at the end of the text.
    void type()
    {
        for (int i = 0; i < 20; ++i)
            doc().setSelText(QStringLiteral("字"));
    }
    void report(benchmark::State &state, qint64 rssBefore)
    {
        const double growth = double(std::max<qint64>(residentBytes() - rssBefore, 0));
        state.counters["rss_growth_MB"] = growth / 1e6;
        state.counters["rss_growth_pct_of_text"] = 100 * growth / (double(doc().length()) * 2);
        state.counters["text_MB"] = double(doc().length()) * 2 / 1e6;
        if (!recorded())
            state.SkipWithError("the record was not written");
    }

    QTemporaryDir dir;
    ScriptedPlatform platform;
    SingleDocumentHost host;
    Editor editor;
    RecoveryJournal journal;
};

} // namespace

// What the GUI thread spends on one write of the journal while typing: the timer firing
// and two seconds' edits handed to the writer's thread.
static void JournalWriteOnGuiThread(benchmark::State &state)
{
    Journaled j;
    const qint64 rss = residentBytes();
    for (auto _ : state) {
        j.type();
        QElapsedTimer clock;
        clock.start();
        j.platform.advanceTime(RecoveryJournal::WriteDelayMsec);
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        j.journal.drain();
    }
    j.report(state, rss);
}
BENCHMARK(JournalWriteOnGuiThread)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

// The same write on the writer's thread: the edits appended and flushed.
static void JournalWriteOnWriterThread(benchmark::State &state)
{
    Journaled j;
    const qint64 rss = residentBytes();
    for (auto _ : state) {
        j.type();
        j.platform.advanceTime(RecoveryJournal::WriteDelayMsec);
        QElapsedTimer clock;
        clock.start();
        j.journal.drain();
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
    }
    j.report(state, rss);
}
BENCHMARK(JournalWriteOnWriterThread)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

// A keypress at the end of the document, the edit recorded for the journal.
static void Keypress(benchmark::State &state)
{
    Journaled j;
    int typed = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        j.doc().setSelText(QStringLiteral("x"));
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        if (++typed % 20 == 0) {
            j.platform.advanceTime(RecoveryJournal::WriteDelayMsec);
            j.journal.drain();
        }
    }
}
BENCHMARK(Keypress)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(200);

// A new base, due because the log grew, handed to the writer a slice at a time while
// idle: the time on the GUI thread for each slice (the longest the program is held up)
// and for the whole base, and the base's flush and rename on the writer's thread. Time
// goes by in steps of 1 ms; a step in which the GUI thread did nothing (the writer behind
// the disk, or no slice due) sleeps that long, as the event loop would. Arg 1: the
// kernel asked to start writing the base out as it is written, 0: only the final flush.
static void NewBaseInSlices(benchmark::State &state)
{
    Journaled j;
    const qint64 rss = residentBytes();
    RecoveryJournal::Tuning tuning;
    tuning.minLogBytes = tuning.maxLogBytes = 100;
    tuning.sliceDelayMsec = 1; // each slice a call of its own
    tuning.earlyWriteback = state.range(0) != 0;
    j.journal.setTuning(tuning);
    for (auto _ : state) {
        j.type();
        QElapsedTimer wall;
        wall.start();
        QElapsedTimer clock;
        clock.start();
        double cpuBefore = threadCpuSeconds();
        // The edits are appended, which takes the log past its limit: a base starts.
        j.platform.advanceTime(RecoveryJournal::WriteDelayMsec);
        double total = double(clock.nsecsElapsed()) / 1e9;
        double longest = total;
        double longestOnCpu = threadCpuSeconds() - cpuBefore;
        int slices = 1;
        int slow = total > 0.002;             // slices over 2 ms
        int slowOnCpu = longestOnCpu > 0.002; // slices that themselves took the GUI thread over 2 ms
        int waiting = 0;                      // steps without a slice
        while (j.journal.isWritingBase(1)) {
            const qsizetype before = j.journal.baseWritten(1);
            cpuBefore = threadCpuSeconds();
            clock.restart();
            j.platform.advanceTime(1);
            const double step = double(clock.nsecsElapsed()) / 1e9;
            const double onCpu = threadCpuSeconds() - cpuBefore;
            total += step;
            longest = std::max(longest, step);
            slow += step > 0.002;
            longestOnCpu = std::max(longestOnCpu, onCpu);
            slowOnCpu += onCpu > 0.002;
            if (j.journal.baseWritten(1) != before) {
                ++slices;
            } else {
                ++waiting;
                ::usleep(1000);
            }
        }
        // On a busy machine a slice's wall time also holds the time the thread waited for
        // a core; its CPU time is what the slice itself cost.
        state.counters["longest_slice_cpu_ms"] = longestOnCpu * 1e3;
        state.counters["slices_over_2ms_cpu"] = slowOnCpu;
        state.counters["base_handed_over_ms"] = double(wall.nsecsElapsed()) / 1e6;
        clock.restart();
        j.journal.drain();
        state.counters["writer_flush_ms"] = double(clock.nsecsElapsed()) / 1e6;
        state.counters["base_total_ms"] = double(wall.nsecsElapsed()) / 1e6;
        state.SetIterationTime(total);
        state.counters["slices"] = slices;
        state.counters["steps_waiting"] = waiting;
        state.counters["mean_slice_ms"] = total * 1e3 / slices;
        state.counters["longest_slice_ms"] = longest * 1e3;
        state.counters["slices_over_2ms"] = slow;
    }
    j.report(state, rss);
}
BENCHMARK(NewBaseInSlices)->Arg(1)->Arg(0)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char **argv) { return korvane::runBenchmarks<QCoreApplication>(argc, argv); }
