// The [Controls] section: what each file binds and sets, and the one log line
// for every value that is refused while its default stands.

#include "core/Config.h"
#include "core/Log.h"
#include "input/ControlSettings.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Quorvel::ControlSettings;
using Action = Quorvel::WC_ActionMap::Action;

constexpr uint32_t W = 119, S = 115, A = 97, D = 100, GrayPlus = 31, GrayMinus = 30;
constexpr uint32_t Up = 89, Down = 90, Left = 87, Right = 88, Space = 32, F1 = 65;

std::vector<std::string> linesOf(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

struct Read {
    ControlSettings settings;
    std::vector<std::string> log;
};

// Reads the text as a whole settings file and the [Controls] section from it.
Read readControls(const QuorvelTest::TempDir& directory, const std::string& text, int n)
{
    const std::string logPath = directory.file("log" + std::to_string(n) + ".txt");
    Read result;
    {
        Quorvel::Log log(logPath.c_str());
        std::istringstream stream(text);
        Quorvel::Config config(stream);
        result.settings = ControlSettings::read(config.getSection("Controls"), log);
    }
    result.log = linesOf(logPath);
    return result;
}

std::array<uint32_t, 6> keysOf(const ControlSettings& settings)
{
    std::array<uint32_t, 6> keys{};
    for (size_t n = 0; n < keys.size(); ++n)
        keys[n] = settings.getKey(Quorvel::WC_ActionMap::actionAt(n));
    return keys;
}

// Forward, back, left, right, denser, thinner.
const std::array<uint32_t, 6> Defaults = {W, S, A, D, GrayPlus, GrayMinus};

TEST(ControlSettingsTest, KeyBindingsFromTheSection)
{
    struct Case {
        const char* what;
        const char* text;
        std::array<uint32_t, 6> keys;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {"no file at all", "", Defaults, {}},
        {"no [Controls] section", "[GraphicSystem]\nforward = Up\n", Defaults, {}},
        {"an empty section", "[Controls]\n", Defaults, {}},
        {"forward on the Up arrow", "[Controls]\nforward = Up\n", {Up, S, A, D, GrayPlus, GrayMinus}, {}},
        {"names in any case, quoted",
         "[controls]\nFORWARD = \"uP\"\nclouds_denser = gray +\n",
         {Up, S, A, D, GrayPlus, GrayMinus},
         {}},
        {"arrows for walking, F1 and Space for the clouds",
         "[Controls]\nforward = Up\nback = Down\nleft = Left\nright = Right\nclouds_denser = F1\n"
         "clouds_thinner = Space\n",
         {Up, Down, Left, Right, F1, Space},
         {}},
        {"forward and back swapped", "[Controls]\nforward = S\nback = W\n", {S, W, A, D, GrayPlus, GrayMinus}, {}},
        {"a key on its own default", "[Controls]\nleft = A\n", Defaults, {}},
        {"an unknown key name",
         "[Controls]\nforward = Upp\n",
         Defaults,
         {"Controls: forward = Upp is not a key name; using W"}},
        {"an empty key name", "[Controls]\nright =\n", Defaults, {"Controls: right =  is not a key name; using D"}},
        {"a mouse button has no name",
         "[Controls]\nback = 256\n",
         Defaults,
         {"Controls: back = 256 is not a key name; using S"}},
        {"the quit key",
         "[Controls]\nforward = Escape\n",
         Defaults,
         {"Controls: forward = Escape is the key for quitting; using W"}},
        {"the mute key",
         "[Controls]\nclouds_thinner = M\n",
         Defaults,
         {"Controls: clouds_thinner = M is the key for muting; using Gray -"}},
        {"a key another action keeps",
         "[Controls]\nforward = S\n",
         Defaults,
         {"Controls: forward = S is a key another action has too; using W"}},
        {"two actions on one key",
         "[Controls]\nforward = Up\nback = Up\n",
         Defaults,
         {"Controls: forward = Up is a key another action has too; using W",
          "Controls: back = Up is a key another action has too; using S"}},
        // Back and left share W and both go back; forward's S then clashes
        // with back's default and goes back too.
        {"a clash that undoes a swap",
         "[Controls]\nforward = S\nback = W\nleft = W\n",
         Defaults,
         {"Controls: back = W is a key another action has too; using S",
          "Controls: left = W is a key another action has too; using A",
          "Controls: forward = S is a key another action has too; using W"}},
        {"a refused name frees nothing",
         "[Controls]\nforward = nokey\nback = W\n",
         {W, S, A, D, GrayPlus, GrayMinus},
         {"Controls: forward = nokey is not a key name; using W",
          "Controls: back = W is a key another action has too; using S"}},
        {"an unknown setting",
         "[Controls]\njump = Space\nforward = Up\n",
         {Up, S, A, D, GrayPlus, GrayMinus},
         {"Controls: jump is no setting; ignored"}},
    };
    QuorvelTest::TempDir directory;
    int n = 0;
    for (const Case& c : cases) {
        const Read read = readControls(directory, c.text, n++);
        EXPECT_EQ(keysOf(read.settings), c.keys) << c.what;
        EXPECT_EQ(read.log, c.log) << c.what;
    }
}

TEST(ControlSettingsTest, MouseAndStickSettings)
{
    struct Case {
        const char* text;
        float sensitivity;
        bool invertY;
        float stickSpeed;
        const char* logLine; // null: none
    };
    const Case cases[] = {
        {"[Controls]\n", 1.0f, false, 2.5f, nullptr},
        {"[Controls]\nmouse_sensitivity = 2\n", 2.0f, false, 2.5f, nullptr},
        {"[Controls]\nmouse_sensitivity = 0.1\n", 0.1f, false, 2.5f, nullptr},
        {"[Controls]\nmouse_sensitivity = 10\n", 10.0f, false, 2.5f, nullptr},
        {"[Controls]\nmouse_sensitivity = 10.5\n", 1.0f, false, 2.5f,
         "Controls: mouse_sensitivity = 10.5 is not a number from 0.1 to 10; using 1"},
        {"[Controls]\nmouse_sensitivity = 0\n", 1.0f, false, 2.5f,
         "Controls: mouse_sensitivity = 0 is not a number from 0.1 to 10; using 1"},
        {"[Controls]\nmouse_sensitivity = -2\n", 1.0f, false, 2.5f,
         "Controls: mouse_sensitivity = -2 is not a number from 0.1 to 10; using 1"},
        {"[Controls]\nmouse_sensitivity = fast\n", 1.0f, false, 2.5f,
         "Controls: mouse_sensitivity = fast is not a number from 0.1 to 10; using 1"},
        {"[Controls]\nmouse_sensitivity = nan\n", 1.0f, false, 2.5f,
         "Controls: mouse_sensitivity = nan is not a number from 0.1 to 10; using 1"},
        {"[Controls]\nmouse_sensitivity =\n", 1.0f, false, 2.5f,
         "Controls: mouse_sensitivity =  is not a number from 0.1 to 10; using 1"},
        {"[Controls]\ninvert_y = on\n", 1.0f, true, 2.5f, nullptr},
        {"[Controls]\ninvert_y = Yes\n", 1.0f, true, 2.5f, nullptr},
        {"[Controls]\ninvert_y = off\n", 1.0f, false, 2.5f, nullptr},
        {"[Controls]\ninvert_y = upside\n", 1.0f, false, 2.5f,
         "Controls: invert_y = upside is not on or off; using off"},
        {"[Controls]\nstick_look_speed = 4\n", 1.0f, false, 4.0f, nullptr},
        {"[Controls]\nstick_look_speed = 20.01\n", 1.0f, false, 2.5f,
         "Controls: stick_look_speed = 20.01 is not a number from 0.1 to 20; using 2.5"},
        {"[Controls]\nstick_look_speed = inf\n", 1.0f, false, 2.5f,
         "Controls: stick_look_speed = inf is not a number from 0.1 to 20; using 2.5"},
    };
    QuorvelTest::TempDir directory;
    int n = 0;
    for (const Case& c : cases) {
        const Read read = readControls(directory, c.text, n++);
        EXPECT_FLOAT_EQ(read.settings.getMouseSensitivity(), c.sensitivity) << c.text;
        EXPECT_EQ(read.settings.isInvertY(), c.invertY) << c.text;
        EXPECT_FLOAT_EQ(read.settings.getStickLookSpeed(), c.stickSpeed) << c.text;
        EXPECT_EQ(keysOf(read.settings), Defaults) << c.text;
        if (c.logLine)
            EXPECT_EQ(read.log, std::vector<std::string>{c.logLine}) << c.text;
        else
            EXPECT_EQ(read.log, std::vector<std::string>{}) << c.text;
    }
}

TEST(ControlSettingsTest, AppliedToAnActionMap)
{
    ControlSettings settings;
    settings.setKey(Action::Forward, Up);
    settings.setKey(Action::CloudsThinner, Space);
    Quorvel::WC_ActionMap map;
    settings.applyTo(map);
    EXPECT_EQ(map.getKey(Action::Forward), Up);
    EXPECT_EQ(map.getKey(Action::Back), S);
    EXPECT_EQ(map.getKey(Action::CloudsThinner), Space);
    Action action = Action::Back;
    EXPECT_FALSE(map.findAction(W, action)) << "w is free once forward is on Up";
    ASSERT_TRUE(map.findAction(Space, action));
    EXPECT_EQ(action, Action::CloudsThinner);
}

} // namespace
