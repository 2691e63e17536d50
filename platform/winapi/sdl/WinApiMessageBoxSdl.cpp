// WinApiMessageBox on SDL: message boxes shown by a thread of their own.

#include "platform/winapi/WinApiMessageBox.h"

#include "platform/winapi/WinApiSignals.h"
#include "platform/winapi/WinApiTextWrap.h"
#include "platform/winapi/WinApiVideo.h"
#include "platform/winapi/WinApiWindow.h"

#include <SDL.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace Quorvel {

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
    shown->text = WinApiTextWrap::wrap(shownText); // narrower than the screen
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
