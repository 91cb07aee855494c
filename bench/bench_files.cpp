#include "ScriptedPlatform.h"
#include "app/MainFrame.h"
#include "app/ToolWindows.h"
#include "editor/Editor.h"
#include "editor/document/TextDocument.h"
#include "editor/file/AnsiCodec.h"
#include "editor/file/TextFile.h"

#include "BenchSupport.h"
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sys/resource.h>

using namespace korvane;

namespace {

constexpr qsizetype FileSize = 20 * 1000 * 1000;

enum class Sample { Gb18030, Utf8, Utf8BrokenAtTheEnd };

// 20 MB of GB18030 or UTF-8: lines of Chinese, of ASCII, and of both, about 60 bytes
// each, with CR LF line ends or LF ones. The broken UTF-8 ends in a byte that is not
// UTF-8, so that the whole text read as UTF-8 is read again as GB18030.
QByteArray sampleFile(bool lf = false, Sample kind = Sample::Gb18030)
{
    static QByteArray made[2][3];
    QByteArray &bytes = made[lf][int(kind)];
    if (bytes.isEmpty()) {
        const QString lineEnd = lf ? QStringLiteral("\n") : QStringLiteral("\r\n");
        const QStringList lines = {
            QStringLiteral("第%1行：这是一段用来测试打开和保存速度的中文文字。"),
            QStringLiteral("line %1: plain ASCII text, the kind a log file holds."),
            QStringLiteral("混合 %1 mixed 中文 and English 文字 in one line 行。"),
        };
        bytes.reserve(FileSize + 100);
        for (int i = 0; bytes.size() < FileSize; ++i) {
            const QString line = lines[i % 3].arg(i) + lineEnd;
            bytes += kind == Sample::Gb18030 ? AnsiCodec::encode(line) : line.toUtf8();
        }
        if (kind == Sample::Utf8BrokenAtTheEnd)
            bytes += '\xFF';
    }
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

// The sample with the given line ends, `copies` times over, in a file kept for the whole run.
QString sampleFilePath(bool lf, int copies, Sample kind = Sample::Gb18030)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(
        QStringLiteral("sample-%1-%2-%3.txt").arg(lf ? "lf" : "crlf").arg(copies).arg(int(kind)));
    if (!QFile::exists(path)) {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        for (int i = 0; i < copies; ++i)
            f.write(sampleFile(lf, kind));
    }
    return path;
}

// A field of /proc/self/status, in kB.
qint64 statusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

// Linux lowers the high-water mark of resident memory (VmHWM) to what is resident now,
// so that the peak of one operation can be read afterwards.
void resetPeakMemory()
{
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (clearRefs.open(QIODevice::WriteOnly))
        clearRefs.write("5");
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

// Reading a file as Open does, decoding and line ends included, without any view.
// peak_rss_MB is the whole process's peak during a read, read_MB what the read added to
// the memory resident before it.
static void ReadTextFile(benchmark::State &state, bool lf, int copies, Sample kind = Sample::Gb18030)
{
    const QString path = sampleFilePath(lf, copies, kind);
    const qint64 fileSize = QFileInfo(path).size();
    qint64 peakKb = 0;
    qint64 addedKb = 0;
    for (auto _ : state) {
        state.PauseTiming();
        resetPeakMemory();
        const qint64 beforeKb = statusKb("VmRSS:");
        state.ResumeTiming();
        TextFile::ReadResult read = TextFile::read(path);
        state.PauseTiming();
        peakKb = std::max(peakKb, statusKb("VmHWM:"));
        addedKb = std::max(addedKb, statusKb("VmHWM:") - beforeKb);
        if (!read.ok || read.text.size() < fileSize / 2)
            state.SkipWithError("the file was not read");
        read = {}; // freed outside the timing
        state.ResumeTiming();
    }
    state.counters["peak_rss_MB"] = double(peakKb) / 1024.0;
    state.counters["read_MB"] = double(addedKb) / 1024.0;
    state.SetBytesProcessed(int64_t(state.iterations()) * fileSize);
}
BENCHMARK_CAPTURE(ReadTextFile, Gb18030_20MB_Lf, true, 1)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(ReadTextFile, Gb18030_20MB_CrLf, false, 1)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(ReadTextFile, Gb18030_100MB_Lf, true, 5)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(ReadTextFile, Utf8_20MB_Lf, true, 1, Sample::Utf8)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(ReadTextFile, Utf8_20MB_CrLf, false, 1, Sample::Utf8)->Unit(benchmark::kMillisecond)->Iterations(5);
// The worst case of detection: valid UTF-8 up to the last byte, then read as GB18030.
BENCHMARK_CAPTURE(ReadTextFile, Utf8BrokenAtTheEnd_20MB_Lf, true, 1, Sample::Utf8BrokenAtTheEnd)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

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

namespace {

// The big sample files, shared with the side-by-side runs: in $KORVANE_BENCH_DATA, by
// default /tmp/peerbench/data. Empty, with a message, when the file is not there.
QString bigFile(const char *name, benchmark::State &state)
{
    const QByteArray folder = qgetenv("KORVANE_BENCH_DATA");
    const QString path = QString::fromLocal8Bit(folder.isEmpty() ? QByteArray("/tmp/peerbench/data") : folder) +
                         QLatin1Char('/') + QLatin1String(name);
    if (!QFileInfo(path).isFile()) {
        state.SkipWithError(qPrintable(QStringLiteral("%1 is missing (set KORVANE_BENCH_DATA)").arg(path)));
        return {};
    }
    return path;
}

} // namespace

// "打开" of a big file in the frame, from the menu command until the text is painted:
// reading, decoding, the line index and the first screen. peak_rss_MB is the process's
// peak meanwhile.
static void OpenBigFile(benchmark::State &state, const char *name)
{
    const QString path = bigFile(name, state);
    if (path.isEmpty())
        return;
    Frame f;
    qint64 peakKb = 0;
    for (auto _ : state) {
        state.PauseTiming();
        resetPeakMemory();
        state.ResumeTiming();
        f.platform.openAnswers.push_back(path);
        f.trigger("mnuOpen");
        f.showIt();
        state.PauseTiming();
        peakKb = std::max(peakKb, statusKb("VmHWM:"));
        if (f.frame.editor().document(1).length() < QFileInfo(path).size() / 4 || !f.platform.shownMessages.isEmpty())
            state.SkipWithError("the file was not opened");
        f.frame.editor().closeAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        f.frame.editor().newDocument();
        f.showIt();
        state.ResumeTiming();
    }
    state.counters["peak_rss_MB"] = double(peakKb) / 1024.0;
    state.SetBytesProcessed(int64_t(state.iterations()) * QFileInfo(path).size());
}
BENCHMARK_CAPTURE(OpenBigFile, Utf8_20MB, "text_20M_utf8.txt")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(OpenBigFile, Gb18030_20MB, "text_20M_gb18030.txt")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(OpenBigFile, Utf8_100MB, "text_100M_utf8.txt")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(OpenBigFile, Utf8_1GB, "text_1G_utf8.txt")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(OpenBigFile, Gb18030_1GB, "text_1G_gb18030.txt")->Unit(benchmark::kMillisecond)->Iterations(1);

// Only the reading of a big file (TextFile::read: reading, decoding, line ends), without
// the document and the view, to tell the two apart.
static void ReadBigFile(benchmark::State &state, const char *name)
{
    const QString path = bigFile(name, state);
    if (path.isEmpty())
        return;
    qint64 peakKb = 0;
    for (auto _ : state) {
        state.PauseTiming();
        resetPeakMemory();
        state.ResumeTiming();
        TextFile::ReadResult read = TextFile::read(path);
        state.PauseTiming();
        peakKb = std::max(peakKb, statusKb("VmHWM:"));
        if (!read.ok)
            state.SkipWithError("the file was not read");
        read = {};
        state.ResumeTiming();
    }
    state.counters["peak_rss_MB"] = double(peakKb) / 1024.0;
    state.SetBytesProcessed(int64_t(state.iterations()) * QFileInfo(path).size());
}
BENCHMARK_CAPTURE(ReadBigFile, Utf8_1GB, "text_1G_utf8.txt")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(ReadBigFile, Gb18030_1GB, "text_1G_gb18030.txt")->Unit(benchmark::kMillisecond)->Iterations(1);

// "保存" of the document of the 1 GB UTF-8 file, changed by one character, to a new file
// beside the benchmark's own files (flushed to disk, as every Save is).
static void SaveBigDocument(benchmark::State &state)
{
    const QString source = bigFile("text_1G_utf8.txt", state);
    if (source.isEmpty())
        return;
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("saved.txt"));
    Frame f;
    f.platform.openAnswers.push_back(source);
    f.trigger("mnuOpen");
    f.showIt();
    f.frame.editor().document(1).setSelText(QStringLiteral("x"));
    qint64 peakKb = 0;
    for (auto _ : state) {
        state.PauseTiming();
        resetPeakMemory();
        const qint64 beforeKb = statusKb("VmRSS:");
        state.ResumeTiming();
        f.platform.saveAnswers.push_back(target);
        f.trigger("mnuSaveAs");
        f.showIt();
        state.PauseTiming();
        peakKb = std::max(peakKb, statusKb("VmHWM:") - beforeKb);
        state.ResumeTiming();
    }
    if (!f.platform.shownMessages.isEmpty() || QFileInfo(target).size() < QFileInfo(source).size())
        state.SkipWithError("saving failed");
    state.counters["added_rss_MB"] = double(peakKb) / 1024.0;
    state.SetBytesProcessed(int64_t(state.iterations()) * QFileInfo(source).size());
}
BENCHMARK(SaveBigDocument)->Unit(benchmark::kMillisecond)->Iterations(2);

int main(int argc, char **argv) { return korvane::runBenchmarks<QApplication>(argc, argv); }
