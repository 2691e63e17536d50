// One movement tick of the level (orientation, step, collision probes,
// camera view) while walking diagonally and turning, so both axes are probed.

#include "input/InputState.h"
#include "scene/W_LevelRenderer.h"
#include "system/TimerSystem.h"
#include "widgets/InputHandler.h"

#include <benchmark/benchmark.h>

namespace {

// The level registers with a timer system; this one never ticks anything.
class IdleTimerSystem : public Quorvel::TimerSystem {
public:
    uint32_t getTime() override { return 0; }
    bool hasFailed() override { return false; }
};

} // namespace

static void BM_LevelTick(benchmark::State& state)
{
    IdleTimerSystem timer;
    Quorvel::W_LevelRenderer level{Quorvel::SkyDome::WithoutGraphics()};
    for (uint32_t key : {119u, 100u}) { // w and d held
        Quorvel::InputState input;
        input.setKey(key);
        level.handleInput(Quorvel::KeyDown, input);
    }
    uint32_t ticks = 0;
    for (auto _ : state) {
        if (++ticks % 64 == 0)
            level.setPlayerPosition(Quorvel::Vector3(40.0f, 8.0f, -40.0f)); // back into the open
        level.tick(1);
        benchmark::DoNotOptimize(level.getPlayerPosition());
    }
}
BENCHMARK(BM_LevelTick);
