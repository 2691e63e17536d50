// OpenGL 1.1 in a browser: emscripten's emulation of it on WebGL 1, with the
// layer's fill-ins (WebGLFillIns) for what the emulation lacks or WebGL
// refuses. The engine includes <GL/gl.h> as everywhere; in the web build this
// header comes first and names the fill-ins in place of the missing calls.
#pragma once

#include_next <GL/gl.h>

#include "platform/winapi/web/WebGLFillIns.h"

#define glEnable quorvelWebEnable
#define glDisable quorvelWebDisable
#define glEnableClientState quorvelWebEnableClientState
#define glDisableClientState quorvelWebDisableClientState
#define glPushAttrib quorvelWebPushAttrib
#define glPopAttrib quorvelWebPopAttrib
#define glPushClientAttrib quorvelWebPushClientAttrib
#define glPopClientAttrib quorvelWebPopClientAttrib
#define glPixelStorei quorvelWebPixelStorei
#define glBindTexture quorvelWebBindTexture
#define glTexParameteri quorvelWebTexParameteri
#define glTexImage1D quorvelWebTexImage1D
#define glTexImage2D quorvelWebTexImage2D
#define gluBuild2DMipmaps quorvelWebBuild2DMipmaps
#define glDrawElements quorvelWebDrawElements
#define glRasterPos2i quorvelWebRasterPos2i
#define glDrawPixels quorvelWebDrawPixels
#define glLineStipple quorvelWebLineStipple
#define glReadBuffer quorvelWebReadBuffer
