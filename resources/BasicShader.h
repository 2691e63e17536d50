#pragma once
// BasicShader: one OpenGL shader object of the ARB shader-object interface
// (its handle and last compile status), with its source read through the file
// system. VertexShader and FragmentShader add the stage and the cached loading.

#include "core/String.h"
#include "system/OpenGL.h"

#include <cstdint>

namespace Quorvel {

class BasicShader {
public:
    BasicShader();
    ~BasicShader() = default; // the stage classes delete the object

    BasicShader(const BasicShader&) = delete;
    BasicShader& operator=(const BasicShader&) = delete;

    // Hands the source to OpenGL with its length, so it need not end in a zero byte.
    void setSource(const String& source);
    // True when the compilation succeeded.
    bool compile();
    String getInfoLog() const;
    // Reads the whole named file (through the file system) as the source;
    // false when no mounted directory has it.
    bool loadSource(const String& fileName);
    // Deletes the shader object; the handle becomes 0, so nothing refers to
    // the deleted object any more (OpenGL may reuse its number).
    void destroy();

    GLhandleARB getHandle() const { return handle; }
    int32_t getCompileStatus() const { return compileStatus; }

    // The info log of any object of the shader-object interface (a shader or
    // a program); empty for handle 0 or when the driver has nothing to say.
    static String readInfoLog(GLhandleARB object);
    // Writes a compiler or linker log to the application's log, without the
    // line break the driver ends it with (the log adds its own).
    static void logInfoLog(const String& text);

protected:
    // Creates the shader object of a stage (GL_VERTEX_SHADER_ARB or
    // GL_FRAGMENT_SHADER_ARB); no object when shaders are not supported.
    void createObject(GLenum stage);
    // The shared part of the stages' loaders: reads fileName and compiles it.
    // False (with one log line) when the file cannot be read; a compile error
    // is logged with the info log and leaves the shader without an object.
    // label is the start of every log line ("Vertex shader ").
    bool loadAndCompile(const String& label, const String& name, const String& fileName);
    // Reads fileName and compiles it; used by the stages' reload.
    bool reloadFrom(const String& fileName);

    GLhandleARB handle;
    int32_t compileStatus;
};

} // namespace Quorvel
