// quorvel-frame-bench: whole frames of the level on the display (sky, floor,
// walls, minimap, finished by the OpenGL driver), a fixed number of frames a
// level, each benchmark level from its view. Needs DISPLAY; the engine comes
// up as in the drawing tests (1024 x 768), in a private temporary directory. Target: the 256 x 256 levels
// within 1.25 times the built-in level's frame time at the same view.
//
//   quorvel-frame-bench [--benchmark_filter=...]

#include "../BenchLevels.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include "input/InputState.h"
#include "math/Vector4.h"
#include "scene/W_LevelRenderer.h"
#include "system/OpenGL.h"
#include "widgets/InputHandler.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

constexpr int FramesPerLevel = 120;

void levelFrame(benchmark::State& state, const std::string& name, bool whole)
{
    Quorvel::W_LevelRenderer level(BenchLevels::level(name));
    level.setDrawAll(whole);
    level.resize(Quorvel::Vector4(0.0f, 0.0f, QuorvelTest::TestEngine::Width, QuorvelTest::TestEngine::Height));
    const BenchLevels::View view = BenchLevels::view(name);
    level.setPlayerPosition(Quorvel::Vector3(view.x, 8.0f, view.z));
    level.tick(1);
    for (auto _ : state) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0.0, QuorvelTest::TestEngine::Width, QuorvelTest::TestEngine::Height, 0.0, -1.0, 1.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        level.draw();
        glFinish();
    }
    state.counters["quads"] = static_cast<double>(level.countVisibleQuads());
}

} // namespace

int main(int argc, char** argv)
{
    QuorvelTest::TempDir runDirectory; // the log goes there; nothing is written where the program runs
    if (!QuorvelTest::TestEngine::start()) {
        std::fprintf(stderr, "quorvel-frame-bench: the engine did not start (is DISPLAY set?): %s\n",
                     QuorvelTest::TestEngine::lastError().c_str());
        return 1;
    }
    for (const char* name : BenchLevels::names) {
        benchmark::RegisterBenchmark((std::string("levelFrame/") + name).c_str(), levelFrame, std::string(name), false)
            ->Iterations(FramesPerLevel)
            ->Unit(benchmark::kMillisecond);
    }
    // For comparison: the largest level with every block drawn.
    benchmark::RegisterBenchmark("levelFrameWhole/maze256", levelFrame, std::string("maze256"), true)
        ->Iterations(FramesPerLevel / 4)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
