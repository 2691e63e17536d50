#include "scene/TMeshInstance.h"

#include "math/Camera.h"
#include "scene/Mesh.h"
#include "system/OpenGL.h"

namespace Quorvel {

TMeshInstance::TMeshInstance(Mesh* mesh_) : mesh(mesh_)
{
    if (mesh)
        mesh->acquire();
}

TMeshInstance::~TMeshInstance()
{
    if (mesh)
        mesh->release();
}

void TMeshInstance::draw(const Camera& camera)
{
    glPushMatrix();
    camera.applyView();
    glMultMatrixf(world);
    if (mesh)
        mesh->draw(camera);
    drawChildren(camera);
    glPopMatrix();
}

} // namespace Quorvel
