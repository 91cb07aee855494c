#include "ScriptedPlatform.h"
#include "tools/saver/SaverModule.h"
#include "tools/saver/SaverSession.h"

#include "BenchSupport.h"
#include <QGuiApplication>

#include <benchmark/benchmark.h>

using namespace korvane;

// One timer tick of the saver on a full-HD and a 4K screen: the batch must be drawn well
// within the 400 ms between ticks. Size 1 is the heaviest batch (200 circles), size 9 the
// one with the largest discs.
static void SaverTick(benchmark::State &state)
{
    ScriptedPlatform platform;
    SaverModule module;
    module.saverSize = int(state.range(0));
    SaverSession session(module, platform);
    session.load(QSize(int(state.range(1)), int(state.range(2))));
    for (auto _ : state) {
        session.tick();
        benchmark::DoNotOptimize(session.surface().constBits());
    }
}
BENCHMARK(SaverTick)
    ->Args({1, 1920, 1080})
    ->Args({5, 1920, 1080})
    ->Args({9, 1920, 1080})
    ->Args({1, 3840, 2160})
    ->Args({9, 3840, 2160})
    ->Unit(benchmark::kMillisecond);

// Starting a run: the frozen screen scaled onto a full-HD surface.
static void SaverLoad(benchmark::State &state)
{
    ScriptedPlatform platform;
    platform.saver.screenImage = QImage(1920, 1080, QImage::Format_RGB32);
    platform.saver.screenImage.fill(Qt::darkCyan);
    SaverModule module;
    module.saverSize = 5;
    for (auto _ : state) {
        SaverSession session(module, platform);
        session.load(QSize(1920, 1080));
        benchmark::DoNotOptimize(session.surface().constBits());
    }
}
BENCHMARK(SaverLoad)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) { return korvane::runBenchmarks<QGuiApplication>(argc, argv); }
