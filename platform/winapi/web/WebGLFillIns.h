#pragma once
// WebGLFillIns: what the engine's OpenGL 1.1 needs and emscripten's emulation
// of it on WebGL 1 lacks or WebGL refuses, supplied by the layer in a
// browser:
// - glPushAttrib / glPopAttrib and the client versions, for the state the
//   engine saves (enables, depth, blending, culling, viewport, pixel
//   storage, client arrays), kept by the layer as it is set;
// - one-dimensional textures, as textures one texel high, with the shaders
//   that read them rewritten to match;
// - texture formats as WebGL takes them (internal format = format, no
//   GL_CLAMP), mipmaps built by the layer (gluBuild2DMipmaps), pixel-store
//   settings WebGL does not know left out when they are the defaults;
// - indices from the program's memory as WebGL takes them: quadrilaterals
//   as two triangles, 32-bit indices as 16-bit ones, and beyond 65,536
//   vertices the vertices themselves copied out in drawing order;
// - calls with nothing to do on a page (glRasterPos, glDrawPixels,
//   glLineStipple, glReadBuffer): they do nothing, and say so once.
// The engine's calls reach them through the web build's <GL/gl.h>; the ARB
// entry points the engine looks up by name come through lookUp().

#include "platform/winapi/include/windows.h"

#include <GL/gl.h>

namespace Quorvel {

class WebGLFillIns {
public:
    // A context was made and its emulation set up: the state kept starts
    // from OpenGL's defaults.
    static void contextCreated();
    // An entry point looked up by name that the layer supplies, or null.
    static PROC lookUp(const char* name);
    // The client arrays as the engine has set them (for glBegin / glEnd,
    // which draws with arrays of its own and puts them back).
    static bool clientArrayEnabled(GLenum array, GLenum unit);
    static GLenum clientActiveUnit();
    // A shader's text as WebGL's emulation can compile it: sampler1D and
    // texture1D become their two-dimensional forms. Public for the tests.
    static void rewriteShader(const char* source, char* out, size_t outSize);
};

} // namespace Quorvel

extern "C" {
// emscripten's entry point lookup for OpenGL by name (ARB and EXT names
// included), which its headers do not declare.
void* emscripten_GetProcAddress(const char* name);

void quorvelWebEnable(GLenum cap);
void quorvelWebDisable(GLenum cap);
void quorvelWebEnableClientState(GLenum array);
void quorvelWebDisableClientState(GLenum array);
void quorvelWebPushAttrib(GLbitfield mask);
void quorvelWebPopAttrib(void);
void quorvelWebPushClientAttrib(GLbitfield mask);
void quorvelWebPopClientAttrib(void);
void quorvelWebPixelStorei(GLenum name, GLint value);
void quorvelWebBindTexture(GLenum target, GLuint texture);
void quorvelWebTexParameteri(GLenum target, GLenum name, GLint value);
void quorvelWebTexImage1D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLint border,
                          GLenum format, GLenum type, const GLvoid* pixels);
void quorvelWebTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                          GLint border, GLenum format, GLenum type, const GLvoid* pixels);
GLint quorvelWebBuild2DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height, GLenum format,
                               GLenum type, const void* data);
void quorvelWebDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices);
void quorvelWebVertexPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer);
void quorvelWebColorPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer);
void quorvelWebNormalPointer(GLenum type, GLsizei stride, const GLvoid* pointer);
void quorvelWebTexCoordPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer);
void quorvelWebRasterPos2i(GLint x, GLint y);
void quorvelWebDrawPixels(GLsizei width, GLsizei height, GLenum format, GLenum type, const GLvoid* pixels);
void quorvelWebLineStipple(GLint factor, GLushort pattern);
void quorvelWebReadBuffer(GLenum mode);
}
