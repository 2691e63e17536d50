#include "math/VertexArray.h"

#include "system/OpenGL.h"

#include <cstring>

namespace Quorvel {

bool VertexArray::setData(uint32_t count_, uint32_t stride_, void* source, bool copy)
{
    if (data || (source == nullptr && count_ != 0 && stride_ != 0))
        return false;
    if (copy) {
        const size_t bytes = static_cast<size_t>(count_) * stride_;
        std::unique_ptr<uint8_t[]> buffer(new uint8_t[bytes > 0 ? bytes : 1]);
        if (bytes > 0)
            std::memcpy(buffer.get(), source, bytes);
        data = std::move(buffer);
    } else {
        data.reset(static_cast<uint8_t*>(source));
    }
    count = count_;
    stride = stride_;
    return true;
}

bool VertexArray::setData(uint32_t count_, uint32_t stride_, std::unique_ptr<uint8_t[]>&& source)
{
    if (data || (!source && count_ != 0 && stride_ != 0))
        return false;
    data = std::move(source);
    count = count_;
    stride = stride_;
    return true;
}

bool VertexArray::addAttribute(AttributeKind kind, uint32_t offset, uint32_t size, uint32_t type)
{
    attributes.push_back(VertexAttribute{offset, size, type, kind});
    return true;
}

void VertexArray::bind() const
{
    // Without data there is nothing to point OpenGL at: nothing is bound.
    if (!data)
        return;
    const GLsizei glStride = static_cast<GLsizei>(stride);
    for (const VertexAttribute& attribute : attributes) {
        const GLint size = static_cast<GLint>(attribute.size);
        const GLenum type = static_cast<GLenum>(attribute.type);
        const void* pointer = attributePointer(attribute);
        switch (attribute.kind) {
        case AttributeKind::Position:
            glEnableClientState(GL_VERTEX_ARRAY);
            glVertexPointer(size, type, glStride, pointer);
            break;
        case AttributeKind::Normal:
            glEnableClientState(GL_NORMAL_ARRAY);
            glNormalPointer(type, glStride, pointer);
            break;
        case AttributeKind::Color:
            glEnableClientState(GL_COLOR_ARRAY);
            glColorPointer(size, type, glStride, pointer);
            break;
        case AttributeKind::TexCoord:
            glEnableClientState(GL_TEXTURE_COORD_ARRAY);
            glTexCoordPointer(size, type, glStride, pointer);
            break;
        default:
            break;
        }
    }
}

} // namespace Quorvel
