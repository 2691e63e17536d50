// Shaders and shader programs on a real OpenGL context: the program "sky"
// from the content directory, the loaders' failures and their log lines, and
// uniforms.

#include "support/LogLines.h"
#include "resources/MemoryDirectory.h"
#include "support/TestEngine.h"

#include "files/FileSystem.h"
#include "math/Vector2.h"
#include "math/Vector3.h"
#include "resources/FragmentShader.h"
#include "resources/ShaderProgram.h"
#include "resources/VertexShader.h"
#include "system/Extensions.h"

#include <gtest/gtest.h>

using Quorvel::FragmentShader;
using Quorvel::ShaderProgram;
using Quorvel::VertexShader;
using namespace Quorvel; // the ARB entry points the engine looked up

namespace {

const char* const plainVertex = "void main() { gl_Position = ftransform(); }";
const char* const plainFragment = "uniform float level;\nvoid main() { gl_FragColor = vec4(level); }";

// Shader sources for these tests live under the prefix "shd/".
QuorvelTest::MemoryDirectory* shaderFiles()
{
    static QuorvelTest::MemoryDirectory* directory = [] {
        auto* created = new QuorvelTest::MemoryDirectory();
        Quorvel::FileSystem::instance()->mount("shd/", created); // owned by the file system
        return created;
    }();
    return directory;
}

class ShaderProgramGLTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QuorvelTest::TestEngine::start()) << QuorvelTest::TestEngine::lastError();
        if (!ShaderProgram::isSupported())
            GTEST_SKIP() << "the display offers no ARB shader objects";
        while (glGetError() != GL_NO_ERROR) {
        }
    }

    static GLint uniformFloat(GLhandleARB program, const char* name, float& value)
    {
        const GLint location = glGetUniformLocationARB(program, name);
        if (location != -1)
            glGetUniformfvARB(program, location, &value);
        return location;
    }
};

} // namespace

TEST_F(ShaderProgramGLTest, SkyLoadsLinksAndIsCached)
{
    ShaderProgram* sky = ShaderProgram::load("sky");
    ASSERT_NE(sky, nullptr);
    EXPECT_NE(sky->getHandle(), 0u);
    EXPECT_EQ(sky->getLinkStatus(), 1);
    ASSERT_NE(sky->getVertexShader(), nullptr);
    ASSERT_NE(sky->getFragmentShader(), nullptr);
    EXPECT_EQ(sky->getVertexShader()->getCompileStatus(), 1);
    EXPECT_EQ(sky->getFragmentShader()->getCompileStatus(), 1);
    EXPECT_EQ(ShaderProgram::load("sky"), sky);
    EXPECT_EQ(VertexShader::load("sky"), sky->getVertexShader());
    EXPECT_NE(ShaderProgram::getShadingLanguageVersion(), nullptr);
    for (const char* uniform : {"noiseMap", "expTable", "offset", "density"})
        EXPECT_NE(glGetUniformLocationARB(sky->getHandle(), uniform), -1) << uniform;
}

TEST_F(ShaderProgramGLTest, SourcesAreReadOnceAndPassedWithTheirExactLength)
{
    QuorvelTest::MemoryDirectory* files = shaderFiles();
    // No terminating newline or zero byte: the length alone says where the source ends.
    files->files["once.gvs"] = plainVertex;
    files->files["once.gfs"] = plainFragment;
    ShaderProgram* program = ShaderProgram::load("shd/once");
    ASSERT_NE(program->getHandle(), 0u);
    EXPECT_EQ(program->getLinkStatus(), 1);
    EXPECT_EQ(ShaderProgram::load("shd/once"), program);
    EXPECT_EQ(files->opens["once.gvs"], 1);
    EXPECT_EQ(files->opens["once.gfs"], 1);

    GLint length = 0;
    glGetObjectParameterivARB(program->getVertexShader()->getHandle(), GL_OBJECT_SHADER_SOURCE_LENGTH_ARB, &length);
    EXPECT_EQ(length, static_cast<GLint>(std::string(plainVertex).size()) + 1) << "length includes OpenGL's terminator";
    EXPECT_EQ(program->getVertexShader()->getRefCount(), 1);
    EXPECT_EQ(program->getFragmentShader()->getRefCount(), 1);
}

TEST_F(ShaderProgramGLTest, MissingSourceGivesOneLogLineAndACachedProgramWithoutObject)
{
    struct Case {
        const char* name;
        bool hasVertex;
        bool hasFragment;
        const char* line;
    };
    const Case cases[] = {
        {"novs", false, true, "Vertex shader \"shd/novs\" load failed: couldn't open file"},
        {"nofs", true, false, "Fragment shader \"shd/nofs\" load failed: couldn't open file"},
    };
    QuorvelTest::MemoryDirectory* files = shaderFiles();
    for (const Case& c : cases) {
        if (c.hasVertex)
            files->files[std::string(c.name) + ".gvs"] = plainVertex;
        if (c.hasFragment)
            files->files[std::string(c.name) + ".gfs"] = plainFragment;
        const Quorvel::String name = Quorvel::String("shd/") + c.name;
        QuorvelTest::LogMark mark;
        ShaderProgram* program = ShaderProgram::load(name);
        ASSERT_NE(program, nullptr) << c.name;
        EXPECT_EQ(mark.since(), std::vector<std::string>{c.line});
        EXPECT_EQ(program->getHandle(), 0u) << c.name;
        EXPECT_EQ(ShaderProgram::load(name), program) << c.name;
        EXPECT_EQ(mark.since().size(), 1u) << "a cached program is not loaded again";

        // A program without an object selects fixed-function drawing and has no uniforms.
        program->use();
        GLhandleARB current = glGetHandleARB(GL_PROGRAM_OBJECT_ARB);
        EXPECT_EQ(current, 0u) << c.name;
        program->setUniform1f("level", 1.0f);
        program->useNone();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << c.name;
    }
}

TEST_F(ShaderProgramGLTest, CompileErrorIsLoggedWithTheCompilerLog)
{
    QuorvelTest::MemoryDirectory* files = shaderFiles();
    files->files["broken.gvs"] = "void main() { gl_Position = undefinedThing; }";
    files->files["broken.gfs"] = plainFragment;
    QuorvelTest::LogMark mark;
    ShaderProgram* program = ShaderProgram::load("shd/broken");
    ASSERT_NE(program, nullptr);
    const std::vector<std::string> lines = mark.since();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Vertex shader \"shd/broken\" load failed: did not compile. Compilation log:");
    EXPECT_NE(lines[1].find("undefinedThing"), std::string::npos) << "the compiler's log follows: " << lines[1];

    VertexShader* shader = VertexShader::load("shd/broken");
    ASSERT_NE(shader, nullptr) << "a shader that did not compile is still returned and cached";
    EXPECT_EQ(shader, program->getVertexShader());
    EXPECT_EQ(shader->getHandle(), 0u);
    EXPECT_EQ(shader->getCompileStatus(), 0);
}

TEST_F(ShaderProgramGLTest, LinkErrorIsLoggedAndLeavesNoObject)
{
    QuorvelTest::MemoryDirectory* files = shaderFiles();
    // Compiles, but the function it calls is defined nowhere.
    files->files["unlinked.gvs"] = "void helper();\nvoid main() { helper(); gl_Position = ftransform(); }";
    files->files["unlinked.gfs"] = plainFragment;
    QuorvelTest::LogMark mark;
    ShaderProgram* program = ShaderProgram::load("shd/unlinked");
    const std::vector<std::string> lines = mark.since();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Shader program \"shd/unlinked\" load failed: could not link. Log:");
    EXPECT_FALSE(lines[1].empty());
    EXPECT_EQ(program->getHandle(), 0u);
    EXPECT_NE(program->getLinkStatus(), 1);
}

TEST_F(ShaderProgramGLTest, UniformsAreSetByNameAndUnknownNamesChangeNothing)
{
    ShaderProgram* sky = ShaderProgram::load("sky");
    ASSERT_NE(sky->getHandle(), 0u);
    sky->use();
    sky->setUniform1f("density", 0.25f);
    sky->setUniform2f("offset", Quorvel::Vector2(0.5f, -2.0f));
    float density = -1.0f;
    ASSERT_NE(uniformFloat(sky->getHandle(), "density", density), -1);
    EXPECT_FLOAT_EQ(density, 0.25f);

    sky->setUniform1f("nothing", 9.0f);
    sky->setUniform1i("noSampler", 3);
    sky->setUniform2f("noOffset", Quorvel::Vector2(1.0f, 1.0f));
    sky->setUniform3f("noColour", Quorvel::Vector3(1.0f, 1.0f, 1.0f));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    density = -1.0f;
    uniformFloat(sky->getHandle(), "density", density);
    EXPECT_FLOAT_EQ(density, 0.25f);
    float offset[2] = {0.0f, 0.0f};
    glGetUniformfvARB(sky->getHandle(), glGetUniformLocationARB(sky->getHandle(), "offset"), offset);
    EXPECT_FLOAT_EQ(offset[0], 0.5f);
    EXPECT_FLOAT_EQ(offset[1], -2.0f);
    sky->useNone();
    EXPECT_EQ(glGetHandleARB(GL_PROGRAM_OBJECT_ARB), 0u);
}

TEST_F(ShaderProgramGLTest, AttachingASecondVertexShaderDetachesTheFirst)
{
    QuorvelTest::MemoryDirectory* files = shaderFiles();
    files->files["first.gvs"] = plainVertex;
    files->files["second.gvs"] = "void main() { gl_Position = ftransform() * 0.5; }";
    VertexShader* first = VertexShader::load("shd/first");
    VertexShader* second = VertexShader::load("shd/second");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);

    ShaderProgram program;
    ASSERT_NE(program.getHandle(), 0u);
    first->acquire(); // the program gives its stages' references back when it is destroyed
    program.attachVertexShader(first);
    second->acquire();
    program.attachVertexShader(second);
    EXPECT_EQ(program.getVertexShader(), second);
    GLhandleARB attached[4] = {};
    GLsizei count = 0;
    glGetAttachedObjectsARB(program.getHandle(), 4, &count, attached);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(attached[0], second->getHandle());
}
