#include "scene/Mesh.h"

#include "core/Application.h"

namespace Quorvel {

bool Mesh::setAnimation(const String& animation)
{
    if (animation.length() == 0)
        return true;
    Application::writeLog(String("Error: no animation ") + animation + " in mesh " + getName());
    return false;
}

} // namespace Quorvel
