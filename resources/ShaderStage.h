#pragma once
// ShaderStage: one stage of a shader program, a resource loaded by name from
// name + the stage's file extension and kept in the stage's own cache for the
// rest of the run. VertexShader (".gvs") and FragmentShader (".gfs") are the
// two stages: ShaderStageOf over themselves, each only naming its kind.

#include "resources/BasicShader.h"
#include "resources/Resource.h"

#include <memory>

namespace Quorvel {

class ShaderStage : public BasicShader, public Resource {
public:
    // What tells the stages apart.
    struct Kind {
        GLenum objectType;     // the shader object's type
        const char* extension; // of the source file
        const char* label;     // starts the stage's log lines
    };

    ~ShaderStage() override; // deletes the shader object

    // Reads name + the extension again and compiles it.
    bool reload() override;
    // Deletes the shader object.
    bool unload() override;

protected:
    explicit ShaderStage(const Kind& kind); // creates the shader object

    // The stage from its cache, or loaded and cached. Null (and one log line)
    // when the file cannot be read or shaders are not supported; a shader
    // that does not compile is logged and returned without an object.
    template <class Stage>
    static Stage* loadCached(const String& name, const Kind& kind);

private:
    const Kind& kind;
};

template <class Stage>
Stage* ShaderStage::loadCached(const String& name, const Kind& kind)
{
    static ResourceCache<Stage>* cache = new ResourceCache<Stage>(); // lives until the process ends
    if (Stage* found = cache->find(name))
        return found;

    std::unique_ptr<Stage> shader(new Stage());
    if (!shader->loadAndCompile(kind.label, name, name + kind.extension))
        return nullptr;
    shader->setName(name);
    return cache->add(shader.release());
}

// A stage type: Stage::stageKind names its kind; load and the cache come
// from here.
template <class Stage>
class ShaderStageOf : public ShaderStage {
public:
    ShaderStageOf()
        : ShaderStage(Stage::stageKind)
    {
    }

    // The shader from the cache, or loaded and cached (see loadCached).
    static Stage* load(const String& name) { return loadCached<Stage>(name, Stage::stageKind); }
};

} // namespace Quorvel
