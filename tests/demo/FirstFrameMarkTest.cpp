// The first frame's mark without a display: its printed form (seconds since
// 1970 to the microsecond, as the bare window prints it), and the report of a
// run that ended before its first frame.

#include "demo/FirstFrameMark.h"

#include "core/Log.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>

using Quorvel::FirstFrameMark;

TEST(FirstFrameMarkTest, TheMarkIsSecondsWithSixDecimals)
{
    using std::chrono::microseconds;
    using std::chrono::seconds;
    using Point = std::chrono::system_clock::time_point;
    struct Case {
        Point when;
        const char* expected;
    };
    const Case cases[] = {
        {Point(seconds(1765420000) + microseconds(123)), "first frame: 1765420000.000123"},
        {Point(seconds(1765420000) + microseconds(999999)), "first frame: 1765420000.999999"},
        {Point(seconds(0)), "first frame: 0.000000"},
        {Point(seconds(4102444800)), "first frame: 4102444800.000000"}, // 2100: past 32-bit seconds
    };
    for (const Case& c : cases)
        EXPECT_EQ(FirstFrameMark::format(c.when), c.expected);
}

TEST(FirstFrameMarkTest, NoFrameShownIsReportedAsAFailure)
{
    std::string written;
    {
        Quorvel::Log log("first-frame.log");
        const FirstFrameMark mark;
        EXPECT_FALSE(mark.isMarked());
        EXPECT_TRUE(mark.isVisible()) << "drawn every pass, so it sees the first swap";
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(mark.report(log), 1);
        written = ::testing::internal::GetCapturedStderr();
    }
    EXPECT_NE(written.find("first frame: none"), std::string::npos) << written;
    std::ifstream file("first-frame.log");
    std::stringstream logged;
    logged << file.rdbuf();
    EXPECT_NE(logged.str().find("first frame: none"), std::string::npos) << logged.str();
}
