// WinApiHost: message boxes.

#include "platform/winapi/WinApiHost.h"

#include <SDL.h>

#include <cstdio>
#include <vector>

namespace Quorvel {

// ---------------------------------------------------------------------------
// Message boxes: the text always goes to standard error; with a display it
// is also shown in SDL's message box.

int WinApiHost::messageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
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
    if (!ensureVideo())
        return choices[0].id;

    std::vector<SDL_MessageBoxButtonData> buttons;
    for (size_t i = 0; i < count; ++i) {
        SDL_MessageBoxButtonData button = {};
        button.buttonid = choices[i].id;
        button.text = choices[i].label;
        if (i == 0)
            button.flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
        if (i + 1 == count)
            button.flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
        buttons.push_back(button);
    }
    SDL_MessageBoxData data = {};
    const UINT icon = type & 0xF0;
    data.flags = icon == MB_ICONWARNING ? SDL_MESSAGEBOX_WARNING
        : icon == MB_ICONINFORMATION    ? SDL_MESSAGEBOX_INFORMATION
                                        : SDL_MESSAGEBOX_ERROR;
    const Window* ownerWindow = find(owner);
    data.window = ownerWindow ? ownerWindow->sdl : nullptr;
    data.title = shownCaption;
    data.message = shownText;
    data.numbuttons = int(buttons.size());
    data.buttons = buttons.data();
    int pressed = 0;
    if (SDL_ShowMessageBox(&data, &pressed) != 0 || pressed < 0)
        return choices[count - 1].id; // not shown or closed: as if cancelled
    return pressed;
}

} // namespace Quorvel
