// MeshIndexGroups: a mesh's triangle indices sorted by texture, so that each
// texture's triangles draw with one call, textures in order of first use.
// Owns the index array and the group array; the textures are shared.
#pragma once

#include <cstdint>
#include <memory>

namespace Quorvel {

class Texture;

// One texture's run of entries in the index array.
struct MeshGroup {
    Texture* texture = nullptr; // shared; null draws untextured
    uint32_t first = 0;         // index of the group's first entry
    uint32_t count = 0;         // number of entries (three per triangle)
};

// The input of the grouping: one triangle's vertex indices and texture.
struct MeshTriangle {
    uint32_t index[3] = {0, 0, 0};
    Texture* texture = nullptr;
};

class MeshIndexGroups {
public:
    static constexpr uint32_t MaxTextures = 128; // distinct textures per mesh

    MeshIndexGroups() = default;
    MeshIndexGroups(const MeshIndexGroups&) = delete;
    MeshIndexGroups& operator=(const MeshIndexGroups&) = delete;

    // Sorts the triangles into one group per distinct texture, in order of
    // first use, each group's triangles in their input order. Refuses (false,
    // the previous contents kept) more than MaxTextures distinct textures, a
    // null triangle list with a non-zero count, and more indices than 32 bits
    // can count.
    bool build(uint32_t triangleCount, const MeshTriangle* triangles);

    uint32_t getIndexCount() const { return indexCount; }
    const uint32_t* getIndices() const { return indices.get(); }
    uint32_t getGroupCount() const { return groupCount; }
    const MeshGroup& getGroup(uint32_t group) const { return groups[group]; } // group < getGroupCount()

private:
    uint32_t indexCount = 0;             // three per triangle
    std::unique_ptr<uint32_t[]> indices; // vertex indices, grouped
    uint32_t groupCount = 0;
    std::unique_ptr<MeshGroup[]> groups;
};

} // namespace Quorvel
