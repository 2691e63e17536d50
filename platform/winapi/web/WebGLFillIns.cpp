#include "platform/winapi/web/WebGLFillIns.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

// The real calls: this file is where the fill-ins reach the emulation.
#undef glEnable
#undef glDisable
#undef glEnableClientState
#undef glDisableClientState
#undef glPixelStorei
#undef glBindTexture
#undef glTexParameteri
#undef glTexImage2D
#undef glDrawElements

namespace Quorvel {

namespace {

// ---------------------------------------------------------------------------
// The state kept: what was enabled through the fill-ins, and the pixel store.

std::map<GLenum, bool> enabled;       // capabilities
std::map<unsigned, bool> clientArrays; // client arrays by (unit << 16 | array)
GLenum clientUnit = GL_TEXTURE0;
GLint unpackAlignment = 4;
GLint packAlignment = 4;

bool isEnabled(GLenum cap)
{
    auto it = enabled.find(cap);
    if (it != enabled.end())
        return it->second;
    return cap == GL_DITHER; // OpenGL's defaults: only dithering on
}

void setEnabled(GLenum cap, bool on)
{
    if (cap == GL_TEXTURE_1D) {
        enabled[cap] = on; // the shaders that read it sample it themselves
        return;
    }
    enabled[cap] = on;
    if (on)
        glEnable(cap);
    else
        glDisable(cap);
}

unsigned clientKey(GLenum array)
{
    const unsigned unit = array == GL_TEXTURE_COORD_ARRAY ? unsigned(clientUnit - GL_TEXTURE0) : 0u;
    return (unit << 16) | unsigned(array);
}

void setClientArray(unsigned key, bool on)
{
    clientArrays[key] = on;
    const GLenum array = GLenum(key & 0xFFFF);
    const GLenum unit = GL_TEXTURE0 + (key >> 16);
    const bool otherUnit = array == GL_TEXTURE_COORD_ARRAY && unit != clientUnit;
    if (otherUnit)
        glClientActiveTexture(unit);
    if (on)
        glEnableClientState(array);
    else
        glDisableClientState(array);
    if (otherUnit)
        glClientActiveTexture(clientUnit);
}

// ---------------------------------------------------------------------------
// The attribute stacks.

struct Attributes {
    GLbitfield mask = 0;
    std::map<GLenum, bool> enabled;
    GLint depthFunc = GL_LESS;
    GLboolean depthMask = GL_TRUE;
    GLfloat depthClear = 1.0f;
    GLint blendSource = GL_ONE, blendDestination = GL_ZERO;
    GLboolean colorMask[4] = {GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE};
    GLfloat colorClear[4] = {0, 0, 0, 0};
    GLint cullFace = GL_BACK, frontFace = GL_CCW;
    GLint viewport[4] = {0, 0, 0, 0};
    GLfloat depthRange[2] = {0, 1};
};

struct ClientAttributes {
    GLbitfield mask = 0;
    GLint unpackAlignment = 4, packAlignment = 4;
    std::map<unsigned, bool> arrays;
    GLenum clientUnit = GL_TEXTURE0;
};

std::vector<Attributes> attributeStack;
std::vector<ClientAttributes> clientAttributeStack;

// The capabilities each attribute group holds.
const struct {
    GLbitfield bit;
    GLenum caps[8];
} groupCaps[] = {
    {GL_DEPTH_BUFFER_BIT, {GL_DEPTH_TEST}},
    {GL_COLOR_BUFFER_BIT, {GL_BLEND, GL_ALPHA_TEST, GL_DITHER}},
    {GL_POLYGON_BIT, {GL_CULL_FACE, GL_POLYGON_OFFSET_FILL}},
    {GL_POINT_BIT, {GL_POINT_SMOOTH, GL_POINT_SPRITE_ARB}},
};

bool warnedOnce(const char* what)
{
    static std::map<std::string, bool> warned;
    if (warned[what])
        return true;
    warned[what] = true;
    std::fprintf(stderr, "winapi: %s does nothing in a browser\n", what);
    return false;
}

// ---------------------------------------------------------------------------
// Textures.

bool isPowerOfTwo(int n)
{
    return n > 0 && (n & (n - 1)) == 0;
}

int componentsOf(GLenum format)
{
    switch (format) {
    case GL_RGBA:
        return 4;
    case GL_RGB:
        return 3;
    case GL_LUMINANCE_ALPHA:
        return 2;
    default:
        return 1;
    }
}

// WebGL wants the internal format to be the format itself.
GLint internalFormatFor(GLint internalFormat, GLenum format)
{
    switch (internalFormat) {
    case 1:
    case 2:
    case 3:
    case 4:
    case GL_RGB8:
    case GL_RGBA8:
    case GL_ALPHA8:
    case GL_LUMINANCE8:
    case GL_LUMINANCE8_ALPHA8:
        return GLint(format);
    default:
        return internalFormat;
    }
}

// Tightly packed rows of pixels read with the given row alignment.
std::vector<uint8_t> packed(const uint8_t* pixels, int width, int height, int components, int alignment)
{
    const size_t rowBytes = size_t(width) * size_t(components);
    const size_t stride = (rowBytes + size_t(alignment) - 1) / size_t(alignment) * size_t(alignment);
    std::vector<uint8_t> out(rowBytes * size_t(height));
    for (int y = 0; y < height; ++y)
        std::memcpy(&out[size_t(y) * rowBytes], pixels + size_t(y) * stride, rowBytes);
    return out;
}

// Bilinear resampling to another size, as the mipmap builder of GLU scales
// an image whose sides are not powers of two.
std::vector<uint8_t> scaled(const std::vector<uint8_t>& in, int width, int height, int components, int toWidth,
                            int toHeight)
{
    std::vector<uint8_t> out(size_t(toWidth) * size_t(toHeight) * size_t(components));
    for (int y = 0; y < toHeight; ++y) {
        const float sy = (float(y) + 0.5f) * float(height) / float(toHeight) - 0.5f;
        const int y0 = sy < 0 ? 0 : int(sy);
        const int y1 = y0 + 1 < height ? y0 + 1 : height - 1;
        const float fy = sy < 0 ? 0.0f : sy - float(y0);
        for (int x = 0; x < toWidth; ++x) {
            const float sx = (float(x) + 0.5f) * float(width) / float(toWidth) - 0.5f;
            const int x0 = sx < 0 ? 0 : int(sx);
            const int x1 = x0 + 1 < width ? x0 + 1 : width - 1;
            const float fx = sx < 0 ? 0.0f : sx - float(x0);
            for (int c = 0; c < components; ++c) {
                auto at = [&](int px, int py) { return float(in[(size_t(py) * size_t(width) + size_t(px)) * size_t(components) + size_t(c)]); };
                const float top = at(x0, y0) + (at(x1, y0) - at(x0, y0)) * fx;
                const float bottom = at(x0, y1) + (at(x1, y1) - at(x0, y1)) * fx;
                out[(size_t(y) * size_t(toWidth) + size_t(x)) * size_t(components) + size_t(c)]
                    = uint8_t(top + (bottom - top) * fy + 0.5f);
            }
        }
    }
    return out;
}

// The next level of a mipmap chain: each texel the mean of up to four.
std::vector<uint8_t> halved(const std::vector<uint8_t>& in, int width, int height, int components, int& outWidth,
                            int& outHeight)
{
    outWidth = width > 1 ? width / 2 : 1;
    outHeight = height > 1 ? height / 2 : 1;
    std::vector<uint8_t> out(size_t(outWidth) * size_t(outHeight) * size_t(components));
    for (int y = 0; y < outHeight; ++y) {
        for (int x = 0; x < outWidth; ++x) {
            const int x0 = width > 1 ? 2 * x : 0, x1 = width > 1 ? 2 * x + 1 : 0;
            const int y0 = height > 1 ? 2 * y : 0, y1 = height > 1 ? 2 * y + 1 : 0;
            for (int c = 0; c < components; ++c) {
                auto at = [&](int px, int py) { return unsigned(in[(size_t(py) * size_t(width) + size_t(px)) * size_t(components) + size_t(c)]); };
                out[(size_t(y) * size_t(outWidth) + size_t(x)) * size_t(components) + size_t(c)]
                    = uint8_t((at(x0, y0) + at(x1, y0) + at(x0, y1) + at(x1, y1) + 2) / 4);
            }
        }
    }
    return out;
}

// An upload as WebGL takes it. An alpha-only texture reads as black with
// its alpha in WebGL, where OpenGL 1.1 keeps the fragment's colour
// (GL_MODULATE, as text is drawn): it goes up as luminance and alpha with
// full luminance, which modulates the same.
void uploadTexture(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                   GLenum format, GLenum type, const GLvoid* pixels, GLint alignment)
{
    if (format != GL_ALPHA || type != GL_UNSIGNED_BYTE || !pixels || width <= 0 || height <= 0) {
        glTexImage2D(target, level, internalFormatFor(internalFormat, format), width, height, border, format, type,
                     pixels);
        return;
    }
    const std::vector<uint8_t> alpha = packed(static_cast<const uint8_t*>(pixels), width, height, 1, alignment);
    std::vector<uint8_t> luminanceAlpha(alpha.size() * 2);
    for (size_t i = 0; i < alpha.size(); ++i) {
        luminanceAlpha[2 * i] = 255;
        luminanceAlpha[2 * i + 1] = alpha[i];
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(target, level, GL_LUMINANCE_ALPHA, width, height, border, GL_LUMINANCE_ALPHA, type,
                 luminanceAlpha.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, unpackAlignment);
}

// ---------------------------------------------------------------------------
// Shaders.

typedef void (*ShaderSource)(GLhandleARB, GLsizei, const GLcharARB**, const GLint*);
ShaderSource realShaderSource = nullptr;

void shaderSourceWithRewrite(GLhandleARB shader, GLsizei count, const GLcharARB** strings, const GLint* lengths)
{
    if (!realShaderSource)
        return;
    std::string joined;
    for (GLsizei i = 0; i < count && strings; ++i) {
        if (!strings[i])
            continue;
        if (lengths && lengths[i] >= 0)
            joined.append(strings[i], size_t(lengths[i]));
        else
            joined.append(strings[i]);
    }
    std::vector<char> out(joined.size() * 2 + 256);
    WebGLFillIns::rewriteShader(joined.c_str(), out.data(), out.size());
    const GLcharARB* text = out.data();
    realShaderSource(shader, 1, &text, nullptr);
}

typedef void (*ClientActiveTexture)(GLenum);

void clientActiveTextureTracked(GLenum unit)
{
    clientUnit = unit;
    glClientActiveTexture(unit);
}

// The ARB shader-object calls WebGL has no counterpart for.
GLhandleARB getHandle(GLenum name)
{
    if (name != GL_PROGRAM_OBJECT_ARB)
        return 0;
    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    return GLhandleARB(program);
}

typedef void (*GetObjectParameteriv)(GLhandleARB, GLenum, GLint*);

void getObjectParameterfv(GLhandleARB object, GLenum name, GLfloat* value)
{
    static GetObjectParameteriv integer
        = reinterpret_cast<GetObjectParameteriv>(emscripten_GetProcAddress("glGetObjectParameterivARB"));
    GLint read = 0;
    if (integer && value) {
        integer(object, name, &read);
        *value = GLfloat(read);
    }
}

typedef void (*GetAttachedShaders)(GLuint, GLsizei, GLsizei*, GLuint*);

void getAttachedObjects(GLhandleARB program, GLsizei most, GLsizei* count, GLhandleARB* objects)
{
    static GetAttachedShaders attached
        = reinterpret_cast<GetAttachedShaders>(emscripten_GetProcAddress("glGetAttachedShaders"));
    if (attached)
        attached(GLuint(program), most, count, reinterpret_cast<GLuint*>(objects));
    else if (count)
        *count = 0;
}

template <typename Function>
PROC asProc(Function function)
{
    return reinterpret_cast<PROC>(reinterpret_cast<void (*)()>(function));
}

// Entry points of the extensions the engine loads whole that WebGL has no
// counterpart for (the double, short and normalised forms of the vertex
// attributes, the multitexture coordinates, framebuffer attachments of one-
// and three-dimensional textures). The engine's pictures call none of them;
// a call does nothing, with the calling convention it was looked up with.
template <typename Pointer>
struct Quiet;

template <typename Result, typename... Arguments>
struct Quiet<Result (*)(Arguments...)> {
    static Result call(Arguments...)
    {
        warnedOnce("an OpenGL call that WebGL does not offer");
        return Result();
    }
};

#define QUIET(name, type) {#name, asProc(&Quiet<type>::call)}

struct QuietCall {
    const char* name;
    PROC call;
};

const QuietCall quietCalls[] = {
    QUIET(glVertexAttrib1sARB, PFNGLVERTEXATTRIB1SARBPROC),
    QUIET(glVertexAttrib1dARB, PFNGLVERTEXATTRIB1DARBPROC),
    QUIET(glVertexAttrib2sARB, PFNGLVERTEXATTRIB2SARBPROC),
    QUIET(glVertexAttrib2dARB, PFNGLVERTEXATTRIB2DARBPROC),
    QUIET(glVertexAttrib3sARB, PFNGLVERTEXATTRIB3SARBPROC),
    QUIET(glVertexAttrib3dARB, PFNGLVERTEXATTRIB3DARBPROC),
    QUIET(glVertexAttrib4sARB, PFNGLVERTEXATTRIB4SARBPROC),
    QUIET(glVertexAttrib4dARB, PFNGLVERTEXATTRIB4DARBPROC),
    QUIET(glVertexAttrib4NubARB, PFNGLVERTEXATTRIB4NUBARBPROC),
    QUIET(glVertexAttrib1svARB, PFNGLVERTEXATTRIB1SVARBPROC),
    QUIET(glVertexAttrib1dvARB, PFNGLVERTEXATTRIB1DVARBPROC),
    QUIET(glVertexAttrib2svARB, PFNGLVERTEXATTRIB2SVARBPROC),
    QUIET(glVertexAttrib2dvARB, PFNGLVERTEXATTRIB2DVARBPROC),
    QUIET(glVertexAttrib3svARB, PFNGLVERTEXATTRIB3SVARBPROC),
    QUIET(glVertexAttrib3dvARB, PFNGLVERTEXATTRIB3DVARBPROC),
    QUIET(glVertexAttrib4svARB, PFNGLVERTEXATTRIB4SVARBPROC),
    QUIET(glVertexAttrib4dvARB, PFNGLVERTEXATTRIB4DVARBPROC),
    QUIET(glVertexAttrib4ivARB, PFNGLVERTEXATTRIB4IVARBPROC),
    QUIET(glVertexAttrib4bvARB, PFNGLVERTEXATTRIB4BVARBPROC),
    QUIET(glVertexAttrib4ubvARB, PFNGLVERTEXATTRIB4UBVARBPROC),
    QUIET(glVertexAttrib4usvARB, PFNGLVERTEXATTRIB4USVARBPROC),
    QUIET(glVertexAttrib4uivARB, PFNGLVERTEXATTRIB4UIVARBPROC),
    QUIET(glVertexAttrib4NbvARB, PFNGLVERTEXATTRIB4NBVARBPROC),
    QUIET(glVertexAttrib4NsvARB, PFNGLVERTEXATTRIB4NSVARBPROC),
    QUIET(glVertexAttrib4NivARB, PFNGLVERTEXATTRIB4NIVARBPROC),
    QUIET(glVertexAttrib4NubvARB, PFNGLVERTEXATTRIB4NUBVARBPROC),
    QUIET(glVertexAttrib4NusvARB, PFNGLVERTEXATTRIB4NUSVARBPROC),
    QUIET(glVertexAttrib4NuivARB, PFNGLVERTEXATTRIB4NUIVARBPROC),
    QUIET(glGetVertexAttribdvARB, PFNGLGETVERTEXATTRIBDVARBPROC),
    QUIET(glMultiTexCoord1dARB, PFNGLMULTITEXCOORD1DARBPROC),
    QUIET(glMultiTexCoord1dvARB, PFNGLMULTITEXCOORD1DVARBPROC),
    QUIET(glMultiTexCoord1fARB, PFNGLMULTITEXCOORD1FARBPROC),
    QUIET(glMultiTexCoord1fvARB, PFNGLMULTITEXCOORD1FVARBPROC),
    QUIET(glMultiTexCoord1iARB, PFNGLMULTITEXCOORD1IARBPROC),
    QUIET(glMultiTexCoord1ivARB, PFNGLMULTITEXCOORD1IVARBPROC),
    QUIET(glMultiTexCoord1sARB, PFNGLMULTITEXCOORD1SARBPROC),
    QUIET(glMultiTexCoord1svARB, PFNGLMULTITEXCOORD1SVARBPROC),
    QUIET(glMultiTexCoord2dARB, PFNGLMULTITEXCOORD2DARBPROC),
    QUIET(glMultiTexCoord2dvARB, PFNGLMULTITEXCOORD2DVARBPROC),
    QUIET(glMultiTexCoord2fARB, PFNGLMULTITEXCOORD2FARBPROC),
    QUIET(glMultiTexCoord2fvARB, PFNGLMULTITEXCOORD2FVARBPROC),
    QUIET(glMultiTexCoord2iARB, PFNGLMULTITEXCOORD2IARBPROC),
    QUIET(glMultiTexCoord2ivARB, PFNGLMULTITEXCOORD2IVARBPROC),
    QUIET(glMultiTexCoord2sARB, PFNGLMULTITEXCOORD2SARBPROC),
    QUIET(glMultiTexCoord2svARB, PFNGLMULTITEXCOORD2SVARBPROC),
    QUIET(glMultiTexCoord3dARB, PFNGLMULTITEXCOORD3DARBPROC),
    QUIET(glMultiTexCoord3dvARB, PFNGLMULTITEXCOORD3DVARBPROC),
    QUIET(glMultiTexCoord3fARB, PFNGLMULTITEXCOORD3FARBPROC),
    QUIET(glMultiTexCoord3fvARB, PFNGLMULTITEXCOORD3FVARBPROC),
    QUIET(glMultiTexCoord3iARB, PFNGLMULTITEXCOORD3IARBPROC),
    QUIET(glMultiTexCoord3ivARB, PFNGLMULTITEXCOORD3IVARBPROC),
    QUIET(glMultiTexCoord3sARB, PFNGLMULTITEXCOORD3SARBPROC),
    QUIET(glMultiTexCoord3svARB, PFNGLMULTITEXCOORD3SVARBPROC),
    QUIET(glMultiTexCoord4dARB, PFNGLMULTITEXCOORD4DARBPROC),
    QUIET(glMultiTexCoord4dvARB, PFNGLMULTITEXCOORD4DVARBPROC),
    QUIET(glMultiTexCoord4fARB, PFNGLMULTITEXCOORD4FARBPROC),
    QUIET(glMultiTexCoord4fvARB, PFNGLMULTITEXCOORD4FVARBPROC),
    QUIET(glMultiTexCoord4iARB, PFNGLMULTITEXCOORD4IARBPROC),
    QUIET(glMultiTexCoord4ivARB, PFNGLMULTITEXCOORD4IVARBPROC),
    QUIET(glMultiTexCoord4sARB, PFNGLMULTITEXCOORD4SARBPROC),
    QUIET(glMultiTexCoord4svARB, PFNGLMULTITEXCOORD4SVARBPROC),
    QUIET(glFramebufferTexture1DEXT, PFNGLFRAMEBUFFERTEXTURE1DEXTPROC),
    QUIET(glFramebufferTexture3DEXT, PFNGLFRAMEBUFFERTEXTURE3DEXTPROC),
};

#undef QUIET

} // namespace

void WebGLFillIns::contextCreated()
{
    enabled.clear();
    clientArrays.clear();
    clientUnit = GL_TEXTURE0;
    unpackAlignment = 4;
    packAlignment = 4;
    attributeStack.clear();
    clientAttributeStack.clear();
    realShaderSource = reinterpret_cast<ShaderSource>(emscripten_GetProcAddress("glShaderSource"));
}

PROC WebGLFillIns::lookUp(const char* name)
{
    if (std::strcmp(name, "glShaderSourceARB") == 0 || std::strcmp(name, "glShaderSource") == 0)
        return asProc(&shaderSourceWithRewrite);
    if (std::strcmp(name, "glClientActiveTextureARB") == 0 || std::strcmp(name, "glClientActiveTexture") == 0)
        return asProc(&clientActiveTextureTracked);
    if (std::strcmp(name, "glGetAttachedObjectsARB") == 0)
        return asProc(&getAttachedObjects);
    for (const QuietCall& quiet : quietCalls)
        if (std::strcmp(name, quiet.name) == 0)
            return quiet.call;
    if (std::strcmp(name, "glGetHandleARB") == 0)
        return asProc(&getHandle);
    if (std::strcmp(name, "glGetObjectParameterfvARB") == 0)
        return asProc(&getObjectParameterfv);
    return nullptr;
}

bool WebGLFillIns::clientArrayEnabled(GLenum array, GLenum unit)
{
    const unsigned key = ((array == GL_TEXTURE_COORD_ARRAY ? unsigned(unit - GL_TEXTURE0) : 0u) << 16) | unsigned(array);
    auto it = clientArrays.find(key);
    return it != clientArrays.end() && it->second;
}

GLenum WebGLFillIns::clientActiveUnit()
{
    return clientUnit;
}

void WebGLFillIns::rewriteShader(const char* source, char* out, size_t outSize)
{
    if (!out || outSize == 0)
        return;
    std::string text = source ? source : "";
    const bool reads1D = text.find("sampler1D") != std::string::npos;
    auto replaceAll = [&text](const std::string& from, const std::string& to) {
        for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
            text.replace(at, from.size(), to);
    };
    if (reads1D) {
        replaceAll("sampler1D", "sampler2D");
        replaceAll("texture1D(", "quorvelTexture1D(");
        // Declared before the first line that is not a comment or a
        // preprocessor line would be simplest; at the very top is enough
        // for shaders without a version line.
        text = "vec4 quorvelTexture1D(sampler2D map, float s) { return texture2D(map, vec2(s, 0.5)); }\n" + text;
    }
    std::snprintf(out, outSize, "%s", text.c_str());
}

} // namespace Quorvel

using namespace Quorvel;

extern "C" {

void quorvelWebEnable(GLenum cap)
{
    setEnabled(cap, true);
}

void quorvelWebDisable(GLenum cap)
{
    setEnabled(cap, false);
}

void quorvelWebEnableClientState(GLenum array)
{
    setClientArray(clientKey(array), true);
}

void quorvelWebDisableClientState(GLenum array)
{
    setClientArray(clientKey(array), false);
}

void quorvelWebPushAttrib(GLbitfield mask)
{
    Attributes saved;
    saved.mask = mask;
    saved.enabled = enabled;
    for (GLenum cap : {GLenum(GL_DITHER)})
        saved.enabled[cap] = isEnabled(cap);
    glGetIntegerv(GL_DEPTH_FUNC, &saved.depthFunc);
    glGetBooleanv(GL_DEPTH_WRITEMASK, &saved.depthMask);
    glGetFloatv(GL_DEPTH_CLEAR_VALUE, &saved.depthClear);
    glGetIntegerv(GL_BLEND_SRC_RGB, &saved.blendSource);
    glGetIntegerv(GL_BLEND_DST_RGB, &saved.blendDestination);
    glGetBooleanv(GL_COLOR_WRITEMASK, saved.colorMask);
    glGetFloatv(GL_COLOR_CLEAR_VALUE, saved.colorClear);
    glGetIntegerv(GL_CULL_FACE_MODE, &saved.cullFace);
    glGetIntegerv(GL_FRONT_FACE, &saved.frontFace);
    glGetIntegerv(GL_VIEWPORT, saved.viewport);
    glGetFloatv(GL_DEPTH_RANGE, saved.depthRange);
    attributeStack.push_back(saved);
}

void quorvelWebPopAttrib(void)
{
    if (attributeStack.empty())
        return; // GL_STACK_UNDERFLOW on a desktop: nothing changes
    const Attributes saved = attributeStack.back();
    attributeStack.pop_back();
    auto restore = [&saved](GLenum cap) {
        auto it = saved.enabled.find(cap);
        const bool wanted = it != saved.enabled.end() ? it->second : cap == GL_DITHER;
        if (isEnabled(cap) != wanted)
            setEnabled(cap, wanted);
    };
    if (saved.mask & GL_ENABLE_BIT) {
        for (const auto& entry : enabled)
            restore(entry.first);
        for (const auto& entry : saved.enabled)
            restore(entry.first);
    }
    for (const auto& group : groupCaps)
        if (saved.mask & group.bit)
            for (GLenum cap : group.caps)
                if (cap)
                    restore(cap);
    if (saved.mask & GL_DEPTH_BUFFER_BIT) {
        glDepthFunc(GLenum(saved.depthFunc));
        glDepthMask(saved.depthMask);
        glClearDepth(saved.depthClear);
    }
    if (saved.mask & GL_COLOR_BUFFER_BIT) {
        glBlendFunc(GLenum(saved.blendSource), GLenum(saved.blendDestination));
        glColorMask(saved.colorMask[0], saved.colorMask[1], saved.colorMask[2], saved.colorMask[3]);
        glClearColor(saved.colorClear[0], saved.colorClear[1], saved.colorClear[2], saved.colorClear[3]);
    }
    if (saved.mask & GL_POLYGON_BIT) {
        glCullFace(GLenum(saved.cullFace));
        glFrontFace(GLenum(saved.frontFace));
    }
    if (saved.mask & GL_VIEWPORT_BIT) {
        glViewport(saved.viewport[0], saved.viewport[1], saved.viewport[2], saved.viewport[3]);
        glDepthRange(saved.depthRange[0], saved.depthRange[1]);
    }
}

void quorvelWebPushClientAttrib(GLbitfield mask)
{
    ClientAttributes saved;
    saved.mask = mask;
    saved.unpackAlignment = unpackAlignment;
    saved.packAlignment = packAlignment;
    saved.arrays = clientArrays;
    saved.clientUnit = clientUnit;
    clientAttributeStack.push_back(saved);
}

void quorvelWebPopClientAttrib(void)
{
    if (clientAttributeStack.empty())
        return;
    const ClientAttributes saved = clientAttributeStack.back();
    clientAttributeStack.pop_back();
    if (saved.mask & GL_CLIENT_PIXEL_STORE_BIT) {
        quorvelWebPixelStorei(GL_UNPACK_ALIGNMENT, saved.unpackAlignment);
        quorvelWebPixelStorei(GL_PACK_ALIGNMENT, saved.packAlignment);
    }
    if (saved.mask & GL_CLIENT_VERTEX_ARRAY_BIT) {
        std::map<unsigned, bool> now = clientArrays;
        for (const auto& entry : now) {
            auto it = saved.arrays.find(entry.first);
            const bool wanted = it != saved.arrays.end() && it->second;
            if (entry.second != wanted)
                setClientArray(entry.first, wanted);
        }
        for (const auto& entry : saved.arrays)
            if (entry.second && !clientArrays[entry.first])
                setClientArray(entry.first, true);
        if (clientUnit != saved.clientUnit)
            clientActiveTextureTracked(saved.clientUnit);
    }
}

void quorvelWebPixelStorei(GLenum name, GLint value)
{
    switch (name) {
    case GL_UNPACK_ALIGNMENT:
        unpackAlignment = value;
        glPixelStorei(name, value);
        return;
    case GL_PACK_ALIGNMENT:
        packAlignment = value;
        glPixelStorei(name, value);
        return;
    default:
        // Row lengths, skips, byte swapping: WebGL 1 has none of them; the
        // engine only ever sets their defaults.
        if (value != 0 && !warnedOnce("a pixel-store setting other than the alignment"))
            std::fprintf(stderr, "winapi: pixel-store setting 0x%x = %d ignored\n", name, value);
        return;
    }
}

void quorvelWebBindTexture(GLenum target, GLuint texture)
{
    glBindTexture(target == GL_TEXTURE_1D ? GL_TEXTURE_2D : target, texture);
}

void quorvelWebTexParameteri(GLenum target, GLenum name, GLint value)
{
    if (target == GL_TEXTURE_1D)
        target = GL_TEXTURE_2D;
    if ((name == GL_TEXTURE_WRAP_S || name == GL_TEXTURE_WRAP_T) && value == GL_CLAMP)
        value = GL_CLAMP_TO_EDGE;
    glTexParameteri(target, name, value);
}

void quorvelWebTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                          GLint border, GLenum format, GLenum type, const GLvoid* pixels)
{
    uploadTexture(target, level, internalFormat, width, height, border, format, type, pixels, unpackAlignment);
}

void quorvelWebTexImage1D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLint border,
                          GLenum format, GLenum type, const GLvoid* pixels)
{
    if (target != GL_TEXTURE_1D)
        return;
    // A row one texel high; it never wraps (WebGL would refuse the default
    // wrap for a side that is not a power of two, and the tables are read
    // within their ends).
    quorvelWebTexImage2D(GL_TEXTURE_2D, level, internalFormat, width, 1, border, format, type, pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

GLint quorvelWebBuild2DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height, GLenum format,
                               GLenum type, const void* data)
{
    if (width <= 0 || height <= 0 || !data)
        return GL_INVALID_VALUE;
    if (type != GL_UNSIGNED_BYTE)
        return GL_INVALID_ENUM;
    const int components = componentsOf(format);
    std::vector<uint8_t> image
        = packed(static_cast<const uint8_t*>(data), width, height, components, unpackAlignment);
    int w = width, h = height;
    if (!isPowerOfTwo(w) || !isPowerOfTwo(h)) {
        int toWidth = 1, toHeight = 1;
        while (toWidth * 2 <= w)
            toWidth *= 2;
        while (toHeight * 2 <= h)
            toHeight *= 2;
        image = scaled(image, w, h, components, toWidth, toHeight);
        w = toWidth;
        h = toHeight;
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (GLint level = 0;; ++level) {
        uploadTexture(target, level, internalFormat, w, h, 0, format, type, image.data(), 1);
        if (w == 1 && h == 1)
            break;
        int nextWidth = 0, nextHeight = 0;
        image = halved(image, w, h, components, nextWidth, nextHeight);
        w = nextWidth;
        h = nextHeight;
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, unpackAlignment);
    return 0;
}

void quorvelWebDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices)
{
    GLint elementBuffer = 0;
    glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING, &elementBuffer);
    if (type != GL_UNSIGNED_INT || elementBuffer != 0 || count <= 0 || !indices) {
        glDrawElements(mode, count, type, indices);
        return;
    }
    // 32-bit indices from the program's memory: drawn as 16-bit ones, which
    // holds for every mesh of fewer than 65,536 vertices.
    static std::vector<GLushort> narrow;
    narrow.resize(size_t(count));
    const GLuint* wide = static_cast<const GLuint*>(indices);
    for (GLsizei i = 0; i < count; ++i) {
        if (wide[i] > 0xFFFF) {
            if (!warnedOnce("a mesh of more than 65,536 vertices"))
                std::fprintf(stderr, "winapi: such a mesh is not drawn\n");
            return;
        }
        narrow[size_t(i)] = GLushort(wide[i]);
    }
    glDrawElements(mode, count, GL_UNSIGNED_SHORT, narrow.data());
}

void quorvelWebRasterPos2i(GLint, GLint)
{
    warnedOnce("glRasterPos");
}

void quorvelWebDrawPixels(GLsizei, GLsizei, GLenum, GLenum, const GLvoid*)
{
    warnedOnce("glDrawPixels");
}

void quorvelWebLineStipple(GLint, GLushort)
{
    warnedOnce("glLineStipple");
}

void quorvelWebReadBuffer(GLenum)
{
    // WebGL reads the buffer it draws into.
}

} // extern "C"
