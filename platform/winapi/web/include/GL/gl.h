// OpenGL 1.1 in a browser: emscripten's emulation of it on WebGL 1, with the
// layer's fill-ins (WebGLFillIns) for what the emulation lacks or WebGL
// refuses. The engine includes <GL/gl.h> as everywhere; in the web build this
// header comes first and names the fill-ins in place of the missing calls.
#pragma once

#include_next <GL/gl.h>

#include "platform/winapi/web/WebGLFillIns.h"
#include "platform/winapi/web/WebImmediateMode.h"

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
#define glBegin quorvelWebBegin
#define glEnd quorvelWebEnd
#define glVertex2f quorvelWebVertex2f
#define glVertex3f quorvelWebVertex3f
#define glVertex3fv quorvelWebVertex3fv
#define glColor3f quorvelWebColor3f
#define glColor4f quorvelWebColor4f
#define glColor3fv quorvelWebColor3fv
#define glTexCoord2f quorvelWebTexCoord2f
#define glTexCoord2fv quorvelWebTexCoord2fv
#define glVertexPointer quorvelWebVertexPointer
#define glColorPointer quorvelWebColorPointer
#define glNormalPointer quorvelWebNormalPointer
#define glTexCoordPointer quorvelWebTexCoordPointer
