// VertexArray: one block of interleaved vertex data in client memory and the
// attributes that live in it, bound to OpenGL's fixed-function client arrays
// before an indexed draw. Owns the vertex bytes and its attribute list.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace Quorvel {

// What an attribute feeds: each kind has its own fixed-function client array.
enum class AttributeKind : uint32_t {
    Position = 0,
    Normal = 1,
    Color = 2,
    TexCoord = 3,
};

// Where one attribute lies inside each vertex.
struct VertexAttribute {
    uint32_t offset;    // bytes from the start of a vertex
    uint32_t size;      // number of components
    uint32_t type;      // OpenGL component type, such as GL_FLOAT
    AttributeKind kind; // a value outside the four kinds is skipped by bind
};

class VertexArray {
public:
    VertexArray() = default;
    VertexArray(const VertexArray&) = delete;
    VertexArray& operator=(const VertexArray&) = delete;

    // Sets the vertex data once: refuses (false, nothing changed) when data is
    // already set, or when source is null for a non-empty array. With copy,
    // count * stride bytes are copied from source. Without copy, the array
    // takes source itself, which must come from new uint8_t[], and frees it
    // with delete[]; after a refusal the caller still owns it.
    bool setData(uint32_t count, uint32_t stride, void* source, bool copy);
    // Takes the buffer (count * stride bytes); after a refusal it stays with
    // the caller.
    bool setData(uint32_t count, uint32_t stride, std::unique_ptr<uint8_t[]>&& source);

    // Appends an attribute; attributes may come before or after setData.
    bool addAttribute(AttributeKind kind, uint32_t offset, uint32_t size, uint32_t type);

    // Enables the client array of every attribute in list order and points it
    // at data + offset with the array's stride. Never disables a client state:
    // wrap bind and draw in glPushClientAttrib / glPopClientAttrib to restore.
    // Without data (before setData) it binds nothing.
    void bind() const;

    const uint8_t* getData() const { return data.get(); }
    uint32_t getCount() const { return count; }
    uint32_t getStride() const { return stride; }
    const std::vector<VertexAttribute>& getAttributes() const { return attributes; }
    // The client-array pointer of an attribute: data + offset.
    const void* attributePointer(const VertexAttribute& attribute) const { return data.get() + attribute.offset; }

private:
    std::unique_ptr<uint8_t[]> data;
    uint32_t count = 0;
    uint32_t stride = 0;
    std::vector<VertexAttribute> attributes;
};

} // namespace Quorvel
