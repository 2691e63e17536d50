// The shell32 part of the layer: files dropped on a window, read from the
// handles the message part gives out with WM_DROPFILES.

#include "platform/winapi/WinApiHost.h"
#include "platform/winapi/include/shellapi.h"
#include "platform/winapi/include/windows.h"

using Quorvel::WinApiHost;
using Quorvel::WinApiWindow;

void WINAPI DragAcceptFiles(HWND window, BOOL accept)
{
    WinApiWindow* record = WinApiHost::instance().windows().find(window);
    if (!record)
        return;
    if (accept)
        record->exStyle |= WS_EX_ACCEPTFILES;
    else
        record->exStyle &= ~DWORD(WS_EX_ACCEPTFILES);
}

UINT WINAPI DragQueryFileA(HDROP drop, UINT index, LPSTR buffer, UINT size)
{
    return WinApiHost::instance().messages().drops().query(drop, index, buffer, size);
}

void WINAPI DragFinish(HDROP drop)
{
    WinApiHost::instance().messages().drops().finish(drop);
}
