// ShaderProgram: program objects, their uniforms and the cached program loader.

#include "resources/ShaderProgram.h"

#include "core/Application.h"
#include "math/Vector2.h"
#include "math/Vector3.h"
#include "resources/BasicShader.h"
#include "resources/FragmentShader.h"
#include "resources/VertexShader.h"
#include "system/Extensions.h"

namespace Quorvel {

namespace {

bool supportAsked = false;
const char* shadingLanguageVersion = nullptr;

ResourceCache<ShaderProgram>& programCache()
{
    static ResourceCache<ShaderProgram>* cache = new ResourceCache<ShaderProgram>(); // lives until the process ends
    return *cache;
}

} // namespace

ShaderProgram::ShaderProgram()
    : handle(0), vertexShader(nullptr), fragmentShader(nullptr), linkStatus(0), validateStatus(0)
{
    if (isSupported())
        handle = glCreateProgramObjectARB();
}

ShaderProgram::~ShaderProgram()
{
    if (vertexShader != nullptr)
        vertexShader->release();
    if (fragmentShader != nullptr)
        fragmentShader->release();
    destroy();
}

bool ShaderProgram::reload()
{
    if (!isSupported())
        return false;
    destroy(); // a reload replaces the object instead of leaking it
    handle = glCreateProgramObjectARB();
    if (vertexShader == nullptr || fragmentShader == nullptr)
        return false;
    return vertexShader->reload() && fragmentShader->reload();
}

bool ShaderProgram::unload()
{
    destroy();
    return true;
}

bool ShaderProgram::attachVertexShader(VertexShader* shader)
{
    if (vertexShader != nullptr) {
        if (handle != 0 && vertexShader->getHandle() != 0)
            glDetachObjectARB(handle, vertexShader->getHandle());
        vertexShader = nullptr;
    }
    if (handle != 0 && shader != nullptr && shader->getHandle() != 0)
        glAttachObjectARB(handle, shader->getHandle());
    vertexShader = shader;
    return true;
}

bool ShaderProgram::attachFragmentShader(FragmentShader* shader)
{
    if (fragmentShader != nullptr) {
        if (handle != 0 && fragmentShader->getHandle() != 0)
            glDetachObjectARB(handle, fragmentShader->getHandle());
        fragmentShader = nullptr;
    }
    if (handle != 0 && shader != nullptr && shader->getHandle() != 0)
        glAttachObjectARB(handle, shader->getHandle());
    fragmentShader = shader;
    return true;
}

bool ShaderProgram::link()
{
    linkStatus = 0;
    if (handle == 0)
        return false;
    glLinkProgramARB(handle);
    GLint status = 0;
    glGetObjectParameterivARB(handle, GL_OBJECT_LINK_STATUS_ARB, &status);
    linkStatus = status;
    return linkStatus == 1;
}

bool ShaderProgram::validate()
{
    validateStatus = 0;
    if (handle == 0)
        return false;
    glValidateProgramARB(handle);
    GLint status = 0;
    glGetObjectParameterivARB(handle, GL_OBJECT_VALIDATE_STATUS_ARB, &status);
    validateStatus = status;
    return validateStatus == 1;
}

String ShaderProgram::getInfoLog() const
{
    return BasicShader::readInfoLog(handle);
}

void ShaderProgram::use()
{
    if (glUseProgramObjectARB != nullptr && isSupported())
        glUseProgramObjectARB(handle);
}

void ShaderProgram::useNone()
{
    if (glUseProgramObjectARB != nullptr && isSupported())
        glUseProgramObjectARB(0);
}

void ShaderProgram::destroy()
{
    if (handle != 0)
        glDeleteObjectARB(handle);
    handle = 0;
}

GLint ShaderProgram::uniformLocation(const String& uniform) const
{
    if (handle == 0)
        return -1;
    return glGetUniformLocationARB(handle, uniform.c_str());
}

void ShaderProgram::setUniform1i(const String& uniform, int32_t value)
{
    const GLint location = uniformLocation(uniform);
    if (location != -1)
        glUniform1iARB(location, value);
}

void ShaderProgram::setUniform1f(const String& uniform, float value)
{
    const GLint location = uniformLocation(uniform);
    if (location != -1)
        glUniform1fARB(location, value);
}

void ShaderProgram::setUniform2f(const String& uniform, const Vector2& value)
{
    const GLint location = uniformLocation(uniform);
    if (location != -1)
        glUniform2fARB(location, value.x, value.y);
}

void ShaderProgram::setUniform3f(const String& uniform, const Vector3& value)
{
    const GLint location = uniformLocation(uniform);
    if (location != -1)
        glUniform3fARB(location, value.x, value.y, value.z);
}

GLint ShaderProgram::getUniformLocation(const char* uniform) const
{
    if (handle == 0 || uniform == nullptr)
        return -1;
    return glGetUniformLocationARB(handle, uniform);
}

void ShaderProgram::setUniform1f(GLint location, float value)
{
    if (handle != 0 && location != -1)
        glUniform1fARB(location, value);
}

void ShaderProgram::setUniform2f(GLint location, const Vector2& value)
{
    if (handle != 0 && location != -1)
        glUniform2fARB(location, value.x, value.y);
}

bool ShaderProgram::isSupported()
{
    if (!supportAsked) {
        supportAsked = true;
        shadingLanguageVersion = nullptr;
        if (extShadingLanguage100 && extShaderObjects && extVertexShader && extFragmentShader)
            shadingLanguageVersion = reinterpret_cast<const char*>(glGetString(GL_SHADING_LANGUAGE_VERSION_ARB));
    }
    // The same answer on every call: a driver that names no version counts
    // as unsupported from the first call on.
    return shadingLanguageVersion != nullptr;
}

const char* ShaderProgram::getShadingLanguageVersion()
{
    isSupported();
    return shadingLanguageVersion;
}

ShaderProgram* ShaderProgram::load(const String& name)
{
    ResourceCache<ShaderProgram>& cache = programCache();
    if (ShaderProgram* found = cache.find(name))
        return found;

    ShaderProgram* program = cache.add(new ShaderProgram());
    program->setName(name);
    const String quoted = String("Shader program \"") + name + "\"";
    if (!isSupported()) {
        Application::writeLog(quoted + " load failed: shaders not supported");
        return program;
    }

    VertexShader* vertex = VertexShader::load(name);
    if (vertex == nullptr) {
        program->destroy();
        return program;
    }
    FragmentShader* fragment = FragmentShader::load(name);
    if (fragment == nullptr) {
        program->destroy();
        return program;
    }
    vertex->acquire();
    program->attachVertexShader(vertex);
    fragment->acquire();
    program->attachFragmentShader(fragment);

    if (!program->link()) {
        Application::writeLog(quoted + " load failed: could not link. Log:");
        BasicShader::logInfoLog(program->getInfoLog());
        program->destroy();
    }
    return program;
}

} // namespace Quorvel
