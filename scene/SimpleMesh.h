// SimpleMesh: the static mesh. One vertex array and the triangle indices
// grouped by texture, drawn with client arrays, one call per texture. Owns
// both; the textures the groups name are shared.
#pragma once

#include "math/VertexArray.h"
#include "scene/Mesh.h"
#include "scene/MeshIndexGroups.h"

#include <memory>

namespace Quorvel {

class SimpleMesh : public Mesh {
public:
    // Takes ownership of both.
    SimpleMesh(std::unique_ptr<VertexArray> vertices, std::unique_ptr<MeshIndexGroups> groups);
    ~SimpleMesh() override;

    // White, the vertex array bound, each group drawn with its texture on
    // unit 0 (untextured when it has none). Client array state is restored.
    void draw(const Camera& camera) override;

    const VertexArray& getVertices() const { return *vertices; }
    const MeshIndexGroups& getGroups() const { return *groups; }

private:
    std::unique_ptr<VertexArray> vertices;
    std::unique_ptr<MeshIndexGroups> groups;
};

} // namespace Quorvel
