// BasicShader: source, compilation and info log of one shader object.

#include "resources/BasicShader.h"

#include "core/Application.h"
#include "files/BinaryFile.h"
#include "resources/ShaderProgram.h"
#include "system/Extensions.h"

#include <memory>
#include <vector>

namespace Quorvel {

BasicShader::BasicShader() : handle(0), compileStatus(0)
{
}

void BasicShader::createObject(GLenum stage)
{
    if (ShaderProgram::isSupported())
        handle = glCreateShaderObjectARB(stage);
}

void BasicShader::setSource(const String& source)
{
    if (handle == 0)
        return;
    const GLcharARB* text = source.getData();
    const GLint length = source.length();
    glShaderSourceARB(handle, 1, &text, &length);
}

bool BasicShader::compile()
{
    if (handle == 0) {
        compileStatus = 0;
        return false;
    }
    glCompileShaderARB(handle);
    GLint status = 0;
    glGetObjectParameterivARB(handle, GL_OBJECT_COMPILE_STATUS_ARB, &status);
    compileStatus = status;
    return compileStatus == 1;
}

String BasicShader::getInfoLog() const
{
    return readInfoLog(handle);
}

String BasicShader::readInfoLog(GLhandleARB object)
{
    if (object == 0)
        return String();
    GLint room = 0;
    glGetObjectParameterivARB(object, GL_OBJECT_INFO_LOG_LENGTH_ARB, &room);
    if (room <= 0)
        return String();
    std::vector<GLcharARB> buffer(static_cast<size_t>(room));
    GLsizei written = 0;
    glGetInfoLogARB(object, room, &written, buffer.data());
    if (written < 0)
        written = 0;
    if (written > room)
        written = room;
    return String(buffer.data(), written);
}

void BasicShader::logInfoLog(const String& text)
{
    String trimmed = text;
    trimmed.trimRight();
    Application::writeLog(trimmed);
}

bool BasicShader::loadSource(const String& fileName)
{
    std::unique_ptr<BinaryFile> file(BinaryFile::openInput(fileName));
    if (!file)
        return false;
    const int32_t size = file->seek(0, BinaryFile::End);
    if (size < 0 || file->seek(0, BinaryFile::Begin) != 0)
        return false;
    std::vector<char> bytes(static_cast<size_t>(size));
    const uint32_t got = size > 0 ? file->read(bytes.data(), static_cast<uint32_t>(size)) : 0u;
    if (got != static_cast<uint32_t>(size))
        return false;
    file.reset();
    setSource(String(bytes.data(), size));
    return true;
}

void BasicShader::destroy()
{
    if (handle != 0)
        glDeleteObjectARB(handle);
    handle = 0;
}

bool BasicShader::loadAndCompile(const String& label, const String& name, const String& fileName)
{
    const String quoted = label + "\"" + name + "\"";
    if (!ShaderProgram::isSupported()) {
        Application::writeLog(quoted + " load failed: shaders not supported");
        return false;
    }
    if (!loadSource(fileName)) {
        Application::writeLog(quoted + " load failed: couldn't open file");
        return false;
    }
    if (!compile()) {
        Application::writeLog(quoted + " load failed: did not compile. Compilation log:");
        logInfoLog(getInfoLog());
        destroy();
    }
    return true;
}

bool BasicShader::reloadFrom(const String& fileName)
{
    if (!loadSource(fileName))
        return false;
    return compile();
}

} // namespace Quorvel
