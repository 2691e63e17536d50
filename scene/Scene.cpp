#include "scene/Scene.h"

#include "scene/Thing.h"
#include "system/OpenGL.h"

namespace Quorvel {

Scene::Scene() : root(new Thing())
{
}

Scene::~Scene() = default;

void Scene::draw(const Camera& camera)
{
    glPushAttrib(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    root->drawChildren(camera);
    glPopAttrib();
}

void Scene::update()
{
    root->update();
}

bool Scene::add(Thing* thing)
{
    return root->addChild(thing);
}

} // namespace Quorvel
