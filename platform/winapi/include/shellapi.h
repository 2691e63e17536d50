#pragma once
// The part of shell32 the engine uses, for systems other than Windows, as
// <shellapi.h> declares it: files dropped on a window. A window that has
// accepted files (DragAcceptFiles) receives WM_DROPFILES with an HDROP in
// wParam; DragQueryFileA reads the paths from it and DragFinish hands it back.
// Implemented by our layer (platform/winapi/Shell32.cpp); include
// <windows.h> first, as on Windows.

#include "windows.h"

struct HDROP__;
typedef struct HDROP__* HDROP;

// Sets or clears the window's WS_EX_ACCEPTFILES: only a window that accepts
// files receives WM_DROPFILES.
void WINAPI DragAcceptFiles(HWND window, BOOL accept);
// With index 0xFFFFFFFF: the number of files in the drop. With a null buffer:
// the length of the file's path in bytes, without the terminating zero.
// Otherwise copies the path, cut to size - 1 bytes, and its terminating zero
// into buffer and returns the bytes copied without the zero. 0 for a handle
// the layer did not give (or one already finished) and for an index past the
// last file.
UINT WINAPI DragQueryFileA(HDROP drop, UINT index, LPSTR buffer, UINT size);
// Hands the drop back; its handle is invalid afterwards.
void WINAPI DragFinish(HDROP drop);

#define DragQueryFile DragQueryFileA
