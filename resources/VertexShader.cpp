// VertexShader: the cached vertex stage loaded from ".gvs" files.

#include "resources/VertexShader.h"

#include "system/Extensions.h"

#include <memory>

namespace Quorvel {

namespace {

ResourceCache<VertexShader>& vertexShaderCache()
{
    static ResourceCache<VertexShader>* cache = new ResourceCache<VertexShader>(); // lives until the process ends
    return *cache;
}

} // namespace

VertexShader::VertexShader()
{
    createObject(GL_VERTEX_SHADER_ARB);
}

VertexShader::~VertexShader()
{
    destroy();
}

bool VertexShader::reload()
{
    return reloadFrom(name + ".gvs");
}

bool VertexShader::unload()
{
    destroy();
    return true;
}

VertexShader* VertexShader::load(const String& name)
{
    ResourceCache<VertexShader>& cache = vertexShaderCache();
    if (VertexShader* found = cache.find(name))
        return found;

    std::unique_ptr<VertexShader> shader(new VertexShader());
    if (!shader->loadAndCompile("Vertex shader ", name, name + ".gvs"))
        return nullptr;
    shader->setName(name);
    return cache.add(shader.release());
}

} // namespace Quorvel
