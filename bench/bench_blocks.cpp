#include "ScriptedPlatform.h"
#include "tools/blocks/BlocksGame.h"
#include "tools/blocks/DecorativePicture.h"

#include "BenchSupport.h"
#include <QGuiApplication>

#include <array>
#include <benchmark/benchmark.h>

using namespace korvane;
using namespace korvane::blocks;

// One tick of the drop timer, with landings, row removal and the occasional new game
// (the game-over question answers Yes).
static void BM_DropStep(benchmark::State &state)
{
    ScriptedPlatform platform;
    BlocksGame game(platform);
    game.newGame();
    using Move = BlocksGame::Move;
    constexpr std::array moves{Move::Left, Move::Rotate, Move::Right, Move::Down};
    int n = 0;
    for (auto _ : state) {
        if (platform.messageAnswers.empty())
            platform.messageAnswers.push_back(MsgAnswer::Yes);
        game.applyMove(moves[(n++ * 7) % 4]); // a sideways move, a turn or a drop, then the tick
        game.dropStep();
        benchmark::DoNotOptimize(game.boardPicture().image().constBits());
    }
}
BENCHMARK(BM_DropStep);

// A full row removed from the board picture and the grid.
static void BM_RemoveRow(benchmark::State &state)
{
    BoardPicture picture;
    Board board;
    for (auto _ : state) {
        picture.removeRow(20);
        board.removeRow(20);
        benchmark::DoNotOptimize(picture.image().constBits());
    }
}
BENCHMARK(BM_RemoveRow);

// The window's photograph, painted when the window opens.
static void BM_DecorativePicture(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(DecorativePicture::make().constBits());
}
BENCHMARK(BM_DecorativePicture);

int main(int argc, char **argv) { return korvane::runBenchmarks<QGuiApplication>(argc, argv); }
