#include "ScriptedPlatform.h"
#include "app/MainFrame.h"
#include "app/ToolWindows.h"
#include "editor/Editor.h"

#include "BenchSupport.h"
#include <QApplication>

#include <benchmark/benchmark.h>

using namespace korvane;

// From nothing to the frame shown with "文档 1" and its events processed.
static void StartupToFirstShownFrame(benchmark::State &state)
{
    for (auto _ : state) {
        ScriptedPlatform platform;
        ToolWindows tools;
        MainFrame frame(platform, tools, {});
        frame.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(frame.editor().openCount());
    }
}
BENCHMARK(StartupToFirstShownFrame)->Unit(benchmark::kMillisecond);

// Filling the frame to the limit of 30 documents.
static void CreateThirtyDocuments(benchmark::State &state)
{
    ScriptedPlatform platform;
    ToolWindows tools;
    MainFrame frame(platform, tools, {});
    frame.show();
    QApplication::processEvents();
    for (auto _ : state) {
        for (int i = 2; i <= 30; ++i)
            frame.editor().newDocument();
        QApplication::processEvents();
        state.PauseTiming();
        frame.editor().closeAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        frame.editor().newDocument();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(CreateThirtyDocuments)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) { return korvane::runBenchmarks<QApplication>(argc, argv); }
