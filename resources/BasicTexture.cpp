// BasicTexture: creation, binding and the upload format table of OpenGL
// texture objects.

#include "resources/BasicTexture.h"

#include "system/Extensions.h"

namespace Quorvel {

namespace {

constexpr uint32_t UnitsNotAsked = 0xFFFFFFFFu;
uint32_t cachedTextureUnits = UnitsNotAsked;

} // namespace

BasicTexture::BasicTexture() : id(0), target(0), unit(0)
{
}

BasicTexture::~BasicTexture()
{
    if (id != 0)
        glDeleteTextures(1, &id);
}

bool BasicTexture::create()
{
    if (id == 0)
        glGenTextures(1, &id);
    return true;
}

void BasicTexture::bind(uint32_t textureUnit)
{
    if (extMultitexture) {
        if (textureUnit >= maxTextureUnits())
            return;
        unit = textureUnit;
        glActiveTextureARB(GL_TEXTURE0_ARB + textureUnit);
    }
    glEnable(target);
    glBindTexture(target, id);
}

void BasicTexture::unbind()
{
    if (extMultitexture) {
        unit = 0;
        glBindTexture(target, 0);
        glDisable(target);
        glActiveTextureARB(GL_TEXTURE0_ARB);
    } else {
        glBindTexture(target, 0);
        glDisable(target);
    }
}

uint32_t BasicTexture::maxTextureUnits()
{
    if (cachedTextureUnits == UnitsNotAsked) {
        if (extMultitexture) {
            GLint units = 0;
            glGetIntegerv(GL_MAX_TEXTURE_UNITS_ARB, &units);
            cachedTextureUnits = units > 0 ? static_cast<uint32_t>(units) : 1u;
        } else {
            cachedTextureUnits = 1;
        }
    }
    return cachedTextureUnits;
}

GLint BasicTexture::internalFormatFor(GLenum format, GLenum)
{
    switch (format) {
    case GL_RGB:
    case GL_RED:
    case GL_GREEN:
    case GL_BLUE:
    case GL_BGR:
        return GL_RGB;
    case GL_RGBA:
    case GL_BGRA:
        return GL_RGBA;
    case GL_ALPHA:
        return GL_ALPHA;
    case GL_LUMINANCE:
        return GL_LUMINANCE;
    case GL_LUMINANCE_ALPHA:
        return GL_LUMINANCE_ALPHA;
    case GL_DEPTH_COMPONENT:
        return GL_DEPTH_COMPONENT;
    default:
        return 0;
    }
}

} // namespace Quorvel
