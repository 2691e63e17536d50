#include "scene/SimpleMesh.h"

#include "resources/Texture.h"
#include "system/OpenGL.h"

namespace Quorvel {

SimpleMesh::SimpleMesh(std::unique_ptr<VertexArray> vertices_, std::unique_ptr<MeshIndexGroups> groups_)
    : vertices(std::move(vertices_)), groups(std::move(groups_))
{
}

SimpleMesh::~SimpleMesh() = default;

void SimpleMesh::draw(const Camera&)
{
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glColor3f(1.0f, 1.0f, 1.0f);
    vertices->bind();
    const uint32_t* indices = groups->getIndices();
    for (uint32_t g = 0; g < groups->getGroupCount(); ++g) {
        const MeshGroup& group = groups->getGroup(g);
        if (group.texture)
            group.texture->bind(0);
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(group.count), GL_UNSIGNED_INT, indices + group.first);
        if (group.texture)
            group.texture->unbind();
    }
    glPopClientAttrib();
}

} // namespace Quorvel
