// The Windows-API layer when the display goes away under a program that
// does not end by itself: whatever keeps it waiting on the dead connection,
// the layer ends it a few seconds later with the display-lost exit code.
// The program runs in a process of its own (a death test re-run from the
// start) on an X server of its own, which it stops itself.

#include "platform/winapi/include/windows.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

LRESULT CALLBACK plainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

// Starts a private Xvfb and returns its process, with DISPLAY set to it;
// exits with code 3 (which the test does not expect) when it cannot.
pid_t startPrivateServer()
{
    int ready[2];
    if (pipe(ready) != 0)
        std::_Exit(3);
    const pid_t server = fork();
    if (server == 0) {
        close(ready[0]);
        const std::string fd = std::to_string(ready[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "640x480x24", "-noreset", "-nolisten", "tcp",
               static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    close(ready[1]);
    // The server writes its display number and then a newline, in two
    // writes; the pipe stays open until both arrived.
    std::string display = ":";
    char c = 0;
    while (read(ready[0], &c, 1) == 1 && c != '\n')
        display += c;
    close(ready[0]);
    if (server < 0 || c != '\n' || display.size() < 2)
        std::_Exit(3);
    setenv("DISPLAY", display.c_str(), 1);
    return server;
}

// The program: a shown window, then the server stops; the program takes
// its messages for a moment and then hangs as if stuck in a driver.
void showWindowLoseTheDisplayAndHang()
{
    const pid_t server = startPrivateServer();
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = plainProc;
    windowClass.lpszClassName = "DisplayLostTest";
    if (!RegisterClassExA(&windowClass))
        std::_Exit(4);
    HWND window = CreateWindowExA(0, "DisplayLostTest", "Display lost", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100,
                                  nullptr, nullptr, nullptr, nullptr);
    if (!window)
        std::_Exit(5);
    kill(server, SIGTERM);
    waitpid(server, nullptr, 0);
    bool quit = false;
    for (int i = 0; i < 200 && !quit; ++i) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            quit = quit || message.message == WM_QUIT;
        Sleep(10);
    }
    if (!quit)
        std::_Exit(6); // the loss was never noticed
    Sleep(60000);      // stuck: only the layer can end it now
    std::_Exit(0);
}

} // namespace

TEST(WinApiDisplayLost, AProgramStuckAfterTheDisplayIsLostIsEndedWithTheDisplayLostCode)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe"); // a fresh process: the layer is not started there yet
    EXPECT_EXIT(showWindowLoseTheDisplayAndHang(), ::testing::ExitedWithCode(2),
                "the connection to the display was lost.*did not end after the display was lost");
}
