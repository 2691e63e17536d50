// Ms3dModel: an in-memory Milkshape3D model and its byte-exact writer, plus the
// crate model whose file ships in data/. Header-only so that the tool and the
// tests share one writer: the tests rebuild the shipped file and compare bytes,
// and build small (also deliberately broken) models for the engine's reader.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace Ms3dGen {

struct Vertex {
    uint8_t flags = 0;
    float x = 0, y = 0, z = 0;
    int8_t bone = -1;
    uint8_t references = 0;
};

struct Triangle {
    uint16_t flags = 0;
    uint16_t index[3] = {0, 0, 0};
    float normal[3][3] = {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}};
    float s[3] = {0, 0, 0};
    float t[3] = {0, 0, 0};
    uint8_t smoothingGroup = 1;
    uint8_t groupIndex = 0;
};

struct Group {
    uint8_t flags = 0;
    std::string name;                // at most 31 bytes are kept
    std::vector<uint16_t> triangles; // indices into the model's triangles
    int8_t material = -1;
};

struct Material {
    std::string name;
    float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    float diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
    float specular[4] = {0, 0, 0, 1.0f};
    float emissive[4] = {0, 0, 0, 1.0f};
    float shininess = 0;
    float transparency = 1.0f;
    uint8_t mode = 0;
    std::string texture; // at most 127 bytes are kept
    std::string alphaMap;
};

struct Model {
    int32_t version = 4;
    std::vector<Vertex> vertices;
    std::vector<Triangle> triangles;
    std::vector<Group> groups;
    std::vector<Material> materials;
    float animationFps = 24.0f;
    float currentTime = 0.0f;
    int32_t totalFrames = 1;
};

// Record sizes of the format, in bytes.
constexpr size_t HeaderSize = 14;
constexpr size_t VertexSize = 15;
constexpr size_t TriangleSize = 70;
constexpr size_t GroupHeadSize = 35;
constexpr size_t MaterialSize = 361;

namespace detail {

inline void putU8(std::string& out, uint8_t value)
{
    out.push_back(static_cast<char>(value));
}

inline void putU16(std::string& out, uint16_t value)
{
    putU8(out, static_cast<uint8_t>(value & 0xff));
    putU8(out, static_cast<uint8_t>(value >> 8));
}

inline void putU32(std::string& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        putU8(out, static_cast<uint8_t>((value >> shift) & 0xff));
}

inline void putFloat(std::string& out, float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    putU32(out, bits);
}

// A fixed-size, zero-padded text field that always keeps a terminating zero.
inline void putText(std::string& out, const std::string& text, size_t size)
{
    size_t kept = text.size() < size ? text.size() : size - 1;
    out.append(text, 0, kept);
    out.append(size - kept, '\0');
}

} // namespace detail

// The whole file: header, vertices, triangles, groups, materials, then the
// animation header with no joints.
inline std::string write(const Model& model)
{
    using namespace detail;
    std::string out;
    out.append("MS3D000000", 10);
    putU32(out, static_cast<uint32_t>(model.version));

    putU16(out, static_cast<uint16_t>(model.vertices.size()));
    for (const Vertex& v : model.vertices) {
        putU8(out, v.flags);
        putFloat(out, v.x);
        putFloat(out, v.y);
        putFloat(out, v.z);
        putU8(out, static_cast<uint8_t>(v.bone));
        putU8(out, v.references);
    }

    putU16(out, static_cast<uint16_t>(model.triangles.size()));
    for (const Triangle& t : model.triangles) {
        putU16(out, t.flags);
        for (uint16_t index : t.index)
            putU16(out, index);
        for (const auto& normal : t.normal)
            for (float component : normal)
                putFloat(out, component);
        for (float s : t.s)
            putFloat(out, s);
        for (float tc : t.t)
            putFloat(out, tc);
        putU8(out, t.smoothingGroup);
        putU8(out, t.groupIndex);
    }

    putU16(out, static_cast<uint16_t>(model.groups.size()));
    for (const Group& g : model.groups) {
        putU8(out, g.flags);
        putText(out, g.name, 32);
        putU16(out, static_cast<uint16_t>(g.triangles.size()));
        for (uint16_t index : g.triangles)
            putU16(out, index);
        putU8(out, static_cast<uint8_t>(g.material));
    }

    putU16(out, static_cast<uint16_t>(model.materials.size()));
    for (const Material& m : model.materials) {
        putText(out, m.name, 32);
        for (const float* colour : {m.ambient, m.diffuse, m.specular, m.emissive})
            for (int i = 0; i < 4; ++i)
                putFloat(out, colour[i]);
        putFloat(out, m.shininess);
        putFloat(out, m.transparency);
        putU8(out, m.mode);
        putText(out, m.texture, 128);
        putText(out, m.alphaMap, 128);
    }

    putFloat(out, model.animationFps);
    putFloat(out, model.currentTime);
    putU32(out, static_cast<uint32_t>(model.totalFrames));
    putU16(out, 0); // joints
    return out;
}

// Offsets of the sections of a written model, for tests that cut or patch a
// file at a known place.
struct Layout {
    size_t vertexCount, triangleCount, groupCount, materialCount, animation;
};

inline Layout layoutOf(const Model& model)
{
    Layout l{};
    l.vertexCount = HeaderSize;
    l.triangleCount = l.vertexCount + 2 + VertexSize * model.vertices.size();
    l.groupCount = l.triangleCount + 2 + TriangleSize * model.triangles.size();
    size_t position = l.groupCount + 2;
    for (const Group& g : model.groups)
        position += GroupHeadSize + 2 * g.triangles.size() + 1;
    l.materialCount = position;
    l.animation = position + 2 + MaterialSize * model.materials.size();
    return l;
}

// The shipped model: a crate of edge 2 centred on the origin. Each face has
// its own four vertices so that every face shows the whole texture; the
// triangles wind counter-clockwise seen from outside.
inline Model makeCrate()
{
    Model model;
    struct Face {
        float normal[3];
        float corner[4][3]; // counter-clockwise from outside: (0,0) (1,0) (1,1) (0,1)
    };
    static const Face faces[6] = {
        {{0, 0, 1}, {{-1, -1, 1}, {1, -1, 1}, {1, 1, 1}, {-1, 1, 1}}},
        {{0, 0, -1}, {{1, -1, -1}, {-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}}},
        {{1, 0, 0}, {{1, -1, 1}, {1, -1, -1}, {1, 1, -1}, {1, 1, 1}}},
        {{-1, 0, 0}, {{-1, -1, -1}, {-1, -1, 1}, {-1, 1, 1}, {-1, 1, -1}}},
        {{0, 1, 0}, {{-1, 1, 1}, {1, 1, 1}, {1, 1, -1}, {-1, 1, -1}}},
        {{0, -1, 0}, {{-1, -1, -1}, {1, -1, -1}, {1, -1, 1}, {-1, -1, 1}}},
    };
    static const float cornerS[4] = {0, 1, 1, 0};
    static const float cornerT[4] = {1, 1, 0, 0};
    // Two triangles per face, as corner numbers of the face.
    static const int split[2][3] = {{0, 1, 2}, {0, 2, 3}};

    Group group;
    group.name = "crate";
    group.material = 0;
    for (int f = 0; f < 6; ++f) {
        const Face& face = faces[f];
        uint16_t first = static_cast<uint16_t>(model.vertices.size());
        for (const auto& corner : face.corner) {
            Vertex v;
            v.x = corner[0];
            v.y = corner[1];
            v.z = corner[2];
            model.vertices.push_back(v);
        }
        for (const auto& corners : split) {
            Triangle t;
            for (int k = 0; k < 3; ++k) {
                int c = corners[k];
                t.index[k] = static_cast<uint16_t>(first + c);
                for (int axis = 0; axis < 3; ++axis)
                    t.normal[k][axis] = face.normal[axis];
                t.s[k] = cornerS[c];
                t.t[k] = cornerT[c];
                model.vertices[first + c].references++;
            }
            group.triangles.push_back(static_cast<uint16_t>(model.triangles.size()));
            model.triangles.push_back(t);
        }
    }
    model.groups.push_back(group);

    Material material;
    material.name = "crate";
    material.texture = "skeleton.glt";
    model.materials.push_back(material);
    return model;
}

} // namespace Ms3dGen
