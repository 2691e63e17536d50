#include "widgets/WidgetManager.h"

#include "input/InputSystem.h"
#include "math/Vector4.h"
#include "support/FakeScreen.h"
#include "widgets/Widget.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using namespace Quorvel;
using QuorvelTest::FakeScreen;

namespace Quorvel {
void PrintTo(const Vector4& v, std::ostream* out)
{
    *out << "(" << v.x << ", " << v.y << ", " << v.z << ", " << v.w << ")";
}
} // namespace Quorvel

namespace {

class FakeInputSystem : public InputSystem {
public:
    bool hasFailed() override { return false; }
    void relativeToCentre(int32_t&, int32_t&) override {}
    void centreCursor() override {}
};

// Writes every call it receives into a log shared with its siblings, as
// "name.operation" (resize adds the rectangle), so order shows across widgets.
class RecordingWidget : public Widget {
public:
    RecordingWidget(std::string name, std::vector<std::string>& log) : name(std::move(name)), log(log) {}

    bool handleInput(uint32_t kind, const InputState&) override
    {
        log.push_back(name + ".input" + std::to_string(kind));
        return consumes;
    }
    bool init() override
    {
        log.push_back(name + ".init");
        return false; // results are ignored by the manager
    }
    bool resize(const Vector4& r) override
    {
        std::ostringstream text;
        text << name << ".resize(" << r.x << "," << r.y << "," << r.z << "," << r.w << ")";
        log.push_back(text.str());
        return false;
    }
    void draw() override { log.push_back(name + ".draw"); }

    std::string name;
    std::vector<std::string>& log;
    bool consumes = false;
};

using Log = std::vector<std::string>;

} // namespace

TEST(WidgetManagerTest, WidgetsAddedBeforeInitWaitForIt)
{
    FakeScreen screen(1024, 768);
    ASSERT_TRUE(screen.isRegistered());
    FakeInputSystem input;
    WidgetManager manager;
    Log log;
    RecordingWidget a("a", log), b("b", log);

    EXPECT_TRUE(manager.add(&a));
    EXPECT_TRUE(manager.add(&b));
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(Vector4(0, 0, 0, 0), manager.getScreenRect());

    EXPECT_TRUE(manager.init());
    EXPECT_TRUE(manager.isInitialised());
    // Every widget's init first, then every widget's resize.
    EXPECT_EQ((Log{"a.init", "b.init", "a.resize(0,0,1024,768)", "b.resize(0,0,1024,768)"}), log);
    EXPECT_EQ(Vector4(0, 0, 1024, 768), manager.getScreenRect());
}

TEST(WidgetManagerTest, WidgetAddedAfterInitIsInitialisedAndSizedAtOnce)
{
    FakeScreen screen(800, 600);
    ASSERT_TRUE(screen.isRegistered());
    FakeInputSystem input;
    WidgetManager manager;
    manager.init();
    Log log;
    RecordingWidget late("late", log);
    manager.add(&late);
    EXPECT_EQ((Log{"late.init", "late.resize(0,0,800,600)"}), log);
}

TEST(WidgetManagerTest, InitRegistersTheManagerWithTheInputSystem)
{
    FakeScreen screen(1024, 768);
    ASSERT_TRUE(screen.isRegistered());
    FakeInputSystem input;
    ASSERT_EQ(&input, InputSystem::existingInstance());
    WidgetManager manager;
    Log log;
    RecordingWidget a("a", log);
    manager.add(&a);
    manager.init();
    log.clear();

    input.dispatchKey(119, 119, true);
    input.dispatchMouseMove(3, 4);
    EXPECT_EQ((Log{"a.input1", "a.input4"}), log);
}

TEST(WidgetManagerTest, InputGoesToWidgetsInOrderOfAdditionUntilConsumed)
{
    WidgetManager manager;
    Log log;
    RecordingWidget a("a", log), hidden("hidden", log), deaf("deaf", log), last("last", log);
    a.show();
    deaf.show();
    deaf.setEventMask(0); // the manager does not consult its widgets' masks
    last.show();
    for (Widget* widget : {static_cast<Widget*>(&a), static_cast<Widget*>(&hidden), static_cast<Widget*>(&deaf),
                           static_cast<Widget*>(&last)})
        manager.add(widget);
    const InputState state;

    EXPECT_FALSE(manager.handleInput(KeyUp, state));
    EXPECT_EQ((Log{"a.input2", "hidden.input2", "deaf.input2", "last.input2"}), log);

    log.clear();
    hidden.consumes = true;
    EXPECT_TRUE(manager.handleInput(MouseMove, state));
    EXPECT_EQ((Log{"a.input4", "hidden.input4"}), log);
}

TEST(WidgetManagerTest, DrawSkipsHiddenWidgetsAndKeepsOrder)
{
    // Without a rendering context the camera's matrix loads are no-ops; what
    // is checked here is which widgets draw, and in which order.
    WidgetManager manager;
    Log log;
    RecordingWidget a("a", log), b("b", log), c("c", log);
    manager.add(&a);
    manager.add(&b);
    manager.add(&c);
    c.show();
    a.show();
    manager.draw();
    EXPECT_EQ((Log{"a.draw", "c.draw"}), log);

    log.clear();
    b.show();
    b.show();
    manager.draw();
    EXPECT_EQ((Log{"a.draw", "b.draw", "c.draw"}), log);
}

TEST(WidgetManagerTest, EmptyManagerDeclinesEveryEvent)
{
    WidgetManager manager;
    const InputState state;
    for (uint32_t kind : {KeyDown, KeyUp, MouseMove})
        EXPECT_FALSE(manager.handleInput(kind, state)) << "kind " << kind;
    manager.draw();
    EXPECT_EQ(InputHandler::AllEvents, manager.getEventMask());
}

TEST(WidgetManagerTest, CameraMapsScreenPixelsWithYDown)
{
    WidgetManager manager;
    manager.resize(1024.0f, 768.0f);
    const OrthogonalCamera& camera = manager.getCamera();
    // Left, bottom, near and right, top, far.
    EXPECT_EQ(Vector4(0, 768, -1, 0), Vector4(camera.minCorner.x, camera.minCorner.y, camera.minCorner.z, 0));
    EXPECT_EQ(Vector4(1024, 0, 1, 0), Vector4(camera.maxCorner.x, camera.maxCorner.y, camera.maxCorner.z, 0));

    // Screen corners land on the matching corners of clip space.
    const struct {
        float x, y;
        float clipX, clipY;
    } cases[] = {
        {0, 0, -1, 1},      // top-left
        {1024, 768, 1, -1}, // bottom-right
        {1024, 0, 1, 1},    // top-right
        {512, 384, 0, 0},   // centre
    };
    for (const auto& c : cases) {
        const Vector3 clip = camera.projection.projectPoint(camera.view.transformPoint(Vector3(c.x, c.y, 0)));
        EXPECT_NEAR(c.clipX, clip.x, 1e-6f) << "screen " << c.x << "," << c.y;
        EXPECT_NEAR(c.clipY, clip.y, 1e-6f) << "screen " << c.x << "," << c.y;
    }
}
