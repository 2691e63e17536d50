// WinApiMessageBox in a browser: the text goes to standard error (the
// browser's console) and over the page, through the page's
// Module.quorvelShowMessage(caption, text) when the page has it. A page
// cannot wait for a click without stopping itself, so the box does not wait:
// the first button is the answer.

#include "platform/winapi/WinApiMessageBox.h"

#include "platform/winapi/WinApiVideo.h"

#include <emscripten.h>

#include <cstdio>

namespace Quorvel {

WinApiMessageBox::WinApiMessageBox(WinApiVideo& video)
    : video(video)
{
}

int WinApiMessageBox::show(const WinApiWindow*, LPCSTR text, LPCSTR caption, UINT type)
{
    const char* shownCaption = caption ? caption : "Error";
    const char* shownText = text ? text : "";
    std::fprintf(stderr, "%s: %s\n", shownCaption, shownText);
    std::fflush(stderr);
    if (video.ready())
        EM_ASM(
        {
            if (typeof Module['quorvelShowMessage'] === 'function')
                Module['quorvelShowMessage'](UTF8ToString($0), UTF8ToString($1));
        },
        shownCaption, shownText);
    switch (type & 0xF) { // the buttons
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return IDYES;
    case MB_RETRYCANCEL:
        return IDRETRY;
    default:
        return IDOK;
    }
}

} // namespace Quorvel
