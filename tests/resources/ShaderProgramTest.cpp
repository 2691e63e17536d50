// Shaders where the shader extensions are missing (no OpenGL context at all
// here, so every extension flag is false and every entry point null): the
// loaders refuse with one log line and nothing calls through a null pointer.

#include "support/LogLines.h"
#include "support/BareApplication.h"
#include "support/TempDir.h"

#include "core/Application.h"
#include "math/Vector2.h"
#include "math/Vector3.h"
#include "resources/FragmentShader.h"
#include "resources/ShaderProgram.h"
#include "resources/VertexShader.h"

#include <gtest/gtest.h>

using Quorvel::ShaderProgram;
using QuorvelTest::BareApplication;

TEST(ShaderProgramTest, WithoutShaderSupportLoadersRefuseWithOneLine)
{
    QuorvelTest::TempDir dir;
    BareApplication application; // only owns the log ("quorvel.log" in the working directory)
    ASSERT_EQ(Quorvel::Application::existingInstance(), &application) << "another application is registered";
    ASSERT_FALSE(ShaderProgram::isSupported());
    EXPECT_EQ(ShaderProgram::getShadingLanguageVersion(), nullptr);

    QuorvelTest::LogMark mark;
    ShaderProgram* program = ShaderProgram::load("unsupported");
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(program->getHandle(), 0u);
    EXPECT_EQ(ShaderProgram::load("unsupported"), program) << "cached like any program";
    EXPECT_EQ(mark.since(),
              std::vector<std::string>{"Shader program \"unsupported\" load failed: shaders not supported"});

    QuorvelTest::LogMark stages;
    EXPECT_EQ(Quorvel::VertexShader::load("unsupported"), nullptr);
    EXPECT_EQ(Quorvel::FragmentShader::load("unsupported"), nullptr);
    EXPECT_EQ(stages.since(),
              (std::vector<std::string>{"Vertex shader \"unsupported\" load failed: shaders not supported",
                                        "Fragment shader \"unsupported\" load failed: shaders not supported"}));

    // Everything a user of the program does is a harmless no-op.
    program->use();
    program->setUniform1i("noiseMap", 0);
    program->setUniform1f("density", 0.5f);
    program->setUniform2f("offset", Quorvel::Vector2(0.0f, 0.0f));
    program->setUniform3f("colour", Quorvel::Vector3(1.0f, 1.0f, 1.0f));
    EXPECT_FALSE(program->link());
    EXPECT_FALSE(program->validate());
    EXPECT_TRUE(program->getInfoLog() == "");
    EXPECT_FALSE(program->reload());
    program->useNone();
}
