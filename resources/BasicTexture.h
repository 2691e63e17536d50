#pragma once
// BasicTexture: one OpenGL texture object (its name, target and the texture
// unit it was last bound on). It owns the OpenGL name and deletes it on
// destruction. Binding selects the unit through multitexture when available.

#include "system/OpenGL.h"

#include <cstdint>

namespace Quorvel {

class BasicTexture {
public:
    BasicTexture();
    ~BasicTexture(); // deletes the OpenGL name when there is one

    BasicTexture(const BasicTexture&) = delete;
    BasicTexture& operator=(const BasicTexture&) = delete;

    // Generates the OpenGL name unless the texture already has one; always true.
    bool create();
    void setTarget(GLenum newTarget) { target = newTarget; }

    // Makes the texture current on a texture unit and enables its target
    // there. With multitexture, a unit at or beyond maxTextureUnits() is
    // refused and nothing changes; without it the unit is ignored.
    void bind(uint32_t textureUnit);
    // Unbinds and disables the target, and goes back to unit 0.
    void unbind();

    GLuint getId() const { return id; }
    GLenum getTarget() const { return target; }
    uint32_t getUnit() const { return unit; }

    // Texture units the driver offers (1 without multitexture). Asked of
    // OpenGL once per process; later calls return the first answer.
    static uint32_t maxTextureUnits();
    // Internal format used to upload pixels of this format; 0 for formats
    // that cannot be uploaded as a colour texture. The type does not matter.
    static GLint internalFormatFor(GLenum format, GLenum type);

protected:
    GLuint id;
    GLenum target;
    uint32_t unit;
};

} // namespace Quorvel
