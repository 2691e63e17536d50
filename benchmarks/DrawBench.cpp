// The drawing paths of the demonstration's frame, timed on the processor, and
// the whole frame rendered, in both drawing orders. These need a display
// (DISPLAY set; scripts/bench.sh starts Xvfb) and bring the engine up once,
// as the drawing tests do, at 1024 x 768 without vertical sync; without a
// display they are skipped. The process works in a private temporary
// directory: nothing is written where it runs.
//
// The processor-side figures time the calls that hand the drawing to OpenGL
// (with llvmpipe that includes transforming and binning the vertices); the
// rasterising that follows is waited for outside the timed region. The
// frame figures time a whole frame: clear, every widget, and the wait until
// OpenGL has finished it.

#include "support/TempDir.h"
#include "support/TestEngine.h"

#include "core/Application.h"
#include "math/Vector4.h"
#include "scene/TimedemoPath.h"
#include "scene/W_LevelRenderer.h"
#include "system/OpenGL.h"
#include "widgets/WSCrosshair.h"
#include "widgets/WS_FpsCounter.h"
#include "widgets/WidgetManager.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

struct Engine {
    bool up = false;
    Quorvel::W_LevelRenderer* level = nullptr;
    Quorvel::WS_FpsCounter* counter = nullptr;
    Quorvel::WSCrosshair* crosshair = nullptr;
};

// The demonstration's composition, brought up once per process; the pose is
// the timedemo path's frame 40 (looking along the first corridor, sky and
// floor both in view).
Engine& engine()
{
    static Engine state;
    static bool tried = false;
    if (tried)
        return state;
    tried = true;
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0')
        return state;

    using namespace Quorvel;
    // The log goes to a private directory, removed at exit.
    static QuorvelTest::TempDir runDirectory;
    if (!QuorvelTest::TestEngine::start())
        return state;
    Application* application = Application::instance();

    state.level = new W_LevelRenderer();
    state.counter = new WS_FpsCounter();
    state.crosshair = new WSCrosshair();
    WidgetManager* widgets = application->getWidgetManager();
    widgets->add(state.level);
    widgets->add(state.counter);
    widgets->add(state.crosshair);
    state.crosshair->show();
    state.level->setState(TimerEvent::Paused);
    TimedemoPath path;
    for (int i = 0; i <= 40; ++i)
        path.advance(*state.level);
    state.up = true;
    return state;
}

bool ready(benchmark::State& state)
{
    if (engine().up)
        return true;
    state.SkipWithError("needs a display: run it under Xvfb (scripts/bench.sh)");
    return false;
}

// Times body() on the processor; the drawing it queued is finished outside
// the timed region, so the queue never grows. The wait is far longer than
// the submission, so the runs have a fixed count rather than a minimum time.
constexpr benchmark::IterationCount SubmitIterations = 400;

template <class Body>
void timeSubmission(benchmark::State& state, Body body)
{
    glFinish();
    for (auto _ : state) {
        body();
        state.PauseTiming();
        glFinish();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        state.ResumeTiming();
    }
}

// The screen camera that the widget manager applies before its widgets draw.
void screenSpace()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, 1024.0, 768.0, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

} // namespace

// The level (sky, floor, walls, minimap); argument 1 draws the sky first.
static void BM_LevelDrawSubmit(benchmark::State& state)
{
    if (!ready(state))
        return;
    Quorvel::W_LevelRenderer* level = engine().level;
    level->setSkyFirst(state.range(0) != 0);
    screenSpace();
    timeSubmission(state, [level]() { level->draw(); });
    level->setSkyFirst(false);
}
BENCHMARK(BM_LevelDrawSubmit)->Arg(0)->Arg(1)->Iterations(SubmitIterations)->Unit(benchmark::kMicrosecond);

static void BM_SkyDrawSubmit(benchmark::State& state)
{
    if (!ready(state))
        return;
    Quorvel::W_LevelRenderer* level = engine().level;
    level->getCamera().apply();
    timeSubmission(state, [level]() { level->getSky()->draw(level->getCamera()); });
}
BENCHMARK(BM_SkyDrawSubmit)->Iterations(SubmitIterations)->Unit(benchmark::kMicrosecond);

static void BM_CounterDrawSubmit(benchmark::State& state)
{
    if (!ready(state))
        return;
    Quorvel::WS_FpsCounter* counter = engine().counter;
    screenSpace();
    timeSubmission(state, [counter]() { counter->draw(); });
}
BENCHMARK(BM_CounterDrawSubmit)->Iterations(SubmitIterations)->Unit(benchmark::kMicrosecond);

static void BM_CrosshairDrawSubmit(benchmark::State& state)
{
    if (!ready(state))
        return;
    Quorvel::WSCrosshair* crosshair = engine().crosshair;
    screenSpace();
    timeSubmission(state, [crosshair]() { crosshair->draw(); });
}
BENCHMARK(BM_CrosshairDrawSubmit)->Iterations(SubmitIterations)->Unit(benchmark::kMicrosecond);

// Every widget as the graphic system has them drawn each frame.
static void BM_WidgetsDrawSubmit(benchmark::State& state)
{
    if (!ready(state))
        return;
    Quorvel::WidgetManager* widgets = Quorvel::Application::instance()->getWidgetManager();
    timeSubmission(state, [widgets]() { widgets->draw(); });
}
BENCHMARK(BM_WidgetsDrawSubmit)->Iterations(SubmitIterations)->Unit(benchmark::kMicrosecond);

// A whole frame rendered and finished (not presented), at the pose above, in
// the default order (0) and sky first (1). Wall-clock time: the renderer's
// threads do most of the work.
static void BM_FrameRendered(benchmark::State& state)
{
    if (!ready(state))
        return;
    Quorvel::W_LevelRenderer* level = engine().level;
    level->setSkyFirst(state.range(0) != 0);
    Quorvel::WidgetManager* widgets = Quorvel::Application::instance()->getWidgetManager();
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        widgets->draw();
        glFinish();
    }
    level->setSkyFirst(false);
}
BENCHMARK(BM_FrameRendered)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The standing frame: the level as it first shows, the player at the start
// and not yet moved, with the counter and the crosshair over it; default
// order (0) and sky first (1). A level of its own, drawn in place of the
// posed one.
static void BM_FrameStanding(benchmark::State& state)
{
    if (!ready(state))
        return;
    static Quorvel::W_LevelRenderer* standing = nullptr;
    if (standing == nullptr) {
        standing = new Quorvel::W_LevelRenderer(); // lives as the engine does, to the end of the process
        standing->setState(Quorvel::TimerEvent::Paused);
        standing->resize(Quorvel::Vector4(0.0f, 0.0f, 1024.0f, 768.0f));
        standing->tick(0); // the view from the start, nothing walked
    }
    standing->setSkyFirst(state.range(0) != 0);
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        screenSpace();
        standing->draw();
        engine().counter->draw();
        engine().crosshair->draw();
        glFinish();
    }
    standing->setSkyFirst(false);
}
BENCHMARK(BM_FrameStanding)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Moving the level one frame along the timedemo's path: the input events and
// the tick of a timedemo frame.
static void BM_TimedemoPathAdvance(benchmark::State& state)
{
    if (!ready(state))
        return;
    Quorvel::TimedemoPath path;
    Quorvel::W_LevelRenderer* level = engine().level;
    const Quorvel::Vector3 start = level->getPlayerPosition();
    for (auto _ : state) {
        path.advance(*level);
        if (path.getFrame() % Quorvel::TimedemoPath::getPathFrames() == 0)
            level->setPlayerPosition(start);
    }
}
BENCHMARK(BM_TimedemoPathAdvance);
