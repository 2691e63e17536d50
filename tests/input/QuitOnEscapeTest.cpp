#include "input/QuitOnEscape.h"

#include "input/InputSystem.h"
#include "support/BareApplication.h"
#include "support/FakeScreen.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace Quorvel;
using QuorvelTest::BareApplication;
using QuorvelTest::FakeScreen;

namespace {

class FakeInputSystem : public InputSystem {
public:
    bool hasFailed() override { return false; }
    void relativeToCentre(int32_t&, int32_t&) override {}
    void centreCursor() override {}
};

} // namespace

TEST(QuitOnEscapeTest, EscapeDownRequestsQuitAndNothingElseDoes)
{
    QuorvelTest::TempDir dir;
    BareApplication application;
    FakeScreen screen(1024, 768);
    FakeInputSystem input;
    QuitOnEscape quitKey;
    input.addHandler(&quitKey);
    EXPECT_EQ(uint32_t(KeyDown), quitKey.getEventMask());

    for (uint32_t code : {119u, 13u, InputSystem::MouseLeft}) {
        EXPECT_FALSE(input.dispatchKey(code, 0, true)) << code;
        input.dispatchKey(code, 0, false);
    }
    EXPECT_FALSE(input.dispatchKey(QuitOnEscape::KeyEscape, 0, false)) << "a key-up of Escape";
    EXPECT_FALSE(application.isQuitRequested());

    EXPECT_TRUE(input.dispatchKey(QuitOnEscape::KeyEscape, 27, true));
    EXPECT_TRUE(application.isQuitRequested());
}

// A gamepad's Back button quits as Escape does; its other buttons and Back
// going up do not.
TEST(QuitOnEscapeTest, GamepadBackQuitsToo)
{
    QuorvelTest::TempDir dir;
    BareApplication application;
    FakeScreen screen(1024, 768);
    FakeInputSystem input;
    QuitOnEscape quitKey;
    input.addHandler(&quitKey);

    for (uint32_t code : {InputSystem::PadA, InputSystem::PadStart, InputSystem::PadLeftShoulder}) {
        EXPECT_FALSE(input.dispatchKey(code, 0, true)) << code;
        input.dispatchKey(code, 0, false);
    }
    EXPECT_FALSE(input.dispatchKey(InputSystem::PadBack, 0, false)) << "Back going up";
    EXPECT_FALSE(application.isQuitRequested());

    EXPECT_TRUE(input.dispatchKey(InputSystem::PadBack, 0, true));
    EXPECT_TRUE(application.isQuitRequested());
    EXPECT_EQ(application.getExitCode(), 0);
}
