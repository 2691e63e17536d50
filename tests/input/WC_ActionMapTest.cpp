#include "input/WC_ActionMap.h"

#include "widgets/WidgetManager.h"

#include <gtest/gtest.h>

#include <vector>

using Quorvel::InputState;
using Quorvel::WC_ActionMap;

namespace {

// Notes every event it is offered and consumes them all.
class SwallowingWidget : public Quorvel::Widget {
public:
    bool handleInput(uint32_t kind, const InputState&) override
    {
        kinds.push_back(kind);
        return true;
    }
    std::vector<uint32_t> kinds;
};

TEST(WC_ActionMapTest, StartsHiddenAcceptingEveryKind)
{
    WC_ActionMap map;
    EXPECT_FALSE(map.isVisible());
    EXPECT_EQ(0xFFFFFFFFu, map.getEventMask());
    EXPECT_TRUE(map.init());
    map.show();
    EXPECT_TRUE(map.isVisible());
}

// First in the manager's list, the action map sees every event and passes
// each one on, so the widget after it still gets them all.
TEST(WC_ActionMapTest, InTheWidgetManagerItNeverConsumes)
{
    Quorvel::WidgetManager manager;
    WC_ActionMap map;
    SwallowingWidget after;
    manager.add(&map);
    manager.add(&after);

    InputState state;
    const uint32_t kinds[] = {Quorvel::KeyDown, Quorvel::KeyUp, Quorvel::MouseMove, 8u, 0u};
    for (uint32_t kind : kinds) {
        EXPECT_FALSE(map.handleInput(kind, state)) << "kind " << kind;
        EXPECT_TRUE(manager.handleInput(kind, state)) << "kind " << kind << " reaches the widget after the map";
    }
    EXPECT_EQ(std::vector<uint32_t>(std::begin(kinds), std::end(kinds)), after.kinds);

    // Alone in a manager: nothing consumes.
    Quorvel::WidgetManager lonely;
    lonely.add(&map);
    EXPECT_FALSE(lonely.handleInput(Quorvel::KeyDown, state));
}

} // namespace
