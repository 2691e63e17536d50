// WinApiMessageBox on SDL: message boxes shown by a thread of their own.

#include "platform/winapi/WinApiMessageBox.h"

#include "platform/winapi/WinApiSignals.h"
#include "platform/winapi/WinApiTextWrap.h"
#include "platform/winapi/WinApiVideo.h"
#include "platform/winapi/WinApiWindow.h"
#include "platform/winapi/sdl/WinApiX11Box.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace Quorvel {

namespace {

constexpr int SignalledAnswer = -100; // a termination signal ended the wait
constexpr int TakeDownWaitMilliseconds = 2000; // for the box to go after a signal

// Shows the layer's X11 box on a thread of its own while this thread watches
// for a termination signal, which takes the box down and ends the wait (as if
// the first button had been pressed: SignalledAnswer). The box has gone from
// the screen when this returns, unless the X server did not answer within
// TakeDownWaitMilliseconds of the signal: then its thread is left to end
// with the program. The thread's data live as long as the thread.
int showOwnX11Box(const std::string& title, const std::string& text, const std::vector<WinApiX11Box::Button>& buttons,
                  size_t escapeDefault, unsigned long owner)
{
    struct Shown {
        std::string title;
        std::string text;
        std::vector<WinApiX11Box::Button> buttons;
        std::atomic<bool> takeDown{false};
        std::atomic<bool> finished{false};
        std::atomic<int> answer{WinApiX11Box::NotShown};
    };
    auto shown = std::make_shared<Shown>();
    shown->title = title;
    shown->text = text;
    shown->buttons = buttons;
    std::thread box;
    try {
        box = std::thread([shown, escapeDefault, owner] {
            shown->answer.store(WinApiX11Box::show(shown->title, shown->text, shown->buttons, 0, escapeDefault, owner,
                                                   shown->takeDown));
            shown->finished.store(true);
        });
    } catch (const std::system_error&) {
        return WinApiX11Box::NotShown; // no thread to be had: SDL's box instead
    }
    int waitedAfterSignal = -1; // milliseconds since the signal; -1: none yet
    while (!shown->finished.load()) {
        if (waitedAfterSignal < 0 && WinApiSignals::pending()) {
            WinApiSignals::delivered();
            waitedAfterSignal = 0;
            shown->takeDown.store(true);
        }
        if (waitedAfterSignal >= TakeDownWaitMilliseconds) {
            box.detach();
            return SignalledAnswer;
        }
        SDL_Delay(20);
        if (waitedAfterSignal >= 0)
            waitedAfterSignal += 20;
    }
    box.join();
    return waitedAfterSignal >= 0 ? SignalledAnswer : shown->answer.load();
}

} // namespace

WinApiMessageBox::WinApiMessageBox(WinApiVideo& video)
    : video(video)
{
}

int WinApiMessageBox::show(const WinApiWindow* ownerWindow, LPCSTR text, LPCSTR caption, UINT type)
{
    const char* shownCaption = caption ? caption : "Error";
    const char* shownText = text ? text : "";
    std::fprintf(stderr, "%s: %s\n", shownCaption, shownText);
    std::fflush(stderr);

    struct Choice {
        int id;
        const char* label;
    };
    static const Choice ok[] = {{IDOK, "OK"}};
    static const Choice okCancel[] = {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    static const Choice abortRetryIgnore[] = {{IDABORT, "Abort"}, {IDRETRY, "Retry"}, {IDIGNORE, "Ignore"}};
    static const Choice yesNoCancel[] = {{IDYES, "Yes"}, {IDNO, "No"}, {IDCANCEL, "Cancel"}};
    static const Choice yesNo[] = {{IDYES, "Yes"}, {IDNO, "No"}};
    static const Choice retryCancel[] = {{IDRETRY, "Retry"}, {IDCANCEL, "Cancel"}};
    const Choice* choices = ok;
    size_t count = 1;
    switch (type & 0x0F) {
    case MB_OKCANCEL:
        choices = okCancel;
        count = 2;
        break;
    case MB_ABORTRETRYIGNORE:
        choices = abortRetryIgnore;
        count = 3;
        break;
    case MB_YESNOCANCEL:
        choices = yesNoCancel;
        count = 3;
        break;
    case MB_YESNO:
        choices = yesNo;
        count = 2;
        break;
    case MB_RETRYCANCEL:
        choices = retryCancel;
        count = 2;
        break;
    default:
        break;
    }
    if (!video.ensure())
        return choices[0].id;
    const std::string wrapped = WinApiTextWrap::wrap(shownText); // narrower than the screen

    // On X11 the layer's own box (SDL's is a forked child process there).
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && SDL_strcmp(driver, "x11") == 0) {
        std::vector<WinApiX11Box::Button> buttons;
        for (size_t i = 0; i < count; ++i)
            buttons.push_back({choices[i].id, choices[i].label});
        unsigned long owner = 0; // the X window the box stays above
#if defined(SDL_VIDEO_DRIVER_X11)
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (ownerWindow && ownerWindow->sdl && SDL_GetWindowWMInfo(ownerWindow->sdl, &info)
            && info.subsystem == SDL_SYSWM_X11)
            owner = static_cast<unsigned long>(info.info.x11.window);
#endif
        const int answer = showOwnX11Box(shownCaption, wrapped, buttons, count - 1, owner);
        if (answer == SignalledAnswer)
            return choices[0].id;
        if (answer != WinApiX11Box::NotShown)
            return answer == WinApiX11Box::Closed ? choices[count - 1].id : answer;
    }

    // The box is shown by a thread of its own, so that a termination signal
    // (which a blocked SDL box would never see) still ends the wait: it
    // counts as the first button, as if the user had pressed it, and the
    // program goes on to end as it would have then. The box's data live as
    // long as the thread.
    struct Shown {
        std::vector<SDL_MessageBoxButtonData> buttons;
        std::string title;
        std::string text;
        SDL_MessageBoxData data = {};
        std::atomic<bool> closed{false};
        int pressed = -1;
        int result = -1;
    };
    auto shown = std::make_shared<Shown>();
    for (size_t i = 0; i < count; ++i) {
        SDL_MessageBoxButtonData button = {};
        button.buttonid = choices[i].id;
        button.text = choices[i].label;
        if (i == 0)
            button.flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
        if (i + 1 == count)
            button.flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
        shown->buttons.push_back(button);
    }
    shown->title = shownCaption;
    shown->text = wrapped;
    SDL_MessageBoxData& data = shown->data;
    const UINT icon = type & 0xF0;
    data.flags = icon == MB_ICONWARNING ? SDL_MESSAGEBOX_WARNING
        : icon == MB_ICONINFORMATION    ? SDL_MESSAGEBOX_INFORMATION
                                        : SDL_MESSAGEBOX_ERROR;
    data.window = ownerWindow ? ownerWindow->sdl : nullptr;
    data.title = shown->title.c_str();
    data.message = shown->text.c_str();
    data.numbuttons = int(shown->buttons.size());
    data.buttons = shown->buttons.data();

    // An SDL thread, so that what SDL keeps per thread (its error text) is
    // freed when the box's thread ends.
    auto* handOver = new std::shared_ptr<Shown>(shown);
    SDL_Thread* thread = SDL_CreateThread(
        [](void* data) -> int {
            std::unique_ptr<std::shared_ptr<Shown>> mine(static_cast<std::shared_ptr<Shown>*>(data));
            Shown& box = **mine;
            box.result = SDL_ShowMessageBox(&box.data, &box.pressed);
            box.closed.store(true);
            return 0;
        },
        "message box", handOver);
    if (!thread) {
        delete handOver;
        return choices[count - 1].id; // not shown: as if cancelled
    }
    SDL_DetachThread(thread);
    while (!shown->closed.load()) {
        if (WinApiSignals::pending()) {
            WinApiSignals::delivered();
            return choices[0].id;
        }
        SDL_Delay(20);
    }
    if (shown->result != 0 || shown->pressed < 0)
        return choices[count - 1].id; // not shown or closed: as if cancelled
    return shown->pressed;
}

} // namespace Quorvel
