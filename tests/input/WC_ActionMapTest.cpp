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

namespace {

// Without settings every action sits on the walk-through's own key, each key
// finds its action and an unbound key finds none.
TEST(WC_ActionMapTest, DefaultKeysAndTheirActions)
{
    using Action = WC_ActionMap::Action;
    const struct {
        Action action;
        const char* name;
        uint32_t key;
    } rows[] = {
        {Action::Forward, "forward", 119},
        {Action::Back, "back", 115},
        {Action::Left, "left", 97},
        {Action::Right, "right", 100},
        {Action::CloudsDenser, "clouds_denser", 31},
        {Action::CloudsThinner, "clouds_thinner", 30},
    };
    ASSERT_EQ(std::size(rows), WC_ActionMap::ActionCount);
    WC_ActionMap map;
    for (const auto& row : rows) {
        EXPECT_STREQ(WC_ActionMap::actionName(row.action), row.name);
        EXPECT_EQ(WC_ActionMap::defaultKey(row.action), row.key) << row.name;
        EXPECT_EQ(map.getKey(row.action), row.key) << row.name;
        Action found = row.action == Action::Forward ? Action::Back : Action::Forward;
        ASSERT_TRUE(map.findAction(row.key, found)) << row.name;
        EXPECT_EQ(found, row.action) << row.name;
    }
    Action untouched = Action::Right;
    EXPECT_FALSE(map.findAction(27, untouched)) << "Escape is no action";
    EXPECT_FALSE(map.findAction(0, untouched));
    EXPECT_EQ(untouched, Action::Right) << "a miss leaves the action as it was";

    map.setKey(Action::Forward, 89);
    EXPECT_FALSE(map.findAction(119, untouched)) << "w after forward moved to Up";
    ASSERT_TRUE(map.findAction(89, untouched));
    EXPECT_EQ(untouched, Action::Forward);
}

} // namespace
