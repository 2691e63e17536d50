// FragmentShader: the cached fragment stage loaded from ".gfs" files.

#include "resources/FragmentShader.h"

#include "system/Extensions.h"

#include <memory>

namespace Quorvel {

namespace {

ResourceCache<FragmentShader>& fragmentShaderCache()
{
    static ResourceCache<FragmentShader>* cache = new ResourceCache<FragmentShader>(); // lives until the process ends
    return *cache;
}

} // namespace

FragmentShader::FragmentShader()
{
    createObject(GL_FRAGMENT_SHADER_ARB);
}

FragmentShader::~FragmentShader()
{
    destroy();
}

bool FragmentShader::reload()
{
    return reloadFrom(name + ".gfs");
}

bool FragmentShader::unload()
{
    destroy();
    return true;
}

FragmentShader* FragmentShader::load(const String& name)
{
    ResourceCache<FragmentShader>& cache = fragmentShaderCache();
    if (FragmentShader* found = cache.find(name))
        return found;

    std::unique_ptr<FragmentShader> shader(new FragmentShader());
    if (!shader->loadAndCompile("Fragment shader ", name, name + ".gfs"))
        return nullptr;
    shader->setName(name);
    return cache.add(shader.release());
}

} // namespace Quorvel
