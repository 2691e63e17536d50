#include "resources/Material.h"

namespace Quorvel {

namespace {
ResourceCache<Material>* materialCache = nullptr; // created by the first load, never freed
}

Material* Material::load(const String& name)
{
    if (!materialCache) {
        materialCache = new ResourceCache<Material>();
        return nullptr;
    }
    return materialCache->find(name);
}

} // namespace Quorvel
