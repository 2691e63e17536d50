// The processor's share of drawing a level: choosing the blocks the eye can
// see (rays over the grid), and ordering their walls nearest first, for each
// benchmark level at its view. Target:
// the 256 x 256 levels within 1.25 times the built-in level's cost where the
// view shows the same, and no growth with the level's area.

#include "BenchLevels.h"

#include "input/InputState.h"
#include "scene/LevelWallOrder.h"
#include "scene/W_LevelRenderer.h"
#include "system/TimerSystem.h"
#include "widgets/InputHandler.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

class QuietTimerSystem : public Quorvel::TimerSystem {
public:
    uint32_t getTime() override { return 0; }
    bool hasFailed() override { return false; }
};

void levelVisibleBlocks(benchmark::State& state, const std::string& name)
{
    QuietTimerSystem timer;
    Quorvel::W_LevelRenderer level(BenchLevels::level(name), Quorvel::SkyDome::WithoutGraphics());
    const BenchLevels::View view = BenchLevels::view(name);
    level.setPlayerPosition(Quorvel::Vector3(view.x, 8.0f, view.z));
    level.tick(1);
    for (auto _ : state) {
        level.updateVisibleBlocks();
        benchmark::DoNotOptimize(level.countVisibleBlocks());
    }
    state.counters["quads"] = static_cast<double>(level.countVisibleQuads());
    state.counters["blocks"] = static_cast<double>(level.countVisibleBlocks());
}

void levelWallOrder(benchmark::State& state, const std::string& name)
{
    QuietTimerSystem timer;
    Quorvel::W_LevelRenderer level(BenchLevels::level(name), Quorvel::SkyDome::WithoutGraphics());
    const BenchLevels::View view = BenchLevels::view(name);
    level.setPlayerPosition(Quorvel::Vector3(view.x, 8.0f, view.z));
    level.tick(1);
    level.updateVisibleBlocks();
    Quorvel::LevelWallOrder order(level.getGeometry());
    for (auto _ : state) {
        order.update(level.getVisibility().getVisible(), view.x, view.z);
        benchmark::DoNotOptimize(order.getIndices().data());
    }
    state.counters["walls"] = static_cast<double>(order.getQuadCount());
}

} // namespace

BENCHMARK_CAPTURE(levelVisibleBlocks, builtin, std::string("builtin"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(levelVisibleBlocks, corner256, std::string("corner256"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(levelVisibleBlocks, maze32, std::string("maze32"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(levelVisibleBlocks, maze128, std::string("maze128"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(levelVisibleBlocks, maze256, std::string("maze256"))->Unit(benchmark::kMicrosecond);

BENCHMARK_CAPTURE(levelWallOrder, builtin, std::string("builtin"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(levelWallOrder, corner256, std::string("corner256"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(levelWallOrder, maze256, std::string("maze256"))->Unit(benchmark::kMicrosecond);
