#include "scene/Mesh.h"

#include "core/Application.h"
#include "core/Log.h"

namespace Quorvel {

bool Mesh::setAnimation(const String& animation)
{
    if (animation.length() == 0)
        return true;
    Application::instance()->getLog()->write(String("Error: no animation ") + animation + " in mesh " + getName());
    return false;
}

} // namespace Quorvel
