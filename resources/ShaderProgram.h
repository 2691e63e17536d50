#pragma once
// ShaderProgram: an OpenGL program object of the ARB shader-object interface,
// loaded by name as the pair name + ".gvs" and name + ".gfs" and cached for
// the rest of the run. It holds a reference to each attached stage. Loading
// never fails outright: a program whose stages did not load or link has no
// usable object, and selecting it or setting its uniforms then does nothing.

#include "core/String.h"
#include "resources/Resource.h"
#include "system/OpenGL.h"

#include <cstdint>

namespace Quorvel {

class Vector2;
class Vector3;
class VertexShader;
class FragmentShader;

class ShaderProgram : public Resource {
public:
    ShaderProgram();           // creates the program object when shaders are supported
    ~ShaderProgram() override; // releases the stages, deletes the object

    // Creates a fresh program object and reloads both stages; true only when
    // both compiled. It neither attaches nor links.
    bool reload() override;
    bool unload() override;

    // Attaching replaces (detaches) the stage attached before.
    bool attachVertexShader(VertexShader* shader);
    bool attachFragmentShader(FragmentShader* shader);
    bool link();
    bool validate();
    String getInfoLog() const;
    void use();
    void useNone();
    // Deletes the program object; the handle becomes 0, so use() then selects
    // fixed-function drawing and the uniform setters find nothing.
    void destroy();

    // Set a uniform of the program in use, located by name in this program;
    // a name the program lacks changes nothing.
    void setUniform1i(const String& uniform, int32_t value);
    void setUniform1f(const String& uniform, float value);
    void setUniform2f(const String& uniform, const Vector2& value);
    void setUniform3f(const String& uniform, const Vector3& value);

    // The location of a uniform of the linked program, -1 when it has none of
    // that name or no usable program object. Drawing code looks its uniforms
    // up once after loading and sets them by location, which costs no name
    // look-up and no String per frame. A reload makes the locations stale.
    GLint getUniformLocation(const char* uniform) const;
    // Set a uniform of the program in use by location; -1 changes nothing.
    void setUniform1f(GLint location, float value);
    void setUniform2f(GLint location, const Vector2& value);

    GLhandleARB getHandle() const { return handle; }
    VertexShader* getVertexShader() const { return vertexShader; }
    FragmentShader* getFragmentShader() const { return fragmentShader; }
    int32_t getLinkStatus() const { return linkStatus; }
    int32_t getValidateStatus() const { return validateStatus; }

    // True when the shading language, shader objects, vertex and fragment
    // shader extensions are all available. Decided on the first call, which
    // must come after the extensions were loaded.
    static bool isSupported();
    // The driver's shading-language version text, null when unsupported.
    static const char* getShadingLanguageVersion();

    // The program from the cache, or a new one (cached before its stages are
    // loaded). Never null; every failure is logged.
    static ShaderProgram* load(const String& name);

private:
    GLint uniformLocation(const String& uniform) const; // -1 when absent

    GLhandleARB handle;
    VertexShader* vertexShader;     // holds a reference
    FragmentShader* fragmentShader; // holds a reference
    int32_t linkStatus;
    int32_t validateStatus;
};

} // namespace Quorvel
