#include "scene/MeshIndexGroups.h"

#include <cstdint>

namespace Quorvel {

bool MeshIndexGroups::build(uint32_t triangleCount, const MeshTriangle* triangles)
{
    if (triangleCount > 0 && triangles == nullptr)
        return false;
    const uint64_t entries = 3ull * triangleCount;
    if (entries > UINT32_MAX)
        return false;

    // Distinct textures in order of first appearance.
    Texture* textures[MaxTextures];
    uint32_t textureCount = 0;
    for (uint32_t t = 0; t < triangleCount; ++t) {
        Texture* texture = triangles[t].texture;
        uint32_t known = 0;
        while (known < textureCount && textures[known] != texture)
            ++known;
        if (known < textureCount)
            continue;
        if (textureCount == MaxTextures)
            return false;
        textures[textureCount++] = texture;
    }

    std::unique_ptr<uint32_t[]> newIndices(new uint32_t[entries > 0 ? entries : 1]());
    std::unique_ptr<MeshGroup[]> newGroups(new MeshGroup[textureCount > 0 ? textureCount : 1]);

    uint32_t written = 0;
    for (uint32_t g = 0; g < textureCount; ++g) {
        MeshGroup& group = newGroups[g];
        group.texture = textures[g];
        group.first = written;
        for (uint32_t t = 0; t < triangleCount; ++t) {
            if (triangles[t].texture != group.texture)
                continue;
            for (uint32_t corner : triangles[t].index)
                newIndices[written++] = corner;
        }
        group.count = written - group.first;
    }

    indexCount = static_cast<uint32_t>(entries);
    indices = std::move(newIndices);
    groupCount = textureCount;
    groups = std::move(newGroups);
    return true;
}

} // namespace Quorvel
